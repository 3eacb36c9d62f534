#include <gtest/gtest.h>

#include <vector>

#include "cell_text.h"
#include "engine/compose/breaking/line_breaking.h"

namespace kumi::engine {
namespace {

using testing::cellsOf;
using testing::defineCharTable;

std::string flagsOf(const std::vector<CharCell>& cells) {
  std::string out;
  for (const CharCell& c : cells) {
    out += c.noLineEnd == '1' ? 'E' : c.noLineStart == '1' ? 'S' : c.mayHang == '1' ? 'H' : '.';
  }
  return out;
}

TEST(TableFlags, OneFlagACellInTheOrderGmGtBr) {
  StyleTables tables;
  defineCharTable(tables, "GM", "（");
  defineCharTable(tables, "GT", "）、");
  defineCharTable(tables, "BR", "、。（");
  std::vector<CharCell> cells = cellsOf("（Ａ）、。");
  flagCells(cells, BreakTables(tables), '0');
  EXPECT_EQ(flagsOf(cells), "E.SSH");
}

TEST(TableFlags, DigitRunsCarryTheirWidthOnTheirFirstCell) {
  std::vector<CharCell> cells = cellsOf("Ａ１２３Ｂ４");
  cells[2].code = 0x2932;  // a half-width ２ in the same run
  cells[2].advance = 24;
  flagCells(cells, BreakTables(StyleTables{}), '1');
  EXPECT_EQ(cells[1].runWidth, 48 + 24 + 48);
  EXPECT_EQ(cells[2].runWidth, 0);
  EXPECT_EQ(cells[5].runWidth, 48);
  EXPECT_EQ(cells[0].runWidth, 0);
  for (const CharCell& c : cells) EXPECT_EQ(c.runMark, 0);
}

TEST(TableFlags, RjRunsMarkEveryCellButTheLastWhichGetsNine) {
  StyleTables tables;
  defineCharTable(tables, "RJ", "１２３，");
  std::vector<CharCell> cells = cellsOf("Ａ１，２３Ｂ３");
  flagCells(cells, BreakTables(tables), '4');
  std::vector<int32_t> marks;
  for (const CharCell& c : cells) marks.push_back(c.runMark);
  EXPECT_EQ(marks, (std::vector<int32_t>{0, 2, 2, 2, 9, 0, 9}));
  EXPECT_EQ(cells[1].runWidth, 4 * 48);
  EXPECT_EQ(cells[6].runWidth, 48);
}

TEST(TableFlags, HalfWidthDigitsMatchFullWidthRjEntriesWithoutChangingTheTable) {
  StyleTables tables;
  defineCharTable(tables, "RJ", "１２");
  const std::vector<uint8_t> before(tables.storage(TableId::RJ).begin(), tables.storage(TableId::RJ).end());
  std::vector<CharCell> cells = cellsOf("１２");
  cells[0].code = 0x2931;
  cells[1].code = 0x2932;
  flagCells(cells, BreakTables(tables), '5');
  EXPECT_EQ(cells[0].runMark, 2);
  EXPECT_EQ(cells[1].runMark, 9);
  // A later call with full-width digits still matches the same entries.
  std::vector<CharCell> full = cellsOf("１２");
  flagCells(full, BreakTables(tables), '5');
  EXPECT_EQ(full[0].runMark, 2);
  const std::vector<uint8_t> after(tables.storage(TableId::RJ).begin(), tables.storage(TableId::RJ).end());
  EXPECT_EQ(before, after);
}

TEST(TableFlags, GroupsRunFromDsThroughTheNextDeOrToTheEnd) {
  StyleTables tables;
  defineCharTable(tables, "DS", "「");
  defineCharTable(tables, "DE", "」");
  std::vector<CharCell> cells = cellsOf("「ＡＢ」Ｃ「Ｄ」「ＥＦ");
  measureGroups(cells, BreakTables(tables));
  std::vector<int32_t> widths;
  for (const CharCell& c : cells) widths.push_back(c.groupWidth / 48);
  EXPECT_EQ(widths, (std::vector<int32_t>{4, 0, 0, 0, 0, 3, 0, 0, 3, 0, 0}));
}

TEST(TableFlags, GroupEndsAtTheNextDeEvenWhenDsAndDeAreTheSameCharacter) {
  StyleTables tables;
  defineCharTable(tables, "DS", "＊");
  defineCharTable(tables, "DE", "＊");
  std::vector<CharCell> cells = cellsOf("＊ＡＢ＊Ｃ");
  measureGroups(cells, BreakTables(tables));
  EXPECT_EQ(cells[0].groupWidth, 4 * 48);
  EXPECT_EQ(cells[3].groupWidth, 0);
}

TEST(TableFlags, KeptUnitWidthByKeepTogetherMode) {
  CharCell both;
  both.runWidth = 100;
  both.groupWidth = 200;
  CharCell groupOnly;
  groupOnly.groupWidth = 200;
  struct Case { char mode; int32_t both; int32_t groupOnly; };
  const Case cases[] = {{'0', 0, 0},     {'1', 100, 0},   {'2', 200, 200}, {'3', 100, 200},
                        {'4', 100, 0},   {'5', 100, 200}, {'9', 0, 0},     {' ', 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(keptUnitWidth(both, c.mode), c.both) << c.mode;
    EXPECT_EQ(keptUnitWidth(groupOnly, c.mode), c.groupOnly) << c.mode;
  }
}

}  // namespace
}  // namespace kumi::engine
