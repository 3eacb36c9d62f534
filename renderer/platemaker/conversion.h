#pragma once
// One run of platemaker: the reference printer, the settings, and the loop
// that turns the records of sk.dat into one page metafile per page.
//
// The pages are made by the record loop (record_loop.h). winpage.cfg names the first page and the last; it replaces the previous
// file only once the run is complete. With DirectPrint '1' the print program
// runs over the range before the run ends, and is waited for.
#include <string>

#include "renderer/platemaker/record_handlers.h"
#include "renderer/platemaker/status_sink.h"
#include "renderer/settings/render_settings.h"

namespace kumi::renderer {

struct ConversionResult {
  enum class Status {
    Converted,     // the records were read to the end
    PrinterError,  // no reference printer: nothing converted, no follow-up
    MissingFile,   // a settings file, sk.dat or winpage.cfg: exit status 1
  };
  Status status = Status::Converted;
  int pageCount = 0;           // page openings in this run
  std::string firstPage;       // of the first record ("" without records)
  std::string lastOpenedPage;  // of the page open at the end
  bool pageWriteFailed = false;  // a page file could not be written
  settings::RenderSettings settings;

  // 1 when a needed file could not be opened or a page could not be written.
  int exitStatus() const;
};

// Runs the conversion; the status texts go to `status`, the records to
// `handlers`. The current directory holds the settings files.
ConversionResult convert(char runMode, RecordHandlers& handlers, StatusSink& status);

}  // namespace kumi::renderer
