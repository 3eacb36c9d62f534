#include "engine/compose/horizontal/glyph_geometry.h"

#include <algorithm>
#include <array>

#include "engine/core/size_code.h"

namespace kumi::engine {
namespace {

constexpr std::array<Unit, 11> kOpeningBrackets = {
    0x214A, 0x214C, 0x214E, 0x2150, 0x2152, 0x2154, 0x2156, 0x2158, 0x215A,  // （〔［｛〈《「『【
    0x2146, 0x2148,                                                          // ‘“
};
constexpr std::array<Unit, 16> kClosingMarks = {
    0x214B, 0x214D, 0x214F, 0x2151, 0x2153, 0x2155, 0x2157, 0x2159, 0x215B,  // ）〕］｝〉》」』】
    0x2124, 0x2125, 0x2147, 0x2149, 0x216B, 0x216C, 0x216D,                  // ，．’”°′″
};

template <size_t N>
bool contains(const std::array<Unit, N>& list, Unit code) {
  return std::find(list.begin(), list.end(), code) != list.end();
}

}  // namespace

int32_t scaleTenths(char scaleCode) {
  switch (scaleCode) {
    case '0': return 10;
    case '1': return 9;
    case '2': return 8;
    case '3': return 7;
    case '4': return 6;
    default: return 5;
  }
}

int32_t scaledSize(uint8_t sizeCode, char scaleCode) {
  return scaledUnits(unitsOfSizeCode(sizeCode), scaleCode);
}

int32_t lineSizeOf(const CharCell& firstCell) { return scaledSize(firstCell.glyphSize, firstCell.heightScale); }

bool isOpeningBracket(Unit code) { return contains(kOpeningBrackets, code); }
bool isClosingMark(Unit code) { return contains(kClosingMarks, code); }

int32_t glyphShiftX(const CharCell& cell, int32_t glyphWidth) {
  // Fixed-pitch glyphs fill their advance; the proportional faces F and G
  // carry their own side bearings.
  if (cell.metricFlag == '0' || cell.fontLetter == 'F' || cell.fontLetter == 'G') return 0;
  if (isClosingMark(cell.code)) return 0;
  if (isOpeningBracket(cell.code)) return -(glyphWidth / 2);
  return cell.advance / 2 - glyphWidth / 2;
}

int32_t firstLineY(int32_t originY, int32_t blockExtent, char blockAlign, int lines, int32_t linePitch,
                   int32_t lineSize) {
  if (blockAlign == '1') return originY;
  const int64_t height = static_cast<int64_t>(std::max(lines, 1) - 1) * linePitch + lineSize;
  const int64_t free = static_cast<int64_t>(blockExtent) - height;
  const int64_t y = originY + (blockAlign == '0' ? free / 2 : free);
  // A block taller than its extent starts at the origin.
  return y < originY ? originY : static_cast<int32_t>(y);
}

}  // namespace kumi::engine
