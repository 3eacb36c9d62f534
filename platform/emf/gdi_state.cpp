#include "platform/emf/gdi_state.h"

#include <cmath>
#include <cstdlib>

namespace kumi::platform {
namespace {

// Micrometres per logical unit of each metric mode.
double unitMicrometers(MapMode mode) {
  switch (mode) {
    case MapMode::LoMetric: return 100.0;
    case MapMode::HiMetric: return 10.0;
    case MapMode::LoEnglish: return 254.0;
    case MapMode::HiEnglish: return 25.4;
    case MapMode::Twips: return 25400.0 / 1440.0;
    default: return 0.0;
  }
}

int32_t atLeastOne(int32_t v) { return v == 0 ? 1 : v; }

int32_t micrometers(int32_t um, int32_t mm) {
  if (um > 0) return um;
  const int64_t v = int64_t{mm} * 1000;
  return v > INT32_MAX ? INT32_MAX : static_cast<int32_t>(v);
}

int32_t roundToI32(double v) {
  if (!(v > -2147483648.0)) return INT32_MIN;
  if (!(v < 2147483647.0)) return INT32_MAX;
  return static_cast<int32_t>(std::lround(v));
}

// Isotropic: both axes take the smaller scale, keeping the viewport's signs.
void fixIsotropic(GdiState& s) {
  if (s.mapMode != MapMode::Isotropic) return;
  const double sx = std::fabs(static_cast<double>(s.viewportExt.cx) / atLeastOne(s.windowExt.cx));
  const double sy = std::fabs(static_cast<double>(s.viewportExt.cy) / atLeastOne(s.windowExt.cy));
  if (sx < sy) {
    const double cy = sx * std::fabs(static_cast<double>(s.windowExt.cy));
    s.viewportExt.cy = roundToI32(s.viewportExt.cy < 0 ? -cy : cy);
  } else if (sy < sx) {
    const double cx = sy * std::fabs(static_cast<double>(s.windowExt.cx));
    s.viewportExt.cx = roundToI32(s.viewportExt.cx < 0 ? -cx : cx);
  }
}

}  // namespace

ObjectKind stockKind(ObjectHandle h) {
  if (!isStock(h)) return ObjectKind::None;
  const uint32_t n = h.value & ~kStockObjectFlag;
  if (n <= 5 || n == 18) return ObjectKind::Brush;
  if ((n >= 6 && n <= 8) || n == 19) return ObjectKind::Pen;
  if ((n >= 10 && n <= 14) || n == 16 || n == 17) return ObjectKind::Font;
  if (n == 15) return ObjectKind::Palette;
  return ObjectKind::None;
}

void applyMapMode(GdiState& s, MapMode mode, const ReferenceDevice& ref) {
  s.mapMode = mode;
  if (mode == MapMode::Text) {
    s.windowExt = {1, 1};
    s.viewportExt = {1, 1};
    return;
  }
  const double unit = unitMicrometers(mode);
  if (unit > 0.0) {
    s.windowExt = {atLeastOne(roundToI32(micrometers(ref.horzMicrometers, ref.horzSize) / unit)),
                   atLeastOne(roundToI32(micrometers(ref.vertMicrometers, ref.vertSize) / unit))};
    s.viewportExt = {atLeastOne(ref.horzRes), -atLeastOne(ref.vertRes)};
    return;
  }
  fixIsotropic(s);  // isotropic and anisotropic keep the extents they had
}

void applyWindowExt(GdiState& s, Size ext) {
  if (s.mapMode != MapMode::Isotropic && s.mapMode != MapMode::Anisotropic) return;
  if (ext.cx == 0 || ext.cy == 0) return;
  s.windowExt = ext;
  fixIsotropic(s);
}

void applyViewportExt(GdiState& s, Size ext) {
  if (s.mapMode != MapMode::Isotropic && s.mapMode != MapMode::Anisotropic) return;
  if (ext.cx == 0 || ext.cy == 0) return;
  s.viewportExt = ext;
  fixIsotropic(s);
}

PointD toDevice(const GdiState& s, PointD p) {
  const XForm& w = s.world;
  const double wx = w.m11 * p.x + w.m21 * p.y + w.dx;
  const double wy = w.m12 * p.x + w.m22 * p.y + w.dy;
  return {(wx - s.windowOrg.x) * s.viewportExt.cx / atLeastOne(s.windowExt.cx) + s.viewportOrg.x,
          (wy - s.windowOrg.y) * s.viewportExt.cy / atLeastOne(s.windowExt.cy) + s.viewportOrg.y};
}

double deviceScaleX(const GdiState& s) {
  const PointD o = toDevice(s, {0, 0});
  const PointD e = toDevice(s, {1, 0});
  return std::hypot(e.x - o.x, e.y - o.y);
}

double deviceScaleY(const GdiState& s) {
  const PointD o = toDevice(s, {0, 0});
  const PointD e = toDevice(s, {0, 1});
  return std::hypot(e.x - o.x, e.y - o.y);
}

bool yAxisDown(const GdiState& s) {
  return toDevice(s, {0, 1}).y > toDevice(s, {0, 0}).y;
}

XForm combine(const XForm& a, const XForm& b) {
  XForm r;
  r.m11 = a.m11 * b.m11 + a.m12 * b.m21;
  r.m12 = a.m11 * b.m12 + a.m12 * b.m22;
  r.m21 = a.m21 * b.m11 + a.m22 * b.m21;
  r.m22 = a.m21 * b.m12 + a.m22 * b.m22;
  r.dx = a.dx * b.m11 + a.dy * b.m21 + b.dx;
  r.dy = a.dx * b.m12 + a.dy * b.m22 + b.dy;
  return r;
}

int GdiStateStack::save() {
  saved_.push_back(current_);
  return depth();
}

int GdiStateStack::relativeOf(int which) const {
  // In 64 bits: the most negative count has no 32-bit opposite.
  if (which < 0) return -int64_t{which} <= depth() ? which : 0;
  if (which > 0 && which <= depth()) return which - depth() - 1;
  return 0;
}

bool GdiStateStack::restore(int which) {
  const int rel = relativeOf(which);
  if (rel == 0) return false;
  const size_t keep = saved_.size() - static_cast<size_t>(-rel);
  current_ = saved_[keep];
  saved_.resize(keep);
  return true;
}

}  // namespace kumi::platform
