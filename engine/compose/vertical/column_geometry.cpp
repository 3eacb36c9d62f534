#include "engine/compose/vertical/column_geometry.h"

#include <algorithm>
#include <array>

#include "engine/compose/horizontal/glyph_geometry.h"
#include "engine/compose/saturate.h"

namespace kumi::engine {
namespace {

// 、。，．：；￣＿ー―‐〜‖｜…‥‘’“”（）〔〕［］｛｝〈〉《》「」『』【】−＝≠＜＞≦≧
// ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ, sorted.
constexpr std::array<Unit, 67> kTurned = {
    0x2122, 0x2123, 0x2124, 0x2125, 0x2127, 0x2128, 0x2131, 0x2132, 0x213C, 0x213D, 0x213E, 0x2141,
    0x2142, 0x2143, 0x2144, 0x2145, 0x2146, 0x2147, 0x2148, 0x2149, 0x214A, 0x214B, 0x214C, 0x214D,
    0x214E, 0x214F, 0x2150, 0x2151, 0x2152, 0x2153, 0x2154, 0x2155, 0x2156, 0x2157, 0x2158, 0x2159,
    0x215A, 0x215B, 0x215D, 0x2161, 0x2162, 0x2163, 0x2164, 0x2165, 0x2166, 0x2421, 0x2423, 0x2425,
    0x2427, 0x2429, 0x2443, 0x2463, 0x2465, 0x2467, 0x246E, 0x2521, 0x2523, 0x2525, 0x2527, 0x2529,
    0x2543, 0x2563, 0x2565, 0x2567, 0x256E, 0x2575, 0x2576,
};
static_assert(std::is_sorted(kTurned.begin(), kTurned.end()));

bool isSpacingCode(Unit code) { return code == code::kHalfEmSpace || code == code::kEmptyCell; }

}  // namespace

int32_t columnSizeOf(const CharCell& firstCell) { return scaledSize(firstCell.glyphSize, firstCell.widthScale); }

int32_t firstColumnX(int32_t originX, int32_t blockExtent, char blockAlign, int columns, int32_t columnPitch,
                     int32_t columnSize) {
  if (blockAlign != '0') return originX;
  const int64_t width = static_cast<int64_t>(std::max(columns, 1) - 1) * columnPitch + columnSize;
  const int64_t x = originX - (static_cast<int64_t>(blockExtent) - width) / 2;
  // A block wider than its extent starts at the origin.
  return x > originX ? originX : saturateToInt32(x);
}

bool isTurnedInVertical(Unit code) {
  return std::binary_search(kTurned.begin(), kTurned.end(), code);
}

char verticalDirection(const CharCell& cell, bool secondFamily) {
  if (cell.direction == 'T' || isTurnedInVertical(cell.code)) return 'T';
  return secondFamily ? 'W' : 'Y';
}

PairKind pairKindOf(const CharCell& cell, bool secondFamily) {
  if (cell.advance == 0 || cell.style == 'V' || isSpacingCode(cell.code)) return PairKind::None;
  // A half-width character as wide as its glyph (ｶﾞ, two single bytes) fills its em alone.
  if (cell.advance == columnSizeOf(cell)) return PairKind::None;
  if (cell.cls == 'A') return PairKind::HalfWidth;
  if (secondFamily && cell.cls == 'K' && code::isHalfWidthDigit(cell.code)) return PairKind::SecondFamilyDigit;
  return PairKind::None;
}

ColumnStep ColumnSteps::step(size_t i) {
  const CharCell& cell = column_[i];
  if (open_ != PairKind::None) {
    const ColumnStep closes{PairRole::Closes, open_, saturateToInt32(int64_t{cell.advance} * 2)};
    open_ = PairKind::None;
    return closes;
  }
  const PairKind kind = pairKindOf(cell, second_);
  if (kind == PairKind::None) return {PairRole::None, kind, cell.advance};
  if (i + 1 < column_.size() && pairKindOf(column_[i + 1], second_) == kind) {
    open_ = kind;
    return {PairRole::Opens, kind, 0};
  }
  return {PairRole::Alone, kind, saturateToInt32(int64_t{cell.advance} * 2)};
}

ColumnMeasure measureColumn(std::span<const CharCell> column, bool secondFamily) {
  ColumnSteps steps(column, secondFamily);
  int64_t length = 0;
  int32_t places = 0;
  for (size_t i = 0; i < column.size(); ++i) {
    const ColumnStep s = steps.step(i);
    length += s.along;
    if (s.along != 0) ++places;
  }
  return {saturateToInt32(length), places};
}

}  // namespace kumi::engine
