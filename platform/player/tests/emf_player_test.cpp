// The EMF interpreter against a recording canvas: what reaches the canvas,
// where, and what a damaged file does.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/base/cp932.h"
#include "platform/emf/emf_records.h"
#include "platform/player/emf_player.h"
#include "tests/emf_fixtures.h"
#include "tests/recording_canvas.h"

namespace kumi::platform::player {
namespace {

using emf::RecordType;
using testing::RecordingCanvas;
using testing::makeEmf;
using testing::record;
using testing::withBeforeEof;

constexpr uint32_t t(RecordType r) { return static_cast<uint32_t>(r); }

std::string sj(const char* utf8) { return *utf8ToCp932(utf8); }

RecordingCanvas play(const std::vector<uint8_t>& emf, PlayResult* result = nullptr) {
  RecordingCanvas c;
  const PlayResult r = playEmf(emf, c, testing::testPlacement(emf));
  if (result != nullptr) *result = r;
  return c;
}

void expectNear(PointD p, double x, double y) {
  EXPECT_NEAR(p.x, x, 1e-6);
  EXPECT_NEAR(p.y, y, 1e-6);
}

ObjectHandle selectFont(EmfWriter& w, const char* face, int32_t height, int32_t escapement,
                        int32_t width = 0) {
  LogFont f;
  f.height = height;
  f.width = width;
  f.escapement = f.orientation = escapement;
  f.faceName = face;
  const ObjectHandle h = w.createFont(f);
  w.selectObject(h);
  return h;
}

TEST(PictureInfo, ReadsFrameAndReferenceDevice) {
  const auto emf = makeEmf([](EmfWriter&) {});
  const auto info = readPictureInfo(emf);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->frame, testing::kTestFrame);
  EXPECT_EQ(info->reference.horzRes, 1000);
  EXPECT_DOUBLE_EQ(info->widthMm(), 100.0);
}

TEST(PictureInfo, EmptyFrameFallsBackToTheReferenceDevice) {
  auto emf = makeEmf([](EmfWriter&) {});
  for (size_t at = 24; at < 40; at += 4) putU32LE(emf, at, 0);  // rclFrame
  for (size_t at = 8; at < 24; at += 4) putU32LE(emf, at, 0);   // rclBounds
  putU32LE(emf, 16, 0xFFFFFFFF);  // right -1: empty bounds as GDI writes them
  putU32LE(emf, 20, 0xFFFFFFFF);
  const auto info = readPictureInfo(emf);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->frame, (Rect{0, 0, 10000, 10000}));
}

TEST(PictureInfo, AFrameOfExtremeSidesHasItsTrueSize) {
  auto emf = makeEmf([](EmfWriter&) {});
  putU32LE(emf, 24, 0x80000000);  // left  INT32_MIN
  putU32LE(emf, 28, 0x80000000);  // top   INT32_MIN
  putU32LE(emf, 32, 0x7FFFFFFF);  // right INT32_MAX
  putU32LE(emf, 36, 0x7FFFFFFF);  // bottom
  const auto info = readPictureInfo(emf);
  ASSERT_TRUE(info);
  EXPECT_DOUBLE_EQ(info->widthMm(), 4294967295.0 / 100.0);
  EXPECT_DOUBLE_EQ(info->heightMm(), 4294967295.0 / 100.0);
}

TEST(PictureInfo, RefusesWhatIsNoMetafile) {
  std::string error;
  const std::vector<uint8_t> junk(200, 0x41);
  EXPECT_FALSE(readPictureInfo(junk, &error));
  EXPECT_NE(error.find("not an enhanced metafile"), std::string::npos);
  RecordingCanvas c;
  EXPECT_FALSE(playEmf(junk, c, {}).ok);
  EXPECT_TRUE(c.calls.empty());
}

