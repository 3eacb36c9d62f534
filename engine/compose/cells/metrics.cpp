#include "engine/compose/cells/metrics.h"

#include <algorithm>
#include <array>

#include "engine/compose/cells/cells.h"
#include "engine/compose/cells/font_classes.h"
#include "engine/compose/cells/metric_grid.h"
#include "engine/core/size_code.h"
#include "engine/text/halfwidth_tables.h"
#include "engine/text/output.h"

namespace kumi::engine::metrics {
namespace {

constexpr int kFullEm = 16;
constexpr size_t kHalfWidthColumnShift = 24;

// Q-steps of the classes 3..17 at the sizes that have a column of their own.
constexpr std::array<int, 14> kTableSizes = {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20, 24};
constexpr size_t kQ8Column = 2;
constexpr int kFirstClass = 3;
constexpr std::array<std::array<uint8_t, 14>, 15> kWidthTable = {{
    {2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 4, 5},              // 3
    {2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 6},              // 4
    {2, 2, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 6, 8},              // 5
    {3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 6, 8, 9},              // 6
    {3, 3, 4, 4, 4, 5, 5, 6, 6, 7, 7, 8, 9, 10},             // 7
    {4, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 10, 12},            // 8
    {4, 4, 5, 5, 6, 6, 7, 7, 8, 9, 9, 10, 11, 13},           // 9
    {5, 4, 5, 6, 6, 7, 8, 8, 9, 9, 10, 11, 12, 15},          // 10
    {5, 5, 6, 6, 7, 8, 8, 9, 10, 10, 11, 12, 14, 16},        // 11
    {6, 6, 6, 7, 7, 8, 9, 10, 10, 11, 12, 13, 15, 18},       // 12
    {6, 6, 7, 7, 8, 9, 10, 10, 11, 12, 13, 14, 16, 19},      // 13
    {5, 6, 7, 8, 9, 10, 10, 11, 12, 13, 14, 16, 17, 21},     // 14
    {6, 7, 8, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 22},     // 15
    {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20, 24},    // 16
    {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 21, 25},   // 17
}};

// Row of a code in the proportional list, by JIS row and cell (both
// 0x21..0x7E); kNotListed elsewhere. Built once on first use.
constexpr uint8_t kNotListed = 0xFF;
struct ProportionalIndex {
  std::array<uint8_t, 94 * 94> rowOf{};
  ProportionalIndex() {
    rowOf.fill(kNotListed);
    for (size_t i = 0; i < kProportionalCount; ++i) {
      const Unit u = kProportionalCodes[i];
      if (u != kNeverMatches) rowOf[slot(u)] = static_cast<uint8_t>(i);
    }
  }
  static bool inRange(Unit u) {
    const unsigned hi = u >> 8, lo = u & 0xFF;
    return hi >= 0x21 && hi <= 0x7E && lo >= 0x21 && lo <= 0x7E;
  }
  static size_t slot(Unit u) { return ((u >> 8) - 0x21) * 94 + ((u & 0xFF) - 0x21); }
  int find(Unit u) const {
    if (!inRange(u)) return -1;
    const uint8_t row = rowOf[slot(u)];
    return row == kNotListed ? -1 : row;
  }
};

const ProportionalIndex& proportionalIndex() {
  static const ProportionalIndex index;
  return index;
}

// Column of the width table for each SizeCode, or -1 for a size the table
// lacks. Built once on first use.
struct SizeColumns {
  std::array<int8_t, 256> columnOf{};
  SizeColumns() {
    columnOf.fill(-1);
    for (size_t i = 0; i < kTableSizes.size(); ++i) columnOf[sizeCodeOfQ(kTableSizes[i])] = static_cast<int8_t>(i);
  }
};

const SizeColumns& sizeColumns() {
  static const SizeColumns columns;
  return columns;
}

// The record codes written as two single-byte characters (the voiced
// katakana), as the output conversion decides: the one-byte table first.
struct TwoByteHalfWidth {
  std::array<uint16_t, kVoicedTable.size()> sjis{};
  size_t count = 0;
  TwoByteHalfWidth() {
    for (const VoicedEntry& v : kVoicedTable) {
      const bool oneByte = std::any_of(kHalfWidthTable.begin(), kHalfWidthTable.end(),
                                       [&](const HalfWidthEntry& h) { return h.sjis == v.sjis; });
      if (!oneByte) sjis[count++] = v.sjis;
    }
  }
  bool contains(uint16_t code) const { return std::find(sjis.begin(), sjis.begin() + count, code) != sjis.begin() + count; }
};

const TwoByteHalfWidth& twoByteHalfWidth() {
  static const TwoByteHalfWidth set;
  return set;
}

// The two small tables share the grid's layout: listed columns 0..23 hold
// the class, columns 24 and 25 a full em.
int smallTableClass(size_t column, int listedClass) { return column < 24 ? listedClass : kFullEm; }

}  // namespace

int widthClass(MetricTable table, bool secondFamily, Unit code, size_t column) {
  switch (table) {
    case MetricTable::HalfWidth:
      if (code != code::kHalfEmSpace) return -1;
      return column < kColumns ? smallTableClass(column, 8) : kFullEm;
    case MetricTable::VerticalHalfWidth:
      if (!code::isHalfWidthDigit(code)) return -1;
      return column < kColumns ? smallTableClass(column, 8) : kFullEm;
    case MetricTable::Proportional: break;
  }
  // A lone full-width digit is the digit itself for its metrics.
  const Unit key = code::isLoneDigit(code) ? static_cast<Unit>(code & 0x7FFF) : code;
  const int row = proportionalIndex().find(key);
  if (row < 0) return -1;
  if (column >= kColumns) return kFullEm;
  const auto& grid = secondFamily ? kSecondFamilyGrid : kFirstFamilyGrid;
  return grid[static_cast<size_t>(row)][column];
}

int32_t classAdvance(int widthClass, uint8_t sizeCode) {
  if (widthClass < kFirstClass || widthClass > kFirstClass + static_cast<int>(kWidthTable.size()) - 1) return 0;
  const auto& widths = kWidthTable[static_cast<size_t>(widthClass - kFirstClass)];
  const int column = sizeColumns().columnOf[sizeCode];
  if (column >= 0) return widths[static_cast<size_t>(column)] * 4;
  // Other sizes scale the Q8 width: r is the size in engine units.
  const int32_t r = unitsOfSizeCode(sizeCode);
  return widths[kQ8Column] * 4 * r / 32;
}

int scalePercent(char scaleCode) {
  if (scaleCode >= '0' && scaleCode <= '5') return 100 - 10 * (scaleCode - '0');
  return 100;
}

int halfWidthFactor(Unit code) { return twoByteHalfWidth().contains(recordCode(code)) ? 100 : 50; }

}  // namespace kumi::engine::metrics

