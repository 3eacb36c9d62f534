#pragma once
// One character of a composing call, from cell building to placement.
#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/text/codes.h"

namespace kumi::engine {

constexpr size_t kMaxCells = 1000;

struct CharCell {
  int16_t line = 0;          // 1-based after line breaking; 0 unassigned; -1 end of array
  char noLineStart = '0';    // '1' when in GT
  char noLineEnd = '0';      // '1' when in GM
  char mayHang = '0';        // '1' when in BR
  int32_t runWidth = 0;      // first cell of a digit or RJ run: its total advance
  int32_t groupWidth = 0;    // first cell of a DS...DE group: its total advance
  int32_t advance = 0;       // 0 = takes no room and writes no record
  int32_t lineWidth = 0;     // first cell of a line: sum of its advances
  int32_t lineChars = 0;     // first cell of a line: characters that count for spacing
  int32_t runMark = 0;       // 2 inside an RJ run, 9 its last cell
  int32_t baseline = 0;      // 1 in an HT run that keeps its baseline
  std::array<char, 4> page{};
  int32_t placedY = 0;
  int32_t placedX = 0;
  Unit code = 0;             // internal code
  char metricFlag = '0';     // '1' own metrics, or an opening bracket listed in PD
  char fontLetter = '0';     // font-class letter under command L
  uint8_t glyphSize = 0;     // SizeCode of the glyph
  char caType = '0';         // type byte of the CA entry
  char spare = '0';
  char widthScale = '0';
  char heightScale = '0';
  std::array<char, 2> rangeMark{};  // emphasis range marker
  std::array<char, 2> colour{};     // colour digits
  std::array<char, 2> rubyMark{};   // ruby markers
  char style = '\0';         // emphasis kind
  char direction = '\0';     // 'T' turns the glyph
  char cls = 'K';            // 'K' two-byte glyph, 'A' single-byte glyph
};

using CellArray = std::array<CharCell, kMaxCells + 1>;

}  // namespace kumi::engine
