// Metafiles painted into images, checked pixel by pixel where it matters:
// glyphs inside their cells, the vertical forms of a turned run, GDI's hatch
// cells, tint-screen dots, ANDed and XORed bitmaps, WMFs with and without
// their placeable header, and raster operations on a vector device.
#include <gtest/gtest.h>

#include <QPicture>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/base/cp932.h"
#include "platform/player/font_book.h"
#include "platform/player/player.h"
#include "tests/emf_fixtures.h"
#include "tests/wmf_fixtures.h"

namespace kumi::platform::player {
namespace {

using testing::makeEmf;

constexpr QRgb kWhite = 0xFFFFFFFF;

std::string sj(const char* utf8) { return *utf8ToCp932(utf8); }

// The test picture at one device pixel per reference pixel.
QImage paint(const std::vector<uint8_t>& emf, QSize size = {1000, 1000}) {
  QImage img(size, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  std::string error;
  EXPECT_TRUE(paintEmf(p, emf, QRectF(0, 0, 1000, 1000), {}, &error)) << error;
  return img;
}

bool inked(QRgb c) { return qGray(c) < 128; }

int inkIn(const QImage& img, QRect r) {
  int n = 0;
  r = r.intersected(img.rect());
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) n += inked(img.pixel(x, y)) ? 1 : 0;
  }
  return n;
}

QPointF inkCentre(const QImage& img, QRect r) {
  double sx = 0, sy = 0;
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      if (inked(img.pixel(x, y))) sx += x, sy += y, ++n;
    }
  }
  return n == 0 ? QPointF(-1, -1) : QPointF(sx / n, sy / n);
}

void selectFont(EmfWriter& w, const char* face, int32_t height, int32_t escapement) {
  LogFont f;
  f.height = height;
  f.width = height / 2;
  f.escapement = f.orientation = escapement;
  f.faceName = face;
  w.selectObject(w.createFont(f));
}

TEST(Painting, EveryGlyphInksInsideItsCellOnly) {
  // 4 mm glyphs in MM_HIMETRIC: 40-pixel cells from (100, 100), as the
  // renderer draws them: top-left aligned, one advance per character.
  const char* text = "永あ国ア字";
  const auto emf = makeEmf([text](EmfWriter& w) {
    w.setMapMode(MapMode::HiMetric);
    w.setBkMode(BkMode::Transparent);
    selectFont(w, "ＭＳ 明朝", 400, 0);
    const int32_t dx[] = {400, 400, 400, 400, 400};
    w.extTextOut({1000, -1000}, 0, nullptr, sj(text), dx);
  });
  const QImage img = paint(emf);
  for (int k = 0; k < 5; ++k) {
    EXPECT_GT(inkIn(img, QRect(100 + 40 * k, 100, 40, 40)), 40) << "cell " << k;
  }
  const int all = inkIn(img, QRect(0, 0, 1000, 1000));
  EXPECT_EQ(inkIn(img, QRect(99, 99, 202, 42)), all);  // nothing outside the cells
}

TEST(Painting, TurnedVerticalRunTakesTheVerticalForms) {
  // The renderer's vertical run: the @ face at escapement 900, drawn at
  // (x + em, y) top-left aligned, stands upright in cells going down.
  const auto emf = makeEmf([](EmfWriter& w) {
    w.setMapMode(MapMode::HiMetric);
    w.setBkMode(BkMode::Transparent);
    selectFont(w, "@ＭＳ 明朝", 400, 900);
    const int32_t dx[] = {400, 400, 400};
    w.extTextOut({1000 + 400, -1000}, 0, nullptr, sj("永、。"), dx);
  });
  const QImage img = paint(emf);
  for (int k = 0; k < 3; ++k) {
    EXPECT_GT(inkIn(img, QRect(100, 100 + 40 * k, 40, 40)), 5) << "cell " << k;
  }
  EXPECT_EQ(inkIn(img, QRect(99, 99, 42, 122)), inkIn(img, QRect(0, 0, 1000, 1000)));
  // In their vertical forms 、 and 。 sit in the top right of their cells;
  // their horizontal forms, turned, would not.
  for (int k = 1; k < 3; ++k) {
    const QPointF c = inkCentre(img, QRect(100, 100 + 40 * k, 40, 40));
    EXPECT_GT(c.x(), 100 + 20) << "cell " << k;
    EXPECT_LT(c.y(), 100 + 40 * k + 20) << "cell " << k;
  }
}

