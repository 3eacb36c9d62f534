#pragma once
// Hand-made cells for the composer's stage tests: one full-width cell a
// character, and the lines they were broken into as "ＡＢ|ＣＤ".
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/compose/char_cell.h"
#include "engine/core/size_code.h"
#include "engine/tables/style_tables.h"
#include "engine/text/codes.h"
#include "platform/base/cp932.h"

namespace kumi::engine::testing {

// The JIS codes of a UTF-8 text of full-width characters.
inline std::vector<Unit> jisOf(std::string_view utf8) {
  const std::string sjis = platform::utf8ToCp932Lossy(utf8);
  std::vector<Unit> out;
  for (size_t i = 0; i + 1 < sjis.size(); i += 2) {
    const auto pair = static_cast<uint16_t>((static_cast<uint8_t>(sjis[i]) << 8) | static_cast<uint8_t>(sjis[i + 1]));
    out.push_back(sjisToJis(pair));
  }
  return out;
}

inline std::string utf8Of(Unit jis) {
  const uint16_t sjis = jisToSjis(jis);
  const char bytes[2] = {static_cast<char>(sjis >> 8), static_cast<char>(sjis & 0xFF)};
  return platform::cp932ToUtf8Lossy(std::string_view(bytes, 2));
}

// Q12 cells (advance 48) of a text; "＠", the usual break character, takes
// no room as the cell builder makes it.
inline std::vector<CharCell> cellsOf(std::string_view utf8, int32_t advance = 48) {
  std::vector<CharCell> cells;
  for (Unit u : jisOf(utf8)) {
    CharCell c;
    c.code = u;
    c.advance = u == code::kAtMark ? 0 : advance;
    c.glyphSize = sizeCodeOfQ(12);
    cells.push_back(c);
  }
  return cells;
}

// "ＡＢ|ＣＤ": the characters line by line.
inline std::string linesOf(const std::vector<CharCell>& cells) {
  std::string out;
  int line = cells.empty() ? 0 : cells.front().line;
  for (const CharCell& c : cells) {
    if (c.line != line) out += "|";
    line = c.line;
    out += utf8Of(c.code);
  }
  return out;
}

// Defines a one-character-a-field table such as GT from a UTF-8 list.
inline void defineCharTable(StyleTables& tables, const char* name, std::string_view chars) {
  std::string def = std::string(name) + "  ";
  const std::string sjis = platform::utf8ToCp932Lossy(chars);
  for (size_t i = 0; i + 1 < sjis.size(); i += 2) def += sjis.substr(i, 2) + "  ";
  tables.define(def + "FF");
}

}  // namespace kumi::engine::testing
