#include "platform/emf/emf_reader.h"

#include <gtest/gtest.h>

#include "platform/emf/byte_io.h"

namespace kumi::platform::emf {
namespace {

// Metafiles written out by hand, one record a line of 32-bit words after
// the type (the size is filled in unless a case overrides it).
struct Rec {
  uint32_t type;
  std::vector<uint32_t> words;
  int64_t size = -1;  // -1: computed
};

std::vector<uint8_t> build(const std::vector<Rec>& recs, int64_t headerBytes = -1) {
  std::vector<uint8_t> out;
  // EMR_HEADER, 88 bytes: bounds, frame, signature, version, bytes,
  // records, handles, nDescription, offDescription, nPalEntries, device, mm.
  writeU32LE(out, 1);
  writeU32LE(out, 88);
  for (int i = 0; i < 8; ++i) writeU32LE(out, 0);
  writeU32LE(out, kEmfSignature);
  writeU32LE(out, kEmfVersion);
  writeU32LE(out, 0);  // bytes, fixed below
  writeU32LE(out, static_cast<uint32_t>(recs.size() + 1));
  writeU32LE(out, 1);
  writeU32LE(out, 0);
  writeU32LE(out, 0);
  writeU32LE(out, 0);
  for (uint32_t v : {100u, 100u, 10u, 10u}) writeU32LE(out, v);
  for (const Rec& r : recs) {
    writeU32LE(out, r.type);
    writeU32LE(out, r.size >= 0 ? static_cast<uint32_t>(r.size)
                                : static_cast<uint32_t>(8 + 4 * r.words.size()));
    for (uint32_t w : r.words) writeU32LE(out, w);
  }
  putU32LE(out, 48, headerBytes >= 0 ? static_cast<uint32_t>(headerBytes)
                                     : static_cast<uint32_t>(out.size()));
  return out;
}

const Rec kEof{14, {0, 16, 20}};

struct LoopCase {
  const char* name;
  std::vector<Rec> recs;
  std::string error;  // empty: the walk ends cleanly at EMR_EOF
  size_t records;     // records handed out, the header included
};

class RecordLoopCases : public ::testing::TestWithParam<LoopCase> {};

TEST_P(RecordLoopCases, StopsWhereTheBytesStopMakingSense) {
  const LoopCase& c = GetParam();
  const auto file = build(c.recs);
  RecordLoop loop(file);
  size_t n = 0;
  while (loop.next()) ++n;
  EXPECT_EQ(n, c.records);
  if (c.error.empty()) {
    EXPECT_EQ(loop.error(), "");
    EXPECT_TRUE(loop.sawEof());
  } else {
    EXPECT_NE(loop.error().find(c.error), std::string::npos) << loop.error();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordLoopCases,
    ::testing::Values(
        LoopCase{"clean", {{17, {3}}, kEof}, "", 3},
        LoopCase{"unknown_type_is_passed_on", {{9999, {1, 2, 3}}, {17, {3}}, kEof}, "", 4},
        LoopCase{"size_below_eight", {{17, {3}, 4}, kEof}, "below 8", 1},
        LoopCase{"size_not_multiple_of_four", {{17, {3}, 10}, kEof}, "multiple of 4", 1},
        LoopCase{"size_past_end", {{17, {3}, 4000}, kEof}, "past the end", 1},
        LoopCase{"huge_size", {{17, {3}, 0xFFFFFFF8}, kEof}, "past the end", 1},
        LoopCase{"no_eof", {{17, {3}}}, "without EMR_EOF", 2},
        LoopCase{"records_after_eof_ignored", {kEof, {17, {3}, 2}}, "", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordLoop, RejectsWhatIsNoMetafile) {
  const std::vector<uint8_t> junk(200, 0x41);
  RecordLoop loop(junk);
  EXPECT_FALSE(loop.next());
  EXPECT_NE(loop.error().find("not an enhanced metafile"), std::string::npos);
  RecordLoop empty(std::span<const uint8_t>{});
  EXPECT_FALSE(empty.next());
  EXPECT_FALSE(empty.error().empty());
}

TEST(RecordLoop, HeaderByteCountEndsTheRecords) {
  auto file = build({{17, {3}}, kEof});
  const size_t real = file.size();
  file.insert(file.end(), {1, 2, 3});  // trailing junk outside the count
  RecordLoop loop(file);
  while (loop.next()) {
  }
  EXPECT_EQ(loop.error(), "");
  // A count larger than the file: the walk finds the cut.
  auto cut = build({{17, {3}}, kEof}, static_cast<int64_t>(real) + 400);
  cut.resize(cut.size() - 16);
  RecordLoop loop2(cut);
  while (loop2.next()) {
  }
  EXPECT_NE(loop2.error().find("cut off"), std::string::npos) << loop2.error();
}

TEST(Header, DescriptionOutsideTheHeaderIsRefused) {
  auto file = build({kEof});
  putU32LE(file, 60, 10);   // nDescription
  putU32LE(file, 64, 200);  // offDescription past the header's 88 bytes
  std::string why;
  EXPECT_FALSE(decodeHeader(file, &why));
  EXPECT_NE(why.find("description"), std::string::npos);
}

// Each decoder refuses a record whose counts or offsets reach past it.
RecordView only(const std::vector<uint8_t>& file) {
  RecordLoop loop(file);
  loop.next();
  return *loop.next();
}

TEST(Decoders, RefuseCountsPastTheRecord) {
  // EXTTEXTOUTW claiming 1000 characters in a 76-byte record.
  std::vector<uint32_t> text(17, 0);
  text[9] = 1000;  // Chars
  text[10] = 76;   // offString
  EXPECT_FALSE(decodeText(only(build({{84, text}, kEof}))));
  text[9] = 0;
  EXPECT_TRUE(decodeText(only(build({{84, text}, kEof}))));

  // POLYLINE with 3 points announced, 1 present.
  EXPECT_FALSE(decodePoly(only(build({{4, {0, 0, 0, 0, 3, 5, 6}}, kEof}))));
  // POLYPOLYGON whose counts do not add up to the total.
  EXPECT_FALSE(decodePolyPoly(only(build({{8, {0, 0, 0, 0, 1, 2, 1, 5, 6, 7, 8}}, kEof}))));
  // STRETCHDIBITS whose bits lie past the record.
  std::vector<uint32_t> dib(18, 0);
  dib[12] = 80;  // offBitsSrc
  dib[13] = 64;  // cbBitsSrc
  EXPECT_FALSE(decodeStretchDib(only(build({{81, dib}, kEof}))));
  // A font record too short for a LogFont.
  EXPECT_FALSE(decodeFont(only(build({{82, {1, 2, 3}}, kEof}))));
  // A palette announcing more entries than it holds.
  EXPECT_FALSE(decodePalette(only(build({{49, {1, 0x00100300, 0}}, kEof}))));
}

TEST(Decoders, ReadSixteenBitPointsOfOtherWriters) {
  // POLYLINE16: bounds, 2 points as signed 16-bit pairs.
  const auto p = decodePoly(only(build({{87, {0, 0, 0, 0, 2, 0xFFFF000A, 0x00050014}}, kEof})));
  ASSERT_TRUE(p);
  ASSERT_EQ(p->points.size(), 2u);
  EXPECT_EQ(p->points[0], (Point{10, -1}));
  EXPECT_EQ(p->points[1], (Point{20, 5}));
}

TEST(Decoders, ExtendedPenKeepsItsStyleAndBrush) {
  // EXTCREATEPEN: ihPen, offBmi, cbBmi, offBits, cbBits, style, width,
  // brush style, colour, hatch, no style entries.
  const auto p = decodePen(only(build(
      {{95, {3, 0, 0, 0, 0, PenStyle::Geometric | PenStyle::EndCapFlat, 40, 2, 0xFF, 4, 0}}, kEof})));
  ASSERT_TRUE(p);
  EXPECT_TRUE(p->extended);
  EXPECT_EQ(p->handle, 3u);
  EXPECT_EQ(p->pen.width, 40);
  EXPECT_EQ(p->pen.color, rgb(255, 0, 0));
  EXPECT_EQ(p->brushStyle, 2u);
  EXPECT_EQ(p->hatch, 4u);
}

}  // namespace
}  // namespace kumi::platform::emf