TEST(Painting, BoldWeightsEmboldenAFaceThatHasNoBold) {
  // The IPA faces have no bold: weight 800 must thicken the strokes.
  auto ink = [](int32_t weight) {
    const auto emf = makeEmf([weight](EmfWriter& w) {
      w.setMapMode(MapMode::HiMetric);
      w.setBkMode(BkMode::Transparent);
      LogFont f;
      f.height = 400;
      f.width = 200;
      f.weight = weight;
      f.faceName = "ＭＳ 明朝";
      w.selectObject(w.createFont(f));
      const int32_t dx[] = {400, 400, 400};
      w.extTextOut({1000, -1000}, 0, nullptr, sj("永国書"), dx);
    });
    return inkIn(paint(emf), QRect(90, 90, 140, 60));
  };
  const int regular = ink(0), bold = ink(800);
  EXPECT_GT(regular, 200);
  EXPECT_GT(bold, regular * 5 / 4) << regular << " " << bold;
}

TEST(FontBook, NamesOfOneInstalledFaceShareIt) {
  // However many names a file gives, there is one face per installed
  // family, direction and weight.
  FontBook book;
  LogFont a, b, c;
  a.faceName = "ＭＳ 明朝";
  b.faceName = "ＭＳ Ｐ明朝";
  c.faceName = "@ＭＳ 明朝";
  EXPECT_EQ(&book.face(a), &book.face(b));
  EXPECT_NE(&book.face(a), &book.face(c));
  b.weight = 700;
  EXPECT_NE(&book.face(a), &book.face(b));
}

TEST(Painting, HatchesAreGdisEightPixelCells) {
  // Each style fills a 64-pixel square at a multiple of 8 in MM_TEXT; the
  // expected cell rows are what GDI draws, '#' for the line colour.
  const char* cells[6][8] = {
      {"........", "........", "........", "########", "........", "........", "........", "........"},
      {"....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#..."},
      {"#.......", ".#......", "..#.....", "...#....", "....#...", ".....#..", "......#.", ".......#"},
      {".......#", "......#.", ".....#..", "....#...", "...#....", "..#.....", ".#......", "#......."},
      {"....#...", "....#...", "....#...", "########", "....#...", "....#...", "....#...", "....#..."},
      {"#......#", ".#....#.", "..#..#..", "...##...", "...##...", "..#..#..", ".#....#.", "#......#"},
  };
  const auto emf = makeEmf([](EmfWriter& w) {
    w.selectObject(stockObject(StockObject::NullPen));
    w.setBkMode(BkMode::Transparent);
    for (uint32_t s = 0; s < 6; ++s) {
      w.selectObject(w.createBrush({BrushStyle::Hatched, rgb(0, 0, 0), static_cast<HatchStyle>(s)}));
      w.rectangle({int32_t(80 * s), 0, int32_t(80 * s + 64), 64});
    }
  });
  const QImage img = paint(emf);
  for (int s = 0; s < 6; ++s) {
    for (int y = 8; y < 56; ++y) {
      for (int x = 8; x < 56; ++x) {
        const bool want = cells[s][y % 8][x % 8] == '#';
        ASSERT_EQ(inked(img.pixel(80 * s + x, y)), want) << "style " << s << " at " << x << "," << y;
      }
    }
  }
}

TEST(Painting, OpaqueHatchGapsTakeTheBackgroundColour) {
  const auto emf = makeEmf([](EmfWriter& w) {
    w.selectObject(stockObject(StockObject::NullPen));
    w.setBkColor(rgb(255, 0, 0));
    w.selectObject(w.createBrush({BrushStyle::Hatched, rgb(0, 0, 255), HatchStyle::Horizontal}));
    w.rectangle({0, 0, 64, 64});
  });
  const QImage img = paint(emf);
  EXPECT_EQ(img.pixel(10, 11), qRgb(0, 0, 255));
  EXPECT_EQ(img.pixel(10, 12), qRgb(255, 0, 0));
}

