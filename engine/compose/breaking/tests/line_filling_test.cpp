// Greedy filling with kinsoku, kept units and forced breaks, one case a line:
// text; options; the lines expected.
#include <gtest/gtest.h>

#include <sstream>

#include "cell_text.h"
#include "engine/compose/breaking/line_breaking.h"

namespace kumi::engine {
namespace {

using testing::cellsOf;
using testing::defineCharTable;
using testing::jisOf;
using testing::linesOf;

struct Case {
  const char* text;
  const char* options;  // len=N keep=C GT=.. GM=.. BR=.. RJ=.. DS=.. DE=.. TB=n,n,..
  const char* lines;
};

// Composes `c` the way breakLines does, on hand-made Q12 cells.
std::vector<CharCell> broken(const Case& c, int* lineCount = nullptr) {
  StyleTables tables;
  BreakSettings settings;
  settings.lineLength = 2000;
  settings.breakChar = jisOf("＠")[0];
  std::istringstream in(c.options);
  std::string opt;
  while (in >> opt) {
    const std::string key = opt.substr(0, opt.find('='));
    const std::string value = opt.substr(opt.find('=') + 1);
    if (key == "len") {
      settings.lineLength = std::stoi(value);
    } else if (key == "keep") {
      settings.keepTogether = value[0];
    } else if (key == "TB") {
      std::string def = "TB  ";
      std::istringstream lengths(value);
      std::string len;
      while (std::getline(lengths, len, ',')) def += "K   100 " + (len + "    ").substr(0, 4);
      tables.define(def + "FF");
    } else {
      defineCharTable(tables, key.c_str(), value);
    }
  }
  std::vector<CharCell> cells = cellsOf(c.text);
  flagCells(cells, BreakTables(tables), settings.keepTogether);
  measureGroups(cells, BreakTables(tables));
  const int lines = fillLines(cells, tables, settings);
  if (lineCount) *lineCount = lines;
  return cells;
}

TEST(LineFilling, Cases) {
  const Case cases[] = {
      // Plain filling; a line is full when the next character would pass its length.
      {"ＡＢＣＤＥ", "len=96", "ＡＢ|ＣＤ|Ｅ"},
      {"ＡＢＣＤＥ", "len=240", "ＡＢＣＤＥ"},
      {"ＡＢＣＤＥ", "len=239", "ＡＢＣＤ|Ｅ"},
      // Kinsoku: a character that may not end a line goes down with the next one.
      {"ＡＢ（Ｃ", "len=144 GM=（", "ＡＢ|（Ｃ"},
      // ... one that may not begin a line takes the character before it along.
      {"ＡＢＣ）", "len=144 GT=）", "ＡＢ|Ｃ）"},
      // ... one that may hang stays past the end, the next line starts after it.
      {"ＡＢＣ、Ｄ", "len=144 BR=、", "ＡＢＣ、|Ｄ"},
      // A cell takes one flag: GT is tested before BR.
      {"ＡＢＣ、Ｄ", "len=144 GT=、 BR=、", "ＡＢ|Ｃ、Ｄ"},
      // Moving down never empties a line.
      {"（Ａ", "len=48 GM=（", "（|Ａ"},
      {"Ａ）", "len=48 GT=）", "Ａ|）"},
      // Digit runs stay whole under keep-together 1 and 3 only.
      {"ＡＢ１２３４", "len=192 keep=1", "ＡＢ|１２３４"},
      {"ＡＢ１２３４", "len=192 keep=3", "ＡＢ|１２３４"},
      {"ＡＢ１２３４", "len=192 keep=0", "ＡＢ１２|３４"},
      {"ＡＢ１２３４", "len=192 keep=2", "ＡＢ１２|３４"},
      // A run longer than a line starts a line and overflows there.
      {"Ａ１２３４５", "len=144 keep=1", "Ａ|１２３|４５"},
      // RJ runs under 4 and 5.
      {"ＡＢ１，０００", "len=288 keep=4 RJ=１，０", "ＡＢ|１，０００"},
      {"ＡＢ１，０００", "len=288 keep=1 RJ=１，０", "ＡＢ１，|０００"},
      // DS...DE groups under 2, 3 and 5; without its end a group runs to the end.
      {"ＡＢ「ＣＤ」Ｅ", "len=192 keep=2 DS=「 DE=」", "ＡＢ|「ＣＤ」|Ｅ"},
      {"ＡＢ「ＣＤ」Ｅ", "len=192 keep=1 DS=「 DE=」", "ＡＢ「Ｃ|Ｄ」Ｅ"},
      {"ＡＢ「ＣＤＥ", "len=192 keep=5 DS=「", "ＡＢ|「ＣＤＥ"},
      // Forced breaks.
      {"ＡＢ＠ＣＤ", "", "ＡＢ|＠ＣＤ"},
      {"ＡＢ＠＠ＣＤ", "", "ＡＢ|＠|＠ＣＤ"},
      {"＠ＡＢ", "", "＠ＡＢ"},
      {"ＡＢ＠ＣＤ", "len=96", "ＡＢ|＠ＣＤ"},
      {"ＡＢＣ＠Ｄ", "len=96", "ＡＢ|Ｃ|＠Ｄ"},
      {"ＡＢ、＠ＣＤ", "len=96 BR=、", "ＡＢ、|＠ＣＤ"},
      // A break after a no-end character, or before a no-start one, moves
      // before the character in front of it and becomes a space.
      {"ＡＢ（＠ＣＤ", "GM=（", "ＡＢ|（　ＣＤ"},
      {"ＡＢ＠）ＣＤ", "GT=）", "Ａ|Ｂ　）ＣＤ"},
      {"（＠ＣＤ", "GM=（", "（|＠ＣＤ"},
      // Line length 0: a character a line, whatever its flags.
      {"ＡＢＣ", "len=0", "Ａ|Ｂ|Ｃ"},
      {"（Ａ）", "len=0 GM=（ GT=）", "（|Ａ|）"},
      // TB lengths by line; past the table the call's length.
      {"ＡＢＣＤＥＦ", "len=144 TB=48,96", "Ａ|ＢＣ|ＤＥＦ"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(linesOf(broken(c)), c.lines) << c.text << "; " << c.options;
  }
}

TEST(LineFilling, LineNumbersRunWithoutGapsAndCountTheLines) {
  int lines = 0;
  const std::vector<CharCell> cells = broken({"ＡＢ＠＠ＣＤＥ", "len=96", ""}, &lines);
  EXPECT_EQ(lines, 4);
  int previous = 1;
  for (const CharCell& c : cells) {
    EXPECT_TRUE(c.line == previous || c.line == previous + 1);
    previous = c.line;
  }
  EXPECT_EQ(cells.back().line, 4);
}

TEST(LineFilling, MovedBreakTakesNoRoom) {
  const std::vector<CharCell> cells = broken({"ＡＢ（＠ＣＤ", "GM=（", ""});
  EXPECT_EQ(cells[3].code, code::kIdeographicSpace);
  EXPECT_EQ(cells[3].advance, 0);
}

TEST(LineFilling, EmptyTextHasNoLines) {
  std::vector<CharCell> none;
  EXPECT_EQ(fillLines(none, StyleTables{}, BreakSettings{}), 0);
}

TEST(LineFilling, LongTextOfNarrowLinesEnds) {
  // Every cell is wider than the line and may neither begin nor end one.
  StyleTables tables;
  defineCharTable(tables, "GM", "（");
  defineCharTable(tables, "GT", "）");
  std::vector<CharCell> cells;
  for (int i = 0; i < 1000; ++i) cells.push_back(cellsOf(i % 2 ? "）" : "（")[0]);
  flagCells(cells, BreakTables(tables), '0');
  BreakSettings s;
  s.lineLength = 10;
  EXPECT_EQ(fillLines(cells, tables, s), 1000);
}

}  // namespace
}  // namespace kumi::engine