namespace kumi::engine {

int32_t measureCharacter(const CurrentAttributes& attrs, Unit code, char cls, bool secondFamily,
                         char* metricFlag) {
  using metrics::MetricTable;
  const bool halfWidthDigit = code::isHalfWidthDigit(code);
  // Digit mode 3 measures only the digits by their own metrics.
  char mode = attrs.digitMode;
  if (mode == '3' && !halfWidthDigit && !code::isLoneDigit(code)) mode = '0';
  // The proportional widths are widths across an upright glyph: down a
  // vertical column a lone digit standing upright takes its whole em, or it
  // would print over the character after it.
  if (attrs.vertical && attrs.direction != 'T' && code::isLoneDigit(code)) mode = '0';

  const bool halfWidthGlyph = cls == 'A' || attrs.kindLetter == 'A';
  MetricTable table = MetricTable::Proportional;
  if (halfWidthGlyph || mode == '0') {
    table = MetricTable::HalfWidth;
  } else if (halfWidthDigit) {
    table = attrs.vertical ? MetricTable::VerticalHalfWidth : MetricTable::HalfWidth;
  }
  const bool halfWidthCase = halfWidthGlyph || (halfWidthDigit && !attrs.vertical);

  size_t column = fontColumn(attrs.fontClass, secondFamily, attrs.direction);
  if (halfWidthCase) column += metrics::kHalfWidthColumnShift;
  int widthClass = metrics::widthClass(table, secondFamily, code, column);
  if (metricFlag != nullptr) *metricFlag = widthClass >= 0 ? '1' : '0';
  if (widthClass < 0) widthClass = metrics::kFullEm;

  const int32_t advance = metrics::classAdvance(widthClass, attrs.advanceSize);
  const int factor = halfWidthCase ? metrics::halfWidthFactor(code) : 100;
  return advance * metrics::scalePercent(attrs.lineScale) / 100 * factor / 100;
}

}  // namespace kumi::engine
