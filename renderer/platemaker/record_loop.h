#pragma once
// The record loop: sk.dat's records, one page metafile per run of records of
// a page, each record handed to its drawing part.
//
// Every record is normalised (page name) and moved onto the printable origin
// before anything looks at it. A page opens when its name starts a run of
// consecutive records and closes at the next name or the end of the file; a
// name that comes back after another page opens (and so overwrites) its file
// again. A page whose file cannot be created or written is reported with
// "パスが見つかりません。" and the page's path; its records are skipped and the
// loop goes on.
#include <functional>
#include <istream>
#include <memory>
#include <string>

#include "platform/emf/emf_writer.h"
#include "renderer/platemaker/record_handlers.h"
#include "renderer/platemaker/status_sink.h"

namespace kumi::renderer {

// Makes the metafile of one page: a file at `openablePath` in a run; tests
// and the fuzz target keep pages in memory. nullptr (with a reason) when the
// page cannot be made.
using PageFactory = std::function<std::unique_ptr<platform::EmfWriter>(
    const std::string& openablePath, const PageGeometry& geometry, std::string* error)>;

// Page files on disk, described as kumi's typeset pages.
PageFactory pageFilesOnDisk();

struct RecordLoopResult {
  int pageCount = 0;             // page openings
  std::string firstPage;         // the page of the first record ("" without records)
  std::string lastOpenedPage;    // the page open at the end
  std::string lastRead;          // the page of the last record read
  bool pageWriteFailed = false;  // a page file could not be created or written
};

// Reads 25-byte records from `sk` until fewer come. Page files are named
// settings.dataDir + page name + ".emf".
RecordLoopResult runRecordLoop(std::istream& sk, const PageGeometry& geometry, char runMode,
                               const settings::RenderSettings& settings, RecordHandlers& handlers,
                               StatusSink& status, const PageFactory& pages);

// The status line while page `pageName` is being drawn.
std::string pageStartText(std::string_view pageName);

}  // namespace kumi::renderer
