#include "engine/compose/cells/cells.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/engine.h"
#include "engine/core/size_code.h"
#include "engine/tests/call_builder.h"
#include "engine/text/digits.h"
#include "platform/base/cp932.h"

namespace kumi::engine {
namespace {

using testing::CallBuilder;

std::string sjis(const std::string& utf8) { return platform::utf8ToCp932(utf8).value(); }

// A table definition: the name, then four-byte fields given in UTF-8 (a
// full-width character plus two blanks fills one field).
std::string table(const std::string& name, const std::vector<std::string>& fields) {
  std::string t = name + "  ";
  for (const std::string& f : fields) {
    std::string s = sjis(f);
    s.resize(4, ' ');
    t += s;
  }
  return t + "FF";
}

Unit jis(const std::string& utf8) {
  const std::string s = sjis(utf8);
  return sjisToJis(static_cast<uint16_t>(static_cast<uint8_t>(s[0]) << 8 | static_cast<uint8_t>(s[1])));
}

class CellsTest : public ::testing::Test {
 protected:
  // Takes the call in as the engine does, then builds the cells.
  CellBuildResult build(const std::string& utf8Text) {
    call.withText(sjis(utf8Text));
    const CallArgs args = call.args();
    intakeFlags(args, engine.record());
    intakeArguments(args, engine.record());
    intakeSjisText(engine.record().textView(), engine.record().secondFamily(), engine.text());
    applyDigitMode(engine.record().digitMode, engine.text());
    return buildCells(engine);
  }
  void define(const std::string& definition) { engine.tables().define(definition); }
  const CharCell& cell(size_t i) { return engine.cells()[i]; }
  std::vector<int32_t> advances(size_t count) {
    std::vector<int32_t> out;
    for (size_t i = 0; i < count; ++i) out.push_back(cell(i).advance);
    return out;
  }

