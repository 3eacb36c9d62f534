#include <gtest/gtest.h>

#include "engine/core/size_code.h"

namespace kumi::engine {
namespace {

TEST(SizeCode, TableRowsFallbacksAndUnits) {
  struct Case { const char* text; uint8_t code; int32_t units; };
  const Case cases[] = {
      {"100", 'K', 400}, {"90 ", 'J', 360}, {"28 ", 'A', 112}, {"24 ", 0xD9, 96},
      {"12 ", 0xC1, 48}, {"5  ", 0xB3, 20}, {"99 ", 0xBB, 36},  // first digit: Q9
      {"55 ", 0xB3, 20}, {"4  ", '4', 32},  // no row: the byte itself, sized 32
      {"X  ", 'X', 32},  {"   ", ' ', 32},
  };
  for (const Case& c : cases) {
    const uint8_t code = sizeCodeFromText(c.text);
    EXPECT_EQ(code, c.code) << c.text;
    EXPECT_EQ(unitsOfSizeCode(code), c.units) << c.text;
  }
}

TEST(SizeCode, SmallSizesFollowTheFormula) {
  for (int q = 5; q <= 24; ++q) {
    if (q == 17 || q == 19 || q == 21 || q == 23) continue;  // not in the table
    EXPECT_EQ(sizeCodeOfQ(q), 179 + 2 * (q - 5)) << q;
  }
}

}  // namespace
}  // namespace kumi::engine