TEST(Painting, TintScreenDotsAreSingleDevicePixels) {
  // Part of a tint screen as the renderer draws it: a dot every 37 logical
  // units of MM_HIMETRIC, 3.7 device pixels here.
  const auto emf = makeEmf([](EmfWriter& w) {
    w.setMapMode(MapMode::HiMetric);
    for (int x = 1000; x < 1300; x += 37) {
      for (int y = 1000; y < 1300; y += 37) w.setPixelV({x, -y}, rgb(0, 0, 0));
    }
  });
  const QImage img = paint(emf);
  int dots = 0;
  for (int x = 1000; x < 1300; x += 37) {
    for (int y = 1000; y < 1300; y += 37) {
      const int px = int(std::floor(x / 10.0 + 0.5)), py = int(std::floor(y / 10.0 + 0.5));
      EXPECT_TRUE(inked(img.pixel(px, py))) << px << "," << py;
      ++dots;
    }
  }
  EXPECT_EQ(inkIn(img, QRect(0, 0, 1000, 1000)), dots);
}

// Orange paper, then a 2 × 2 bitmap of white, black, green and blue
// combined with it by each raster operation.
std::vector<uint8_t> ropPage(uint32_t rop) {
  const auto [info, bits] = testing::dib24(2, {{0xFFFFFF, 0x000000}, {0x00FF00, 0x0000FF}});
  return makeEmf([&info, &bits, rop](EmfWriter& w) {
    w.selectObject(w.createBrush({BrushStyle::Solid, rgb(255, 128, 0), HatchStyle::Horizontal}));
    w.selectObject(stockObject(StockObject::NullPen));
    w.rectangle({0, 0, 200, 200});
    w.stretchDIBits({50, 50, 100, 100}, {0, 0, 2, 2}, info, bits, DibUsage::RgbColors, rop);
  });
}

struct RopCase {
  uint32_t rop;
  QRgb white, black, green, blue;  // what each bitmap pixel leaves on the orange
};

class RasterOps : public ::testing::TestWithParam<RopCase> {};

void expectRop(const QImage& img, const RopCase& k) {
  EXPECT_EQ(img.pixel(75, 75), k.white);
  EXPECT_EQ(img.pixel(125, 75), k.black);
  EXPECT_EQ(img.pixel(75, 125), k.green);
  EXPECT_EQ(img.pixel(125, 125), k.blue);
  EXPECT_EQ(img.pixel(25, 25), qRgb(255, 128, 0));
}

TEST_P(RasterOps, CombineWithThePageOnARasterDevice) {
  expectRop(paint(ropPage(GetParam().rop)), GetParam());
}

