#include "platform/base/cp932.h"

#include <gtest/gtest.h>

namespace kumi::platform {
namespace {

TEST(Cp932, RoundTripsJapaneseText) {
  const std::string sjis = "\x91\x67\x94\xc5 ABC \xb6";  // 組版 ABC ｶ
  EXPECT_EQ(cp932ToUtf8(sjis), "組版 ABC ｶ");
  EXPECT_EQ(utf8ToCp932("組版 ABC ｶ"), sjis);
}

TEST(Cp932, WindowsExtensionsAreKnown) {
  EXPECT_EQ(cp932ToUtf8("\x87\x40"), "①");   // NEC row 13
  EXPECT_EQ(cp932ToUtf8("\x81\x60"), "～");   // wave dash as Windows maps it
}

TEST(Cp932, BrokenInputFailsExactlyAndIsReplacedLossily) {
  const std::string broken = "A\x82";  // lead byte at the end
  EXPECT_FALSE(cp932ToUtf8(broken).has_value());
  EXPECT_EQ(cp932ToUtf8Lossy(broken), "A\xEF\xBF\xBD");
  EXPECT_FALSE(utf8ToCp932("\xF0\x9F\x98\x80").has_value());  // emoji
  EXPECT_EQ(utf8ToCp932Lossy("a\xF0\x9F\x98\x80" "b"), "a?b");
}

TEST(Cp932, BrokenUtf8LosesOnlyTheBrokenCharacter) {
  // The text after a bad byte or a cut-short sequence is kept as it is.
  struct Case { const char* utf8; const char* cp932; };
  const Case cases[] = {
      {"\xE3\x81" "A/", "?A/"},              // three-byte sequence cut after two
      {"\xC3" "ab", "?ab"},                   // two-byte lead without its trail
      {"\xFF" "abc", "?abc"},                 // a byte no character starts with
      {"\xF8\x88\x80\x80\x80" "x", "?????x"},  // five-byte form: each byte stray
      {"\x80" "\xE7\xB5\x84", "?\x91\x67"},   // stray trail byte, then 組
      {"\xF0\x9F\x98", "?"},                 // cut short at the end
  };
  for (const Case& c : cases) EXPECT_EQ(utf8ToCp932Lossy(c.utf8), c.cp932) << c.utf8;
}

TEST(Cp932, Utf16ForTextRecords) {
  EXPECT_EQ(cp932ToUtf16Lossy("\x82\xa0" "A"), u"あA");
}

}  // namespace
}  // namespace kumi::platform
