#include "platform/player/emf_player.h"

#include <algorithm>
#include <cmath>

#include "platform/emf/emf_records.h"
#include "platform/player/dib_decode.h"
#include "platform/player/emf_interpreter.h"

namespace kumi::platform::player {

using emf::RecordType;
using emf::RecordView;

namespace {

// A header's bounds may be any 32-bit values: the frame made from them is
// kept within 32 bits instead of overflowing the conversion.
int32_t clampedI32(double v) {
  if (!(v > -2147483648.0)) return INT32_MIN;
  if (!(v < 2147483647.0)) return INT32_MAX;
  return static_cast<int32_t>(v);
}


// Object tables larger than this are refused: GDI's own limit is 16 bits.
constexpr uint32_t kMaxObjects = 65535;
constexpr size_t kMaxStyleEntries = 16;

double micrometersX(const ReferenceDevice& r) {
  return r.horzMicrometers > 0 ? r.horzMicrometers : 1000.0 * r.horzSize;
}
double micrometersY(const ReferenceDevice& r) {
  return r.vertMicrometers > 0 ? r.vertMicrometers : 1000.0 * r.vertSize;
}

// Reference-device pixels to 0.01 mm.
Affine refToFrame(const ReferenceDevice& r) {
  return Affine::scaling(micrometersX(r) / 10.0 / r.horzRes, micrometersY(r) / 10.0 / r.vertRes);
}

bool empty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

std::optional<PictureInfo> readPictureInfo(std::span<const uint8_t> bytes, std::string* error) {
  std::string why;
  const auto h = emf::decodeHeader(bytes, &why);
  auto fail = [error](std::string reason) -> std::optional<PictureInfo> {
    if (error != nullptr) *error = std::move(reason);
    return std::nullopt;
  };
  if (!h) return fail("not an enhanced metafile: " + why);
  PictureInfo info;
  info.frame = h->frame;
  info.bounds = h->bounds;
  info.records = h->records;
  info.description = h->description;
  info.reference = {h->device.cx, h->device.cy, h->millimeters.cx, h->millimeters.cy, 0, 0};
  if (h->hasMicrometers) {
    info.reference.horzMicrometers = h->micrometers.cx;
    info.reference.vertMicrometers = h->micrometers.cy;
  }
  const ReferenceDevice& r = info.reference;
  if (r.horzRes <= 0 || r.vertRes <= 0 || micrometersX(r) <= 0 || micrometersY(r) <= 0) {
    return fail("the header gives no reference device");
  }
  // A frame that encloses nothing is taken from the bounds, then from the
  // whole reference device, as other players do.
  if (empty(info.frame)) {
    const Affine f = refToFrame(r);
    const PointD a = f.map({double(h->bounds.left), double(h->bounds.top)});
    const PointD b = f.map({double(h->bounds.right) + 1, double(h->bounds.bottom) + 1});
    info.frame = {clampedI32(std::floor(a.x)), clampedI32(std::floor(a.y)),
                  clampedI32(std::ceil(b.x)), clampedI32(std::ceil(b.y))};
  }
  if (empty(info.frame)) {
    info.frame = {0, 0, clampedI32(double(micrometersX(r)) / 10), clampedI32(double(micrometersY(r)) / 10)};
  }
  if (empty(info.frame)) return fail("the header describes no picture");
  return info;
}

Affine frameOnto(const PictureInfo& info, double left, double top, double width, double height) {
  const double sx = width / (double(info.frame.right) - info.frame.left);
  const double sy = height / (double(info.frame.bottom) - info.frame.top);
  return {sx, 0, 0, sy, left - info.frame.left * sx, top - info.frame.top * sy};
}

PlayResult playEmf(std::span<const uint8_t> bytes, Canvas& canvas, const Affine& frameToDevice,
                   size_t lastRecord) {
  PlayResult result;
  const auto info = readPictureInfo(bytes, &result.error);
  if (!info) return result;
  if (!frameToDevice.finite() || frameToDevice.determinant() == 0) {
    result.error = "the placement is degenerate";
    return result;
  }
  result.ok = true;
  detail::Interpreter player(*info, canvas, frameToDevice);
  emf::RecordLoop loop(bytes);
  for (size_t i = 0; i <= lastRecord; ++i) {
    const auto r = loop.next();
    if (!r) break;
    canvas.beginRecord(i);
    player.play(*r);
    ++result.records;
  }
  result.complete = loop.sawEof();
  if (!result.complete && result.records <= lastRecord) result.error = loop.error();
  return result;
}

namespace detail {

Interpreter::Interpreter(const PictureInfo& info, Canvas& canvas, const Affine& frameToDevice)
    : info_(info), canvas_(canvas), refToDevice_(refToFrame(info.reference).then(frameToDevice)) {
  objects_.resize(1);
}

const Affine& Interpreter::toDevice() {
  if (toDeviceDirty_) {
    const GdiState& s = dc_.gdi;
    const XForm& w = s.world;
    const Affine world{w.m11, w.m12, w.m21, w.m22, w.dx, w.dy};
    const double sx = double(s.viewportExt.cx) / (s.windowExt.cx == 0 ? 1 : s.windowExt.cx);
    const double sy = double(s.viewportExt.cy) / (s.windowExt.cy == 0 ? 1 : s.windowExt.cy);
    const Affine window{sx, 0, 0, sy, s.viewportOrg.x - s.windowOrg.x * sx,
                        s.viewportOrg.y - s.windowOrg.y * sy};
    toDevice_ = world.then(window).then(refToDevice_);
    toDeviceDirty_ = false;
  }
  return toDevice_;
}

void Interpreter::play(const RecordView& r) {
  GdiState& s = dc_.gdi;
  auto u32 = [&r](size_t i) { return emf::fieldU32(r, i); };
  switch (static_cast<RecordType>(r.type)) {
    // --- mapping
    case RecordType::SetMapMode:
      if (auto m = u32(0)) setMapMode(*m);
      break;
    case RecordType::SetWindowExtEx:
      if (auto p = emf::fieldPoint(r, 0)) applyWindowExt(s, {p->x, p->y});
      toDeviceDirty_ = true;
      break;
    case RecordType::SetViewportExtEx:
      if (auto p = emf::fieldPoint(r, 0)) applyViewportExt(s, {p->x, p->y});
      toDeviceDirty_ = true;
      break;
    case RecordType::SetWindowOrgEx:
      if (auto p = emf::fieldPoint(r, 0)) s.windowOrg = *p;
      toDeviceDirty_ = true;
      break;
    case RecordType::SetViewportOrgEx:
      if (auto p = emf::fieldPoint(r, 0)) s.viewportOrg = *p;
      toDeviceDirty_ = true;
      break;
    case RecordType::ScaleViewportExtEx: scaleExtent(r, true); break;
    case RecordType::ScaleWindowExtEx: scaleExtent(r, false); break;
    case RecordType::SetWorldTransform:
    case RecordType::ModifyWorldTransform: setTransform(r); break;
    case RecordType::SaveDc: save(); break;
    case RecordType::RestoreDc:
      if (auto n = u32(0)) restore(static_cast<int32_t>(*n));
      break;

    // --- attributes
    case RecordType::SetBkMode:
      if (auto m = u32(0); m && (*m == 1 || *m == 2)) s.bkMode = static_cast<BkMode>(*m);
      break;
    case RecordType::SetPolyFillMode:
      if (auto m = u32(0); m && (*m == 1 || *m == 2)) s.polyFillMode = static_cast<PolyFillMode>(*m);
      break;
    case RecordType::SetTextAlign:
      if (auto a = u32(0)) s.textAlign = *a;
      break;
    case RecordType::SetTextColor:
      if (auto c = u32(0)) s.textColor = *c & 0xFFFFFF;
      break;
    case RecordType::SetBkColor:
      if (auto c = u32(0)) s.bkColor = *c & 0xFFFFFF;
      break;
    case RecordType::SetArcDirection:
      if (auto d = u32(0); d && (*d == 1 || *d == 2)) dc_.arcDirection = static_cast<int>(*d);
      break;
    case RecordType::SetMiterLimit:
      if (auto m = u32(0)) dc_.miterLimit = std::clamp(double(*m), 1.0, 100.0);
      break;
    case RecordType::MoveToEx:
      if (auto p = emf::fieldPoint(r, 0)) {
        s.currentPosition = *p;
        if (inPath_) path_.moveTo(device(*p));
      }
      break;

    // --- objects
    case RecordType::ExtCreateFontIndirectW:
      if (auto f = emf::decodeFont(r)) createObject(f->handle, f->font);
      break;
    case RecordType::CreatePen:
    case RecordType::ExtCreatePen:
      // GDI makes no pen of more than 16 style entries; refusing them also
      // keeps the pen small, as every SaveDC and SelectObject copies it.
      if (auto p = emf::decodePen(r); p && p->styleEntries.size() <= kMaxStyleEntries) {
        createObject(p->handle, PenObject{p->pen, p->extended, std::move(p->styleEntries)});
      }
      break;
    case RecordType::CreateBrushIndirect:
      if (auto b = emf::decodeBrush(r)) createObject(b->handle, BrushObject{b->brush, nullptr});
      break;
    case RecordType::CreateMonoBrush:
    case RecordType::CreateDibPatternBrushPt: createPatternBrush(r); break;
    case RecordType::CreatePalette:
      if (auto p = emf::decodePalette(r)) {
        createObject(p->handle, PaletteObject{std::make_shared<const std::vector<PaletteEntry>>(
                                    std::move(p->entries))});
      }
      break;
    case RecordType::SelectObject:
      if (auto h = u32(0)) selectObject(*h);
      break;
    case RecordType::SelectPalette:
      if (auto h = u32(0)) {
        if (auto* o = objectAt(*h); o != nullptr && std::holds_alternative<PaletteObject>(*o)) {
          dc_.palette = std::get<PaletteObject>(*o).entries;
        } else if (*h == (kStockObjectFlag | uint32_t(StockObject::DefaultPalette))) {
          dc_.palette.reset();
        }
      }
      break;
    case RecordType::DeleteObject:
      if (auto h = u32(0)) deleteObject(*h);
      break;

    // --- drawing
    case RecordType::SetPixelV: setPixel(r); break;
    case RecordType::LineTo:
      if (auto p = emf::fieldPoint(r, 0)) lineTo(*p);
      break;
    case RecordType::Rectangle:
    case RecordType::Ellipse:
    case RecordType::RoundRect: drawBox(r, r.type); break;
    case RecordType::Arc:
    case RecordType::ArcTo:
    case RecordType::Chord:
    case RecordType::Pie: drawArc(r, r.type); break;
    case RecordType::AngleArc: drawAngleArc(r); break;
    case RecordType::PolyDraw:
    case RecordType::PolyDraw16: drawPolyDraw(r); break;
    case RecordType::ExtTextOutW:
    case RecordType::ExtTextOutA: text(r); break;
    case RecordType::StretchDiBits: bitmap(r); break;
    case RecordType::BitBlt: blt(r, false); break;
    case RecordType::StretchBlt: blt(r, true); break;
    case RecordType::SetDiBitsToDevice: dibitsToDevice(r); break;
    case RecordType::FillRgn:
    case RecordType::PaintRgn:
    case RecordType::ExtSelectClipRgn: region(r); break;
    case RecordType::IntersectClipRect: clipRect(r, false); break;
    case RecordType::ExcludeClipRect: clipRect(r, true); break;
    case RecordType::OffsetClipRgn:
      if (auto p = emf::fieldPoint(r, 0)) {
        const PointD v = toDevice().mapVector({double(p->x), double(p->y)});
        if (std::isfinite(v.x) && std::isfinite(v.y)) canvas_.offsetClip(v.x, v.y);
      }
      break;
    case RecordType::BeginPath:
    case RecordType::EndPath:
    case RecordType::CloseFigure:
    case RecordType::AbortPath:
    case RecordType::FlattenPath:
    case RecordType::StrokePath:
    case RecordType::FillPath:
    case RecordType::StrokeAndFillPath:
    case RecordType::SelectClipPath: pathOp(r); break;
    default:
      if (emf::isPolyType(r.type)) drawPoly(r);
      else if (emf::isPolyPolyType(r.type)) drawPolyPoly(r);
      // Everything else (comments, colour management, escapes, ...) has no
      // drawing of its own.
      break;
  }
}

void Interpreter::setMapMode(uint32_t mode) {
  if (mode < 1 || mode > 8) return;
  applyMapMode(dc_.gdi, static_cast<MapMode>(mode), info_.reference);
  toDeviceDirty_ = true;
}

void Interpreter::scaleExtent(const RecordView& r, bool viewport) {
  // xNum, xDenom, yNum, yDenom ([MS-EMF] 2.3.11.6)
  const auto xn = emf::fieldU32(r, 0), xd = emf::fieldU32(r, 1), yn = emf::fieldU32(r, 2),
             yd = emf::fieldU32(r, 3);
  if (!yd || int32_t(*xd) == 0 || int32_t(*yd) == 0) return;
  GdiState& s = dc_.gdi;
  const Size old = viewport ? s.viewportExt : s.windowExt;
  const int64_t cx = int64_t{old.cx} * int32_t(*xn) / int32_t(*xd);
  const int64_t cy = int64_t{old.cy} * int32_t(*yn) / int32_t(*yd);
  if (cx == 0 || cy == 0 || cx != int32_t(cx) || cy != int32_t(cy)) return;
  const Size ext{int32_t(cx), int32_t(cy)};
  if (viewport) applyViewportExt(s, ext);
  else applyWindowExt(s, ext);
  toDeviceDirty_ = true;
}

void Interpreter::setTransform(const RecordView& r) {
  const auto x = emf::decodeTransform(r);
  if (!x) return;
  const XForm& f = x->xform;
  const Affine a{f.m11, f.m12, f.m21, f.m22, f.dx, f.dy};
  XForm& w = dc_.gdi.world;
  switch (static_cast<TransformMode>(x->mode)) {
    case TransformMode::Identity: w = {}; break;
    case TransformMode::LeftMultiply:
      if (a.finite() && a.determinant() != 0) w = combine(f, w);
      break;
    case TransformMode::RightMultiply:
      if (a.finite() && a.determinant() != 0) w = combine(w, f);
      break;
    case TransformMode::Set:
      if (a.finite() && a.determinant() != 0) w = f;
      break;
  }
  toDeviceDirty_ = true;
}

void Interpreter::save() {
  // Bounded like everything else by the file: each save is one record.
  saved_.push_back(dc_);
  canvas_.saveClip();
}

void Interpreter::restore(int32_t which) {
  const int depth = static_cast<int>(saved_.size());
  int levels = 0;
  if (which < 0 && -int64_t{which} <= depth) levels = -which;
  else if (which > 0 && which <= depth) levels = depth - which + 1;
  if (levels == 0) return;
  dc_ = saved_[saved_.size() - static_cast<size_t>(levels)];
  saved_.resize(saved_.size() - static_cast<size_t>(levels));
  canvas_.restoreClip(levels);
  toDeviceDirty_ = true;
}

Object* Interpreter::objectAt(uint32_t index) {
  if (index == 0 || index >= objects_.size()) return nullptr;
  return &objects_[index];
}

std::span<const PaletteEntry> Interpreter::palette() const {
  if (!dc_.palette) return {};
  return *dc_.palette;
}

void Interpreter::createObject(uint32_t index, Object object) {
  if (index == 0 || index > kMaxObjects) return;
  if (index >= objects_.size()) objects_.resize(index + 1);
  objects_[index] = std::move(object);
}

void Interpreter::deleteObject(uint32_t handle) {
  // The selected copies in the device context live on, as GDI keeps a
  // selected object until another replaces it.
  if (Object* o = objectAt(handle)) *o = std::monostate{};
}

void Interpreter::selectObject(uint32_t handle) {
  if ((handle & kStockObjectFlag) != 0) {
    const ColorRef white = rgb(255, 255, 255);
    switch (static_cast<StockObject>(handle & ~kStockObjectFlag)) {
      case StockObject::WhiteBrush: dc_.brush = {{BrushStyle::Solid, white}, nullptr}; break;
      case StockObject::LightGrayBrush: dc_.brush = {{BrushStyle::Solid, rgb(192, 192, 192)}, nullptr}; break;
      case StockObject::GrayBrush: dc_.brush = {{BrushStyle::Solid, rgb(128, 128, 128)}, nullptr}; break;
      case StockObject::DarkGrayBrush: dc_.brush = {{BrushStyle::Solid, rgb(64, 64, 64)}, nullptr}; break;
      case StockObject::BlackBrush: dc_.brush = {{BrushStyle::Solid, 0}, nullptr}; break;
      case StockObject::NullBrush: dc_.brush = {{BrushStyle::Null, 0}, nullptr}; break;
      case StockObject::DcBrush: dc_.brush = {{BrushStyle::Solid, white}, nullptr}; break;
      case StockObject::WhitePen: dc_.pen = {{PenStyle::Solid, 0, white}, false, {}}; break;
      case StockObject::BlackPen:
      case StockObject::DcPen: dc_.pen = {{PenStyle::Solid, 0, 0}, false, {}}; break;
      case StockObject::NullPen: dc_.pen = {{PenStyle::Null, 0, 0}, false, {}}; break;
      case StockObject::OemFixedFont:
      case StockObject::AnsiFixedFont:
      case StockObject::AnsiVarFont:
      case StockObject::SystemFont:
      case StockObject::DeviceDefaultFont:
      case StockObject::SystemFixedFont:
      case StockObject::DefaultGuiFont: dc_.font = LogFont{}; break;
      default: break;
    }
    return;
  }
  Object* o = objectAt(handle);
  if (o == nullptr) return;
  if (auto* f = std::get_if<LogFont>(o)) dc_.font = *f;
  else if (auto* p = std::get_if<PenObject>(o)) dc_.pen = *p;
  else if (auto* b = std::get_if<BrushObject>(o)) dc_.brush = *b;
}

void Interpreter::createPatternBrush(const RecordView& r) {
  // ihBrush, Usage, offBmi, cbBmi, offBits, cbBits ([MS-EMF] 2.3.7.4, 2.3.7.5)
  const ByteView v = r.view();
  if (!v.need(0, 32)) return;
  const uint32_t handle = v.u32(8), usage = v.u32(12);
  const uint32_t offBmi = v.u32(16), cbBmi = v.u32(20), offBits = v.u32(24), cbBits = v.u32(28);
  if (!v.need(offBmi, cbBmi) || !v.need(offBits, cbBits) || usage > 1) return;
  const auto info = v.sub(offBmi, cbBmi), bits = v.sub(offBits, cbBits);
  const auto du = static_cast<DibUsage>(usage);
  const auto size = dibBounds(info, du);
  if (!size) return;
  auto img = decodeDib(info, bits, du, palette(), *size);
  if (!img) return;
  BrushObject b;
  b.pattern = std::make_shared<RgbaImage>(std::move(*img));
  createObject(handle, std::move(b));
}

}  // namespace detail
}  // namespace kumi::platform::player