TEST(Mapping, HiMetricRectangleLandsOnTheDevice) {
  const auto emf = makeEmf([](EmfWriter& w) {
    w.setMapMode(MapMode::HiMetric);
    w.rectangle({100, -100, 500, -300});
  });
  const RecordingCanvas c = play(emf);
  const auto fills = c.of("fill");
  ASSERT_EQ(fills.size(), 1u);
  const auto& pts = fills[0]->path.points();
  ASSERT_EQ(pts.size(), 4u);
  expectNear(pts[0], 10, 30);  // the box is drawn from its logical top, -300
  expectNear(pts[2], 50, 10);
  EXPECT_EQ(fills[0]->fillStyle.kind, FillStyle::Kind::Solid);  // the stock white brush
  EXPECT_EQ(fills[0]->fillStyle.color, rgb(255, 255, 255));
  ASSERT_EQ(c.of("stroke").size(), 1u);  // and the black pen
}

// Escapement is an angle in logical space: under a y-up mapping a positive
// one turns the baseline clockwise on the page, under MM_TEXT the other way;
// in compatible mode the glyph tops always face a quarter turn
// counter-clockwise from the baseline as the device shows it.
struct EscapementCase {
  MapMode mode;
  int32_t escapement;
  PointD baseline;  // unit vector on the device
  PointD down;      // away from the glyph tops
};

class Escapement : public ::testing::TestWithParam<EscapementCase> {};

