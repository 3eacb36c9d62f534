#include "renderer/settings/page_range_file.h"

#include "renderer/settings/settings_lines.h"

namespace kumi::settings {

std::string pageRangeLine(std::string_view pageName) {
  return "\"" + std::string(pageName) + "\"\r\n";
}

bool PageRangeWriter::create(const std::string& openablePath, std::string* error) {
  text_.clear();
  if (file_.create(openablePath)) return true;
  if (error != nullptr) *error = file_.error();
  return false;
}

void PageRangeWriter::setFirst(std::string_view pageName) { text_ = pageRangeLine(pageName); }

bool PageRangeWriter::finish(std::string_view lastPageName, std::string* error) {
  text_ += pageRangeLine(lastPageName);
  if (file_.write(text_) && file_.commit()) return true;
  if (error != nullptr) *error = file_.error();
  return false;
}

PageRange readPageRange(std::istream& in) {
  PageRange range;
  LineReader lines(in);
  std::string line;
  for (std::string* field : {&range.first, &range.last}) {
    if (!lines.next(line)) break;
    const auto items = splitItems(line);
    *field = items.empty() ? std::string() : items.front();
    ++range.lines;
  }
  return range;
}

}  // namespace kumi::settings
