#include "viewer/logic/page_names.h"

#include <random>

#include <gtest/gtest.h>

namespace kumi::viewer {
namespace {

TEST(FormatPageName, WritesFourCharacters) {
  struct Case { double n; const char* name; };
  const Case cases[] = {{1, "0001"},  {25, "0025"},   {999, "0999"}, {1234, "1234"},
                        {12345, "2345"}, {0, "0000"}, {-7, "0007"},  {2.5, "02.5"},
                        {0.5, "00.5"}, {-12.25, "2.25"}, {1e20, "E+20"}};
  for (const Case& c : cases) EXPECT_EQ(formatPageName(c.n), c.name) << c.n;
}

TEST(PadPageName, PadsTheTypedTextByItsLength) {
  struct Case { const char* typed; const char* name; };
  const Case cases[] = {{"7", "0007"},   {"07", "0007"},  {"0007", "0007"}, {"4.0", "04.0"},
                        {"07.0", "07.0"}, {"12345", "2345"}, {" 4", "00 4"}, {"", ""},
                        {"三", "000三"}};
  for (const Case& c : cases) EXPECT_EQ(padPageName(c.typed), c.name) << c.typed;
}

TEST(FourCharField, CutsOrPadsByCharacters) {
  EXPECT_EQ(fourCharField("12345"), "1234");
  EXPECT_EQ(fourCharField("3"), "3   ");
  EXPECT_EQ(fourCharField(""), "    ");
  EXPECT_EQ(fourCharField("ページ指定"), "ページ指");
}

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
  struct Case { const char* text; double value; };
  const Case cases[] = {{"0012", 12},  {"  7abc", 7}, {"-3", -3},  {"+4", 4},   {"2.5.1", 2.5},
                        {"1 2", 12},   {"12  ", 12},  {"abc", 0},  {"", 0},     {"-", 0},
                        {".5", 0.5},   {"1e3", 1},    {"--1", 0},  {"3-1", 3}};
  for (const Case& c : cases) EXPECT_EQ(leadingNumber(c.text), c.value) << c.text;
}

TEST(StrictNumber, TakesWholeNumbersAndRoundsHalvesToEven) {
  struct Case { const char* text; int32_t value; };
  const Case cases[] = {{"0003", 3},  {" 12 ", 12}, {"2.5", 2},   {"3.5", 4},   {"-2.5", -2},
                        {"02.5", 2},  {"1e3", 1000}, {"+7", 7},   {"2147483647", 2147483647}};
  for (const Case& c : cases) {
    const StrictReading r = strictNumber(c.text);
    ASSERT_TRUE(r.value.has_value()) << c.text;
    EXPECT_EQ(*r.value, c.value) << c.text;
  }
}

TEST(StrictNumber, FailsOnWhatIsNoNumber) {
  for (const char* text : {"", "    ", "12a", "a12", "1.2.3", ".", "-", "1e", "1 2", "E+20"}) {
    const StrictReading r = strictNumber(text);
    EXPECT_FALSE(r.value.has_value()) << text;
    EXPECT_EQ(r.failure, kTypeMismatch) << text;
  }
  EXPECT_EQ(strictNumber("2147483648").failure, kOverflow);
  EXPECT_EQ(strictNumber("-1e300").failure, kOverflow);
}

TEST(DecimalText, WritesPlainDecimals) {
  EXPECT_EQ(decimalText(12), "12");
  EXPECT_EQ(decimalText(-3), "-3");
  EXPECT_EQ(decimalText(2.5), "2.5");
  EXPECT_EQ(decimalText(-0.0), "0");
}

TEST(PageNames, AnyBytesStayInBounds) {
  // Texts reach these functions from files and input boxes: stray UTF-8
  // continuation bytes, cut sequences and NULs must not upset them.
  std::mt19937 rng(4321);
  std::uniform_int_distribution<int> length(0, 12), byte(0, 255);
  for (int run = 0; run < 5000; ++run) {
    std::string text(static_cast<size_t>(length(rng)), '\0');
    for (char& c : text) c = static_cast<char>(byte(rng));
    EXPECT_EQ(charCount(fourCharField(text)), 4u);
    EXPECT_LE(charCount(padPageName(text)), 4u);
    EXPECT_EQ(formatPageName(leadingNumber(text)).size(), 4u);
    const StrictReading r = strictNumber(text);
    EXPECT_NE(r.value.has_value(), !r.failure.empty());
  }
}

TEST(PageFilePath, AppendsTheNameToTheDirectory) {
  EXPECT_EQ(pageFilePath("C:\\DATA\\", "0003"), "C:\\DATA\\0003.emf");
}

}  // namespace
}  // namespace kumi::viewer
