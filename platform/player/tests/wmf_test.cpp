// Windows Metafiles: the record loop over untrusted bytes, and what playing
// one records (played through the EMF writer and read back by the EMF
// interpreter, as a painter gets it).
#include <gtest/gtest.h>

#include <cmath>

#include "platform/base/cp932.h"
#include "platform/player/emf_player.h"
#include "platform/player/wmf_player.h"
#include "tests/recording_canvas.h"
#include "tests/wmf_fixtures.h"

namespace kumi::platform::player {
namespace {

using testing::RecordingCanvas;
using testing::WmfBuilder;
using wmf::Function;

std::string sj(const char* utf8) { return *utf8ToCp932(utf8); }

std::vector<uint8_t> brush(uint16_t style, ColorRef color, uint16_t hatch = 0) {
  std::vector<uint8_t> p;
  writeU16LE(p, style);
  writeU32LE(p, color);
  writeU16LE(p, hatch);
  return p;
}

// Plays a WMF into a 100 × 100 mm picture placed on 1000 × 1000 device pixels.
RecordingCanvas play(const std::vector<uint8_t>& wmf) {
  RecordingCanvas c;
  const auto emf = wmfToEmf(wmf, 100, 100);
  EXPECT_TRUE(emf);
  if (emf) playEmf(*emf, c, frameOnto(*readPictureInfo(*emf), 0, 0, 1000, 1000));
  return c;
}

WmfBuilder redBoxIn200x100Window() {
  WmfBuilder b;
  b.rec(Function::SetWindowOrg, {0, 0});
  b.rec(Function::SetWindowExt, {100, 200});  // y, x
  b.raw(Function::CreateBrushIndirect, brush(0, rgb(255, 0, 0)));
  b.rec(Function::SelectObject, {0});
  b.rec(Function::Rectangle, {75, 150, 25, 50});  // bottom, right, top, left
  return b;
}

TEST(WmfReader, ReadsThePlaceableHeaderAndCountsRecords) {
  const auto wmf = redBoxIn200x100Window().finish(wmf::Placeable{0, 0, 200, 100, 1440});
  wmf::WmfRecordLoop loop(wmf);
  ASSERT_TRUE(loop.header());
  ASSERT_TRUE(loop.header()->placeable);
  EXPECT_EQ(loop.header()->placeable->right, 200);
  EXPECT_EQ(loop.header()->placeable->inch, 1440);
  int records = 0;
  while (loop.next()) ++records;
  EXPECT_EQ(records, 6);
  EXPECT_TRUE(loop.sawEof());
}

TEST(WmfReader, StopsAtARecordThatLiesAboutItsSize) {
  for (uint32_t words : {0u, 2u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    WmfBuilder b;
    b.rec(Function::SetBkMode, {1});
    b.lying(words, static_cast<uint16_t>(Function::Rectangle));
    b.rec(Function::SetBkMode, {2});
    const auto wmf = b.finish();
    wmf::WmfRecordLoop loop(wmf);
    int records = 0;
    while (loop.next()) ++records;
    EXPECT_EQ(records, 1) << words;
    EXPECT_FALSE(loop.sawEof());
    EXPECT_FALSE(loop.error().empty());
  }
}

TEST(WmfReader, RefusesWhatIsNoMetafile) {
  std::string why;
  EXPECT_FALSE(wmf::readWmfHeader(std::vector<uint8_t>(40, 0), &why));
  EXPECT_FALSE(why.empty());
  std::vector<uint8_t> cut = redBoxIn200x100Window().finish(wmf::Placeable{0, 0, 1, 1, 1});
  cut.resize(21);
  EXPECT_FALSE(wmf::readWmfHeader(cut));
}

TEST(WmfPlayer, WindowMapsOntoThePicture) {
  const RecordingCanvas c = play(redBoxIn200x100Window().finish());
  const auto fills = c.of("fill");
  ASSERT_EQ(fills.size(), 1u);
  const auto& pts = fills[0]->path.points();
  EXPECT_NEAR(pts[0].x, 250, 1e-6);
  EXPECT_NEAR(pts[0].y, 250, 1e-6);
  EXPECT_NEAR(pts[2].x, 750, 1e-6);
  EXPECT_NEAR(pts[2].y, 750, 1e-6);
  EXPECT_EQ(fills[0]->fillStyle.color, rgb(255, 0, 0));
}

TEST(WmfPlayer, PlaceableHeaderDrawsTheSamePictureAtTheSamePlace) {
  const auto plain = wmfToEmf(redBoxIn200x100Window().finish(), 50, 50);
  const auto placed =
      wmfToEmf(redBoxIn200x100Window().finish(wmf::Placeable{-7, -7, 300, 300, 1440}), 50, 50);
  ASSERT_TRUE(plain && placed);
  EXPECT_EQ(*plain, *placed);
}

TEST(WmfPlayer, PlaceableBoxServesWhenTheRecordsSetNoWindow) {
  WmfBuilder b;
  b.rec(Function::Rectangle, {100, 100, 0, 0});
  const auto pic = readWmfPicture(b.finish(wmf::Placeable{0, 0, 200, 100, 1440}));
  ASSERT_TRUE(pic && pic->box);
  EXPECT_EQ(*pic->box, (Rect{0, 0, 200, 100}));
  const RecordingCanvas canvas = play(b.finish(wmf::Placeable{0, 0, 200, 100, 1440}));
  const auto fills = canvas.of("fill");
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_NEAR(fills[0]->path.points()[2].x, 500, 1e-6);
  EXPECT_NEAR(fills[0]->path.points()[2].y, 1000, 1e-6);
}

TEST(WmfPlayer, ObjectsTakeTheLowestFreeSlot) {
  WmfBuilder b;
  b.rec(Function::SetWindowExt, {1000, 1000});
  std::vector<uint8_t> pen;
  for (int16_t v : {0, 0, 0}) writeU16LE(pen, static_cast<uint16_t>(v));  // solid, width 0
  writeU32LE(pen, rgb(0, 255, 0));
  b.raw(Function::CreatePenIndirect, pen);                                        // slot 0
  b.raw(Function::CreateBrushIndirect, brush(0, rgb(0, 0, 255)));  // slot 1
  b.rec(Function::DeleteObject, {0});
  std::vector<uint8_t> font(18, 0);
  font[0] = 100;   // height
  font[13] = 128;  // SHIFTJIS_CHARSET
  const std::string face = sj("ＭＳ ゴシック");
  font.insert(font.end(), face.begin(), face.end());
  font.push_back(0);
  b.raw(Function::CreateFontIndirect, font);  // slot 0 again
  b.rec(Function::SelectObject, {0});
  b.rec(Function::SelectObject, {1});
  const std::string text = sj("字a");
  std::vector<uint8_t> out;
  writeU16LE(out, static_cast<uint16_t>(text.size()));
  out.insert(out.end(), text.begin(), text.end());
  if (out.size() % 2 != 0) out.push_back(0);
  writeU16LE(out, 10);  // y
  writeU16LE(out, 20);  // x
  b.raw(Function::TextOut, out);
  b.rec(Function::Rectangle, {10, 10, 0, 0});
  const RecordingCanvas c = play(b.finish());
  const auto texts = c.of("text");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->run.font.faceName, "ＭＳ ゴシック");
  EXPECT_EQ(texts[0]->run.text, u"字a");
  ASSERT_EQ(c.of("fill").size(), 1u);
  EXPECT_EQ(c.of("fill")[0]->fillStyle.color, rgb(0, 0, 255));
}

TEST(WmfPlayer, OriginOffsetsAddUpWithoutOverflow) {
  // 70000 offsets of the largest step reach past 2^31 in either origin.
  WmfBuilder b;
  for (int i = 0; i < 70000; ++i) {
    b.rec(Function::OffsetWindowOrg, {32767, 32767});
    b.rec(Function::OffsetViewportOrg, {-32768, -32768});
  }
  b.rec(Function::Rectangle, {10, 10, 0, 0});
  const auto emf = wmfToEmf(b.finish(), 100, 100);
  ASSERT_TRUE(emf);
  RecordingCanvas c;
  EXPECT_TRUE(playEmf(*emf, c, frameOnto(*readPictureInfo(*emf), 0, 0, 1000, 1000)).complete);
}

TEST(WmfPlayer, ArcsBecomePolylinesOnTheEllipse) {
  WmfBuilder b;
  b.rec(Function::SetWindowExt, {1000, 1000});
  // A quarter arc of the circle in (0, 0)-(1000, 1000), from the right to the top.
  b.rec(Function::Arc, {0, 500, 500, 1000, 1000, 1000, 0, 0});
  const RecordingCanvas canvas = play(b.finish());
  const auto strokes = canvas.of("stroke");
  ASSERT_EQ(strokes.size(), 1u);
  for (const PointD& p : strokes[0]->path.points()) {
    EXPECT_NEAR(std::hypot(p.x - 500, p.y - 500), 500, 1.5);
    EXPECT_LE(p.y, 500.5);  // counter-clockwise on the device: the upper half
  }
}

}  // namespace
}  // namespace kumi::platform::player
