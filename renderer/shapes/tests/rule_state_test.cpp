// The code tables of rule records: colours, line types, pen widths, fills.
#include "renderer/shapes/rule_state.h"

#include <gtest/gtest.h>

#include <climits>

#include "renderer/shapes/tests/shape_page.h"

namespace kumi::renderer::shapes {
namespace {

using platform::rgb;
namespace Pen = platform::PenStyle;

TEST(RuleColour, FixedAndUserColoursAndNone) {
  const auto users = testing::testSettings().userColors;
  struct Case { char code; std::optional<ColorRef> colour; } cases[] = {
      {'1', rgb(0, 0, 0)},     {'2', rgb(0, 0, 255)},     {'3', rgb(0, 255, 0)},
      {'4', rgb(0, 255, 255)}, {'5', rgb(255, 0, 0)},     {'6', rgb(255, 0, 255)},
      {'7', rgb(255, 255, 0)}, {'8', rgb(255, 255, 255)}, {'9', rgb(128, 128, 128)},
      {'A', rgb(11, 12, 13)},  {'a', rgb(11, 12, 13)},    {'G', rgb(71, 72, 73)},
      {'g', rgb(71, 72, 73)},  {'0', std::nullopt},       {'H', std::nullopt},
      {'h', std::nullopt},     {' ', std::nullopt},       {'\0', std::nullopt},
      {'\xFF', std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(colourOfCode(c.code, users), c.colour) << c.code;
}

TEST(RuleColour, NoneReadAsBytesIs999ModuloByte) {
  RuleState s;
  EXPECT_EQ(s.outlineAsBytes(), rgb(0, 0, 0));  // before any K2: black
  s.outlineColour = std::nullopt;
  EXPECT_EQ(s.outlineAsBytes(), rgb(999 % 256, 999 % 256, 999 % 256));
}

TEST(LineType, BrokenPatternsAndSolidWidths) {
  const auto widths = testing::testSettings().ruleWidths;  // 10, 20, ... 80
  struct Case { char code; bool batch; std::optional<LineType> type; } cases[] = {
      {'2', false, LineType{Pen::Dash, 1}},       {'3', false, LineType{Pen::Dot, 1}},
      {'4', false, LineType{Pen::DashDot, 1}},    {'5', true, LineType{Pen::DashDotDot, 1}},
      {'O', false, LineType{Pen::Solid, 10}},     {'N', false, LineType{Pen::Solid, 20}},
      {'A', false, LineType{Pen::Solid, 30}},     {'V', false, LineType{Pen::Solid, 40}},
      {'W', false, LineType{Pen::Solid, 50}},     {'X', false, LineType{Pen::Solid, 60}},
      {'Y', false, LineType{Pen::Solid, 70}},     {'Z', false, LineType{Pen::Solid, 80}},
      {'O', true, LineType{Pen::InsideFrame, 10}}, {'Z', true, LineType{Pen::InsideFrame, 80}},
      {'1', false, std::nullopt},                 {'6', false, std::nullopt},
      {'7', false, std::nullopt},                 {'B', false, std::nullopt},
      {'o', false, std::nullopt},                 {' ', true, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lineTypeOfCode(c.code, c.batch, widths), c.type) << c.code << c.batch;
  }
}

TEST(LineType, PenIsStoredWidthTimes254Truncated) {
  EXPECT_EQ(penWidthOf(0), 0);
  EXPECT_EQ(penWidthOf(1), 2);   // the broken patterns
  EXPECT_EQ(penWidthOf(3), 7);   // a large page's file value 3: 0.762 mm in 0.1 mm units
  EXPECT_EQ(penWidthOf(30), 76);  // a standard page's file value 3
  EXPECT_DOUBLE_EQ(halfPenOf(30), 38.1);
  // A settings file may hold anything: no negative pens, no overflow.
  EXPECT_EQ(penWidthOf(-50), 0);
  EXPECT_EQ(halfPenOf(-50), 0.0);
  EXPECT_EQ(penWidthOf(INT32_MAX), INT32_MAX);
}

TEST(Fill, Codes) {
  using platform::HatchStyle;
  struct Case { char code; Fill fill; } cases[] = {
      {'0', {FillKind::Solid}},
      {'1', {FillKind::None}},
      {'2', {FillKind::Hatch, HatchStyle::Horizontal}},
      {'3', {FillKind::Hatch, HatchStyle::Vertical}},
      {'4', {FillKind::Hatch, HatchStyle::ForwardDiagonal}},
      {'5', {FillKind::Hatch, HatchStyle::BackwardDiagonal}},
      {'6', {FillKind::Hatch, HatchStyle::Cross}},
      {'7', {FillKind::Hatch, HatchStyle::DiagonalCross}},
      {'8', {FillKind::TintScreen}},
      {'9', {FillKind::None}},
      {'Z', {FillKind::None}},
      {' ', {FillKind::None}},
  };
  for (const Case& c : cases) EXPECT_EQ(fillOfCode(c.code), c.fill) << c.code;
}

}  // namespace
}  // namespace kumi::renderer::shapes
