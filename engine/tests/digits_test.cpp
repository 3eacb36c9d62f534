#include <gtest/gtest.h>

#include "engine/text/digits.h"

namespace kumi::engine {
namespace {

// Full-width digits in, units and classes after the digit handling out.
struct DigitCase {
  char mode;
  const char* sjis;
  std::vector<Unit> units;
  std::string classes;
};

TEST(DigitMode, EachModeAsDocumented) {
  const DigitCase cases[] = {
      {'0', "\x82\x50\x82\x51", {0x2331, 0x2332}, "KK"},
      {'1', "\x82\x50\x82\x60\x82\x51", {0x2931, 0x2341, 0x2932}, "AKA"},
      {'2', "\x82\x50\x82\x51\x82\x52", {0x2931, 0x2932, 0x2933}, "AAA"},
      {'2', "\x82\x50", {0xA331}, "K"},
      {'3', "\x82\x50\x82\x60\x82\x51\x82\x52", {0xA331, 0x2341, 0x2932, 0x2933}, "KKAA"},
      {'2', "\x82\x50\x82\x51\x82\x60\x82\x52", {0x2931, 0x2932, 0x2341, 0xA333}, "AAKK"},
  };
  for (const DigitCase& c : cases) {
    InternalText t;
    intakeSjisText(c.sjis, false, t);
    applyDigitMode(c.mode, t);
    ASSERT_EQ(t.length(), c.units.size()) << c.mode << " " << c.sjis;
    for (size_t i = 0; i < c.units.size(); ++i) {
      EXPECT_EQ(t.units[i], c.units[i]) << "mode " << c.mode << " unit " << i;
      EXPECT_EQ(t.classes[i], c.classes[i]) << "mode " << c.mode << " class " << i;
    }
  }
}

TEST(DigitMode, HalfWidthInputDigitsAreFullWidthUnitsOfClassA) {
  InternalText t;
  intakeSjisText("12", false, t);
  applyDigitMode('0', t);
  EXPECT_EQ(t.units[0], 0x2331);
  EXPECT_EQ(t.classes[0], 'A');
}

}  // namespace
}  // namespace kumi::engine
