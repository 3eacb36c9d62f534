#include "renderer/drawing/character_tables.h"

#include <gtest/gtest.h>

#include "platform/base/cp932.h"

namespace kumi::renderer::drawing {
namespace {

using platform::rgb;

std::string sjis(const char* utf8) { return platform::utf8ToCp932Lossy(utf8); }

TEST(CharacterTables, SizeCodes) {
  struct Case {
    uint8_t code;
    int q;
    double h;
    int32_t em;
  };
  for (const Case& c : {Case{0xB3, 5, 125.0, 20}, Case{0xC1, 12, 300.0, 48},
                        Case{0xC9, 16, 400.0, 64}, Case{0xCD, 18, 450.0, 72},
                        Case{0xD9, 24, 600.0, 96}, Case{'A', 28, 700.0, 112},
                        Case{'C', 38, 950.0, 152}, Case{'K', 100, 2500.0, 400},
                        // Not in the table: 17 Q, 19 Q, an even byte, a letter past K.
                        Case{0xCB, 5, 125.0, 20}, Case{0xCF, 5, 125.0, 20},
                        Case{0xC2, 5, 125.0, 20}, Case{'L', 5, 125.0, 20},
                        Case{0, 5, 125.0, 20}}) {
    const CharacterSize s = sizeOfCode(c.code);
    EXPECT_EQ(s.q, c.q) << int{c.code};
    EXPECT_EQ(s.height, c.h) << int{c.code};
    EXPECT_EQ(s.em, c.em) << int{c.code};
  }
}

TEST(CharacterTables, ScaleCodes) {
  EXPECT_EQ(scaleOfCode('1'), 0.95);
  EXPECT_EQ(scaleOfCode('5'), 0.55);
  EXPECT_EQ(scaleOfCode('0'), 1.0);
  EXPECT_EQ(scaleOfCode('6'), 1.0);
}

TEST(CharacterTables, ColourNumbers) {
  CharacterSettings s;
  s.userColors[0] = rgb(1, 2, 3);
  s.userColors[6] = rgb(7, 8, 9);
  struct Case {
    char digits[2];
    platform::ColorRef colour;
  };
  for (const Case& c : {Case{{'1', ' '}, rgb(0, 0, 0)}, Case{{'2', '\0'}, rgb(0, 0, 255)},
                        Case{{'9', 'x'}, rgb(128, 128, 128)}, Case{{'1', '0'}, rgb(1, 2, 3)},
                        Case{{'1', '6'}, rgb(7, 8, 9)}, Case{{'1', '7'}, rgb(0, 0, 0)},
                        Case{{'0', '5'}, rgb(255, 0, 0)}, Case{{' ', '5'}, rgb(0, 0, 0)},
                        Case{{'\0', '\0'}, rgb(0, 0, 0)}}) {
    EXPECT_EQ(colourOfNumber(c.digits, s), c.colour) << c.digits[0] << c.digits[1];
  }
}

TEST(CharacterTables, StyleCodes) {
  struct Case {
    char code;
    bool italic;
    int32_t weight;
    TextEffect effect;
    bool doubleByte;
  };
  for (const Case& c : {Case{'0', true, 0, TextEffect::None, false},
                        Case{'I', true, 0, TextEffect::None, false},
                        Case{'5', true, 0, TextEffect::Hollow, false},
                        Case{'6', true, 0, TextEffect::Shadow, false},
                        Case{'U', true, 800, TextEffect::None, false},
                        Case{'W', true, 800, TextEffect::Shadow, false},
                        Case{'K', false, 800, TextEffect::None, false},
                        Case{'J', false, 800, TextEffect::Shadow, false},
                        Case{'O', false, 0, TextEffect::Hollow, false},
                        Case{'N', false, 0, TextEffect::Filled, true},
                        Case{'S', false, 0, TextEffect::Shadow, false},
                        Case{'Y', false, 0, TextEffect::Bordered, false},
                        Case{'Z', false, 0, TextEffect::ImageFilled, false},
                        Case{'X', false, 0, TextEffect::None, true},
                        Case{'V', false, 0, TextEffect::None, false},
                        Case{'\0', false, 0, TextEffect::None, false}}) {
    const CharacterStyle s = styleOfCode(c.code);
    EXPECT_EQ(s.italic, c.italic) << c.code;
    EXPECT_EQ(s.weight, c.weight) << c.code;
    EXPECT_EQ(s.effect, c.effect) << c.code;
    EXPECT_EQ(s.doubleByteForm, c.doubleByte) << c.code;
  }
}

TEST(CharacterTables, Faces) {
  CharacterSettings s;
  s.fontFaces[0] = sjis("ＭＳ ゴシック");
  s.fontFaces[1] = " blank first";
  s.fontFaces[2] = "@Vertical";
  EXPECT_EQ(faceOfCode('1', 'Y', s), sjis("ＭＳ ゴシック"));
  EXPECT_EQ(faceOfCode('2', 'Y', s), sjis("ＭＳ 明朝"));
  EXPECT_EQ(faceOfCode('3', 'V', s), "@Vertical");
  EXPECT_EQ(faceOfCode('4', 'Y', s), sjis("ＭＳ 明朝")) << "empty entry";
  EXPECT_EQ(faceOfCode('B', 'Y', s), sjis("ＭＳ ゴシック"));
  EXPECT_EQ(faceOfCode('B', 'T', s), sjis("@ＭＳ ゴシック"));
  EXPECT_EQ(faceOfCode('J', 'V', s), sjis("@ＦＡ クリアレター"));
  EXPECT_EQ(faceOfCode('K', 'V', s), sjis("ＭＳ 明朝"));
  EXPECT_EQ(faceOfCode('0', 'Y', s), sjis("ＭＳ 明朝"));
}

}  // namespace
}  // namespace kumi::renderer::drawing
