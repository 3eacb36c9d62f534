#include "platform/emf/emf_reader.h"

#include "platform/emf/utf16.h"

namespace kumi::platform::emf {
namespace {

constexpr uint32_t t(RecordType r) { return static_cast<uint32_t>(r); }

Rect rectAt(const ByteView& v, size_t pos) {
  return {v.i32(pos), v.i32(pos + 4), v.i32(pos + 8), v.i32(pos + 12)};
}

std::u16string utf16At(const ByteView& v, size_t pos, size_t units) {
  std::u16string s;
  s.reserve(units);
  for (size_t i = 0; i < units; ++i) s += static_cast<char16_t>(v.u16(pos + 2 * i));
  return s;
}

}  // namespace

std::optional<Header> decodeHeader(std::span<const uint8_t> record, std::string* why) {
  auto fail = [why](const char* reason) -> std::optional<Header> {
    if (why != nullptr) *why = reason;
    return std::nullopt;
  };
  const ByteView v(record);
  if (!v.need(0, kHeaderBaseSize)) return fail("too short for an enhanced metafile header");
  if (v.u32(0) != t(RecordType::Header)) return fail("does not start with EMR_HEADER");
  if (v.u32(40) != kEmfSignature) return fail("no EMF signature in the header");
  Header h;
  h.size = v.u32(4);
  if (h.size < kHeaderBaseSize || h.size % 4 != 0 || h.size > record.size()) {
    return fail("header size out of range");
  }
  const ByteView rec(record.first(h.size));
  h.bounds = rectAt(rec, 8);
  h.frame = rectAt(rec, 24);
  h.version = rec.u32(44);
  h.bytes = rec.u32(48);
  h.records = rec.u32(52);
  h.handles = rec.u16(56);
  const uint32_t nDescription = rec.u32(60);
  const uint32_t offDescription = rec.u32(64);
  h.paletteEntries = rec.u32(68);
  h.device = {rec.i32(72), rec.i32(76)};
  h.millimeters = {rec.i32(80), rec.i32(84)};
  // The extensions are there when the header is long enough for them and
  // the description (if any) starts after them.
  const uint32_t fixedEnd = nDescription != 0 && offDescription != 0 ? offDescription : h.size;
  if (fixedEnd >= kHeaderExt1Size && h.size >= kHeaderExt1Size) {
    h.hasPixelFormat = true;
    h.pixelFormatSize = rec.u32(88);
    h.pixelFormatOffset = rec.u32(92);
    h.openGL = rec.u32(96);
  }
  if (fixedEnd >= kHeaderExt2Size && h.size >= kHeaderExt2Size) {
    h.hasMicrometers = true;
    h.micrometers = {rec.i32(100), rec.i32(104)};
  }
  if (nDescription != 0) {
    if (offDescription < kHeaderBaseSize || !rec.needArray(offDescription, nDescription, 2)) {
      return fail("description outside the header");
    }
    h.description = utf16At(rec, offDescription, nDescription);
    while (!h.description.empty() && h.description.back() == u'\0') h.description.pop_back();
  }
  return h;
}

RecordLoop::RecordLoop(std::span<const uint8_t> file) : file_(file), limit_(file.size()) {
  std::string why;
  header_ = decodeHeader(file, &why);
  if (!header_) {
    done_ = true;
    error_ = "not an enhanced metafile: " + why;
    return;
  }
  // A header that counts fewer bytes than the file has ends the records
  // there; one that counts more is a truncated file, found at the end.
  if (header_->bytes >= header_->size && header_->bytes < file.size()) limit_ = header_->bytes;
}

std::optional<RecordView> RecordLoop::next() {
  if (done_) return std::nullopt;
  auto stop = [this](const std::string& why) -> std::optional<RecordView> {
    done_ = true;
    error_ = why;
    errorOffset_ = pos_;
    return std::nullopt;
  };
  if (pos_ >= limit_) return stop("the file ends without EMR_EOF");
  const ByteView v(file_.first(limit_));
  if (!v.need(pos_, kRecordPrefix)) return stop("a record is cut off by the end of the file");
  const uint32_t type = v.u32(pos_);
  const uint32_t size = v.u32(pos_ + 4);
  if (size < kRecordPrefix) return stop("a record's size is below 8 bytes");
  if (size % 4 != 0) return stop("a record's size is not a multiple of 4");
  if (!v.need(pos_, size)) return stop("a record runs past the end of the file");
  RecordView r{type, pos_, file_.subspan(pos_, size)};
  pos_ += size;
  if (type == t(RecordType::Eof)) {
    sawEof_ = true;
    done_ = true;
  }
  return r;
}

// --- decoders ---------------------------------------------------------------

std::optional<TextRecord> decodeText(const RecordView& r) {
  const bool wide = r.is(RecordType::ExtTextOutW);
  if (!wide && !r.is(RecordType::ExtTextOutA)) return std::nullopt;
  const ByteView v = r.view();
  if (!v.need(0, kExtTextOutFixedSize)) return std::nullopt;
  TextRecord x;
  x.bounds = rectAt(v, 8);
  x.graphicsMode = v.u32(24);
  x.exScale = v.f32(28);
  x.eyScale = v.f32(32);
  x.reference = {v.i32(36), v.i32(40)};
  const uint32_t chars = v.u32(44);
  const uint32_t offString = v.u32(48);
  x.options = v.u32(52);
  x.rect = rectAt(v, 56);
  const uint32_t offDx = v.u32(72);
  if (chars > 0) {
    if (!v.needArray(offString, chars, wide ? 2 : 1)) return std::nullopt;
    if (wide) {
      x.text = utf16At(v, offString, chars);
    } else {
      const auto b = v.sub(offString, chars);
      x.bytes.assign(b.begin(), b.end());
    }
  }
  if (offDx != 0 && chars > 0) {
    const uint64_t n = uint64_t{chars} * ((x.options & TextOutOption::Pdy) != 0 ? 2 : 1);
    if (!v.needArray(offDx, n, 4)) return std::nullopt;
    x.dx.reserve(static_cast<size_t>(n));
    for (uint64_t i = 0; i < n; ++i) x.dx.push_back(v.i32(offDx + static_cast<size_t>(4 * i)));
  }
  return x;
}

std::optional<FontRecord> decodeFont(const RecordView& r) {
  const ByteView v = r.view();
  if (!r.is(RecordType::ExtCreateFontIndirectW) || !v.need(0, 12 + kLogFontSize)) {
    return std::nullopt;
  }
  FontRecord f;
  f.handle = v.u32(8);
  LogFont& lf = f.font;
  lf.height = v.i32(12);
  lf.width = v.i32(16);
  lf.escapement = v.i32(20);
  lf.orientation = v.i32(24);
  lf.weight = v.i32(28);
  lf.italic = v.u8(32) != 0;
  lf.underline = v.u8(33) != 0;
  lf.strikeOut = v.u8(34) != 0;
  lf.charSet = v.u8(35);
  lf.outPrecision = v.u8(36);
  lf.clipPrecision = v.u8(37);
  lf.quality = v.u8(38);
  lf.pitchAndFamily = v.u8(39);
  std::u16string face = utf16At(v, 40, kLogFontFaceUnits);
  face.resize(face.find(u'\0') == std::u16string::npos ? face.size() : face.find(u'\0'));
  lf.faceName = utf16ToUtf8(face);
  return f;
}

std::optional<PenRecord> decodePen(const RecordView& r) {
  const ByteView v = r.view();
  PenRecord p;
  if (r.is(RecordType::CreatePen)) {
    if (!v.need(0, kCreatePenSize)) return std::nullopt;
    p.handle = v.u32(8);
    p.pen = {v.u32(12), v.i32(16), v.u32(24)};
    return p;
  }
  if (!r.is(RecordType::ExtCreatePen) || !v.need(0, 52)) return std::nullopt;
  // ihPen, offBmi, cbBmi, offBits, cbBits, then LogPenEx: PenStyle, Width,
  // BrushStyle, Color, BrushHatch, NumStyleEntries, StyleEntry[].
  p.extended = true;
  p.handle = v.u32(8);
  p.pen = {v.u32(28), v.i32(32), v.u32(40)};
  p.brushStyle = v.u32(36);
  p.hatch = v.u32(44);
  const uint32_t entries = v.u32(48);
  if (!v.needArray(52, entries, 4)) return std::nullopt;
  for (uint32_t i = 0; i < entries; ++i) p.styleEntries.push_back(v.u32(52 + 4 * size_t{i}));
  return p;
}

std::optional<BrushRecord> decodeBrush(const RecordView& r) {
  const ByteView v = r.view();
  if (!r.is(RecordType::CreateBrushIndirect) || !v.need(0, kCreateBrushSize)) return std::nullopt;
  BrushRecord b;
  b.handle = v.u32(8);
  b.rawStyle = v.u32(12);
  b.brush.style = b.rawStyle <= 2 ? static_cast<BrushStyle>(b.rawStyle) : BrushStyle::Null;
  b.brush.color = v.u32(16);
  const uint32_t hatch = v.u32(20);
  b.brush.hatch = hatch <= 5 ? static_cast<HatchStyle>(hatch) : HatchStyle::Horizontal;
  return b;
}

std::optional<PaletteRecord> decodePalette(const RecordView& r) {
  const ByteView v = r.view();
  if (!r.is(RecordType::CreatePalette) || !v.need(0, 16)) return std::nullopt;
  PaletteRecord p;
  p.handle = v.u32(8);
  p.version = v.u16(12);
  const uint16_t n = v.u16(14);
  if (!v.needArray(16, n, 4)) return std::nullopt;
  for (size_t i = 0; i < n; ++i) {
    const size_t at = 16 + 4 * i;
    p.entries.push_back({v.u8(at), v.u8(at + 1), v.u8(at + 2), v.u8(at + 3)});
  }
  return p;
}

bool isPolyType(uint32_t type) {
  switch (static_cast<RecordType>(type)) {
    case RecordType::PolyBezier: case RecordType::Polygon: case RecordType::Polyline:
    case RecordType::PolyBezierTo: case RecordType::PolylineTo:
    case RecordType::PolyBezier16: case RecordType::Polygon16: case RecordType::Polyline16:
    case RecordType::PolyBezierTo16: case RecordType::PolylineTo16:
      return true;
    default:
      return false;
  }
}

bool isPolyPolyType(uint32_t type) {
  switch (static_cast<RecordType>(type)) {
    case RecordType::PolyPolyline: case RecordType::PolyPolygon:
    case RecordType::PolyPolyline16: case RecordType::PolyPolygon16:
      return true;
    default:
      return false;
  }
}

namespace {
bool isShortPoints(uint32_t type) { return type >= t(RecordType::PolyBezier16) && type <= t(RecordType::PolyPolygon16); }

Point pointAt(const ByteView& v, size_t pos, bool shortForm) {
  if (shortForm) return {v.i16(pos), v.i16(pos + 2)};
  return {v.i32(pos), v.i32(pos + 4)};
}
}  // namespace

std::optional<PolyRecord> decodePoly(const RecordView& r) {
  const ByteView v = r.view();
  if (!isPolyType(r.type) || !v.need(0, 28)) return std::nullopt;
  const bool shortForm = isShortPoints(r.type);
  const size_t unit = shortForm ? 4 : 8;
  PolyRecord p;
  p.bounds = rectAt(v, 8);
  const uint32_t n = v.u32(24);
  if (!v.needArray(28, n, unit)) return std::nullopt;
  p.points.reserve(n);
  for (size_t i = 0; i < n; ++i) p.points.push_back(pointAt(v, 28 + unit * i, shortForm));
  return p;
}

std::optional<PolyPolyRecord> decodePolyPoly(const RecordView& r) {
  const ByteView v = r.view();
  if (!isPolyPolyType(r.type) || !v.need(0, 32)) return std::nullopt;
  const bool shortForm = isShortPoints(r.type);
  const size_t unit = shortForm ? 4 : 8;
  PolyPolyRecord p;
  p.bounds = rectAt(v, 8);
  const uint32_t polys = v.u32(24);
  const uint32_t total = v.u32(28);
  if (!v.needArray(32, polys, 4)) return std::nullopt;
  const size_t pointsAt = 32 + size_t{polys} * 4;
  if (!v.needArray(pointsAt, total, unit)) return std::nullopt;
  uint64_t sum = 0;
  for (size_t i = 0; i < polys; ++i) {
    p.counts.push_back(v.u32(32 + 4 * i));
    sum += p.counts.back();
  }
  if (sum != total) return std::nullopt;
  p.points.reserve(total);
  for (size_t i = 0; i < total; ++i) p.points.push_back(pointAt(v, pointsAt + unit * i, shortForm));
  return p;
}

std::optional<StretchDibRecord> decodeStretchDib(const RecordView& r) {
  const ByteView v = r.view();
  if (!r.is(RecordType::StretchDiBits) || !v.need(0, kStretchDiBitsFixedSize)) return std::nullopt;
  StretchDibRecord s;
  s.bounds = rectAt(v, 8);
  s.dest.x = v.i32(24);
  s.dest.y = v.i32(28);
  s.source = {v.i32(32), v.i32(36), v.i32(40), v.i32(44)};
  const uint32_t offBmi = v.u32(48), cbBmi = v.u32(52), offBits = v.u32(56), cbBits = v.u32(60);
  s.usage = v.u32(64);
  s.rasterOp = v.u32(68);
  s.dest.cx = v.i32(72);
  s.dest.cy = v.i32(76);
  if (cbBmi != 0 && !v.need(offBmi, cbBmi)) return std::nullopt;
  if (cbBits != 0 && !v.need(offBits, cbBits)) return std::nullopt;
  s.bitmapInfo = v.sub(offBmi, cbBmi);
  s.bits = v.sub(offBits, cbBits);
  return s;
}

std::optional<TransformRecord> decodeTransform(const RecordView& r) {
  const ByteView v = r.view();
  const bool modify = r.is(RecordType::ModifyWorldTransform);
  if (!modify && !r.is(RecordType::SetWorldTransform)) return std::nullopt;
  if (!v.need(0, modify ? 36 : 32)) return std::nullopt;
  TransformRecord x;
  x.xform = {v.f32(8), v.f32(12), v.f32(16), v.f32(20), v.f32(24), v.f32(28)};
  x.mode = modify ? v.u32(32) : static_cast<uint32_t>(TransformMode::Set);
  return x;
}

std::optional<ClipRegionRecord> decodeClipRegion(const RecordView& r) {
  const ByteView v = r.view();
  if (!r.is(RecordType::ExtSelectClipRgn) || !v.need(0, 16)) return std::nullopt;
  const uint32_t n = v.u32(8);
  if (!v.need(16, n)) return std::nullopt;
  return ClipRegionRecord{v.u32(12), v.sub(16, n)};
}

std::optional<std::span<const uint8_t>> decodeComment(const RecordView& r) {
  const ByteView v = r.view();
  if (!r.is(RecordType::GdiComment) || !v.need(0, 12)) return std::nullopt;
  const uint32_t n = v.u32(8);
  if (!v.need(12, n)) return std::nullopt;
  return v.sub(12, n);
}

std::optional<uint32_t> fieldU32(const RecordView& r, size_t index) {
  const ByteView v = r.view();
  const size_t pos = kRecordPrefix + 4 * index;
  if (!v.need(pos, 4)) return std::nullopt;
  return v.u32(pos);
}

std::optional<Point> fieldPoint(const RecordView& r, size_t index) {
  const ByteView v = r.view();
  const size_t pos = kRecordPrefix + 4 * index;
  if (!v.need(pos, 8)) return std::nullopt;
  return Point{v.i32(pos), v.i32(pos + 4)};
}

std::optional<Rect> fieldRect(const RecordView& r, size_t index) {
  const ByteView v = r.view();
  const size_t pos = kRecordPrefix + 4 * index;
  if (!v.need(pos, 16)) return std::nullopt;
  return rectAt(v, pos);
}

}  // namespace kumi::platform::emf
