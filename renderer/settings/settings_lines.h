#pragma once
// Positional text lines, the one syntax of the settings files.
//
// Every settings file is CP932 text, one record a line, CR LF line ends, items
// separated by commas, strings in double quotes without any escaping. The
// renderer does not parse items: it keeps at most 255 characters of a line
// and takes a value from a fixed column up to the next double quote. The
// viewer and the workbench read the same lines item by item. Both readings
// are here; both treat the bytes as untrusted and never look past a line.
#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace kumi::settings {

// The characters of a line a reader keeps; the rest of a longer line is
// dropped, so an overlong line never turns into a phantom second line.
constexpr size_t kMaxLineChars = 255;

// Reads lines of a settings file. A line ends at LF; one CR before it is part
// of the break. A last line without a break still counts; a file ending in a
// break has no empty line after it.
class LineReader {
 public:
  explicit LineReader(std::istream& in) : in_(in) {}
  // False at the end of the file; otherwise `line` holds the line's first
  // kMaxLineChars characters without the break. A read the system refuses
  // ends the file too and leaves the stream bad().
  bool next(std::string& line);

 private:
  std::istream& in_;
};

// The value at a fixed column: from `column` up to the next double quote, or
// to the end of the line when the closing quote is missing. Empty when the
// line is shorter than the column.
std::string_view valueAt(std::string_view line, size_t column);

// The items of a line read one by one: a quoted item runs to the next double
// quote, a bare item to the next comma; blanks around items are skipped.
std::vector<std::string> splitItems(std::string_view line);

}  // namespace kumi::settings