  Engine engine;
  CallBuilder call;
};

TEST_F(CellsTest, OneCellPerCharacterAndTheEndMark) {
  call.digitMode = "1";
  const CellBuildResult r = build("漢Ａｉ");
  ASSERT_EQ(r.count, 3u);
  EXPECT_EQ(advances(3), (std::vector<int32_t>{48, 36, 12}));
  EXPECT_EQ(r.naturalLength, 96);
  EXPECT_EQ(cell(3).line, -1);
  EXPECT_EQ(cell(0).metricFlag, '0');
  EXPECT_EQ(cell(1).metricFlag, '1');
  EXPECT_EQ(cell(1).code, jis("Ａ"));
  EXPECT_EQ(cell(1).cls, 'K');
  EXPECT_EQ(cell(1).glyphSize, sizeCodeOfQ(12));
  EXPECT_EQ(cell(1).colour, (std::array<char, 2>{'1', '\0'}));
  EXPECT_EQ(cell(1).direction, 'P');
  EXPECT_EQ(cell(1).fontLetter, 'A');  // command L
  EXPECT_EQ(cell(1).caType, '0');
  EXPECT_EQ(cell(1).baseline, 0);
}

TEST_F(CellsTest, DigitModeZeroFullAndHalfWidth) {
  call.digitMode = "0";
  const CellBuildResult r = build("漢ＡA1");
  EXPECT_EQ(advances(4), (std::vector<int32_t>{48, 48, 24, 24}));
  EXPECT_EQ(cell(2).cls, 'A');
  EXPECT_EQ(r.naturalLength, 144);
}

TEST_F(CellsTest, WithoutCommandLTheFontLetterIsZero) {
  call.command = "B ";
  build("漢");
  EXPECT_EQ(cell(0).fontLetter, '0');
}

TEST_F(CellsTest, BreakCharacterTakesNoRoom) {
  const CellBuildResult r = build("ＡＢ＠ＣＤ");
  ASSERT_EQ(r.count, 5u);
  EXPECT_EQ(cell(2).code, code::kAtMark);
  EXPECT_EQ(cell(2).advance, 0);
  EXPECT_EQ(r.naturalLength, 4 * 48);
}

TEST_F(CellsTest, DeletedUnitsAreSkippedAndSpacingCodesBecomeIdeographicSpaces) {
  call.digitMode = "1";
  call.withText("");
  const CallArgs args = call.args();
  intakeFlags(args, engine.record());
  intakeArguments(args, engine.record());
  const Unit units[] = {0x237E, code::kDeleted, 0x2C6A, jis("漢"), code::kEnd};
  for (size_t i = 0; i < std::size(units); ++i) {
    engine.text().units[i] = units[i];
    engine.text().classes[i] = 'K';
  }
  const CellBuildResult r = buildCells(engine);
  ASSERT_EQ(r.count, 3u);
  EXPECT_EQ(cell(0).code, code::kIdeographicSpace);
  EXPECT_EQ(cell(0).advance, 36);  // three quarters of Q12
  EXPECT_EQ(cell(1).code, code::kIdeographicSpace);
  EXPECT_EQ(cell(1).advance, 0);
  EXPECT_EQ(cell(2).advance, 48);
  EXPECT_EQ(cell(3).line, -1);
  EXPECT_EQ(r.naturalLength, 84);
}

TEST_F(CellsTest, PercentagesAndTheOpeningBracketFlag) {
  define(table("PD", {"～", "300", "（", "0", "「", "50"}));
  const CellBuildResult r = build("～（「Ａ");
  EXPECT_EQ(advances(4), (std::vector<int32_t>{144, 0, 24, 48}));
  EXPECT_EQ(cell(0).metricFlag, '0');  // not a bracket
  EXPECT_EQ(cell(1).metricFlag, '1');
  EXPECT_EQ(cell(2).metricFlag, '1');
  EXPECT_EQ(r.naturalLength, 216);
}

TEST_F(CellsTest, MetricOverrideReplacesTheAdvanceWithinBounds) {
  auto pcEntry = [](const std::string& ch, uint32_t value) {
    std::string e = sjis(ch) + "  ";
    for (int i = 0; i < 4; ++i) e += static_cast<char>((value >> (8 * i)) & 0xFF);
    return e + std::string(28, '\x01');  // the seven reference widths
  };
  // Raw values travel in the definition text: no byte may be 0xFF (the end mark).
  define("PC  " + pcEntry("Ａ", 100) + pcEntry("Ｂ", 0x80000001u) + pcEntry("Ｃ", 0x7F7F7F7F) + "FF");
  define(table("PD", {"Ａ", "50"}));
  build("ＡＢＣ");
  EXPECT_EQ(cell(0).advance, 100);  // PC after PD
  EXPECT_EQ(cell(1).advance, 0);
  EXPECT_EQ(cell(2).advance, 1 << 20);
}

TEST_F(CellsTest, SubstitutionKeepsTheAdvanceOfTheWrittenCharacter) {
  call.digitMode = "1";
  // ▼ drawn as ▽; Ａ drawn as ｉ (so the advances differ); 〒 as an image.
  define("CA  " + sjis("▼") + "  1   " + sjis("▽") + std::string(10, '\0') + sjis("Ａ") + "  2   " +
         sjis("ｉ") + std::string(10, '\0') + sjis("〒") + "  3   " + "logo.bmp" + std::string(4, '\0') + "FF");
  define(table("GA", {"▽", "G", "20", "1", "2"}));
  const CellBuildResult r = build("▼Ａ〒▼");
  ASSERT_EQ(r.count, 4u);
  EXPECT_EQ(cell(0).code, jis("▽"));
  EXPECT_EQ(cell(0).caType, '1');
  EXPECT_EQ(cell(0).advance, 48);
  EXPECT_EQ(cell(0).glyphSize, sizeCodeOfQ(20));  // GA follows the substitute
  EXPECT_EQ(cell(0).widthScale, '1');
  EXPECT_EQ(cell(0).heightScale, '2');
  EXPECT_EQ(cell(0).fontLetter, 'B');
  EXPECT_EQ(cell(1).code, jis("ｉ"));
  EXPECT_EQ(cell(1).advance, 36);  // Ａ's, not ｉ's
  EXPECT_EQ(cell(1).caType, '2');
  EXPECT_EQ(cell(2).code, jis("〒"));  // type 3 keeps the code
  EXPECT_EQ(cell(2).caType, '3');
  EXPECT_EQ(cell(1).glyphSize, sizeCodeOfQ(12));  // the override held for one cell
  EXPECT_EQ(cell(1).fontLetter, 'A');
  EXPECT_EQ(cell(3).code, jis("▽"));
}

TEST_F(CellsTest, GlyphOverrideChangesTheMetricsOfItsCharacterOnly) {
  call.digitMode = "1";
  define(table("GA", {"Ｍ", "G", "18", "3", "0"}));
  build("ＭＭ");
  define(table("GA", {"Ｘ", "G", "18", "3", "0"}));  // a character the text lacks
  std::vector<int32_t> withOverride = advances(2);
  build("ＭＭ");
  EXPECT_EQ(withOverride, (std::vector<int32_t>{40, 40}));  // Ｍ in G0
  EXPECT_EQ(advances(2), (std::vector<int32_t>{44, 44}));   // Ｍ in M0
}

class AttributeRunTest : public CellsTest {
 protected:
  void SetUp() override {
    call.digitMode = "0";
    // open ＜, close ＞, colour 5, advance Q20, font G, digit mode 1,
    // glyph Q20, width scale 1, height scale 2, keeps its baseline.
    define(table("HT", {"＜", "＞", "5", "20", "G", "1", "20", "1", "2", "1"}));
  }
};

TEST_F(AttributeRunTest, OpeningAndClosingCharacters) {
  const CellBuildResult r = build("Ａ＜Ａ＞Ａ");
  ASSERT_EQ(r.count, 5u);
  // Inside: Q20 at 90 %, G0 metrics for Ａ (class 12), ＜ unlisted (an em).
  EXPECT_EQ(advances(5), (std::vector<int32_t>{48, 72, 54, 48, 48}));
  for (size_t i : {1u, 2u}) {
    EXPECT_EQ(cell(i).colour, (std::array<char, 2>{'5', ' '})) << i;  // the field as written
    EXPECT_EQ(cell(i).direction, '5') << i;
    EXPECT_EQ(cell(i).glyphSize, sizeCodeOfQ(20)) << i;
    EXPECT_EQ(cell(i).widthScale, '1') << i;
    EXPECT_EQ(cell(i).heightScale, '2') << i;
    EXPECT_EQ(cell(i).baseline, 1) << i;
    EXPECT_EQ(cell(i).fontLetter, 'B') << i;
  }
  for (size_t i : {0u, 3u, 4u}) {
    EXPECT_EQ(cell(i).colour, (std::array<char, 2>{'1', '\0'})) << i;
    EXPECT_EQ(cell(i).glyphSize, sizeCodeOfQ(12)) << i;
    EXPECT_EQ(cell(i).baseline, 0) << i;
    EXPECT_EQ(cell(i).fontLetter, 'A') << i;
  }
}

TEST_F(AttributeRunTest, RunsDoNotNestAndStrayClosersDoNothing) {
  build("＞Ａ＜＜Ａ＞Ａ");
  // The stray ＞ is ordinary; the second ＜ is set inside the run; one ＞ ends it.
  EXPECT_EQ(advances(7), (std::vector<int32_t>{48, 48, 72, 72, 54, 48, 48}));
}

TEST_F(AttributeRunTest, ACharacterThatOpensAndClosesToggles) {
  define(table("HT", {"＊", "＊", "3", "20", "G", "1", "20", "0", "0", "0"}));
  build("Ａ＊Ａ＊Ａ");
  EXPECT_EQ(advances(5), (std::vector<int32_t>{48, 80, 60, 48, 48}));
}

TEST_F(AttributeRunTest, AnyEntrysClosingCharacterEndsTheRun) {
  define(table("HT", {"＜", "＞", "5", "20", "G", "1", "20", "1", "2", "1",  //
                      "《", "》", "3", "20", "G", "1", "20", "0", "0", "0"}));
  build("Ａ＜Ａ》Ａ");
  EXPECT_EQ(advances(5), (std::vector<int32_t>{48, 72, 54, 48, 48}));
}

TEST_F(AttributeRunTest, VerticalRunsScaleByTheHeightScale) {
  call.recordKind = "J0";
  call.digitMode = "3";
  build("漢＜漢＞");
  EXPECT_EQ(advances(4), (std::vector<int32_t>{48, 64, 64, 48}));  // Q20 at 80 %
}

}  // namespace
}  // namespace kumi::engine
