#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/text/internal_text.h"

namespace kumi::engine {
namespace {

struct IntakeCase {
  const char* name;
  std::string sjis;
  bool secondFamily;
  std::vector<Unit> units;
  std::string classes;
};

class SjisIntake : public ::testing::TestWithParam<IntakeCase> {};

TEST_P(SjisIntake, GivesUnitsAndClasses) {
  const IntakeCase& c = GetParam();
  InternalText t;
  intakeSjisText(c.sjis, c.secondFamily, t);
  ASSERT_EQ(t.length(), c.units.size());
  for (size_t i = 0; i < c.units.size(); ++i) {
    EXPECT_EQ(t.units[i], c.units[i]) << "unit " << i;
    EXPECT_EQ(t.classes[i], c.classes[i]) << "class " << i;
  }
  EXPECT_EQ(t.units[c.units.size()], code::kEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SjisIntake,
    ::testing::Values(
        IntakeCase{"half_width_latin", "AB", false, {0x2341, 0x2342}, "AA"},
        IntakeCase{"second_family_classes_K", "AB", true, {0x2341, 0x2342}, "KK"},
        IntakeCase{"full_width_kana", "\x82\xa0\x82\xa2", false, {0x2422, 0x2424}, "KK"},
        IntakeCase{"voiced_ga", "\xb6\xde", false, {0x252C}, "A"},
        IntakeCase{"voiced_za", "\xbb\xde", false, {0x2536}, "A"},
        IntakeCase{"semi_voiced_pa", "\xca\xdf", false, {0x2551}, "A"},
        IntakeCase{"voicing_mark_after_unvoiceable", "\xb1\xde", false, {0x2522, 0x222E}, "AA"},
        IntakeCase{"half_long_vowel_is_bar", "\xb0", false, {0x213D}, "A"},
        IntakeCase{"two_blanks_end_text", "\x82\x51  \x82\x52", false, {0x2332}, "K"},
        IntakeCase{"blank_then_nul_ends", std::string("A \0B", 4), false, {0x2341}, "A"},
        IntakeCase{"single_blank_stays", "A B", false, {0x2341, 0x2121, 0x2342}, "AAA"},
        IntakeCase{"unknown_byte_is_geta", "^", false, {0x222E}, "A"},
        IntakeCase{"lead_byte_at_end_dropped", "A\x82", false, {0x2341}, "A"},
        IntakeCase{"backslash_is_yen", "\\", false, {0x216F}, "A"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SjisIntake, StopsAtAThousandUnits) {
  InternalText t;
  intakeSjisText(std::string(2000, 'A'), false, t);
  EXPECT_EQ(t.length(), kMaxUnits);
  EXPECT_EQ(t.units[kMaxUnits], code::kEnd);
}

TEST(JisIntake, ZClearsClassesJKeepsThem) {
  InternalText t;
  intakeSjisText("AB", false, t);
  const std::string jis("\x24\x22\x24\x24\0\0", 6);
  intakeJisText(jis, false, t);
  EXPECT_EQ(t.length(), 2u);
  EXPECT_EQ(t.units[0], 0x2422);
  EXPECT_EQ(t.classes[0], 'A');  // 'J' keeps the outer call's classes
  intakeJisText(jis, true, t);
  EXPECT_EQ(t.classes[0], 'K');
}

TEST(JisIntake, OddByteAtTheEndIsIgnored) {
  InternalText t;
  intakeJisText(std::string("\x24\x22\x24", 3), true, t);
  EXPECT_EQ(t.length(), 1u);
}

TEST(CharField, ConvertsShiftJisPairsOnly) {
  EXPECT_EQ(intakeCharField(0x81, 0x97), 0x2177);  // ＠
  EXPECT_EQ(intakeCharField('A', ' '), 0x4120);
  EXPECT_EQ(intakeCharField(0, 0), 0);
}

TEST(Codes, ShiftJisAndJisRoundTripOverTheWholeCodeSpace) {
  for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
    for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
      const Unit jis = static_cast<Unit>((j1 << 8) | j2);
      ASSERT_EQ(sjisToJis(jisToSjis(jis)), jis) << std::hex << jis;
    }
  }
  EXPECT_EQ(jisToSjis(0x2422), 0x82A0);  // あ
  EXPECT_EQ(jisToSjis(0x3021), 0x889F);  // 亜
  EXPECT_EQ(sjisToJis(0xEAA4), 0x7426);  // last JIS level-2 kanji
}

}  // namespace
}  // namespace kumi::engine
