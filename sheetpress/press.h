#pragma once
// sheetpress, the print program: `sheetpress FIRST LAST PR`.
//
// Started with ProgramDir as its current directory, it reads DataDir from
// WINPRM.cfg there and prints the page files DataDir + name + ".emf" from
// FIRST to LAST, each page at the size of its metafile's frame. On a CUPS
// printer it prints through Qt's print support; on the built-in virtual
// printer it writes one PDF, DataDir + FIRST + "-" + LAST + ".pdf", fonts
// embedded, a PDF page per page file. A page file that is missing or
// unreadable is skipped with a message; when no page can be printed at all
// the program says so and ends with status 1.
//
// The work is here, testable without a display; main.cpp starts Qt and
// picks the printer.
#include <QPagedPaintDevice>
#include <optional>
#include <string>
#include <vector>

namespace kumi::sheetpress {

struct Request {
  std::string first;
  std::string last;
};

// FIRST LAST [PR]: the callers put blanks around the words, and a shell or
// another launcher may hand them over as one argument; both are accepted.
std::optional<Request> parseRequest(const std::vector<std::string>& args);

// The page names from `first` to `last`, inclusive. Decimal names count up
// (keeping the width of `first`, at least four digits); other names are
// the `existing` names that sort between them. Empty when the range is
// backwards or holds more than kMaxPages names.
inline constexpr size_t kMaxPages = 10000;
std::vector<std::string> pageNamesInRange(const std::string& first, const std::string& last,
                                          const std::vector<std::string>& existing);

struct PressResult {
  int printed = 0;
  int missing = 0;
  int unreadable = 0;
  bool deviceFailed = false;  // the printer or the PDF file could not be opened
};

// Prints the page files onto a paged device (a PDF writer or a printer),
// one page per file at its frame's size. Messages for files that are
// missing or unreadable; the device is opened only once a page is ready.
// `deviceCaption` names the device in the message when it cannot be opened.
PressResult pressPages(QPagedPaintDevice& device, const std::vector<std::string>& pagePaths,
                       const std::string& deviceCaption);

// The whole program after Qt has started: `printerEntry` is the profile's
// "device" entry (NAME,DRIVER,PORT). Returns the exit status.
int runSheetpress(const std::vector<std::string>& args, const std::string& printerEntry);

}  // namespace kumi::sheetpress
