// Where the glyphs of a run go: alignment, advances and the turned glyphs of
// vertical faces.
#include <gtest/gtest.h>

#include "platform/emf/gdi_types.h"
#include "platform/player/text_layout.h"

namespace kumi::platform::player {
namespace {

TextRun run(uint32_t align, std::vector<double> advances = {}) {
  TextRun r;
  r.text = u"ab";
  r.em = 100;
  r.align = align;
  r.advances = std::move(advances);
  return r;
}

const EmBox kBox{0.8, 0.2};
const GlyphSlot kTwo[] = {{0, 1, 1.0, false}, {1, 1, 0.5, false}};

struct AlignCase {
  uint32_t align;
  double left;      // the run's box in text space
  double baseline;  // y of the first glyph's origin
};

class Alignment : public ::testing::TestWithParam<AlignCase> {};

TEST_P(Alignment, MovesTheRunByItsWidthAndItsEmBox) {
  const AlignCase k = GetParam();
  const RunLayout lay = layoutRun(run(k.align), kBox, kTwo, false);
  EXPECT_DOUBLE_EQ(lay.left, k.left);
  EXPECT_DOUBLE_EQ(lay.right, k.left + 150);
  EXPECT_DOUBLE_EQ(lay.glyphToText[0].dy, k.baseline);
  EXPECT_DOUBLE_EQ(lay.top, k.baseline - 80);
  EXPECT_DOUBLE_EQ(lay.bottom, k.baseline + 20);
  EXPECT_DOUBLE_EQ(lay.glyphToText[1].dx, k.left + 100);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Alignment,
    ::testing::Values(AlignCase{TextAlign::Top | TextAlign::Left, 0, 80},
                      AlignCase{TextAlign::Baseline, 0, 0},
                      AlignCase{TextAlign::Bottom, 0, -20},
                      AlignCase{TextAlign::Right, -150, 80},
                      AlignCase{TextAlign::Center | TextAlign::Baseline, -75, 0}));

TEST(Layout, AdvancesOfTheRecordWinOverTheFont) {
  const RunLayout lay = layoutRun(run(0, {120, 30}), kBox, kTwo, false);
  EXPECT_DOUBLE_EQ(lay.glyphToText[1].dx, 120);
  EXPECT_DOUBLE_EQ(lay.penEnd, 150);
}

TEST(Layout, WidthScaleAndSlantShapeTheGlyph) {
  TextRun r = run(TextAlign::Baseline);
  r.widthScale = 0.5;
  const RunLayout lay = layoutRun(r, kBox, kTwo, true);
  const Affine& g = lay.glyphToText[0];
  EXPECT_DOUBLE_EQ(g.m11, 50);   // em × width scale
  EXPECT_DOUBLE_EQ(g.m22, 100);  // em
  // Up (negative y) leans forward.
  EXPECT_GT(g.map({0, -1}).x, g.map({0, 0}).x);
  EXPECT_DOUBLE_EQ(lay.glyphToText[1].dx, 50);
}

TEST(Layout, TurnedGlyphFillsItsCellTopFacingTheStart) {
  const GlyphSlot turned[] = {{0, 1, 1.0, true}};
  TextRun r = run(TextAlign::Top);
  r.text = u"あ";
  const RunLayout lay = layoutRun(r, kBox, turned, false);
  const Affine& g = lay.glyphToText[0];
  // The em square (x 0..1, y -0.8..0.2 in em units) fills the cell
  // x 0..100, y 0..100 of text space.
  const PointD topLeft = g.map({0, -0.8}), bottomRight = g.map({1, 0.2});
  EXPECT_NEAR(topLeft.x, 0, 1e-9);
  EXPECT_NEAR(topLeft.y, 100, 1e-9);
  EXPECT_NEAR(bottomRight.x, 100, 1e-9);
  EXPECT_NEAR(bottomRight.y, 0, 1e-9);
  // Its top faces the start of the run (-x in text space).
  EXPECT_LT(g.map({0.5, -0.8}).x, g.map({0.5, 0.2}).x);
}

TEST(Layout, UnderlineAndStrikeOutSpanTheRun) {
  TextRun r = run(TextAlign::Baseline);
  r.font.underline = true;
  r.font.strikeOut = true;
  const RunLayout lay = layoutRun(r, kBox, kTwo, false);
  EXPECT_EQ(lay.decorations.ops().size(), 10u);  // two closed rectangles
}

}  // namespace
}  // namespace kumi::platform::player
