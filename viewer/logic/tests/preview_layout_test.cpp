#include "viewer/logic/preview_layout.h"

#include <gtest/gtest.h>

namespace kumi::viewer {
namespace {

constexpr int kBar = 17;

// A viewport of 1000 x 700 with a page of `page` at natural size, laid out.
PreviewLayout pageIn1000x700(SizeD page) {
  PreviewLayout l(kBar, kBar);
  EXPECT_TRUE(l.fitViewport({1000 + kBar, 700 + kBar}));
  l.setDisplaySize(page);
  l.scroll();
  l.takeRepaints();
  return l;
}

TEST(PreviewLayout, ATallPageShowsOnlyTheVerticalBar) {
  const PreviewLayout l = pageIn1000x700({800, 1100});
  EXPECT_EQ(l.viewport(), (RectD{0, 0, 1000, 700}));
  EXPECT_TRUE(l.vBar().visible);
  EXPECT_FALSE(l.hBar().visible);
  EXPECT_EQ(l.vBar().max, 400);
  EXPECT_EQ(l.vBar().largeChange, 80);
  EXPECT_EQ(l.vBar().smallChange, 40);
  EXPECT_EQ(l.hBar().max, -200);
  // The bars sit below and right of the viewport.
  EXPECT_EQ(l.hBar().geometry, (RectD{0, 700, 1000, kBar}));
  EXPECT_EQ(l.vBar().geometry, (RectD{1000, 0, kBar, 700}));
}

TEST(PreviewLayout, ZoomInKeepsTheViewAtItsRelativePlace) {
  PreviewLayout l = pageIn1000x700({800, 1100});
  ASSERT_TRUE(l.setVValue(200));
  EXPECT_EQ(l.display().top, -200);
  l.enlarge();
  EXPECT_EQ(l.display().width, 1200);
  EXPECT_EQ(l.display().height, 1650);
  EXPECT_EQ(l.vBar().max, 950);
  EXPECT_EQ(l.vBar().value, 475);
  EXPECT_EQ(l.hBar().max, 200);
  EXPECT_EQ(l.hBar().value, 0);  // its old maximum was negative, its value 0
  EXPECT_TRUE(l.hBar().visible);
  EXPECT_EQ(l.hBar().largeChange, 40);
  EXPECT_EQ(l.hBar().smallChange, 20);
  EXPECT_EQ(l.vBar().largeChange, 190);
  EXPECT_EQ(l.vBar().smallChange, 95);
  EXPECT_EQ(l.display().left, 0);
  EXPECT_EQ(l.display().top, -475);
}

TEST(PreviewLayout, ZoomOutFromNaturalSizeCentresThePage) {
  PreviewLayout l = pageIn1000x700({800, 1100});
  ASSERT_TRUE(l.setVValue(300));
  l.reduce();
  EXPECT_EQ(l.display(), (RectD{300, 75, 400, 550}));
  EXPECT_FALSE(l.hBar().visible);
  EXPECT_FALSE(l.vBar().visible);
  EXPECT_EQ(l.hBar().value, 0);
  EXPECT_EQ(l.vBar().value, 0);
}

TEST(PreviewLayout, ZoomInThenOutGivesThreeQuarters) {
  PreviewLayout l = pageIn1000x700({800, 1100});
  l.enlarge();
  l.reduce();
  EXPECT_EQ(l.display().width, 600);
  EXPECT_EQ(l.display().height, 825);
  // Taller than the viewport but narrower: centred across, at the top.
  EXPECT_EQ(l.display().left, 200);
  EXPECT_EQ(l.display().top, 0);
  EXPECT_EQ(l.vBar().max, 125);
  EXPECT_FALSE(l.hBar().visible);
}

TEST(PreviewLayout, ZoomPlacesPagesThatOverhangOnOneAxis) {
  // Narrow and tall: centred across, at the top.
  PreviewLayout tall = pageIn1000x700({400, 600});
  tall.enlarge();
  EXPECT_EQ(tall.display(), (RectD{200, 0, 600, 900}));
  // Wide and low: at the left, centred down.
  PreviewLayout wide = pageIn1000x700({800, 300});
  wide.enlarge();
  EXPECT_EQ(wide.display(), (RectD{0, 125, 1200, 450}));
  // Still fits: centred.
  PreviewLayout small = pageIn1000x700({400, 300});
  small.enlarge();
  EXPECT_EQ(small.display(), (RectD{200, 125, 600, 450}));
}

TEST(PreviewLayout, ANewMaximumBelowTheValueMovesTheDisplay) {
  PreviewLayout l = pageIn1000x700({800, 1100});
  ASSERT_TRUE(l.setVValue(400));
  l.setDisplaySize({800, 900});
  l.scroll();
  EXPECT_EQ(l.vBar().max, 200);
  EXPECT_EQ(l.vBar().value, 200);
  EXPECT_EQ(l.display().top, -200);
}

TEST(PreviewLayout, AVerticalChangeAfterAHorizontalOneRepaintsLater) {
  PreviewLayout l = pageIn1000x700({1600, 1400});
  ASSERT_TRUE(l.setHValue(10));
  EXPECT_EQ(l.takeRepaints(), 1);
  ASSERT_TRUE(l.setVValue(10));
  EXPECT_EQ(l.takeRepaints(), 0);
  ASSERT_TRUE(l.setVValue(20));
  EXPECT_EQ(l.takeRepaints(), 1);
  // Setting a value the bar already has runs no handler.
  ASSERT_TRUE(l.setVValue(20));
  EXPECT_EQ(l.takeRepaints(), 0);
}

TEST(PreviewLayout, ValuesOutsideTheBarAreRefused) {
  PreviewLayout l = pageIn1000x700({800, 1100});
  EXPECT_FALSE(l.setVValue(401));
  EXPECT_FALSE(l.setVValue(-1));
  EXPECT_FALSE(l.setHValue(1));  // the page fits across: only 0 is possible
  EXPECT_EQ(l.vBar().value, 0);
}

TEST(PreviewLayout, AMaximumBeyondSixteenBitsEndsScrollSilently) {
  PreviewLayout l = pageIn1000x700({800, 1100});
  l.setDisplaySize({800, 40000});
  l.scroll();
  // The vertical maximum cannot be set, so nothing after it is done.
  EXPECT_EQ(l.hBar().max, -200);
  EXPECT_EQ(l.vBar().max, 400);
  EXPECT_EQ(l.vBar().largeChange, 80);
}

TEST(PreviewLayout, AStepBelowOneEndsScrollBeforeTheHorizontalSteps) {
  PreviewLayout l = pageIn1000x700({1100, 702});
  // Vertical: maximum 2, large step 0.4 rounds to 0 and fails.
  EXPECT_EQ(l.vBar().max, 2);
  EXPECT_TRUE(l.vBar().visible);
  EXPECT_TRUE(l.hBar().visible);
  EXPECT_EQ(l.hBar().max, 100);
  EXPECT_EQ(l.hBar().largeChange, 1);  // never set
  EXPECT_EQ(l.hBar().smallChange, 1);
}

TEST(PreviewLayout, RepeatedZoomInKeepsScrollingWhileSixteenBitsAllow) {
  PreviewLayout l = pageIn1000x700({800, 1100});
  int16_t lastMax = 0;
  for (int i = 0; i < 20; ++i) {
    l.enlarge();
    EXPECT_LE(l.display().height, kMaxDisplayExtent);
    EXPECT_GE(l.vBar().max, lastMax);
    lastMax = l.vBar().max;
  }
  // 1100 x 1.5^8 = 28191.8 pixels still scrolls; at 1.5^9 the overhang passes
  // 32767 and the maximum stays where it was.
  EXPECT_EQ(lastMax, 27492);
  EXPECT_EQ(l.display().height, 1100 * 1.5 * 1.5 * 1.5 * 1.5 * 1.5 * 1.5 * 1.5 * 1.5 * 1.5 * 1.5);
}

TEST(PreviewLayout, AClientSmallerThanTheBarsIsRefused) {
  PreviewLayout l(kBar, kBar);
  EXPECT_TRUE(l.fitViewport({500, 400}));
  EXPECT_FALSE(l.fitViewport({10, 400}));
  EXPECT_EQ(l.viewport(), (RectD{0, 0, 500 - kBar, 400 - kBar}));
}

}  // namespace
}  // namespace kumi::viewer