TEST_P(Escapement, TurnsTheBaselineAsGdiDoes) {
  const EscapementCase k = GetParam();
  const auto emf = makeEmf([&k](EmfWriter& w) {
    w.setMapMode(k.mode);
    selectFont(w, "ＭＳ 明朝", 300, k.escapement);
    w.textOut({0, 0}, sj("永"));
  });
  const RecordingCanvas c = play(emf);
  const auto texts = c.of("text");
  ASSERT_EQ(texts.size(), 1u);
  const Affine& a = texts[0]->run.toDevice;
  const double bl = std::hypot(a.m11, a.m12), dl = std::hypot(a.m21, a.m22);
  EXPECT_NEAR(a.m11 / bl, k.baseline.x, 1e-9);
  EXPECT_NEAR(a.m12 / bl, k.baseline.y, 1e-9);
  EXPECT_NEAR(a.m21 / dl, k.down.x, 1e-9);
  EXPECT_NEAR(a.m22 / dl, k.down.y, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Escapement,
    ::testing::Values(EscapementCase{MapMode::HiMetric, 0, {1, 0}, {0, 1}},
                      EscapementCase{MapMode::HiMetric, 900, {0, 1}, {-1, 0}},
                      EscapementCase{MapMode::HiMetric, 2700, {0, -1}, {1, 0}},
                      EscapementCase{MapMode::LoMetric, 900, {0, 1}, {-1, 0}},
                      EscapementCase{MapMode::Text, 0, {1, 0}, {0, 1}},
                      EscapementCase{MapMode::Text, 900, {0, -1}, {1, 0}},
                      EscapementCase{MapMode::Text, 2700, {0, 1}, {-1, 0}}));

TEST(Text, CarriesEmWidthAdvancesAndState) {
  const auto emf = makeEmf([](EmfWriter& w) {
    w.setMapMode(MapMode::HiMetric);
    selectFont(w, "@ＭＳ 明朝", 300, 2700, 120);
    w.setTextColor(rgb(255, 0, 0));
    w.setBkMode(BkMode::Transparent);
    const int32_t dx[] = {310, 290};
    w.extTextOut({1000, -2000}, 0, nullptr, sj("あA"), dx);
  });
  const RecordingCanvas c = play(emf);
  const auto texts = c.of("text");
  ASSERT_EQ(texts.size(), 1u);
  const TextRun& run = texts[0]->run;
  EXPECT_EQ(run.text, u"あA");
  EXPECT_EQ(run.font.faceName, "@ＭＳ 明朝");
  EXPECT_DOUBLE_EQ(run.em, 300);
  EXPECT_DOUBLE_EQ(run.widthScale, 0.8);
  EXPECT_EQ(run.advances, (std::vector<double>{310, 290}));
  EXPECT_EQ(run.color, rgb(255, 0, 0));
  EXPECT_FALSE(run.opaque);
  expectNear(run.toDevice.map({0, 0}), 100, 200);
  // 0.1 device pixel per logical unit along the baseline.
  EXPECT_NEAR(std::hypot(run.toDevice.m11, run.toDevice.m12), 0.1, 1e-9);
}

TEST(Text, UpdateCpMovesTheCurrentPositionAlongTheBaseline) {
  const auto emf = makeEmf([](EmfWriter& w) {
    selectFont(w, "ＭＳ 明朝", 20, 0);
    w.setTextAlign(TextAlign::UpdateCP);
    w.moveTo({50, 60});
    const int32_t dx[] = {20, 20};
    w.extTextOut({0, 0}, 0, nullptr, sj("ab"), dx);
    w.extTextOut({0, 0}, 0, nullptr, sj("c"), std::span<const int32_t>(dx, 1));
  });
  const RecordingCanvas canvas = play(emf);
  const auto texts = canvas.of("text");
  ASSERT_EQ(texts.size(), 2u);
  expectNear(texts[0]->run.toDevice.map({0, 0}), 50, 60);
  expectNear(texts[1]->run.toDevice.map({0, 0}), 90, 60);
}

TEST(State, SaveAndRestoreBringBackMappingAndClip) {
  const auto emf = makeEmf([](EmfWriter& w) {
    w.setMapMode(MapMode::HiMetric);
    w.saveDC();
    w.setMapMode(MapMode::Text);
    w.setPixelV({10, 10}, 0);
    w.restoreDC(-1);
    w.setPixelV({10, -10}, 0);
  });
  const RecordingCanvas c = play(emf);
  const auto px = c.of("pixel");
  ASSERT_EQ(px.size(), 2u);
  expectNear(px[0]->point, 10, 10);
  expectNear(px[1]->point, 1, 1);
  ASSERT_EQ(c.of("saveClip").size(), 1u);
  ASSERT_EQ(c.of("restoreClip").size(), 1u);
  EXPECT_EQ(c.of("restoreClip")[0]->levels, 1);
}

TEST(State, RestoreBeyondTheSavesIsIgnored) {
  const auto emf = withBeforeEof(makeEmf([](EmfWriter&) {}), record(t(RecordType::RestoreDc), {uint32_t(-3)}));
  const RecordingCanvas c = play(emf);
  EXPECT_TRUE(c.of("restoreClip").empty());
}

TEST(State, SavesKeepTheSelectedPaletteWithoutCopyingIt) {
  // A 1 × 1 eight-bit DIB whose one pixel is palette index 1.
  std::vector<uint8_t> info;
  writeU32LE(info, 40);
  writeI32LE(info, 1);
  writeI32LE(info, 1);
  writeU16LE(info, 1);
  writeU16LE(info, 8);
  for (int i = 0; i < 4; ++i) writeU32LE(info, 0);
  writeU32LE(info, 2);  // two colour-table entries,
  writeU32LE(info, 0);
  writeU16LE(info, 0);  // as indices into the selected palette
  writeU16LE(info, 1);
  const std::vector<uint8_t> bits{1, 0, 0, 0};
  // The largest palette a record holds, selected, then saved many times:
  // each save used to copy all of its entries.
  std::vector<PaletteEntry> entries(65535, PaletteEntry{0, 0, 0, 0});
  entries[1] = {255, 0, 0, 0};
  auto emf = makeEmf([&entries](EmfWriter& w) {
    w.selectPalette(w.createPalette(entries), false);
  });
  std::vector<uint8_t> saves;
  for (int i = 0; i < 20000; ++i) {
    const auto r = record(t(RecordType::SaveDc), {});
    saves.insert(saves.end(), r.begin(), r.end());
  }
  emf = withBeforeEof(emf, saves, 20000);
  // The drawing record of a second metafile, without its header and EOF.
  const auto blit = makeEmf([&](EmfWriter& w) {
    w.stretchDIBits({0, 0, 1, 1}, {0, 0, 1, 1}, info, bits, DibUsage::PalColors, RasterOp::SrcCopy);
  });
  const size_t headerSize = ByteView(blit).u32(4);
  emf = withBeforeEof(emf, std::vector<uint8_t>(blit.begin() + headerSize, blit.end() - 20));
  const RecordingCanvas c = play(emf);
  const auto images = c.of("image");
  ASSERT_EQ(images.size(), 1u);
  ASSERT_EQ(images[0]->image.pixels.size(), 1u);
  EXPECT_EQ(images[0]->image.pixels[0], 0xFFFF0000u);
}

TEST(Objects, APenOfMoreThanSixteenStyleEntriesIsNotMade) {
  // EMR_EXTCREATEPEN: ihPen, offBmi, cbBmi, offBits, cbBits, then a
  // geometric PS_USERSTYLE pen of one logical unit with n style entries.
  auto pen = [](uint32_t handle, uint32_t n) {
    std::vector<uint32_t> f{handle, 0, 0, 0, 0, 0x00010007, 1, 0, 0, 0, n};
    std::vector<uint8_t> r;
    writeU32LE(r, t(RecordType::ExtCreatePen));
    writeU32LE(r, static_cast<uint32_t>(8 + 4 * (f.size() + n)));
    for (uint32_t v : f) writeU32LE(r, v);
    for (uint32_t i = 0; i < n; ++i) writeU32LE(r, 5);
    return r;
  };
  auto emf = makeEmf([](EmfWriter&) {});
  emf = withBeforeEof(emf, pen(1, 16));
  emf = withBeforeEof(emf, record(t(RecordType::SelectObject), {1}));
  emf = withBeforeEof(emf, record(t(RecordType::LineTo), {10, 0}));
  emf = withBeforeEof(emf, pen(2, 17));
  emf = withBeforeEof(emf, record(t(RecordType::SelectObject), {2}));
  emf = withBeforeEof(emf, record(t(RecordType::LineTo), {10, 10}));
  const RecordingCanvas c = play(emf);
  const auto strokes = c.of("stroke");
  ASSERT_EQ(strokes.size(), 2u);
  EXPECT_EQ(strokes[0]->strokeStyle.dash.size(), 16u);
  // The second pen was never made: the first one still draws.
  EXPECT_EQ(strokes[1]->strokeStyle.dash.size(), 16u);
}

TEST(Objects, PensAndBrushesAsGdiMakesThem) {
  const auto emf = makeEmf([](EmfWriter& w) {
    w.setMapMode(MapMode::HiMetric);
    const ObjectHandle dashed = w.createPen({PenStyle::Dash, 0, rgb(0, 0, 255)});
    w.selectObject(dashed);
    w.selectObject(stockObject(StockObject::NullBrush));
    w.rectangle({0, 0, 100, -100});
    const ObjectHandle wide = w.createPen({PenStyle::Dash, 30, 0});  // 3 device pixels
    w.selectObject(wide);
    const ObjectHandle hatch = w.createBrush({BrushStyle::Hatched, rgb(255, 0, 0), HatchStyle::Cross});
    w.selectObject(hatch);
    w.rectangle({0, 0, 100, -100});
  });
  const RecordingCanvas c = play(emf);
  const auto strokes = c.of("stroke");
  ASSERT_EQ(strokes.size(), 2u);
  EXPECT_EQ(strokes[0]->strokeStyle.dash, (std::vector<double>{18, 6}));
  EXPECT_DOUBLE_EQ(strokes[0]->strokeStyle.width, 1);
  EXPECT_EQ(strokes[0]->strokeStyle.color, rgb(0, 0, 255));
  // A plain pen wider than a device pixel draws solid.
  EXPECT_TRUE(strokes[1]->strokeStyle.dash.empty());
  EXPECT_DOUBLE_EQ(strokes[1]->strokeStyle.width, 3);
  const auto fills = c.of("fill");
  ASSERT_EQ(fills.size(), 1u);  // the null brush filled nothing
  EXPECT_EQ(fills[0]->fillStyle.kind, FillStyle::Kind::Hatch);
  EXPECT_EQ(fills[0]->fillStyle.hatch, HatchStyle::Cross);
  EXPECT_TRUE(fills[0]->fillStyle.opaqueGaps);  // the default background mode
}

TEST(Objects, InsideFramePenStaysInsideTheBox) {
  const auto emf = makeEmf([](EmfWriter& w) {
    w.selectObject(w.createPen({PenStyle::InsideFrame, 10, 0}));
    w.rectangle({0, 0, 100, 100});
  });
  const RecordingCanvas canvas = play(emf);
  const auto strokes = canvas.of("stroke");
  ASSERT_EQ(strokes.size(), 1u);
  expectNear(strokes[0]->path.points()[0], 5, 5);
  expectNear(strokes[0]->path.points()[2], 95, 95);
}

TEST(Objects, ADeletedObjectStaysSelectedAndUnknownHandlesChangeNothing) {
  auto emf = makeEmf([](EmfWriter& w) {
    const ObjectHandle red = w.createBrush({BrushStyle::Solid, rgb(255, 0, 0), HatchStyle::Horizontal});
    w.selectObject(red);
    w.selectObject(stockObject(StockObject::NullPen));
  });
  // Delete the selected brush, select a handle nobody made, draw.
  emf = withBeforeEof(emf, record(t(RecordType::DeleteObject), {1}));
  emf = withBeforeEof(emf, record(t(RecordType::SelectObject), {77}));
  emf = withBeforeEof(emf, record(t(RecordType::Rectangle), {0, 0, 10, 10}));
  const RecordingCanvas c = play(emf);
  const auto fills = c.of("fill");
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0]->fillStyle.color, rgb(255, 0, 0));
  EXPECT_TRUE(c.of("stroke").empty());
}

