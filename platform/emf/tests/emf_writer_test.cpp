#include "platform/emf/emf_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "platform/emf/emf_reader.h"

namespace kumi::platform {
namespace {

using emf::RecordLoop;
using emf::RecordType;
using emf::RecordView;

// The virtual printer's printable area: 4760 × 6814 pixels, 201 × 288 mm.
const ReferenceDevice kA4{4760, 6814, 201, 288, 0, 0};
const Rect kFrame{-423, -423, 20577, 29277};

std::vector<RecordView> records(const std::vector<uint8_t>& file) {
  RecordLoop loop(file);
  std::vector<RecordView> out;
  while (auto r = loop.next()) out.push_back(*r);
  EXPECT_EQ(loop.error(), "");
  EXPECT_TRUE(loop.sawEof());
  return out;
}

std::vector<RecordView> ofType(const std::vector<RecordView>& all, RecordType type) {
  std::vector<RecordView> out;
  for (const RecordView& r : all) {
    if (r.is(type)) out.push_back(r);
  }
  return out;
}

TEST(EmfWriter, HeaderCountsWhatFollowsIt) {
  EmfWriter w(kA4, kFrame, "kumidesk 組版ページ");
  w.setMapMode(MapMode::HiMetric);
  const ObjectHandle pen = w.createPen({PenStyle::Solid, 0, rgb(0, 0, 0)});
  const ObjectHandle brush = w.createBrush({BrushStyle::Solid, rgb(1, 2, 3), HatchStyle::Cross});
  w.selectObject(pen);
  w.selectObject(brush);
  w.rectangle({1000, -1000, 2000, -3000});
  const std::vector<uint8_t>& file = w.finish();

  const auto all = records(file);
  const auto h = emf::decodeHeader(file);
  ASSERT_TRUE(h);
  EXPECT_EQ(h->records, all.size());
  EXPECT_EQ(h->bytes, file.size());
  EXPECT_EQ(h->handles, 3);  // two objects and the reserved index 0
  EXPECT_EQ(h->frame, kFrame);
  EXPECT_EQ(h->device, (Size{4760, 6814}));
  EXPECT_EQ(h->millimeters, (Size{201, 288}));
  ASSERT_TRUE(h->hasMicrometers);
  EXPECT_EQ(h->micrometers, (Size{201000, 288000}));
  EXPECT_EQ(h->description, u"kumidesk 組版ページ");
  // The rectangle in device pixels: 10 mm is 10 × 4760 / 201 ≈ 236.8.
  EXPECT_NEAR(h->bounds.left, 236, 2);
  EXPECT_NEAR(h->bounds.right, 474, 2);
  EXPECT_NEAR(h->bounds.top, 236, 2);
  EXPECT_NEAR(h->bounds.bottom, 711, 2);
  EXPECT_TRUE(all.back().is(RecordType::Eof));
  EXPECT_EQ(emf::fieldU32(all.back(), 2), 20u);  // SizeLast
}

TEST(EmfWriter, EmptyPictureHasGdisEmptyBounds) {
  EmfWriter w(kA4, kFrame, "");
  const auto h = emf::decodeHeader(w.finish());
  ASSERT_TRUE(h);
  EXPECT_EQ(h->bounds, (Rect{0, 0, -1, -1}));
  EXPECT_EQ(h->records, 2u);
  EXPECT_TRUE(h->description.empty());
}

TEST(EmfWriter, FontRecordCarriesEveryLogFontField) {
  EmfWriter w(kA4, kFrame, "");
  LogFont f;
  f.height = -300;
  f.width = 150;
  f.escapement = 2700;
  f.orientation = 2700;
  f.weight = 800;
  f.italic = true;
  f.charSet = CharSet::ShiftJis;
  f.quality = FontQuality::Proof;
  f.faceName = "@ＭＳ 明朝";
  const ObjectHandle h = w.createFont(f);
  ASSERT_TRUE(h);
  const auto fonts = ofType(records(w.finish()), RecordType::ExtCreateFontIndirectW);
  ASSERT_EQ(fonts.size(), 1u);
  EXPECT_EQ(fonts[0].bytes.size(), 332u);
  const auto decoded = emf::decodeFont(fonts[0]);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->handle, h.value);
  EXPECT_EQ(decoded->font, f);
}

TEST(EmfWriter, LongFaceNameIsCutToThirtyOneUnits) {
  EmfWriter w(kA4, kFrame, "");
  LogFont f;
  f.faceName = std::string(40, 'x');
  const ObjectHandle h = w.createFont(f);
  EXPECT_EQ(w.fontOf(h)->faceName, std::string(31, 'x'));
  const auto fonts = ofType(records(w.finish()), RecordType::ExtCreateFontIndirectW);
  EXPECT_EQ(emf::decodeFont(fonts[0])->font.faceName, std::string(31, 'x'));
}

// Text is given in CP932 and stored as UTF-16 with one advance a character.
struct TextCase {
  const char* name;
  std::string cp932;
  std::vector<int32_t> dx;
  std::u16string utf16;
  std::vector<int32_t> expectedDx;
};

class EmfWriterText : public ::testing::TestWithParam<TextCase> {};

TEST_P(EmfWriterText, StoresUtf16AndAdvances) {
  const TextCase& c = GetParam();
  EmfWriter w(kA4, kFrame, "");
  w.setMapMode(MapMode::HiMetric);
  LogFont f;
  f.height = 300;
  f.width = 150;
  w.selectObject(w.createFont(f));
  w.extTextOut({100, -200}, 0, nullptr, c.cp932, c.dx);
  const auto texts = ofType(records(w.finish()), RecordType::ExtTextOutW);
  ASSERT_EQ(texts.size(), 1u);
  const auto t = emf::decodeText(texts[0]);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->text, c.utf16);
  EXPECT_EQ(t->dx, c.expectedDx);
  EXPECT_EQ(t->reference, (Point{100, -200}));
  EXPECT_FLOAT_EQ(t->exScale, 1.0f);  // logical units are 0.01 mm, y up
  EXPECT_FLOAT_EQ(t->eyScale, -1.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EmfWriterText,
    ::testing::Values(
        TextCase{"double_byte_natural", "\x91\x67\x94\xC5", {}, u"組版", {300, 300}},
        TextCase{"mixed_widths", "A\x82\xA0\xB6", {}, u"Aあｶ", {150, 300, 150}},
        TextCase{"given_advances", "\x82\xA0\x82\xA2", {280, 320}, u"あい", {280, 320}},
        // A byte CP932 does not define still takes one character's place.
        TextCase{"undefined_byte", "a\xA0" "b", {}, u"a\uFFFDb", {150, 150, 150}},
        // A lead byte at the very end stands alone.
        TextCase{"cut_lead_byte", "a\x82", {}, u"a\uFFFD", {150, 150}},
        TextCase{"wrong_dx_count_falls_back", "\x82\xA0", {1, 2, 3}, u"あ", {300}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EmfWriter, WithoutWidthTheHeightIsTheFullAdvance) {
  EmfWriter w(kA4, kFrame, "");
  LogFont f;
  f.height = -240;
  w.selectObject(w.createFont(f));
  w.textOut({0, 0}, "\x82\xA0" "a");
  const auto t = emf::decodeText(ofType(records(w.finish()), RecordType::ExtTextOutW)[0]);
  EXPECT_EQ(t->dx, (std::vector<int32_t>{240, 120}));
}

TEST(EmfWriter, UpdateCpStopsAtTheEdgeOfTheCoordinates) {
  EmfWriter w(kA4, kFrame, "");
  w.setTextAlign(TextAlign::UpdateCP);
  const int32_t far[] = {2000000000};
  w.extTextOut({0, 0}, 0, nullptr, "a", far);
  w.extTextOut({0, 0}, 0, nullptr, "a", far);
  EXPECT_EQ(w.state().currentPosition.x, INT32_MAX);
}

TEST(EmfWriter, ObjectsFollowGdiRules) {
  EmfWriter w(kA4, kFrame, "");
  const ObjectHandle a = w.createPen({PenStyle::Dash, 10, rgb(255, 0, 0)});
  const ObjectHandle b = w.createBrush({BrushStyle::Hatched, rgb(0, 0, 255), HatchStyle::DiagonalCross});
  EXPECT_EQ(a.value, 1u);
  EXPECT_EQ(b.value, 2u);
  EXPECT_EQ(w.selectObject(a), stockObject(StockObject::BlackPen));
  EXPECT_FALSE(w.deleteObject(a)) << "a selected object stays";
  EXPECT_EQ(w.selectObject(stockObject(StockObject::NullPen)), a);
  EXPECT_TRUE(w.deleteObject(a));
  EXPECT_FALSE(w.deleteObject(a)) << "deleted twice";
  EXPECT_FALSE(w.deleteObject(stockObject(StockObject::NullPen)));
  EXPECT_EQ(w.selectObject(ObjectHandle{77}), ObjectHandle{}) << "unknown handle";
  EXPECT_EQ(w.selectObject(a), ObjectHandle{}) << "deleted handle";
  // The freed index is used again, as GDI's metafile device does.
  EXPECT_EQ(w.createPen({}).value, 1u);

  // An object selected in a saved state is still in use.
  w.selectObject(b);
  EXPECT_EQ(w.saveDC(), 1);
  w.selectObject(stockObject(StockObject::WhiteBrush));
  EXPECT_FALSE(w.deleteObject(b));
  EXPECT_TRUE(w.restoreDC(-1));
  EXPECT_EQ(w.state().brush, b);
  const auto all = records(w.finish());
  EXPECT_EQ(ofType(all, RecordType::DeleteObject).size(), 1u);
  EXPECT_EQ(ofType(all, RecordType::SelectObject).size(), 4u);
}

TEST(EmfWriter, ObjectsTakeTheLowestFreeIndex) {
  EmfWriter w(kA4, kFrame, "");
  for (uint32_t i = 1; i <= 4; ++i) EXPECT_EQ(w.createPen({}).value, i);
  EXPECT_TRUE(w.deleteObject(ObjectHandle{3}));
  EXPECT_TRUE(w.deleteObject(ObjectHandle{2}));
  EXPECT_EQ(w.createPen({}).value, 2u);
  EXPECT_EQ(w.createPen({}).value, 3u);
  EXPECT_EQ(w.createPen({}).value, 5u);
}

TEST(EmfWriter, RestoreDcTakesRelativeOrAbsoluteDepths) {
  EmfWriter w(kA4, kFrame, "");
  w.setTextColor(rgb(1, 1, 1));
  w.saveDC();
  w.setTextColor(rgb(2, 2, 2));
  w.saveDC();
  w.setTextColor(rgb(3, 3, 3));
  EXPECT_FALSE(w.restoreDC(-3));
  EXPECT_FALSE(w.restoreDC(0));
  EXPECT_FALSE(w.restoreDC(3));
  EXPECT_TRUE(w.restoreDC(1));  // absolute: back to the first save
  EXPECT_EQ(w.state().textColor, rgb(1, 1, 1));
  EXPECT_FALSE(w.restoreDC(-1));
  const auto restores = ofType(records(w.finish()), RecordType::RestoreDc);
  ASSERT_EQ(restores.size(), 1u);
  EXPECT_EQ(static_cast<int32_t>(*emf::fieldU32(restores[0], 0)), -2);
}

TEST(EmfWriter, StretchDibitsKeepsHeaderTableAndBits) {
  EmfWriter w(kA4, kFrame, "");
  // 3 × 2, 8 bits a pixel, two colours: rows of 4 bytes.
  std::vector<uint8_t> info(40 + 8, 0);
  info[0] = 40;
  info[4] = 3;
  info[8] = 2;
  info[12] = 1;
  info[14] = 8;
  info[32] = 2;               // two colours used
  info[40 + 6] = 255;         // colour 1 red
  const std::vector<uint8_t> bits = {0, 1, 0, 9, 1, 0, 1, 9};
  EXPECT_TRUE(w.stretchDIBits({10, 20, 300, -200}, {0, 0, 3, 2}, info, bits, DibUsage::RgbColors,
                              RasterOp::SrcAnd));
  EXPECT_FALSE(w.stretchDIBits({}, {}, info, std::span(bits).first(7), DibUsage::RgbColors,
                               RasterOp::SrcCopy))
      << "bits shorter than the rows";
  EXPECT_FALSE(w.stretchDIBits({}, {}, std::span(info).first(44), bits, DibUsage::RgbColors,
                               RasterOp::SrcCopy))
      << "colour table cut off";
  const auto dibs = ofType(records(w.finish()), RecordType::StretchDiBits);
  ASSERT_EQ(dibs.size(), 1u);
  const auto d = emf::decodeStretchDib(dibs[0]);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->dest, (BlitRect{10, 20, 300, -200}));
  EXPECT_EQ(d->source, (BlitRect{0, 0, 3, 2}));
  EXPECT_EQ(d->rasterOp, RasterOp::SrcAnd);
  EXPECT_TRUE(std::equal(info.begin(), info.end(), d->bitmapInfo.begin(), d->bitmapInfo.end()));
  EXPECT_TRUE(std::equal(bits.begin(), bits.end(), d->bits.begin(), d->bits.end()));
}

TEST(EmfWriter, PathBoundsGoToThePathDrawing) {
  EmfWriter w(kA4, kFrame, "");
  w.setMapMode(MapMode::HiMetric);
  w.beginPath();
  const Point tri[] = {{1000, -1000}, {2000, -1000}, {1500, -2000}};
  w.polygon(tri);
  w.endPath();
  w.fillPath();
  const auto all = records(w.finish());
  const auto fill = ofType(all, RecordType::FillPath);
  ASSERT_EQ(fill.size(), 1u);
  const Rect b = *emf::fieldRect(fill[0], 0);
  EXPECT_EQ(b.left, 236);  // 10 mm
  EXPECT_EQ(b.right, 474);  // 20 mm
  EXPECT_EQ(emf::decodeHeader(w.finish())->bounds, b);
}

TEST(EmfWriter, APathLeftOpenIsAbortedBeforeTheEnd) {
  EmfWriter w(kA4, kFrame, "");
  w.beginPath();
  w.rectangle({0, 0, 10, 10});
  const auto all = records(w.finish());
  ASSERT_GE(all.size(), 2u);
  EXPECT_TRUE(all[all.size() - 2].is(RecordType::AbortPath));
}

TEST(EmfWriter, NothingIsRecordedAfterFinish) {
  EmfWriter w(kA4, kFrame, "");
  const size_t size = w.finish().size();
  w.rectangle({0, 0, 10, 10});
  EXPECT_FALSE(w.createPen({}));
  EXPECT_EQ(w.finish().size(), size);
}

TEST(EmfWriter, CreateReportsAPathThatCannotBeWritten) {
  std::string error;
  EXPECT_EQ(EmfWriter::create("/no/such/dir/p.emf", kA4, kFrame, "", &error), nullptr);
  EXPECT_NE(error.find("/no/such/dir/p.emf"), std::string::npos) << error;
}

TEST(EmfWriter, FileWriterWritesOnClose) {
  const auto dir = std::filesystem::temp_directory_path() / ("kumi_emf_writer_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "0001.emf").string();
  auto w = EmfWriter::create(path, kA4, kFrame, "x");
  ASSERT_NE(w, nullptr);
  w->setMapMode(MapMode::HiMetric);
  ASSERT_TRUE(w->close());
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, w->finish());
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kumi::platform
