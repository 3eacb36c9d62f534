#include <gtest/gtest.h>

#include "engine/pagefile/character_fill.h"

namespace kumi::engine {
namespace {

CharCell cellOf(Unit code, char cls) {
  CharCell c;
  c.code = code;
  c.cls = cls;
  c.glyphSize = 0xC1;
  c.colour = {'3', '\0'};
  return c;
}

CharacterPlacement at(int32_t x, bool kindA = false) {
  CharacterPlacement p;
  p.page = {'0', '0', '0', '1'};
  p.y = 100;
  p.x = x;
  p.singleByteKind = kindA;
  p.sizeUnits = 48;
  return p;
}

TEST(CharacterFill, TwoByteCharacter) {
  const auto recs = fillCharacterRecords(cellOf(0x2422, 'K'), at(10));
  ASSERT_EQ(recs.size(), 1u);
  const auto r = pagefile::decodeCharacter(recs[0]);
  EXPECT_EQ(r.code[0], 0x82);
  EXPECT_EQ(r.code[1], 0xA0);
  EXPECT_EQ(r.cls, 'K');
  EXPECT_EQ(r.singleByte, '0');
  EXPECT_EQ(r.colour[0], '3');
  EXPECT_EQ(r.direction, 'Y');
}

TEST(CharacterFill, SingleByteCasesTable) {
  struct Case { const char* name; Unit code; char cls; bool kindA; std::vector<uint8_t> bytes; };
  const Case cases[] = {
      {"class_A_letter", 0x2341, 'A', false, {'A'}},
      {"half_width_digit_row", 0x2931, 'K', false, {'1'}},
      {"kind_A_kanji_backslash", 0x3021, 'K', true, {'\\'}},
      {"voiced_split_in_two", 0x252C, 'A', false, {0xB6, 0xDE}},
  };
  for (const Case& c : cases) {
    const auto recs = fillCharacterRecords(cellOf(c.code, c.cls), at(10, c.kindA));
    ASSERT_EQ(recs.size(), c.bytes.size()) << c.name;
    for (size_t i = 0; i < recs.size(); ++i) {
      const auto r = pagefile::decodeCharacter(recs[i]);
      EXPECT_EQ(r.cls, 'A') << c.name;
      EXPECT_EQ(r.singleByte, c.bytes[i]) << c.name;
      EXPECT_EQ(r.x, 10 + static_cast<int32_t>(i) * 24) << c.name;
      EXPECT_EQ(r.colour[0], '3') << c.name;
    }
  }
}

TEST(CharacterFill, SecondByteAtTheEdgeOfTheCoordinateRangeWraps) {
  const auto recs = fillCharacterRecords(cellOf(0x252C, 'A'), at(INT32_MAX));
  ASSERT_EQ(recs.size(), 2u);
  EXPECT_EQ(pagefile::decodeCharacter(recs[1]).x, INT32_MIN + 23);
}

TEST(CharacterFill, HalfWidthDigitCodeIsWrittenFullWidth) {
  const auto r = pagefile::decodeCharacter(fillCharacterRecords(cellOf(0x2935, 'A'), at(0))[0]);
  EXPECT_EQ(r.code[0], 0x82);
  EXPECT_EQ(r.code[1], 0x54);  // "５"
}

}  // namespace
}  // namespace kumi::engine