TEST(Records, UnknownRecordsAreSkipped) {
  auto emf = makeEmf([](EmfWriter&) {});
  emf = withBeforeEof(emf, record(0x7777, {1, 2, 3}));
  emf = withBeforeEof(emf, record(t(RecordType::GdiComment), {4, 0x41414141}));
  emf = withBeforeEof(emf, record(t(RecordType::SetPixelV), {3, 4, 0xFF}));
  PlayResult r;
  const RecordingCanvas c = play(emf, &r);
  EXPECT_TRUE(r.complete);
  ASSERT_EQ(c.of("pixel").size(), 1u);
  EXPECT_EQ(c.of("pixel")[0]->color, rgb(255, 0, 0));
}

TEST(Records, ShortRecordsOfKnownTypesAreSkipped) {
  auto emf = makeEmf([](EmfWriter&) {});
  emf = withBeforeEof(emf, record(t(RecordType::Rectangle), {1, 2}));
  emf = withBeforeEof(emf, record(t(RecordType::ExtTextOutW), {1, 2, 3}));
  emf = withBeforeEof(emf, record(t(RecordType::StretchDiBits), {0}));
  emf = withBeforeEof(emf, record(t(RecordType::Polygon), {0, 0, 0, 0, 1000000}));
  PlayResult r;
  const RecordingCanvas c = play(emf, &r);
  EXPECT_TRUE(r.complete);
  EXPECT_TRUE(c.calls.empty());
}

