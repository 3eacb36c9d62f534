#include "platform/emf/gdi_state.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kumi::platform {
namespace {

const ReferenceDevice kA4{4760, 6814, 201, 288, 0, 0};

TEST(GdiState, MetricModesScaleByTheReferenceDevice) {
  GdiState s;
  applyMapMode(s, MapMode::HiMetric, kA4);
  // 201 mm across 4760 pixels, y up.
  const PointD p = toDevice(s, {20100, -28800});
  EXPECT_DOUBLE_EQ(p.x, 4760);
  EXPECT_DOUBLE_EQ(p.y, 6814);
  EXPECT_FALSE(yAxisDown(s));
  applyMapMode(s, MapMode::LoMetric, kA4);
  EXPECT_DOUBLE_EQ(toDevice(s, {2010, 0}).x, 4760);
  applyMapMode(s, MapMode::Text, kA4);
  EXPECT_DOUBLE_EQ(toDevice(s, {5, 7}).y, 7);
  EXPECT_TRUE(yAxisDown(s));
}

TEST(GdiState, ExtentsCountOnlyInTheScalableModes) {
  GdiState s;
  applyMapMode(s, MapMode::HiMetric, kA4);
  applyWindowExt(s, {10, 10});
  EXPECT_EQ(s.windowExt, (Size{20100, 28800}));
  applyMapMode(s, MapMode::Anisotropic, kA4);
  applyWindowExt(s, {100, 50});
  applyViewportExt(s, {200, 200});
  s.viewportOrg = {10, 20};
  const PointD p = toDevice(s, {50, 25});
  EXPECT_DOUBLE_EQ(p.x, 110);
  EXPECT_DOUBLE_EQ(p.y, 120);
  // Isotropic keeps one scale: the smaller one wins.
  applyMapMode(s, MapMode::Isotropic, kA4);
  applyWindowExt(s, {100, 100});
  applyViewportExt(s, {400, -200});
  EXPECT_EQ(s.viewportExt, (Size{200, -200}));
  // The most negative extents a file can hold are scaled without overflow.
  applyWindowExt(s, {INT32_MIN, INT32_MIN});
  applyViewportExt(s, {100, 200});
  EXPECT_EQ(s.viewportExt, (Size{100, 100}));
}

TEST(GdiState, WorldTransformComesBeforeThePage) {
  GdiState s;
  s.world = combine(XForm{2, 0, 0, 2, 0, 0}, XForm{1, 0, 0, 1, 5, 0});  // scale, then move
  EXPECT_DOUBLE_EQ(toDevice(s, {10, 0}).x, 25);
}

TEST(GdiStateStack, SavesAndRestores) {
  GdiStateStack st;
  st.current().textColor = 1;
  EXPECT_EQ(st.save(), 1);
  st.current().textColor = 2;
  EXPECT_EQ(st.save(), 2);
  st.current().textColor = 3;
  EXPECT_FALSE(st.restore(-3));
  EXPECT_FALSE(st.restore(0));
  EXPECT_FALSE(st.restore(INT32_MIN));
  EXPECT_TRUE(st.restore(-1));
  EXPECT_EQ(st.current().textColor, 2u);
  EXPECT_EQ(st.depth(), 1);
  EXPECT_TRUE(st.restore(1));
  EXPECT_EQ(st.current().textColor, 1u);
  EXPECT_EQ(st.depth(), 0);
}

}  // namespace
}  // namespace kumi::platform
