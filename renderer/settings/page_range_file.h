#pragma once
// winpage.cfg, the PageRangeFile: the first and the last page name of the
// renderer's last run, each a quoted line, read by the viewer.
//
// The renderer creates it before the first record, names the first page when
// that page opens and the last page at the end of the run. Here the lines go
// to a new file beside the old one, which replaces it only when the run is
// complete: a run that dies half-way leaves the previous range, never a file
// that names a first page and no last.
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "renderer/settings/replacement_file.h"

namespace kumi::settings {

// One line: the name between double quotes, then CR LF.
std::string pageRangeLine(std::string_view pageName);

class PageRangeWriter {
 public:
  // Creates the new file for `openablePath`; false (with the system's
  // description in `error`) when it cannot be created there.
  bool create(const std::string& openablePath, std::string* error = nullptr);
  // Line 1, written when the first page opens.
  void setFirst(std::string_view pageName);
  // Line 2, then the new file replaces the old; false when that fails.
  // A writer destroyed unfinished leaves the old file as it was.
  bool finish(std::string_view lastPageName, std::string* error = nullptr);

 private:
  ReplacementFile file_;
  std::string text_;
};

struct PageRange {
  std::string first;  // the quoted texts of lines 1 and 2 (empty when absent)
  std::string last;
  int lines = 0;      // how many lines the file had (0 to 2 are read)
};
// Reads the two lines as the viewer does: one quoted text each.
PageRange readPageRange(std::istream& in);

}  // namespace kumi::settings