TEST(Records, ATruncatedFileDrawsWhatCameBefore) {
  auto emf = makeEmf([](EmfWriter& w) {
    w.setPixelV({1, 1}, 0);
    w.setPixelV({2, 2}, 0);
  });
  emf.resize(emf.size() - 30);  // into the second pixel record
  PlayResult r;
  const RecordingCanvas c = play(emf, &r);
  EXPECT_TRUE(r.ok);
  EXPECT_FALSE(r.complete);
  EXPECT_FALSE(r.error.empty());
  EXPECT_EQ(c.of("pixel").size(), 1u);
}

TEST(Records, HostileGeometryNeverReachesTheCanvas) {
  auto emf = makeEmf([](EmfWriter& w) { w.setMapMode(MapMode::Anisotropic); });
  const uint32_t big = 0x7FFFFFFF;
  emf = withBeforeEof(emf, record(t(RecordType::SetViewportExtEx), {big, big}));
  emf = withBeforeEof(emf, record(t(RecordType::SetWindowExtEx), {1, 1}));
  emf = withBeforeEof(emf, record(t(RecordType::Rectangle), {0, 0, big, big}));
  emf = withBeforeEof(emf, record(t(RecordType::SetPixelV), {big, big, 0}));
  // A world transform of infinities and one that is singular are refused.
  emf = withBeforeEof(emf, record(t(RecordType::SetWorldTransform),
                                  {0x7F800000, 0, 0, 0x7F800000, 0, 0}));
  emf = withBeforeEof(emf, record(t(RecordType::SetWorldTransform), {0, 0, 0, 0, 0, 0}));
  const RecordingCanvas c = play(emf);
  for (const auto& call : c.calls) EXPECT_TRUE(call.path.bounded(1e7)) << call.what;
  EXPECT_TRUE(c.of("pixel").empty());
}

