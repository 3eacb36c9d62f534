#include "renderer/settings/settings_lines.h"

#include <exception>

namespace kumi::settings {

bool LineReader::next(std::string& line) {
  line.clear();
  std::streambuf* buf = in_.rdbuf();
  if (buf == nullptr) return false;
  bool any = false;
  bool pendingCr = false;  // a CR is kept back until we know whether LF follows
  try {
    for (int c = buf->sbumpc(); c != std::char_traits<char>::eof(); c = buf->sbumpc()) {
      any = true;
      if (c == '\n') return true;
      if (pendingCr && line.size() < kMaxLineChars) line += '\r';
      pendingCr = c == '\r';
      if (!pendingCr && line.size() < kMaxLineChars) line += static_cast<char>(c);
    }
  } catch (const std::exception&) {
    // The file buffer throws when the system cannot read (a folder opens
    // here and fails at the first read). The stream says so; the reading ends.
    line.clear();
    in_.setstate(std::ios::badbit);
    return false;
  }
  // A lone CR at the very end of the file is the break of the last line.
  return any;
}

std::string_view valueAt(std::string_view line, size_t column) {
  if (column >= line.size()) return {};
  std::string_view rest = line.substr(column);
  const size_t quote = rest.find('"');
  return quote == std::string_view::npos ? rest : rest.substr(0, quote);
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> splitItems(std::string_view line) {
  std::vector<std::string> items;
  size_t i = 0;
  while (true) {
    while (i < line.size() && isBlank(line[i])) ++i;
    std::string item;
    if (i < line.size() && line[i] == '"') {
      const size_t close = line.find('"', i + 1);
      const size_t end = close == std::string_view::npos ? line.size() : close;
      item.assign(line.substr(i + 1, end - i - 1));
      i = close == std::string_view::npos ? line.size() : close + 1;
      // Anything between the closing quote and the comma is not part of the item.
      const size_t comma = line.find(',', i);
      i = comma == std::string_view::npos ? line.size() : comma;
    } else {
      const size_t comma = line.find(',', i);
      const size_t end = comma == std::string_view::npos ? line.size() : comma;
      std::string_view bare = line.substr(i, end - i);
      while (!bare.empty() && isBlank(bare.back())) bare.remove_suffix(1);
      item.assign(bare);
      i = end;
    }
    items.push_back(std::move(item));
    if (i >= line.size()) break;
    ++i;  // the comma
  }
  return items;
}

}  // namespace kumi::settings
