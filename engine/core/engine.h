#pragma once
// The engine's process-wide state and the handling of one call.
//
// One Engine lives behind sssub5 (entry/sssub5.cpp); tests create their own.
// Everything survives from call to call: the open page file, the style
// tables, the flow latches, the results of the last composition. Nothing is
// reset by O or C. The composer reaches the state through this class, and
// calls `call` again for its own sub-calls (ruby, fractions, size reduction).
#include <cstdint>
#include <string>

#include "engine/compose/char_cell.h"
#include "engine/core/call_record.h"
#include "engine/pagefile/page_writer.h"
#include "engine/tables/style_tables.h"
#include "engine/text/internal_text.h"

namespace kumi::engine {

struct CompositionResults {
  int32_t naturalLength = 0;  // sum of the advances
  int32_t lineCount = 0;
  int32_t cursorY = 0;
  int32_t cursorX = 0;
};

// Values the first V0 / JV call of the process latches, and the tier counters.
struct FlowState {
  bool horizontalLatched = false;
  bool verticalLatched = false;
  int32_t latchedOriginX = 0;
  int32_t latchedOriginY = 0;
  int32_t latchedExtent = 0;
  int32_t tier = 0;
  // V0: the first call's blockExtent and lineCounter (tiers a page); its
  // originY is latchedOriginY.
  int32_t horizontalExtent = 0;
  int32_t horizontalTiersPerPage = 0;
  // JV: the first call's originX is latchedOriginX, its blockExtent
  // latchedExtent, its lineCounter the tiers a page.
  int32_t verticalTiersPerPage = 0;
};

class Engine {
 public:
  Engine() = default;

  // The whole of one sssub5 call.
  int32_t call(const CallArgs& args);

  CallRecord& record() { return record_; }
  const CallRecord& record() const { return record_; }
  StyleTables& tables() { return tables_; }
  const StyleTables& tables() const { return tables_; }
  PageWriter& pageFile() { return pageFile_; }
  InternalText& text() { return text_; }
  CellArray& cells() { return cells_; }
  CompositionResults& results() { return results_; }
  const CompositionResults& results() const { return results_; }
  FlowState& flow() { return flow_; }

  // Appends a record unless the call only measures.
  void write(const pagefile::RecordBytes& record) { pageFile_.append(record, record_.measureOnly()); }

 private:
  void openRun();
  bool refuseVerticalCall();
  void intakeText();
  void defineTable();
  int32_t resultValue() const;
  void writeResultWords(char* text) const;

  CallRecord record_;
  StyleTables tables_;
  PageWriter pageFile_;
  InternalText text_;
  CellArray cells_{};
  CompositionResults results_;
  FlowState flow_;
};

// The data directory named by the first line of WINPRM.cfg: a line starting
// with '3' carries it from its fourth character up to the next double quote.
// Empty when the line is not such a line or names no directory.
std::string dataDirFromWinprmLine(std::string_view firstLine);
// The page file of a data directory: its closing separator is replaced by
// "\sk.dat". A directory given without one is kept whole, never cut short.
std::string pageFilePath(std::string_view dataDir);

}  // namespace kumi::engine