TEST(Bitmaps, StretchDibitsMapsTheTopRowToTheTopOfTheDestination) {
  const auto [info, bits] = testing::dib24(2, {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}});
  const auto emf = makeEmf([&info, &bits](EmfWriter& w) {
    w.stretchDIBits({100, 200, 40, 20}, {0, 0, 2, 2}, info, bits, DibUsage::RgbColors,
                    RasterOp::SrcAnd);
  });
  const RecordingCanvas canvas = play(emf);
  const auto images = canvas.of("image");
  ASSERT_EQ(images.size(), 1u);
  const RgbaImage& img = images[0]->image;
  ASSERT_EQ(img.width, 2);
  ASSERT_EQ(img.height, 2);
  EXPECT_EQ(img.pixels[0], 0xFFFF0000u);  // top left: red
  EXPECT_EQ(img.pixels[2], 0xFF0000FFu);  // bottom left: blue
  EXPECT_EQ(images[0]->rop, RasterOp::SrcAnd);
  expectNear(images[0]->transform.map({0, 0}), 100, 200);
  expectNear(images[0]->transform.map({2, 2}), 140, 220);
}

TEST(Paths, TextInABracketBecomesItsOutlineAndClipsByMode) {
  const auto emf = makeEmf([](EmfWriter& w) {
    selectFont(w, "ＭＳ ゴシック", 20, 0);
    w.beginPath();
    w.textOut({10, 10}, sj("袋"));
    w.endPath();
    w.strokePath();
    w.beginPath();
    w.rectangle({0, 0, 5, 5});
    w.endPath();
    w.selectClipPath(RegionMode::Diff);
    w.resetClip();
  });
  const RecordingCanvas c = play(emf);
  ASSERT_EQ(c.of("outline").size(), 1u);
  EXPECT_TRUE(c.of("text").empty());
  ASSERT_EQ(c.of("stroke").size(), 1u);
  expectNear(c.of("stroke")[0]->path.points()[0], 10, 10);
  ASSERT_EQ(c.of("clip").size(), 1u);
  EXPECT_EQ(c.of("clip")[0]->mode, RegionMode::Diff);
  EXPECT_EQ(c.of("resetClip").size(), 1u);
}

TEST(Paths, DrawingOutsideABracketIgnoresPathRecords) {
  const auto emf = makeEmf([](EmfWriter& w) {
    w.strokePath();  // no path yet
    w.beginPath();
    w.rectangle({0, 0, 5, 5});
    w.strokePath();  // not ended
    w.endPath();
    w.fillPath();
  });
  const RecordingCanvas c = play(emf);
  EXPECT_TRUE(c.of("stroke").empty());
  EXPECT_EQ(c.of("fill").size(), 1u);
}

}  // namespace
}  // namespace kumi::platform::player
