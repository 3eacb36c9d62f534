#include <gtest/gtest.h>

#include "engine/shapes/shapes.h"
#include "record_capture.h"

namespace kumi::engine {
namespace {

using testing::CallBuilder;
using testing::RecordCapture;

struct RuleCase {
  const char* name;
  char command;
  char type;
  const char* style;
  int32_t c[4];
  int32_t originX, originY;
  std::vector<std::string> dump;
};

class RuleCall : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RuleCall, WritesItsRecords) {
  const RuleCase& c = GetParam();
  RecordCapture capture(std::string("rule_") + c.name);
  CallBuilder b;
  b.command = std::string(1, c.command) + " ";
  b.recordKind = "K ";
  b.ruleType = std::string(1, c.type);
  b.ruleStyle = c.style;
  b.coord1 = c.c[0];
  b.coord2 = c.c[1];
  b.coord3 = c.c[2];
  b.coord4 = c.c[3];
  b.originX = c.originX;
  b.originY = c.originY;
  capture.call(b);
  EXPECT_EQ(capture.closeAndDump(), c.dump);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RuleCall,
    ::testing::Values(
        RuleCase{"box", 'L', 'B', "1A0 ", {10, 20, 30, 40}, 0, 0,
                 {"0001 K2   outline=\\x20 colour=1 shape=B",
                  "0001 K1   y1=10 x1=20 y2=30 x2=40 fill=0 line=A shape=B"}},
        RuleCase{"horizontal_line_without_colours", 'L', 'Y', "TAY ", {100, 20, 300, 40}, 0, 0,
                 {"0001 K1   y1=100 x1=20 y2=300 x2=0 fill=1 line=A shape=Y"}},
        RuleCase{"vertical_line_under_L_stays", 'L', 'T', "2O  ", {100, 50, 300, 0}, 0, 0,
                 {"0001 K2   outline=1 colour=2 shape=T",
                  "0001 K1   y1=100 x1=50 y2=300 x2=0 fill=1 line=O shape=T"}},
        RuleCase{"vertical_line_otherwise_moves_half", 'B', 'T', "tO  ", {100, 50, 300, 0}, 0, 0,
                 {"0001 K1   y1=200 x1=50 y2=400 x2=0 fill=1 line=O shape=T"}},
        RuleCase{"horizontal_line_never_moves", 'B', 'Y', "tO  ", {100, 50, 300, 0}, 0, 0,
                 {"0001 K1   y1=100 x1=50 y2=300 x2=0 fill=1 line=O shape=Y"}},
        RuleCase{"straight_line", 'L', 'N', "3V2 ", {1, 2, 3, 4}, 0, 0,
                 {"0001 K2   outline=1 colour=3 shape=N",
                  "0001 K1   y1=1 x1=2 y2=3 x2=4 fill=1 line=V shape=N"}},
        RuleCase{"rounded_box_with_corner", 'L', 'M', "4N85", {10, 20, 30, 40}, 6, 7,
                 {"0001 K2   outline=5 colour=4 shape=m",
                  "0001 K1   y1=10 x1=20 y2=6 x2=7 fill=8 line=N shape=m",
                  "0001 K2   outline=5 colour=4 shape=M",
                  "0001 K1   y1=10 x1=20 y2=30 x2=40 fill=8 line=N shape=M"}},
        RuleCase{"nothing_drawn_with_position", 'L', 'D', "0N1 ", {10, 20, 30, 40}, 6, 7,
                 {"0001 K1   y1=6 x1=7 y2=0 x2=0 fill=1 line=N shape=d",
                  "0001 K1   y1=10 x1=20 y2=30 x2=40 fill=1 line=N shape=D"}},
        RuleCase{"backwards_line_moves_the_other_way", 'B', 'T', "TO  ", {300, 0, 100, 0}, 0, 0,
                 {"0001 K1   y1=200 x1=0 y2=0 x2=0 fill=1 line=O shape=T"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RuleCall, MeasuringCommandWritesNothing) {
  RecordCapture capture("rule_measure");
  CallBuilder b;
  b.command = "N ";
  b.recordKind = "K ";
  b.ruleType = "B";
  b.ruleStyle = "1N0 ";
  capture.call(b);
  EXPECT_TRUE(capture.closeAndDump().empty());
}

TEST(ImageCall, FirstFamilyWritesThreeRecords) {
  RecordCapture capture("image_first");
  CallBuilder b;
  b.recordKind = "GB";
  b.pageNumber = "3   ";
  b.originX = 100;
  b.originY = 200;
  b.coord1 = 0;
  b.coord2 = 0;
  b.blockAlign = "2";
  b.blockExtent = 0x12345;
  b.withText("logo.bmp");
  capture.call(b);
  EXPECT_EQ(capture.closeAndDump(),
            (std::vector<std::string>{"0003 G1   y=200 x=100 mode=2", "0003 G3   name=\"logo.bmp\"",
                                      "0003 G2   y=200 x=100 height=0 width=0 extent=9029 kind=B"}));
}

TEST(ImageCall, LongNamesKeepNineteenBytes) {
  RecordCapture capture("image_long_name");
  CallBuilder b;
  b.recordKind = "G ";
  b.withText("abcdefghijklmnopqrstuvwxyz.bmp");
  capture.call(b);
  EXPECT_EQ(capture.closeAndDump()[1], "0001 G3   name=\"abcdefghijklmnopqrs\"");
}

TEST(ImageCall, SecondFamilyAddsAFrameAndACross) {
  RecordCapture capture("image_second");
  CallBuilder b;
  b.command = "LZ";
  b.recordKind = "G ";
  b.originX = 100;
  b.originY = 200;
  b.coord1 = 100;  // height -> 136
  b.coord2 = 50;   // width  -> 68
  b.ruleStyle = "2   ";
  b.withText("a.bmp");
  capture.call(b);
  const auto dump = capture.closeAndDump();
  ASSERT_EQ(dump.size(), 9u);
  EXPECT_EQ(dump[3], "0001 K2   outline=\\x20 colour=2 shape=B");
  EXPECT_EQ(dump[4], "0001 K1   y1=200 x1=100 y2=336 x2=168 fill=Z line=O shape=B");
  EXPECT_EQ(dump[6], "0001 K1   y1=200 x1=100 y2=336 x2=168 fill=1 line=O shape=N");
  EXPECT_EQ(dump[8], "0001 K1   y1=200 x1=168 y2=336 x2=100 fill=1 line=O shape=N");
}

TEST(ImageCall, CharacterImageUsesTheSubstituteName) {
  RecordCapture capture("image_character");
  CallBuilder b;
  capture.engine().record() = CallRecord{};
  writeCharacterImage(capture.engine(), {'0', '0', '0', '2'}, 10, 20, 48, 36,
                      std::string_view("mark.bmp\0\0\0\0", 12));
  EXPECT_EQ(capture.closeAndDump(),
            (std::vector<std::string>{"0002 G1   y=10 x=20 mode=0", "0002 G3   name=\"mark.bmp\"",
                                      "0002 G2   y=10 x=20 height=48 width=36 extent=0 kind=M"}));
}

}  // namespace
}  // namespace kumi::engine
