// Line width and spacing count on the first cell of each line.
#include <gtest/gtest.h>

#include "cell_text.h"
#include "engine/compose/breaking/line_breaking.h"

namespace kumi::engine {
namespace {

using testing::cellsOf;
using testing::defineCharTable;

struct Stats {
  int32_t width;
  int32_t chars;
  bool operator==(const Stats&) const = default;
};

std::vector<Stats> statsOf(const char* text, int32_t length, char align, char keep = '0') {
  StyleTables tables;
  defineCharTable(tables, "BR", "、");
  defineCharTable(tables, "RJ", "１２３");
  BreakSettings s;
  s.lineLength = length;
  s.lineAlign = align;
  s.keepTogether = keep;
  s.breakChar = testing::jisOf("＠")[0];
  std::vector<CharCell> cells = cellsOf(text);
  flagCells(cells, BreakTables(tables), keep);
  const int lines = fillLines(cells, tables, s);
  countLines(cells, lines, tables, s);
  std::vector<Stats> out;
  int line = 0;
  for (const CharCell& c : cells) {
    if (c.line != line) out.push_back({c.lineWidth / 48, c.lineChars});
    line = c.line;
  }
  return out;
}

TEST(LineStatistics, WidthAndCharactersThatTakeRoom) {
  EXPECT_EQ(statsOf("ＡＢＣ＠ＤＥ", 2000, 'S'), (std::vector<Stats>{{3, 3}, {2, 2}}));
}

TEST(LineStatistics, UnderBAHangingLineEndStandsOutsideTheWidth) {
  // Line 1 ends on a hanging 、; the last line ends on one too but counts
  // only because the text has more lines.
  EXPECT_EQ(statsOf("ＡＢ、ＣＤ、", 96, 'B'), (std::vector<Stats>{{2, 3}, {2, 3}}));
  EXPECT_EQ(statsOf("ＡＢ、ＣＤ、", 96, 'S'), (std::vector<Stats>{{3, 3}, {3, 3}}));
  // A one-line text keeps its hanging end in the width.
  EXPECT_EQ(statsOf("ＡＢ、", 96, 'B'), (std::vector<Stats>{{3, 3}}));
}

TEST(LineStatistics, NAndOLinesDoNotCountInsideRjRuns) {
  EXPECT_EQ(statsOf("Ａ１２３Ｂ", 2000, 'N', '4'), (std::vector<Stats>{{5, 3}}));
  EXPECT_EQ(statsOf("Ａ１２３Ｂ", 2000, 'O', '4'), (std::vector<Stats>{{5, 3}}));
  EXPECT_EQ(statsOf("Ａ１２３Ｂ", 2000, 'K', '4'), (std::vector<Stats>{{5, 5}}));
}

TEST(LineStatistics, TbAlignmentDecidesPerLine) {
  StyleTables tables;
  defineCharTable(tables, "BR", "、");
  tables.define("TB  B   100 96  S   100 96  FF");
  BreakSettings s;
  s.lineLength = 96;
  s.lineAlign = 'S';
  std::vector<CharCell> cells = cellsOf("ＡＢ、ＣＤ、Ｅ");
  flagCells(cells, BreakTables(tables), '0');
  const int lines = fillLines(cells, tables, s);
  countLines(cells, lines, tables, s);
  EXPECT_EQ(cells[0].lineWidth, 96);   // B from TB: the hanging 、 is out
  EXPECT_EQ(cells[3].lineWidth, 144);  // S from TB
}

}  // namespace
}  // namespace kumi::engine
