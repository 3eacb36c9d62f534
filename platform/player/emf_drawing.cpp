// The drawing records of the EMF interpreter: shapes, lines, paths, text,
// bitmaps, regions and clipping.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/base/cp932.h"
#include "platform/emf/dib.h"
#include "platform/emf/emf_records.h"
#include "platform/player/dib_decode.h"
#include "platform/player/emf_interpreter.h"

namespace kumi::platform::player::detail {

using emf::RecordType;
using emf::RecordView;

namespace {

// Geometry further out than this many device pixels is not drawn: nothing
// of a page lies there, and painters slow down or misbehave far out.
constexpr double kDeviceLimit = 1e7;

constexpr uint32_t kPatCopy = 0x00F00021;

bool usable(const Path& p) { return !p.empty() && p.bounded(kDeviceLimit); }

Rect normalized(Rect r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

// EXTTEXTOUTA: the bytes in the font's code page (code page 932 for the
// Japanese and default character sets, Latin-1 otherwise), with the
// advances of a double-byte character added up.
void narrowText(const std::string& bytes, const std::vector<int32_t>& dx, bool cp932,
                std::u16string& text, std::vector<double>& advances) {
  for (size_t i = 0; i < bytes.size();) {
    const size_t n = cp932 && isCp932LeadByte(uint8_t(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
    double a = 0;
    for (size_t k = i; k < i + n && k < dx.size(); ++k) a += dx[k];
    const std::u16string part = cp932 ? cp932ToUtf16Lossy(std::string_view(bytes).substr(i, n))
                                      : std::u16string(1, char16_t(uint8_t(bytes[i])));
    for (size_t k = 0; k < part.size(); ++k) {
      text += part[k];
      if (!dx.empty()) advances.push_back(k == 0 ? a : 0);
    }
    i += n;
  }
}

}  // namespace

// --- pens and brushes --------------------------------------------------------

double Interpreter::penWidthDevice() {
  const PenObject& p = dc_.pen;
  const bool cosmetic = p.extended && (p.pen.style & PenStyle::Geometric) == 0;
  if (cosmetic || p.pen.width <= 0) return 1;
  const double w = std::fabs(double(p.pen.width)) * length(toDevice().mapVector({1, 0}));
  return std::isfinite(w) ? std::max(1.0, std::round(w)) : 1;
}

std::optional<StrokeStyle> Interpreter::strokeStyle() {
  const PenObject& p = dc_.pen;
  const uint32_t style = p.pen.style & PenStyle::StyleMask;
  if (style == PenStyle::Null) return std::nullopt;
  StrokeStyle s;
  s.color = p.pen.color & 0xFFFFFF;
  s.width = penWidthDevice();
  const bool geometric = p.extended ? (p.pen.style & PenStyle::Geometric) != 0 : s.width > 1;
  s.cosmetic = !geometric;
  s.miterLimit = dc_.miterLimit;
  if (p.extended && geometric) {
    const uint32_t cap = p.pen.style & 0x00000F00, join = p.pen.style & 0x0000F000;
    s.cap = cap == PenStyle::EndCapSquare ? StrokeStyle::Cap::Square
            : cap == PenStyle::EndCapFlat ? StrokeStyle::Cap::Flat : StrokeStyle::Cap::Round;
    s.join = join == PenStyle::JoinBevel ? StrokeStyle::Join::Bevel
             : join == PenStyle::JoinMiter ? StrokeStyle::Join::Miter : StrokeStyle::Join::Round;
  }
  // Styled lines: cosmetic ones in device pixels, geometric ones in pen
  // widths. A plain pen (CreatePen) wider than one device pixel draws solid.
  const double u = geometric ? s.width : 1;
  if (!p.extended && s.width > 1) return s;
  switch (style) {
    case PenStyle::Dash: s.dash = geometric ? std::vector{3 * u, u} : std::vector{18.0, 6.0}; break;
    case PenStyle::Dot: s.dash = geometric ? std::vector{u, u} : std::vector{3.0, 3.0}; break;
    case PenStyle::DashDot:
      s.dash = geometric ? std::vector{3 * u, u, u, u} : std::vector{9.0, 6.0, 3.0, 6.0};
      break;
    case PenStyle::DashDotDot:
      s.dash = geometric ? std::vector{3 * u, u, u, u, u, u}
                         : std::vector{9.0, 3.0, 3.0, 3.0, 3.0, 3.0};
      break;
    case 7: {  // PS_USERSTYLE: lengths in logical units (geometric) or pixels
      const double scale = geometric ? length(toDevice().mapVector({1, 0})) : 1;
      for (uint32_t e : p.styleEntries) s.dash.push_back(std::max(0.0, e * scale));
      if (s.dash.size() % 2 != 0 || std::all_of(s.dash.begin(), s.dash.end(),
                                                 [](double d) { return d <= 0; })) {
        s.dash.clear();
      }
      break;
    }
    case 8: s.dash = {1, 1}; break;  // PS_ALTERNATE
    default: break;
  }
  return s;
}

FillStyle Interpreter::fillStyle(const BrushObject& b) {
  FillStyle f;
  f.winding = dc_.gdi.polyFillMode == PolyFillMode::Winding;
  f.color = b.brush.color & 0xFFFFFF;
  if (b.pattern) {
    f.kind = FillStyle::Kind::Pattern;
    f.pattern = b.pattern;
  } else if (b.brush.style == BrushStyle::Solid) {
    f.kind = FillStyle::Kind::Solid;
  } else if (b.brush.style == BrushStyle::Hatched) {
    f.kind = FillStyle::Kind::Hatch;
    f.hatch = b.brush.hatch;
    f.opaqueGaps = dc_.gdi.bkMode == BkMode::Opaque;
    f.background = dc_.gdi.bkColor;
  }
  return f;
}

// --- shapes and lines ----------------------------------------------------------

void Interpreter::draw(const Path& logical, bool fillIt) {
  const Path d = devicePath(logical);
  if (!usable(d)) return;
  if (inPath_) {
    path_.append(d);
    return;
  }
  if (fillIt) {
    const FillStyle f = fillStyle(dc_.brush);
    if (f.kind != FillStyle::Kind::None) canvas_.fill(d, f);
  }
  if (auto s = strokeStyle()) canvas_.stroke(d, *s);
}

void Interpreter::drawBox(const RecordView& r, uint32_t type) {
  const auto box = emf::fieldRect(r, 0);
  if (!box) return;
  const Rect b = normalized(*box);
  double l = b.left, t = b.top, rr = b.right, bb = b.bottom;
  // An inside-frame pen keeps its whole width inside the box.
  if ((dc_.pen.pen.style & PenStyle::StyleMask) == PenStyle::InsideFrame) {
    const double half = penWidthDevice() / 2;
    const double hx = half / std::max(1e-9, length(toDevice().mapVector({1, 0})));
    const double hy = half / std::max(1e-9, length(toDevice().mapVector({0, 1})));
    if (half > 0.5 && rr - l > 2 * hx && bb - t > 2 * hy) {
      l += hx, rr -= hx, t += hy, bb -= hy;
    }
  }
  if (type == uint32_t(RecordType::Rectangle)) {
    draw(rectanglePath(l, t, rr, bb), true);
  } else if (type == uint32_t(RecordType::Ellipse)) {
    draw(ellipsePath(l, t, rr, bb), true);
  } else if (auto corner = emf::fieldPoint(r, 4)) {
    draw(roundRectPath(l, t, rr, bb, corner->x, corner->y), true);
  }
}

void Interpreter::drawArc(const RecordView& r, uint32_t type) {
  const auto box = emf::fieldRect(r, 0);
  const auto from = emf::fieldPoint(r, 4), to = emf::fieldPoint(r, 6);
  if (!box || !from || !to) return;
  const Rect b = normalized(*box);
  // GDI turns counter-clockwise as the device shows it by default.
  int sign = toDevice().determinant() > 0 ? -1 : 1;
  if (dc_.arcDirection == 2) sign = -sign;
  const PointD f{double(from->x), double(from->y)}, e{double(to->x), double(to->y)};
  Path p;
  const Point cp = dc_.gdi.currentPosition;
  switch (static_cast<RecordType>(type)) {
    case RecordType::Arc: appendArc(p, b.left, b.top, b.right, b.bottom, f, e, sign, false); break;
    case RecordType::ArcTo:
      p.moveTo({double(cp.x), double(cp.y)});
      appendArc(p, b.left, b.top, b.right, b.bottom, f, e, sign, true);
      if (p.hasCurrentPoint()) {
        const PointD end = p.currentPoint();
        dc_.gdi.currentPosition = {int32_t(std::lround(std::clamp(end.x, -2e9, 2e9))),
                                   int32_t(std::lround(std::clamp(end.y, -2e9, 2e9)))};
      }
      break;
    case RecordType::Chord:
      appendArc(p, b.left, b.top, b.right, b.bottom, f, e, sign, false);
      p.close();
      break;
    default:  // Pie
      p.moveTo({(b.left + b.right) / 2.0, (b.top + b.bottom) / 2.0});
      appendArc(p, b.left, b.top, b.right, b.bottom, f, e, sign, true);
      p.close();
      break;
  }
  draw(p, type == uint32_t(RecordType::Chord) || type == uint32_t(RecordType::Pie));
}

void Interpreter::drawAngleArc(const RecordView& r) {
  // Center, nRadius, eStartAngle, eSweepAngle ([MS-EMF] 2.3.5.1)
  const ByteView v = r.view();
  if (!v.need(0, 28)) return;
  const PointD c{double(v.i32(8)), double(v.i32(12))};
  const double radius = v.u32(16), start = v.f32(20), sweep = v.f32(24);
  if (!std::isfinite(start) || !std::isfinite(sweep) || sweep == 0) return;
  // Angles count counter-clockwise as the device shows them.
  const double ys = toDevice().determinant() > 0 ? -1 : 1;
  auto at = [&](double deg) {
    const double a = deg * std::numbers::pi / 180;
    return PointD{c.x + radius * std::cos(a), c.y + ys * radius * std::sin(a)};
  };
  const Point cp = dc_.gdi.currentPosition;
  Path p;
  p.moveTo({double(cp.x), double(cp.y)});
  const double sw = std::clamp(sweep, -360.0, 360.0);
  const int sign = (sw > 0 ? 1 : -1) * int(ys);
  if (std::fabs(sw) >= 360) {
    appendArc(p, c.x - radius, c.y - radius, c.x + radius, c.y + radius, at(start), at(start), sign, true);
  } else {
    appendArc(p, c.x - radius, c.y - radius, c.x + radius, c.y + radius, at(start), at(start + sw),
              sign, true);
  }
  const PointD end = at(start + sw);
  dc_.gdi.currentPosition = {int32_t(std::lround(std::clamp(end.x, -2e9, 2e9))),
                             int32_t(std::lround(std::clamp(end.y, -2e9, 2e9)))};
  draw(p, false);
}

void Interpreter::drawPoly(const RecordView& r) {
  const auto poly = emf::decodePoly(r);
  if (!poly || poly->points.empty()) return;
  const auto& pts = poly->points;
  auto pd = [](Point q) { return PointD{double(q.x), double(q.y)}; };
  Path p;
  bool fillIt = false;
  size_t i = 0;
  const auto type = static_cast<RecordType>(r.type);
  const bool fromCp = type == RecordType::PolylineTo || type == RecordType::PolylineTo16 ||
                      type == RecordType::PolyBezierTo || type == RecordType::PolyBezierTo16;
  const bool bezier = type == RecordType::PolyBezier || type == RecordType::PolyBezier16 ||
                      type == RecordType::PolyBezierTo || type == RecordType::PolyBezierTo16;
  if (fromCp) {
    p.moveTo(pd(dc_.gdi.currentPosition));
  } else {
    p.moveTo(pd(pts[0]));
    i = 1;
  }
  if (bezier) {
    for (; i + 2 < pts.size(); i += 3) p.cubicTo(pd(pts[i]), pd(pts[i + 1]), pd(pts[i + 2]));
  } else {
    for (; i < pts.size(); ++i) p.lineTo(pd(pts[i]));
  }
  if (type == RecordType::Polygon || type == RecordType::Polygon16) {
    if (pts.size() < 2) return;
    p.close();
    fillIt = true;
  }
  if (fromCp) {
    const size_t used = bezier ? pts.size() / 3 * 3 : pts.size();
    if (used > 0) dc_.gdi.currentPosition = pts[used - 1];
  }
  draw(p, fillIt);
}

void Interpreter::drawPolyPoly(const RecordView& r) {
  const auto poly = emf::decodePolyPoly(r);
  if (!poly) return;
  const bool polygon =
      r.type == uint32_t(RecordType::PolyPolygon) || r.type == uint32_t(RecordType::PolyPolygon16);
  Path p;
  size_t k = 0;
  for (uint32_t n : poly->counts) {
    for (uint32_t i = 0; i < n; ++i, ++k) {
      const PointD q{double(poly->points[k].x), double(poly->points[k].y)};
      if (i == 0) p.moveTo(q);
      else p.lineTo(q);
    }
    if (polygon && n > 0) p.close();
  }
  if (!p.empty()) draw(p, polygon);
}

void Interpreter::drawPolyDraw(const RecordView& r) {
  // Bounds, cptl, aptl[cptl], abTypes[cptl] ([MS-EMF] 2.3.5.26)
  const ByteView v = r.view();
  if (!v.need(0, 28)) return;
  const bool shortForm = r.type == uint32_t(RecordType::PolyDraw16);
  const size_t unit = shortForm ? 4 : 8;
  const uint32_t n = v.u32(24);
  if (!v.needArray(28, n, unit) || !v.needArray(28 + size_t{n} * unit, n, 1)) return;
  const size_t typesAt = 28 + size_t{n} * unit;
  Path p;
  Point cp = dc_.gdi.currentPosition;
  p.moveTo({double(cp.x), double(cp.y)});
  for (size_t i = 0; i < n; ++i) {
    const size_t at = 28 + i * unit;
    const Point q = shortForm ? Point{v.i16(at), v.i16(at + 2)} : Point{v.i32(at), v.i32(at + 4)};
    const uint8_t kind = v.u8(typesAt + i);
    const PointD d{double(q.x), double(q.y)};
    if ((kind & 0x06) == 0x06) {
      p.moveTo(d);
    } else if ((kind & 0x06) == 0x04 && i + 2 < n) {
      const size_t a1 = at + unit, a2 = at + 2 * unit;
      const Point q1 = shortForm ? Point{v.i16(a1), v.i16(a1 + 2)} : Point{v.i32(a1), v.i32(a1 + 4)};
      const Point q2 = shortForm ? Point{v.i16(a2), v.i16(a2 + 2)} : Point{v.i32(a2), v.i32(a2 + 4)};
      p.cubicTo(d, {double(q1.x), double(q1.y)}, {double(q2.x), double(q2.y)});
      i += 2;
      cp = q2;
      if ((v.u8(typesAt + i) & 0x01) != 0) p.close();
      continue;
    } else {
      p.lineTo(d);
    }
    cp = q;
    if ((kind & 0x01) != 0) p.close();
  }
  dc_.gdi.currentPosition = cp;
  draw(p, false);
}

void Interpreter::lineTo(Point q) {
  const Point cp = dc_.gdi.currentPosition;
  dc_.gdi.currentPosition = q;
  if (inPath_) {
    const PointD from = device(cp), to = device(q);
    if (!path_.hasCurrentPoint() || path_.currentPoint().x != from.x ||
        path_.currentPoint().y != from.y) {
      path_.moveTo(from);
    }
    path_.lineTo(to);
    return;
  }
  Path p;
  p.moveTo({double(cp.x), double(cp.y)});
  p.lineTo({double(q.x), double(q.y)});
  draw(p, false);
}

void Interpreter::setPixel(const RecordView& r) {
  const auto p = emf::fieldPoint(r, 0);
  const auto c = emf::fieldU32(r, 2);
  if (!p || !c) return;
  const PointD d = device(*p);
  if (std::isfinite(d.x) && std::isfinite(d.y) && std::fabs(d.x) < kDeviceLimit &&
      std::fabs(d.y) < kDeviceLimit) {
    canvas_.setPixel(d, *c & 0xFFFFFF);
  }
}

// --- paths -------------------------------------------------------------------

void Interpreter::pathOp(const RecordView& r) {
  const uint32_t type = r.type;
  auto done = [this] {
    path_.clear();
    pathReady_ = false;
  };
  switch (static_cast<RecordType>(type)) {
    case RecordType::BeginPath:
      path_.clear();
      inPath_ = true;
      pathReady_ = false;
      break;
    case RecordType::EndPath:
      if (inPath_) {
        inPath_ = false;
        pathReady_ = true;
      }
      break;
    case RecordType::CloseFigure:
      if (inPath_) path_.close();
      break;
    case RecordType::AbortPath:
      inPath_ = false;
      done();
      break;
    case RecordType::FlattenPath:
      if (pathReady_) path_ = path_.flattened(0.25);
      break;
    case RecordType::StrokePath:
    case RecordType::FillPath:
    case RecordType::StrokeAndFillPath: {
      if (!pathReady_) break;
      if (usable(path_)) {
        if (type != uint32_t(RecordType::StrokePath)) {
          const FillStyle f = fillStyle(dc_.brush);
          if (f.kind != FillStyle::Kind::None) canvas_.fill(path_, f);
        }
        if (type != uint32_t(RecordType::FillPath)) {
          if (auto s = strokeStyle()) canvas_.stroke(path_, *s);
        }
      }
      done();
      break;
    }
    default: {  // SelectClipPath
      const auto mode = emf::fieldU32(r, 0);
      if (!pathReady_ || !mode || *mode < 1 || *mode > 5) break;
      if (usable(path_)) {
        canvas_.clip(path_, static_cast<RegionMode>(*mode),
                     dc_.gdi.polyFillMode == PolyFillMode::Winding);
      }
      done();
      break;
    }
  }
}

// --- text ----------------------------------------------------------------------

void Interpreter::text(const RecordView& r) {
  const auto x = emf::decodeText(r);
  if (!x) return;
  GdiState& s = dc_.gdi;
  TextRun run;
  run.font = dc_.font;
  const bool pairs = (x->options & TextOutOption::Pdy) != 0;
  if (r.is(RecordType::ExtTextOutW)) {
    run.text = x->text;
    for (size_t i = 0; i < x->dx.size(); i += pairs ? 2 : 1) run.advances.push_back(x->dx[i]);
  } else {
    std::vector<int32_t> dx;
    for (size_t i = 0; i < x->dx.size(); i += pairs ? 2 : 1) dx.push_back(x->dx[i]);
    const bool cp932 = dc_.font.charSet == CharSet::ShiftJis || dc_.font.charSet == CharSet::Default;
    narrowText(x->bytes, dx, cp932, run.text, run.advances);
  }

  const Affine& L = toDevice();
  if ((x->options & TextOutOption::Opaque) != 0 && !inPath_) {
    const Rect b = normalized(x->rect);
    const Path box = devicePath(rectanglePath(b.left, b.top, b.right, b.bottom));
    FillStyle f;
    f.kind = FillStyle::Kind::Solid;
    f.color = s.bkColor;
    if (usable(box) && b.right > b.left && b.bottom > b.top) canvas_.fill(box, f);
  }
  if (run.text.empty()) return;

  const bool updateCp = (s.textAlign & TextAlign::UpdateCP) != 0;
  const Point at = updateCp ? s.currentPosition : x->reference;
  // Escapement is an angle in logical space, from +x towards -y.
  const double theta = run.font.escapement * std::numbers::pi / 1800.0;
  const PointD u{std::cos(theta), -std::sin(theta)};
  const PointD along = L.mapVector(u);
  const double alongLen = length(along);
  const double sy = length(L.mapVector({0, 1}));
  if (!(alongLen > 0) || !(sy > 0) || !std::isfinite(alongLen) || !std::isfinite(sy)) return;
  PointD down;
  const bool advanced = x->graphicsMode == uint32_t(GraphicsMode::Advanced);
  if (advanced) {
    down = L.mapVector({std::sin(theta), std::cos(theta)});
  } else {
    // Compatible mode never mirrors glyphs: their tops face a quarter turn
    // counter-clockwise from the baseline on the device.
    down = {-along.y / alongLen * sy, along.x / alongLen * sy};
  }
  const PointD origin = device(at);
  run.toDevice = {along.x, along.y, down.x, down.y, origin.x, origin.y};
  if (!run.toDevice.finite()) return;

  const double h = std::fabs(double(run.font.height));
  // Height 0 asks for the default size: the system font's 16 pixels of the
  // reference device.
  run.em = h > 0 ? h : 16.0 * length(refToDevice_.mapVector({0, 1})) / sy;
  const double w = std::fabs(double(run.font.width));
  run.widthScale = w > 0 ? w / (run.em / 2) : (advanced ? 1.0 : sy / alongLen);
  run.align = s.textAlign;
  run.color = s.textColor;
  run.opaque = s.bkMode == BkMode::Opaque;
  run.background = s.bkColor;
  if ((x->options & TextOutOption::Clipped) != 0) {
    const Rect b = normalized(x->rect);
    run.clipped = true;
    run.clipBox = devicePath(rectanglePath(b.left, b.top, b.right, b.bottom));
    if (!usable(run.clipBox)) return;
  }

  if (inPath_) {
    const Path outline = canvas_.textOutline(run);
    if (usable(outline)) path_.append(outline);
  } else {
    canvas_.drawText(run);
  }
  if (updateCp) {
    double width = 0;
    if (run.advances.empty()) width = canvas_.textWidth(run);
    else for (double a : run.advances) width += a;
    const double nx = s.currentPosition.x + u.x * width, ny = s.currentPosition.y + u.y * width;
    if (std::isfinite(nx) && std::isfinite(ny)) {
      s.currentPosition = {int32_t(std::lround(std::clamp(nx, -2e9, 2e9))),
                           int32_t(std::lround(std::clamp(ny, -2e9, 2e9)))};
    }
  }
}

// --- bitmaps -----------------------------------------------------------------

void Interpreter::drawImage(std::span<const uint8_t> info, std::span<const uint8_t> bits,
                            DibUsage usage, double sx, double sy, double scx, double scy,
                            bool dibOrigin, double dx, double dy, double dcx, double dcy,
                            uint32_t rop) {
  const auto layout = dibLayout(info, usage == DibUsage::PalColors ? 2 : 4);
  if (!layout || scx == 0 || scy == 0 || dcx == 0 || dcy == 0) return;
  const double fullH = std::fabs(double(layout->height));
  // A bottom-up bitmap counts its source rows from the bottom.
  const double top = dibOrigin && layout->height > 0 ? fullH - (sy + scy) : sy;
  const double x0 = std::min(sx, sx + scx), y0 = std::min(top, top + scy);
  const double x1 = std::max(sx, sx + scx), y1 = std::max(top, top + scy);
  if (!(x1 - x0 < 1e9) || !(y1 - y0 < 1e9)) return;
  PixelRect want{int32_t(std::clamp(std::floor(x0), -1e9, 1e9)),
                 int32_t(std::clamp(std::floor(y0), -1e9, 1e9)),
                 int32_t(std::ceil(x1 - std::floor(x0))), int32_t(std::ceil(y1 - std::floor(y0)))};
  PixelRect got;
  const auto img = decodeDib(info, bits, usage, palette(), want, &got);
  if (!img) return;
  const double kx = dcx / scx, ky = dcy / scy;
  const Affine toLogical{kx, 0, 0, ky, dx + (got.x - sx) * kx, dy + (got.y - top) * ky};
  const Affine toDev = toLogical.then(toDevice());
  if (!toDev.finite() || toDev.determinant() == 0) return;
  const PointD corner = toDev.map({0, 0});
  if (!(std::fabs(corner.x) < kDeviceLimit && std::fabs(corner.y) < kDeviceLimit)) return;
  canvas_.drawImage(*img, toDev, 0, 0, img->width, img->height, rop);
}

void Interpreter::bitmap(const RecordView& r) {
  const auto s = emf::decodeStretchDib(r);
  if (!s || s->bitmapInfo.empty() || s->usage > 1) return;
  drawImage(s->bitmapInfo, s->bits, static_cast<DibUsage>(s->usage), s->source.x, s->source.y,
            s->source.cx, s->source.cy, true, s->dest.x, s->dest.y, s->dest.cx, s->dest.cy,
            s->rasterOp);
}

void Interpreter::blt(const RecordView& r, bool stretch) {
  // Bounds, xDest, yDest, cxDest, cyDest, BitBltRasterOperation, xSrc, ySrc,
  // XformSrc, BkColorSrc, UsageSrc, offBmiSrc, cbBmiSrc, offBitsSrc,
  // cbBitsSrc[, cxSrc, cySrc] ([MS-EMF] 2.3.1.2, 2.3.1.6)
  const ByteView v = r.view();
  if (!v.need(0, stretch ? 108 : 100)) return;
  const double dx = v.i32(24), dy = v.i32(28), dcx = v.i32(32), dcy = v.i32(36);
  const uint32_t rop = v.u32(40);
  const uint32_t usage = v.u32(80), offBmi = v.u32(84), cbBmi = v.u32(88), offBits = v.u32(92),
                 cbBits = v.u32(96);
  if (cbBmi == 0 || cbBits == 0) {
    // No source: the operations that only paint.
    FillStyle f;
    if (rop == kPatCopy) f = fillStyle(dc_.brush);
    else if (rop == RasterOp::Blackness) f.kind = FillStyle::Kind::Solid, f.color = 0;
    else if (rop == RasterOp::Whiteness) f.kind = FillStyle::Kind::Solid, f.color = 0xFFFFFF;
    const Path box = devicePath(rectanglePath(dx, dy, dx + dcx, dy + dcy));
    if (f.kind != FillStyle::Kind::None && usable(box)) canvas_.fill(box, f);
    return;
  }
  if (!v.need(offBmi, cbBmi) || !v.need(offBits, cbBits) || usage > 1) return;
  const Affine src{v.f32(52), v.f32(56), v.f32(60), v.f32(64), v.f32(68), v.f32(72)};
  const PointD s0 = src.map({double(v.i32(44)), double(v.i32(48))});
  double scx = stretch ? v.i32(100) : dcx * src.m11;
  double scy = stretch ? v.i32(104) : dcy * src.m22;
  if (!std::isfinite(scx) || scx == 0) scx = dcx;
  if (!std::isfinite(scy) || scy == 0) scy = dcy;
  if (!std::isfinite(s0.x) || !std::isfinite(s0.y)) return;
  drawImage(v.sub(offBmi, cbBmi), v.sub(offBits, cbBits), static_cast<DibUsage>(usage), s0.x, s0.y,
            scx, scy, false, dx, dy, dcx, dcy, rop);
}

void Interpreter::dibitsToDevice(const RecordView& r) {
  // Bounds, xDest, yDest, xSrc, ySrc, cxSrc, cySrc, offBmiSrc, cbBmiSrc,
  // offBitsSrc, cbBitsSrc, UsageSrc, iStartScan, cScans ([MS-EMF] 2.3.1.5)
  const ByteView v = r.view();
  if (!v.need(0, 76)) return;
  const uint32_t offBmi = v.u32(48), cbBmi = v.u32(52), offBits = v.u32(56), cbBits = v.u32(60);
  const uint32_t usage = v.u32(64), startScan = v.u32(68);
  if (!v.need(offBmi, cbBmi) || !v.need(offBits, cbBits) || usage > 1 || startScan != 0) return;
  const double cx = v.i32(40), cy = v.i32(44);
  // The destination is as many reference pixels as the source has; in
  // logical units that is what the mapping makes of them.
  const Affine refOnly = toDevice().then(refToDevice_.inverted());
  const double lx = cx / std::max(1e-9, length(refOnly.mapVector({1, 0})));
  const double ly = cy / std::max(1e-9, length(refOnly.mapVector({0, 1})));
  const double sgnY = refOnly.m22 < 0 ? -1 : 1;
  drawImage(v.sub(offBmi, cbBmi), v.sub(offBits, cbBits), static_cast<DibUsage>(usage), v.i32(32),
            v.i32(36), cx, cy, true, v.i32(24), v.i32(28), lx, sgnY * ly, RasterOp::SrcCopy);
}

// --- regions and clipping ------------------------------------------------------

Path Interpreter::regionPath(std::span<const uint8_t> data) {
  // RegionDataHeader: Size (32), Type (1), CountRects, RgnSize, Bounds; then
  // CountRects rectangles in device units ([MS-EMF] 2.2.24).
  const ByteView v(data);
  Path p;
  if (!v.need(0, 32)) return p;
  const uint32_t n = v.u32(8);
  for (size_t i = 0; i < n && v.need(32 + 16 * i, 16); ++i) {
    const size_t at = 32 + 16 * i;
    const Rect q = normalized({v.i32(at), v.i32(at + 4), v.i32(at + 8), v.i32(at + 12)});
    if (q.right > q.left && q.bottom > q.top) p.append(rectanglePath(q.left, q.top, q.right, q.bottom));
  }
  return p.mapped(refToDevice_);
}

void Interpreter::region(const RecordView& r) {
  const ByteView v = r.view();
  if (r.is(RecordType::ExtSelectClipRgn)) {
    const auto c = emf::decodeClipRegion(r);
    if (!c || c->mode < 1 || c->mode > 5) return;
    if (c->regionData.empty()) {
      if (c->mode == uint32_t(RegionMode::Copy)) canvas_.resetClip();
      return;
    }
    const Path p = regionPath(c->regionData);
    if (p.bounded(kDeviceLimit)) canvas_.clip(p, static_cast<RegionMode>(c->mode), true);
    return;
  }
  const bool fillRgn = r.is(RecordType::FillRgn);
  const size_t dataAt = fillRgn ? 32 : 28;
  if (!v.need(0, dataAt)) return;
  const uint32_t n = v.u32(24);
  if (!v.need(dataAt, n)) return;
  BrushObject brush = dc_.brush;
  if (fillRgn) {
    const uint32_t h = v.u32(28);
    Object* o = objectAt(h);
    if (o == nullptr || !std::holds_alternative<BrushObject>(*o)) return;
    brush = std::get<BrushObject>(*o);
  }
  const Path p = regionPath(v.sub(dataAt, n));
  FillStyle f = fillStyle(brush);
  f.winding = true;
  if (usable(p) && f.kind != FillStyle::Kind::None) canvas_.fill(p, f);
}

void Interpreter::clipRect(const RecordView& r, bool exclude) {
  const auto box = emf::fieldRect(r, 0);
  if (!box) return;
  const Rect b = normalized(*box);
  const Path p = devicePath(rectanglePath(b.left, b.top, b.right, b.bottom));
  if (usable(p)) canvas_.clip(p, exclude ? RegionMode::Diff : RegionMode::And, false);
}

}  // namespace kumi::platform::player::detail
