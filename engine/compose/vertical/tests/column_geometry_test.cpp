#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/compose/vertical/column_geometry.h"
#include "engine/core/size_code.h"

namespace kumi::engine {
namespace {

TEST(ColumnGeometry, FirstColumnX) {
  struct Case {
    int32_t extent;
    char align;
    int columns;
    int32_t expected;
  };
  const Case cases[] = {
      {400, '0', 2, 1000 - 136},  // block 80 + 48 = 128 wide, centred in 400
      {400, '1', 2, 1000},
      {400, '2', 2, 1000},        // any code but 0 starts at the origin
      {100, '0', 2, 1000},        // wider than its extent: never right of the origin
      {48, '0', 1, 1000},
      {49, '0', 1, 1000},         // half a unit rounds towards the origin
  };
  for (const Case& c : cases) {
    EXPECT_EQ(firstColumnX(1000, c.extent, c.align, c.columns, 80, 48), c.expected)
        << c.extent << ' ' << c.align << ' ' << c.columns;
  }
}

TEST(ColumnGeometry, TurnedCharacters) {
  // 、 ゃ ー 「 ＝ ヶ are turned; あ ・ ＋ 漢 (0x3441) and a half-width digit are not.
  for (Unit u : {0x2122, 0x2463, 0x213C, 0x2156, 0x2161, 0x2576}) EXPECT_TRUE(isTurnedInVertical(u)) << std::hex << u;
  for (Unit u : {0x2422, 0x2126, 0x215C, 0x3441, 0x2936}) EXPECT_FALSE(isTurnedInVertical(u)) << std::hex << u;

  CharCell cell;
  cell.code = 0x2422;
  EXPECT_EQ(verticalDirection(cell, false), 'Y');
  EXPECT_EQ(verticalDirection(cell, true), 'W');
  cell.direction = 'T';  // the result selector or an HT colour field turns every glyph
  EXPECT_EQ(verticalDirection(cell, true), 'T');
  cell.direction = '\0';
  cell.code = 0x2123;
  EXPECT_EQ(verticalDirection(cell, true), 'T');
}

// Cells of a Q12 column from a pattern: K a full-width character, A a
// half-width one (half an em), a ｶﾞ-like half-width character a full em,
// D a class-K half-width digit, V a half-width character of style V, 0 a
// character that takes no room.
std::vector<CharCell> cellsOf(const std::string& pattern) {
  std::vector<CharCell> cells;
  for (char p : pattern) {
    CharCell c;
    c.glyphSize = sizeCodeOfQ(12);
    c.code = 0x2422;
    c.advance = 48;
    switch (p) {
      case 'A': c.cls = 'A'; c.code = 0x2336; c.advance = 24; break;
      case 'W': c.cls = 'A'; c.code = 0x252C; break;
      case 'D': c.code = 0x2936; c.advance = 24; break;
      case 'V': c.cls = 'A'; c.advance = 24; c.style = 'V'; break;
      case '0': c.advance = 0; break;
      default: break;
    }
    cells.push_back(c);
  }
  return cells;
}

// Roles and room: '-' none, '(' opens, ')' closes, 'o' alone.
std::string stepsOf(const std::string& pattern, bool secondFamily) {
  const std::vector<CharCell> cells = cellsOf(pattern);
  ColumnSteps steps(cells, secondFamily);
  std::string out;
  for (size_t i = 0; i < cells.size(); ++i) {
    const ColumnStep s = steps.step(i);
    const char role[] = {'-', '(', ')', 'o'};
    out += role[static_cast<int>(s.role)];
    out += std::to_string(s.along) + ' ';
  }
  return out.substr(0, out.size() - 1);
}

TEST(ColumnGeometry, HalfWidthPairing) {
  struct Case {
    const char* pattern;
    bool second;
    const char* steps;
  };
  const Case cases[] = {
      {"KAAK", false, "-48 (0 )48 -48"},
      {"KAK", false, "-48 o48 -48"},
      {"AAA", false, "(0 )48 o48"},
      {"AAAA", false, "(0 )48 (0 )48"},
      {"A", false, "o48"},              // the last cell of a column pairs with nothing
      {"WA", false, "-48 o48"},         // a half-width character a full em wide stands alone
      {"VA", false, "-24 o48"},         // style V takes part in no pair
      {"A0A", false, "o48 -0 o48"},     // nor does a cell that takes no room
      {"DD", false, "-24 -24"},         // class-K half-width digits pair in the second family only
      {"DD", true, "(0 )48"},
      {"DA", true, "o48 o48"},          // like pairs with like
  };
  for (const Case& c : cases) EXPECT_EQ(stepsOf(c.pattern, c.second), c.steps) << c.pattern;
}

TEST(ColumnGeometry, MeasureCountsAPairOnce) {
  const std::vector<CharCell> cells = cellsOf("KAAKA");
  const ColumnMeasure m = measureColumn(cells, false);
  EXPECT_EQ(m.length, 48 * 4);
  EXPECT_EQ(m.places, 4);
}

}  // namespace
}  // namespace kumi::engine
