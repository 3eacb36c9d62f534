// A picture played into a rectangle of a page metafile, as the image drawing
// places one, then the page played back: the picture's drawing lands in the
// rectangle, the right way up.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/base/cp932.h"
#include "platform/player/dc_canvas.h"
#include "tests/emf_fixtures.h"
#include "tests/recording_canvas.h"

namespace kumi::platform::player {
namespace {

using testing::RecordingCanvas;

// A 100 × 100 mm picture in MM_TEXT (ten pixels a millimetre): a blue
// hatched box in its top left quarter, a word at its middle, a 2 × 1 bitmap
// at the bottom right.
std::vector<uint8_t> picture() {
  const auto [info, bits] = testing::dib24(2, {{0xFF0000, 0x00FF00}});
  return testing::makeEmf([&info, &bits](EmfWriter& w) {
    w.selectObject(w.createBrush({BrushStyle::Hatched, rgb(0, 0, 255), HatchStyle::Cross}));
    w.rectangle({0, 0, 500, 500});
    LogFont f;
    f.height = 100;
    f.width = 50;
    f.faceName = "ＭＳ 明朝";
    w.selectObject(w.createFont(f));
    const int32_t dx[] = {100, 100};
    w.extTextOut({500, 500}, 0, nullptr, *utf8ToCp932("画像"), dx);
    w.stretchDIBits({800, 900, 200, 100}, {0, 0, 2, 1}, info, bits, DibUsage::RgbColors,
                    RasterOp::SrcAnd);
  });
}

TEST(PlayInto, PicturesDrawingLandsInTheRectangleOfAYUpPage) {
  // The page in MM_HIMETRIC: the picture goes to x 1000..3000, y -1000..-3000
  // (10 to 30 mm from the corner), given top-down as a page gives it.
  const auto page = testing::makeEmf([](EmfWriter& w) {
    w.setMapMode(MapMode::HiMetric);
    const PlayResult r = playEmfInto(picture(), w, {1000, -1000, 3000, -3000});
    EXPECT_TRUE(r.ok && r.complete) << r.error;
    w.rectangle({0, 0, 10, -10});  // the page's own state is back
  });
  RecordingCanvas c;
  ASSERT_TRUE(playEmf(page, c, testing::testPlacement(page)).complete);

  // Device pixels here are 0.1 mm: the picture spans 100..300.
  const auto fills = c.of("fill");
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0]->fillStyle.kind, FillStyle::Kind::Hatch);
  EXPECT_EQ(fills[0]->fillStyle.hatch, HatchStyle::Cross);
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (const PointD& p : fills[0]->path.points()) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  EXPECT_NEAR(minX, 100, 0.1);
  EXPECT_NEAR(maxX, 200, 0.1);
  EXPECT_NEAR(minY, 100, 0.1);
  EXPECT_NEAR(maxY, 200, 0.1);
  EXPECT_EQ(fills[1]->fillStyle.color, rgb(255, 255, 255));  // the page's own white box

  const auto texts = c.of("text");
  ASSERT_EQ(texts.size(), 1u);
  const TextRun& run = texts[0]->run;
  EXPECT_EQ(run.text, u"画像");
  const PointD origin = run.toDevice.map({0, 0});
  EXPECT_NEAR(origin.x, 200, 0.1);
  EXPECT_NEAR(origin.y, 200, 0.1);
  // 10 mm of picture are 2 mm of page: an em of 20 device pixels, upright.
  EXPECT_NEAR(run.em * std::hypot(run.toDevice.m21, run.toDevice.m22), 20, 0.1);
  EXPECT_GT(run.toDevice.m11, 0);
  EXPECT_GT(run.toDevice.m22, 0);
  ASSERT_EQ(run.advances.size(), 2u);
  EXPECT_NEAR(run.advances[0] * std::hypot(run.toDevice.m11, run.toDevice.m12), 20, 0.1);

  const auto images = c.of("image");
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0]->rop, RasterOp::SrcAnd);
  EXPECT_EQ(images[0]->image.pixels, (std::vector<uint32_t>{0xFFFF0000, 0xFF00FF00}));
  const PointD a = images[0]->transform.map({0, 0}), b = images[0]->transform.map({2, 1});
  EXPECT_NEAR(a.x, 260, 0.1);
  EXPECT_NEAR(a.y, 280, 0.1);
  EXPECT_NEAR(b.x, 300, 0.1);
  EXPECT_NEAR(b.y, 300, 0.1);
}

TEST(PlayInto, APictureThatSavesMoreThanItRestoresLeavesThePageAsItWas) {
  // Two saves, a clip, and only one restore.
  const auto unbalanced = testing::makeEmf([](EmfWriter& w) {
    w.saveDC();
    w.saveDC();
    w.beginPath();
    w.rectangle({0, 0, 10, 10});
    w.endPath();
    w.selectClipPath(RegionMode::And);
    w.restoreDC(-1);
    w.rectangle({0, 0, 500, 500});
  });
  const auto page = testing::makeEmf([&unbalanced](EmfWriter& w) {
    EXPECT_TRUE(playEmfInto(unbalanced, w, {0, 0, 1000, 1000}).complete);
    EXPECT_EQ(w.saveDC(), 1) << "the picture's saves are all undone";
    w.restoreDC(-1);
  });
  RecordingCanvas c;
  ASSERT_TRUE(playEmf(page, c, testing::testPlacement(page)).complete);
  int restored = 0;
  for (const auto* call : c.of("restoreClip")) restored += call->levels;
  EXPECT_EQ(restored, static_cast<int>(c.of("saveClip").size()));
}

TEST(PlayInto, RefusesWhatIsNoMetafileAndADegenerateBox) {
  EmfWriter w(testing::kTestDevice, testing::kTestFrame, "");
  const std::vector<uint8_t> junk(100, 3);
  EXPECT_FALSE(playEmfInto(junk, w, {0, 0, 10, 10}).ok);
  EXPECT_FALSE(playEmfInto(picture(), w, {0, 0, 0, 10}).ok);
}

}  // namespace
}  // namespace kumi::platform::player
