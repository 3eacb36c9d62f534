#include <gtest/gtest.h>

#include "cell_text.h"
#include "engine/compose/breaking/line_breaking.h"

namespace kumi::engine {
namespace {

using testing::cellsOf;

// Cells already broken: '|' separates the lines.
std::vector<CharCell> linedCells(const std::string& lines) {
  std::vector<CharCell> cells;
  int line = 1;
  size_t start = 0;
  for (;;) {
    const size_t bar = lines.find('|', start);
    for (CharCell c : cellsOf(lines.substr(start, bar - start))) {
      c.line = static_cast<int16_t>(line);
      cells.push_back(c);
    }
    if (bar == std::string::npos) break;
    start = bar + 1;
    ++line;
  }
  return cells;
}

TEST(SpaceRemoval, FirstSpaceAtALineEdgeInLineOrder) {
  struct Case { const char* lines; int expected; };  // -1: none
  const Case cases[] = {
      {"ＡＢ|ＣＤ", -1},
      {"ＡＢ|　ＣＤ", 2},           // a line's first cell
      {"ＡＢ　|ＣＤ", 2},           // a line's last cell
      {"ＡＢ|ＣＤ　", 4},           // the text's last cell
      {"Ａ　Ｂ|ＣＤ", -1},          // inside a line: kept
      {"ＡＢ|＠　ＣＤ", 3},         // after a line-opening break
      {"ＡＢ＠　|ＣＤ", 3},         // at the end of the line before
      {"ＡＢ|Ｃ　|　Ｄ", 3},        // the earlier line first
      {"　ＡＢ　", 0},              // the start before the end
  };
  for (const Case& c : cases) {
    const std::vector<CharCell> cells = linedCells(c.lines);
    const auto at = spaceToRemove(cells, testing::jisOf("＠")[0]);
    EXPECT_EQ(at ? static_cast<int>(*at) : -1, c.expected) << c.lines;
  }
}

TEST(SpaceRemoval, TheBreakCharacterOfTheCallOpensTheLine) {
  const std::vector<CharCell> cells = linedCells("ＡＢ|＃　ＣＤ");
  EXPECT_EQ(spaceToRemove(cells, testing::jisOf("＃")[0]), 3u);
}

TEST(SpaceRemoval, SwitchedOnByAnythingButNAndBlank) {
  EXPECT_FALSE(trimsSpaces('N'));
  EXPECT_FALSE(trimsSpaces(' '));
  EXPECT_TRUE(trimsSpaces('Y'));
  EXPECT_TRUE(trimsSpaces('\0'));
}

TEST(SpaceRemoval, DeletesTheUnitOfTheCellCountingOnlyLiveUnits) {
  InternalText text;
  const Unit units[] = {0x2341, code::kDeleted, 0x2342, 0x2121, 0x2343};
  for (size_t i = 0; i < 5; ++i) text.units[i] = units[i];
  text.units[5] = code::kEnd;
  // Cells: Ａ Ｂ 　 Ｃ; cell 2 is the space, unit 3.
  ASSERT_TRUE(deleteUnitOfCell(text, 2));
  EXPECT_EQ(text.units[3], code::kDeleted);
  EXPECT_EQ(text.units[4], 0x2343);
  EXPECT_FALSE(deleteUnitOfCell(text, 3));  // only three live units remain
}

}  // namespace
}  // namespace kumi::engine
