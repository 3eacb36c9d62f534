#include "platform/player/wmf_player.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/base/cp932.h"
#include "platform/emf/dib.h"
#include "platform/emf/emf_writer.h"
#include "platform/player/geometry.h"

namespace kumi::platform::player {

using wmf::Function;
using wmf::WmfRecord;

namespace {

constexpr uint32_t kPatCopy = 0x00F00021;
constexpr size_t kMaxSlots = 65535;

bool japanese(uint8_t charSet) { return charSet == CharSet::ShiftJis || charSet == CharSet::Default; }

// An origin moved by a record's offset. Offsets add up over the records, so
// they stop at the ends of the 32-bit range instead of overflowing.
Point offsetBy(Point p, int16_t dx, int16_t dy) {
  auto add = [](int32_t a, int16_t d) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} + d, INT32_MIN, INT32_MAX));
  };
  return {add(p.x, dx), add(p.y, dy)};
}

std::string latin1ToUtf8(std::string_view bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

class WmfPlayer {
 public:
  WmfPlayer(DeviceContext& dc, uint16_t slots) : dc_(dc) {
    slots_.resize(std::max<size_t>(slots, 1));
  }
  void play(const WmfRecord& r);

 private:
  struct Slot {
    bool used = false;
    ObjectHandle handle;   // empty for objects the device has no kind for
    uint8_t charSet = CharSet::Default;  // fonts
  };

  void create(ObjectHandle h, uint8_t charSet = CharSet::Default);
  void select(uint16_t index);
  void remove(uint16_t index);
  Rect boxAt(const WmfRecord& r, size_t first) const;  // bottom, right, top, left
  void arc(const WmfRecord& r);
  void poly(const WmfRecord& r, bool polygon);
  void polyPolygon(const WmfRecord& r);
  void clipRect(const WmfRecord& r, bool exclude);
  void patBlt(uint32_t rop, int32_t x, int32_t y, int32_t w, int32_t h);
  void textOut(const WmfRecord& r);
  void extTextOut(const WmfRecord& r);
  void drawText(Point at, uint32_t options, const Rect* rect, std::string_view bytes,
                std::span<const int16_t> dx);
  void createFont(const WmfRecord& r);
  void createPalette(const WmfRecord& r);
  void dibPatternBrush(const WmfRecord& r);
  void stretchDib(const WmfRecord& r);
  void dibBlt(const WmfRecord& r, bool stretch);
  void dibToDevice(const WmfRecord& r);
  void blit(std::span<const uint8_t> dib, uint16_t usage, BlitRect dest, BlitRect source, uint32_t rop);

  DeviceContext& dc_;
  std::vector<Slot> slots_;
  uint8_t charSet_ = CharSet::Default;  // of the selected font
  Point windowOrg_{}, viewportOrg_{};
  Size windowExt_{1, 1}, viewportExt_{1, 1};
  bool yUp_ = false;  // the mapping mode's y axis
};

void WmfPlayer::create(ObjectHandle h, uint8_t charSet) {
  auto it = std::find_if(slots_.begin(), slots_.end(), [](const Slot& s) { return !s.used; });
  if (it == slots_.end()) {
    // A header that counts too few objects: grow the table as far as the
    // format allows.
    if (slots_.size() >= kMaxSlots) {
      if (h) dc_.deleteObject(h);
      return;
    }
    slots_.emplace_back();
    it = slots_.end() - 1;
  }
  *it = Slot{true, h, charSet};
}

void WmfPlayer::select(uint16_t index) {
  if (index >= slots_.size() || !slots_[index].used || !slots_[index].handle) return;
  const Slot& s = slots_[index];
  dc_.selectObject(s.handle);
  if (s.charSet != 0xFF) charSet_ = s.charSet;
}

void WmfPlayer::remove(uint16_t index) {
  if (index >= slots_.size() || !slots_[index].used) return;
  // The device keeps an object that is still selected; the slot is free
  // either way, as in GDI.
  if (slots_[index].handle) dc_.deleteObject(slots_[index].handle);
  slots_[index] = Slot{};
}

Rect WmfPlayer::boxAt(const WmfRecord& r, size_t first) const {
  return {r.param(first + 3), r.param(first + 2), r.param(first + 1), r.param(first)};
}

void WmfPlayer::play(const WmfRecord& r) {
  const ByteView v = r.view();
  auto p = [&r](size_t n) { return r.param(n); };
  switch (static_cast<Function>(r.function)) {
    case Function::SetBkColor:
      if (v.need(6, 4)) dc_.setBkColor(v.u32(6) & 0xFFFFFF);
      break;
    case Function::SetTextColor:
      if (v.need(6, 4)) dc_.setTextColor(v.u32(6) & 0xFFFFFF);
      break;
    case Function::SetBkMode:
      if (r.hasParams(1) && (p(0) == 1 || p(0) == 2)) dc_.setBkMode(static_cast<BkMode>(p(0)));
      break;
    case Function::SetMapMode:
      if (r.hasParams(1) && p(0) >= 1 && p(0) <= 8) {
        dc_.setMapMode(static_cast<MapMode>(p(0)));
        yUp_ = p(0) >= 2 && p(0) <= 6;
      }
      break;
    case Function::SetPolyFillMode:
      if (r.hasParams(1) && (p(0) == 1 || p(0) == 2)) dc_.setPolyFillMode(static_cast<PolyFillMode>(p(0)));
      break;
    case Function::SetTextAlign:
      if (r.hasParams(1)) dc_.setTextAlign(static_cast<uint16_t>(p(0)));
      break;
    case Function::SetWindowOrg:
      if (r.hasParams(2)) dc_.setWindowOrg(windowOrg_ = {p(1), p(0)});
      break;
    case Function::SetWindowExt:
      if (r.hasParams(2) && p(0) != 0 && p(1) != 0) dc_.setWindowExt(windowExt_ = {p(1), p(0)});
      break;
    case Function::SetViewportOrg:
      if (r.hasParams(2)) dc_.setViewportOrg(viewportOrg_ = {p(1), p(0)});
      break;
    case Function::SetViewportExt:
      if (r.hasParams(2) && p(0) != 0 && p(1) != 0) dc_.setViewportExt(viewportExt_ = {p(1), p(0)});
      break;
    case Function::OffsetWindowOrg:
      if (r.hasParams(2)) {
        windowOrg_ = offsetBy(windowOrg_, p(1), p(0));
        dc_.setWindowOrg(windowOrg_);
      }
      break;
    case Function::OffsetViewportOrg:
      if (r.hasParams(2)) {
        viewportOrg_ = offsetBy(viewportOrg_, p(1), p(0));
        dc_.setViewportOrg(viewportOrg_);
      }
      break;
    case Function::ScaleWindowExt:
    case Function::ScaleViewportExt: {
      // yDenom, yNum, xDenom, xNum
      if (!r.hasParams(4) || p(0) == 0 || p(2) == 0) break;
      const bool window = r.is(Function::ScaleWindowExt);
      Size& ext = window ? windowExt_ : viewportExt_;
      const int64_t cx = int64_t{ext.cx} * p(3) / p(2), cy = int64_t{ext.cy} * p(1) / p(0);
      if (cx == 0 || cy == 0 || cx != int32_t(cx) || cy != int32_t(cy)) break;
      ext = {int32_t(cx), int32_t(cy)};
      if (window) dc_.setWindowExt(ext);
      else dc_.setViewportExt(ext);
      break;
    }
    case Function::SaveDc: dc_.saveDC(); break;
    case Function::RestoreDc:
      if (r.hasParams(1) && p(0) < 0) dc_.restoreDC(p(0));
      break;
    case Function::MoveTo:
      if (r.hasParams(2)) dc_.moveTo({p(1), p(0)});
      break;
    case Function::LineTo:
      if (r.hasParams(2)) dc_.lineTo({p(1), p(0)});
      break;
    case Function::Rectangle:
      if (r.hasParams(4)) dc_.rectangle(boxAt(r, 0));
      break;
    case Function::Ellipse:
      if (r.hasParams(4)) dc_.ellipse(boxAt(r, 0));
      break;
    case Function::RoundRect:
      if (r.hasParams(6)) dc_.roundRect(boxAt(r, 2), {p(1), p(0)});
      break;
    case Function::Arc:
    case Function::Pie:
    case Function::Chord: arc(r); break;
    case Function::Polygon: poly(r, true); break;
    case Function::Polyline: poly(r, false); break;
    case Function::PolyPolygon: polyPolygon(r); break;
    case Function::SetPixel:
      if (v.need(6, 8)) dc_.setPixelV({v.i16(12), v.i16(10)}, v.u32(6) & 0xFFFFFF);
      break;
    case Function::ExcludeClipRect: clipRect(r, true); break;
    case Function::IntersectClipRect: clipRect(r, false); break;
    case Function::PatBlt:
      if (v.need(6, 12)) patBlt(v.u32(6), v.i16(16), v.i16(14), v.i16(12), v.i16(10));
      break;
    case Function::TextOut: textOut(r); break;
    case Function::ExtTextOut: extTextOut(r); break;
    case Function::SelectObject:
      if (r.hasParams(1)) select(static_cast<uint16_t>(p(0)));
      break;
    case Function::SelectPalette:
      if (r.hasParams(1)) {
        const auto i = static_cast<uint16_t>(p(0));
        if (i < slots_.size() && slots_[i].handle) dc_.selectPalette(slots_[i].handle, false);
      }
      break;
    case Function::RealizePalette: dc_.realizePalette(); break;
    case Function::DeleteObject:
      if (r.hasParams(1)) remove(static_cast<uint16_t>(p(0)));
      break;
    case Function::CreatePenIndirect:
      if (v.need(6, 10)) {
        create(dc_.createPen({v.u16(6), v.i16(8), v.u32(12) & 0xFFFFFF}), 0xFF);
      }
      break;
    case Function::CreateBrushIndirect:
      if (v.need(6, 8)) {
        const uint16_t style = v.u16(6);
        LogBrush b;
        b.color = v.u32(8) & 0xFFFFFF;
        b.style = style == 1 ? BrushStyle::Null : style == 2 ? BrushStyle::Hatched : BrushStyle::Solid;
        const uint16_t hatch = v.u16(12);
        b.hatch = hatch <= 5 ? static_cast<HatchStyle>(hatch) : HatchStyle::Horizontal;
        create(dc_.createBrush(b), 0xFF);
      }
      break;
    case Function::CreateFontIndirect: createFont(r); break;
    case Function::CreatePalette: createPalette(r); break;
    case Function::DibCreatePatternBrush: dibPatternBrush(r); break;
    case Function::CreatePatternBrush:
      // A device-dependent bitmap: black is as near as can be told.
      create(dc_.createBrush({BrushStyle::Solid, 0, HatchStyle::Horizontal}), 0xFF);
      break;
    case Function::CreateRegion: create({}, 0xFF); break;  // holds its slot, draws nothing
    case Function::StretchDib: stretchDib(r); break;
    case Function::DibStretchBlt: dibBlt(r, true); break;
    case Function::DibBitBlt: dibBlt(r, false); break;
    case Function::SetDibToDev: dibToDevice(r); break;
    default: break;  // no drawing of its own, or nothing kumi can do with it
  }
}

void WmfPlayer::arc(const WmfRecord& r) {
  if (!r.hasParams(8)) return;
  const Rect b = boxAt(r, 4);
  const PointD from{double(r.param(3)), double(r.param(2))}, to{double(r.param(1)), double(r.param(0))};
  // Counter-clockwise on the device: which way that turns in logical space
  // depends on the window and viewport extents and the mapping's y axis.
  const bool flipped = (windowExt_.cx < 0) != (viewportExt_.cx < 0);
  const bool flippedY = ((windowExt_.cy < 0) != (viewportExt_.cy < 0)) != yUp_;
  const int sign = flipped == flippedY ? -1 : 1;
  Path path;
  const double l = std::min(b.left, b.right), t = std::min(b.top, b.bottom);
  const double rr = std::max(b.left, b.right), bb = std::max(b.top, b.bottom);
  if (r.is(Function::Pie)) path.moveTo({(l + rr) / 2, (t + bb) / 2});
  appendArc(path, l, t, rr, bb, from, to, sign, r.is(Function::Pie));
  const double tolerance = std::max(0.25, std::max(rr - l, bb - t) / 2000);
  const Path flat = path.flattened(tolerance);
  std::vector<Point> pts;
  for (const PointD& q : flat.points()) pts.push_back({int32_t(std::lround(q.x)), int32_t(std::lround(q.y))});
  if (pts.size() < 2) return;
  if (r.is(Function::Arc)) dc_.polyline(pts);
  else dc_.polygon(pts);
}

void WmfPlayer::poly(const WmfRecord& r, bool polygon) {
  const ByteView v = r.view();
  if (!v.need(6, 2)) return;
  const uint16_t n = v.u16(6);
  if (!v.needArray(8, n, 4)) return;
  std::vector<Point> pts(n);
  for (size_t i = 0; i < n; ++i) pts[i] = {v.i16(8 + 4 * i), v.i16(10 + 4 * i)};
  if (polygon) dc_.polygon(pts);
  else dc_.polyline(pts);
}

void WmfPlayer::polyPolygon(const WmfRecord& r) {
  const ByteView v = r.view();
  if (!v.need(6, 2)) return;
  const uint16_t polys = v.u16(6);
  if (!v.needArray(8, polys, 2)) return;
  std::vector<uint16_t> counts(polys);
  size_t total = 0;
  for (size_t i = 0; i < polys; ++i) total += counts[i] = v.u16(8 + 2 * i);
  const size_t at = 8 + 2 * size_t{polys};
  if (!v.needArray(at, total, 4)) return;
  // One path, so the polygons cut holes in each other as GDI fills them.
  dc_.beginPath();
  size_t k = 0;
  for (uint16_t n : counts) {
    std::vector<Point> pts(n);
    for (size_t i = 0; i < n; ++i, ++k) pts[i] = {v.i16(at + 4 * k), v.i16(at + 4 * k + 2)};
    dc_.polygon(pts);
  }
  dc_.endPath();
  dc_.strokeAndFillPath();
}

void WmfPlayer::clipRect(const WmfRecord& r, bool exclude) {
  if (!r.hasParams(4)) return;
  dc_.beginPath();
  dc_.rectangle(boxAt(r, 0));
  dc_.endPath();
  dc_.selectClipPath(exclude ? RegionMode::Diff : RegionMode::And);
}

void WmfPlayer::patBlt(uint32_t rop, int32_t x, int32_t y, int32_t w, int32_t h) {
  ObjectHandle brush;
  if (rop == RasterOp::Blackness) brush = dc_.selectObject(stockObject(StockObject::BlackBrush));
  else if (rop == RasterOp::Whiteness) brush = dc_.selectObject(stockObject(StockObject::WhiteBrush));
  else if (rop != kPatCopy) return;
  const ObjectHandle pen = dc_.selectObject(stockObject(StockObject::NullPen));
  dc_.rectangle({x, y, x + w, y + h});
  if (pen) dc_.selectObject(pen);
  if (brush) dc_.selectObject(brush);
}

void WmfPlayer::drawText(Point at, uint32_t options, const Rect* rect, std::string_view bytes,
                         std::span<const int16_t> dx) {
  std::string text;
  std::vector<int32_t> advances;
  const bool jp = japanese(charSet_);
  for (size_t i = 0; i < bytes.size();) {
    const size_t n = jp && isCp932LeadByte(uint8_t(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
    int32_t a = 0;
    for (size_t k = i; k < i + n && k < dx.size(); ++k) a += dx[k];
    text += jp ? std::string(bytes.substr(i, n)) : utf8ToCp932Lossy(latin1ToUtf8(bytes.substr(i, n)));
    if (!dx.empty()) advances.push_back(a);
    i += n;
  }
  dc_.extTextOut(at, options, rect, text, advances);
}

void WmfPlayer::textOut(const WmfRecord& r) {
  // StringLength, String (padded to a word), YStart, XStart
  const ByteView v = r.view();
  if (!v.need(6, 2)) return;
  const uint16_t n = v.u16(6);
  const size_t padded = (size_t{n} + 1) & ~size_t{1};
  if (!v.need(8, padded + 4)) return;
  const auto s = v.sub(8, n);
  drawText({v.i16(8 + padded + 2), v.i16(8 + padded)}, 0, nullptr,
           std::string_view(reinterpret_cast<const char*>(s.data()), s.size()), {});
}

void WmfPlayer::extTextOut(const WmfRecord& r) {
  // Y, X, StringLength, fwOpts, [Rectangle], String (padded), [Dx]
  const ByteView v = r.view();
  if (!v.need(6, 8)) return;
  const Point at{v.i16(8), v.i16(6)};
  const uint16_t n = v.u16(10), options = v.u16(12);
  size_t pos = 14;
  Rect rect;
  const bool hasRect = (options & (TextOutOption::Opaque | TextOutOption::Clipped)) != 0;
  if (hasRect) {
    if (!v.need(pos, 8)) return;
    rect = {v.i16(pos), v.i16(pos + 2), v.i16(pos + 4), v.i16(pos + 6)};
    pos += 8;
  }
  if (!v.need(pos, n)) return;
  const auto s = v.sub(pos, n);
  pos += (size_t{n} + 1) & ~size_t{1};
  std::vector<int16_t> dx;
  if (v.needArray(pos, n, 2)) {
    for (size_t i = 0; i < n; ++i) dx.push_back(v.i16(pos + 2 * i));
  }
  drawText(at, options & (TextOutOption::Opaque | TextOutOption::Clipped), hasRect ? &rect : nullptr,
           std::string_view(reinterpret_cast<const char*>(s.data()), s.size()), dx);
}

void WmfPlayer::createFont(const WmfRecord& r) {
  // Font object ([MS-WMF] 2.2.1.2): 18 bytes of numbers, then the face.
  const ByteView v = r.view();
  if (!v.need(6, 18)) {
    create({}, CharSet::Default);
    return;
  }
  LogFont f;
  f.height = v.i16(6);
  f.width = v.i16(8);
  f.escapement = v.i16(10);
  f.orientation = v.i16(12);
  f.weight = v.i16(14);
  f.italic = v.u8(16) != 0;
  f.underline = v.u8(17) != 0;
  f.strikeOut = v.u8(18) != 0;
  f.charSet = v.u8(19);
  f.outPrecision = v.u8(20);
  f.clipPrecision = v.u8(21);
  f.quality = v.u8(22);
  f.pitchAndFamily = v.u8(23);
  std::string face;
  for (size_t i = 24; i < 24 + 32 && v.need(i, 1) && v.u8(i) != 0; ++i) face += char(v.u8(i));
  f.faceName = japanese(f.charSet) ? cp932ToUtf8Lossy(face) : latin1ToUtf8(face);
  create(dc_.createFont(f), f.charSet);
}

void WmfPlayer::createPalette(const WmfRecord& r) {
  // Start (0x0300), NumberOfEntries, entries
  const ByteView v = r.view();
  std::vector<PaletteEntry> entries;
  if (v.need(6, 4)) {
    const uint16_t n = v.u16(8);
    if (v.needArray(10, n, 4)) {
      for (size_t i = 0; i < n; ++i) {
        const size_t at = 10 + 4 * i;
        entries.push_back({v.u8(at), v.u8(at + 1), v.u8(at + 2), v.u8(at + 3)});
      }
    }
  }
  create(entries.empty() ? ObjectHandle{} : dc_.createPalette(entries), 0xFF);
}

void WmfPlayer::dibPatternBrush(const WmfRecord& r) {
  // Style, ColorUsage, DIB. The device has no pattern brushes: the pattern's
  // average colour stands in for it.
  const ByteView v = r.view();
  uint64_t sum[3] = {0, 0, 0};
  uint64_t count = 0;
  const auto dib = v.sub(10, v.size() > 10 ? v.size() - 10 : 0);
  if (const auto d = dibLayout(dib); d && d->bitCount <= 8 && d->colorCount > 0) {
    for (size_t i = 0; i < d->colorCount; ++i) {
      const size_t q = d->headerSize + 4 * i;
      sum[0] += dib[q + 2], sum[1] += dib[q + 1], sum[2] += dib[q];
      ++count;
    }
  }
  const ColorRef c = count == 0 ? 0 : rgb(uint8_t(sum[0] / count), uint8_t(sum[1] / count), uint8_t(sum[2] / count));
  create(dc_.createBrush({BrushStyle::Solid, c, HatchStyle::Horizontal}), 0xFF);
}

void WmfPlayer::blit(std::span<const uint8_t> dib, uint16_t usage, BlitRect dest, BlitRect source,
                     uint32_t rop) {
  if (usage > 1) return;
  const auto layout = dibLayout(dib, usage == 1 ? 2 : 4);
  if (!layout) return;
  dc_.stretchDIBits(dest, source, dib.first(layout->infoSize), dib.subspan(layout->infoSize),
                    static_cast<DibUsage>(usage), rop);
}

void WmfPlayer::stretchDib(const WmfRecord& r) {
  // RasterOperation, ColorUsage, SrcHeight, SrcWidth, YSrc, XSrc,
  // DestHeight, DestWidth, yDst, xDst, DIB
  const ByteView v = r.view();
  if (!v.need(6, 22)) return;
  blit(v.sub(28, v.size() - 28), v.u16(10), {v.i16(26), v.i16(24), v.i16(22), v.i16(20)},
       {v.i16(18), v.i16(16), v.i16(14), v.i16(12)}, v.u32(6));
}

void WmfPlayer::dibBlt(const WmfRecord& r, bool stretch) {
  const ByteView v = r.view();
  const size_t words = r.bytes.size() / 2;
  const bool noBitmap = words == size_t(r.function >> 8) + 3;
  if (!v.need(6, 4)) return;
  const uint32_t rop = v.u32(6);
  if (noBitmap) {
    // The forms without a source carry a reserved word before the destination.
    if (stretch && v.need(6, 22)) patBlt(rop, v.i16(26), v.i16(24), v.i16(22), v.i16(20));
    if (!stretch && v.need(6, 18)) patBlt(rop, v.i16(22), v.i16(20), v.i16(18), v.i16(16));
    return;
  }
  if (stretch) {
    // SrcHeight, SrcWidth, YSrc, XSrc, DestHeight, DestWidth, YDest, XDest, DIB
    if (!v.need(6, 20)) return;
    blit(v.sub(26, v.size() - 26), 0, {v.i16(24), v.i16(22), v.i16(20), v.i16(18)},
         {v.i16(16), v.i16(14), v.i16(12), v.i16(10)}, rop);
  } else {
    // YSrc, XSrc, Height, Width, YDest, XDest, DIB
    if (!v.need(6, 16)) return;
    const int16_t w = v.i16(16), h = v.i16(14);
    blit(v.sub(22, v.size() - 22), 0, {v.i16(20), v.i16(18), w, h}, {v.i16(12), v.i16(10), w, h}, rop);
  }
}

void WmfPlayer::dibToDevice(const WmfRecord& r) {
  // ColorUsage, ScanCount, StartScan, yDib, xDib, Height, Width, yDest, xDest, DIB
  const ByteView v = r.view();
  if (!v.need(6, 18) || v.u16(10) != 0) return;
  const int16_t w = v.i16(18), h = v.i16(16);
  blit(v.sub(24, v.size() - 24), v.u16(6), {v.i16(22), v.i16(20), w, h}, {v.i16(14), v.i16(12), w, h},
       RasterOp::SrcCopy);
}

}  // namespace

std::optional<WmfPicture> readWmfPicture(std::span<const uint8_t> bytes, std::string* error) {
  wmf::WmfRecordLoop loop(bytes);
  if (!loop.header()) {
    if (error != nullptr) *error = "not a Windows metafile: " + loop.error();
    return std::nullopt;
  }
  WmfPicture pic;
  pic.placeable = loop.header()->placeable;
  std::optional<Point> org;
  std::optional<Size> ext;
  while (auto r = loop.next()) {
    if (!org && r->is(Function::SetWindowOrg) && r->hasParams(2)) org = Point{r->param(1), r->param(0)};
    if (!ext && r->is(Function::SetWindowExt) && r->hasParams(2) && r->param(0) != 0 &&
        r->param(1) != 0) {
      ext = Size{r->param(1), r->param(0)};
    }
    if (org && ext) break;
  }
  if (ext) {
    const Point o = org.value_or(Point{});
    pic.box = Rect{o.x, o.y, o.x + ext->cx, o.y + ext->cy};
  } else if (const auto& p = pic.placeable; p && p->right != p->left && p->bottom != p->top) {
    pic.box = Rect{p->left, p->top, p->right, p->bottom};
  }
  return pic;
}

WmfPlayResult playWmf(std::span<const uint8_t> bytes, DeviceContext& dc) {
  WmfPlayResult result;
  wmf::WmfRecordLoop loop(bytes);
  if (!loop.header()) {
    result.error = "not a Windows metafile: " + loop.error();
    return result;
  }
  result.ok = true;
  WmfPlayer player(dc, loop.header()->objects);
  while (auto r = loop.next()) {
    player.play(*r);
    ++result.records;
  }
  result.complete = loop.sawEof();
  if (!result.complete) result.error = loop.error();
  return result;
}

std::optional<std::vector<uint8_t>> wmfToEmf(std::span<const uint8_t> wmf, double widthMm,
                                             double heightMm, std::string* error) {
  const auto pic = readWmfPicture(wmf, error);
  if (!pic) return std::nullopt;
  if (!(widthMm > 0 && heightMm > 0 && widthMm < 1e4 && heightMm < 1e4)) {
    if (error != nullptr) *error = "the picture size is out of range";
    return std::nullopt;
  }
  // One reference pixel per 0.01 mm.
  const int32_t w = int32_t(std::lround(widthMm * 100)), h = int32_t(std::lround(heightMm * 100));
  const ReferenceDevice ref{w, h, std::max(1, int32_t(std::lround(widthMm))),
                            std::max(1, int32_t(std::lround(heightMm))), w * 10, h * 10};
  EmfWriter out(ref, Rect{0, 0, w, h}, "");
  const Rect box = pic->box.value_or(Rect{0, 0, w, h});
  out.setMapMode(MapMode::Anisotropic);
  out.setWindowOrg({box.left, box.top});
  out.setWindowExt({box.right - box.left, box.bottom - box.top});
  out.setViewportOrg({0, 0});
  out.setViewportExt({w, h});
  playWmf(wmf, out);
  return out.finish();
}

}  // namespace kumi::platform::player
