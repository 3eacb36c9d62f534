#include <gtest/gtest.h>

#include "engine/text/output.h"

namespace kumi::engine {
namespace {

TEST(RecordCode, FoldsEngineDigitRowsOntoFullWidth) {
  EXPECT_EQ(recordCode(0x2931), 0x8250);  // half-width 1 -> "１"
  EXPECT_EQ(recordCode(0xA331), 0x8250);  // lone "１"
  EXPECT_EQ(recordCode(0x2422), 0x82A0);  // あ
}

TEST(SingleBytes, OneTwoOrTheBackslash) {
  struct Case { Unit unit; std::vector<uint8_t> bytes; };
  const Case cases[] = {
      {0x2341, {'A'}},          // Ａ
      {0x2931, {'1'}},          // half-width digit
      {0x252C, {0xB6, 0xDE}},   // ガ -> ｶﾞ
      {0x2551, {0xCA, 0xDF}},   // パ -> ﾊﾟ
      {0x213D, {0xB0}},         // ― -> ｰ
      {0x2121, {' '}},          // ideographic space
      {0x3021, {'\\'}},         // 亜 has no single-byte form
  };
  for (const Case& c : cases) {
    const SingleBytes s = toSingleBytes(c.unit);
    ASSERT_EQ(static_cast<size_t>(s.count), c.bytes.size()) << std::hex << c.unit;
    for (size_t i = 0; i < c.bytes.size(); ++i) EXPECT_EQ(s.bytes[i], c.bytes[i]) << std::hex << c.unit;
  }
}

}  // namespace
}  // namespace kumi::engine
