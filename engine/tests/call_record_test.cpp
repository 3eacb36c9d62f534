#include <gtest/gtest.h>

#include "call_builder.h"
#include "engine/core/call_record.h"
#include "engine/core/size_code.h"

namespace kumi::engine {
namespace {

using testing::CallBuilder;

TEST(PageName, LeftJustifiedNumbersBecomeFourDigits) {
  struct Case { const char* raw; const char* normal; };
  const Case cases[] = {{"1   ", "0001"}, {"12  ", "0012"}, {"123 ", "0123"}, {"0042", "0042"},
                        {"A B ", "0A B"}, {" 1  ", "00 1"}, {"    ", "000 "}};
  for (const Case& c : cases) {
    const std::array<char, 4> raw{c.raw[0], c.raw[1], c.raw[2], c.raw[3]};
    const auto n = normalisePageName(raw);
    EXPECT_EQ(std::string(n.data(), 4), c.normal) << c.raw;
  }
}

TEST(CallIntake, NormalisesFieldsAndWritesScaleCodesBack) {
  CallBuilder b;
  b.widthScale = " ";
  b.heightScale = std::string(1, '\0');
  b.fontCode = "M ";
  b.placeSize = "28 ";
  b.lineCounter = 12;
  CallRecord r;
  const CallArgs a = b.args();
  intakeFlags(a, r);
  intakeArguments(a, r);
  EXPECT_EQ(b.widthScale, "0");
  EXPECT_EQ(b.heightScale, "0");
  EXPECT_EQ(r.fontCode[1], '0');
  EXPECT_EQ(std::string(r.attributes.data(), 7), std::string("10A0000"));
  EXPECT_EQ(std::string(r.counterText.data(), 2), "12");
  EXPECT_EQ(r.breakChar, 0x2177);
  EXPECT_EQ(r.charSizeCode, sizeCodeOfQ(12));
}

TEST(CallIntake, AttributeStringCarriesScales) {
  CallBuilder b;
  b.widthScale = "2";
  b.heightScale = "5";
  CallRecord r;
  intakeArguments(b.args(), r);
  EXPECT_EQ(r.attributes[5], '2');
  EXPECT_EQ(r.attributes[6], '5');
  EXPECT_EQ(static_cast<uint8_t>(r.attributes[2]), sizeCodeOfQ(12));
}

TEST(CallIntake, NullFieldsReadAsNuls) {
  CallArgs a{};
  CallRecord r;
  intakeFlags(a, r);
  intakeArguments(a, r);
  EXPECT_EQ(r.command, '\0');
  EXPECT_EQ(r.textLength, 0u);
  EXPECT_EQ(r.widthScale, '0');
}

TEST(CallIntake, TextWithoutNulIsCutAt2000Bytes) {
  CallBuilder b;
  b.text.assign(3000, 'A');
  CallRecord r;
  intakeArguments(b.args(), r);
  EXPECT_EQ(r.textLength, kMaxTextBytes);
}

TEST(CounterText, DecimalNulPadded) {
  EXPECT_EQ(std::string(counterTextOf(7).data(), 4), std::string("7\0\0\0", 4));
  EXPECT_EQ(std::string(counterTextOf(16).data(), 4), std::string("16\0\0", 4));
  EXPECT_EQ(std::string(counterTextOf(-12345).data(), 4), "-123");
}

}  // namespace
}  // namespace kumi::engine