TEST_P(RasterOps, CombineWithThePageOnAVectorDevice) {
  // A picture records like a printer: it has no pixels to combine with, so
  // the player hands it the page as a raster device shows it there.
  QPicture picture;
  {
    QPainter p(&picture);
    EXPECT_TRUE(paintEmf(p, ropPage(GetParam().rop), QRectF(0, 0, 1000, 1000)));
  }
  QImage img(1000, 1000, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    p.drawPicture(0, 0, picture);
  }
  expectRop(img, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RasterOps,
    ::testing::Values(RopCase{RasterOp::SrcCopy, kWhite, qRgb(0, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)},
                      RopCase{RasterOp::SrcAnd, qRgb(255, 128, 0), qRgb(0, 0, 0), qRgb(0, 128, 0),
                              qRgb(0, 0, 0)},
                      RopCase{RasterOp::SrcInvert, qRgb(0, 127, 255), qRgb(255, 128, 0),
                              qRgb(255, 127, 0), qRgb(255, 128, 255)}));

TEST(Painting, WmfWithAndWithoutPlaceableHeaderLookTheSame) {
  using wmf::Function;
  testing::WmfBuilder b;
  b.rec(Function::SetWindowOrg, {0, 0});
  b.rec(Function::SetWindowExt, {100, 200});
  std::vector<uint8_t> brush;
  writeU16LE(brush, 0);
  writeU32LE(brush, rgb(0, 0, 255));
  writeU16LE(brush, 0);
  b.raw(Function::CreateBrushIndirect, brush);
  b.rec(Function::SelectObject, {0});
  b.rec(Function::Ellipse, {90, 190, 10, 10});
  auto draw = [](const std::vector<uint8_t>& wmf) {
    QImage img(200, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    std::string error;
    EXPECT_TRUE(paintMetafile(p, wmf, QRectF(0, 0, 200, 100), {}, &error)) << error;
    return img;
  };
  const QImage plain = draw(b.finish());
  const QImage placed = draw(b.finish(wmf::Placeable{0, 0, 200, 100, 1440}));
  EXPECT_EQ(plain, placed);
  EXPECT_EQ(plain.pixel(100, 50), qRgb(0, 0, 255));
  EXPECT_EQ(plain.pixel(3, 3), kWhite);
}

TEST(Painting, PainterClipAndStateSurviveThePlay) {
  const auto emf = makeEmf([](EmfWriter& w) {
    w.selectObject(stockObject(StockObject::BlackBrush));
    w.rectangle({0, 0, 1000, 1000});
  });
  QImage img(100, 100, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setClipRect(0, 0, 50, 100);
  p.translate(3, 4);
  const QTransform before = p.transform();
  EXPECT_TRUE(paintEmf(p, emf, QRectF(-3, -4, 100, 100)));
  EXPECT_EQ(p.transform(), before);
  EXPECT_TRUE(p.hasClipping());
  p.end();
  EXPECT_EQ(img.pixel(25, 50), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(75, 50), kWhite);
}

TEST(Painting, BrokenFilesDrawWhatIsSoundAndSayWhy) {
  auto emf = makeEmf([](EmfWriter& w) {
    w.selectObject(stockObject(StockObject::BlackBrush));
    w.rectangle({0, 0, 100, 100});
  });
  emf.resize(emf.size() - 8);
  QImage img(100, 100, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  std::string error;
  EXPECT_TRUE(paintEmf(p, emf, QRectF(0, 0, 1000, 1000), {}, &error));
  EXPECT_FALSE(error.empty());
  const std::vector<uint8_t> junk(64, 7);
  EXPECT_FALSE(paintMetafile(p, junk, QRectF(0, 0, 10, 10), {}, &error));
  p.end();
  EXPECT_EQ(img.pixel(5, 5), qRgb(0, 0, 0));
}

TEST(Painting, RenderEmfMakesAnImageOfTheFrameAtTheResolution) {
  const auto emf = makeEmf([](EmfWriter&) {});
  const auto img = renderEmf(emf, 254);  // 100 mm at 10 pixels a millimetre
  ASSERT_TRUE(img);
  EXPECT_EQ(img->size(), QSize(1000, 1000));
  std::string error;
  EXPECT_FALSE(renderEmf(emf, 1e6, {}, &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace kumi::platform::player

namespace kumi::platform::player {
namespace {

// The saved fuzz corpora and damaged copies of them, painted: whatever the
// interpreter lets through, the painter survives it.
TEST(Painting, DamagedFilesNeverCrashThePainter) {
  std::vector<std::vector<uint8_t>> files;
  for (const char* dir : {KUMI_FUZZ_CORPUS "/emf_player_fuzz", KUMI_FUZZ_CORPUS "/emf_fuzz",
                          KUMI_FUZZ_CORPUS "/wmf_fuzz"}) {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
      std::ifstream in(e.path(), std::ios::binary);
      files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  ASSERT_GE(files.size(), 4u);
  std::mt19937 rng(20261211);
  QImage img(300, 300, QImage::Format_RGB32);
  size_t painted = 0;
  for (const auto& original : files) {
    for (int round = 0; round < 60; ++round) {
      std::vector<uint8_t> bytes = original;
      // Keep the headers, damage the records: random 32-bit words.
      for (int k = 0; k < 4 && bytes.size() > 140; ++k) {
        const size_t at = 120 + (rng() % (bytes.size() - 124)) / 4 * 4;
        putU32LE(bytes, at, rng() % 3 == 0 ? rng() : rng() % 512);
      }
      img.fill(Qt::white);
      QPainter p(&img);
      painted += paintMetafile(p, bytes, QRectF(0, 0, 300, 300)) ? 1 : 0;
    }
  }
  EXPECT_GT(painted, files.size() * 30);
}

}  // namespace
}  // namespace kumi::platform::player
