#pragma once
// Character cells: the composer's first stage.
//
// Every character of a composing call becomes one CharCell carrying its code,
// its advance along the line and the glyph attributes the later stages and
// the page records need. Advances come from the metric tables (metrics.h)
// under the attributes in force, which in-line attribute runs (HT) and glyph
// overrides (GA) change while the cells are built; PD scales an advance, PC
// replaces it, CA swaps the glyph drawn but keeps the advance of the
// character as written.
#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/core/call_record.h"
#include "engine/text/codes.h"

namespace kumi::engine {

class Engine;

// The attributes in force while cells are built (initialised from the call).
struct CurrentAttributes {
  char kindLetter = '\0';           // first character of the record kind; 'A' sets all half-width
  char cls = 'K';                   // class of the character being built ('A' half-width)
  bool vertical = false;            // kind letter 'J'
  uint8_t advanceSize = 0;          // SizeCode of the advance (charSize)
  std::array<char, 2> fontClass{};  // e.g. "M0", "G0", "KM"
  char digitMode = '\0';            // '0'..'3'
  char lineScale = '0';             // scale code along the line: widthScale, or heightScale in vertical
  char direction = '\0';            // result selector; 'T' turns the glyphs
  std::array<char, 2> colour{};     // colour digits of the records
  std::array<char, 7> glyph{};      // "1000000" with glyph size, width and height scale
  int32_t baseline = 0;             // 1 inside an HT run that keeps its baseline
};

CurrentAttributes attributesFromCall(const CallRecord& call);

// Advance in engine units of one character under the given attributes; sets
// *metricFlag to '1' when it was measured by its own metrics (else '0').
int32_t measureCharacter(const CurrentAttributes& attrs, Unit code, char cls, bool secondFamily,
                         char* metricFlag = nullptr);

struct CellBuildResult {
  int32_t naturalLength = 0;
  size_t count = 0;  // cells built (the end mark not counted)
};

// Builds engine.cells() from engine.text() for the current call (skipping
// units marked deleted), ends the array with line = -1, returns the natural
// length.
CellBuildResult buildCells(Engine& engine);

}  // namespace kumi::engine
