#include "platform/player/geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kumi::platform::player {
namespace {

// Control-point distance of a cubic quarter circle of radius 1.
constexpr double kKappa = 0.5522847498307936;

PointD lerp(PointD a, PointD b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

void flattenCubic(Path& out, PointD p0, PointD c1, PointD c2, PointD p3, double tolerance) {
  // Enough steps that the chord error of each stays under the tolerance.
  const double dd = std::max(length({p0.x - 2 * c1.x + c2.x, p0.y - 2 * c1.y + c2.y}),
                             length({c1.x - 2 * c2.x + p3.x, c1.y - 2 * c2.y + p3.y}));
  const double want = std::sqrt(std::max(dd, 0.0) * 0.75 / std::max(tolerance, 1e-6));
  const int steps = std::clamp(static_cast<int>(std::ceil(want)), 1, 256);
  for (int i = 1; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    const PointD a = lerp(p0, c1, t), b = lerp(c1, c2, t), c = lerp(c2, p3, t);
    const PointD d = lerp(a, b, t), e = lerp(b, c, t);
    out.lineTo(lerp(d, e, t));
  }
}

}  // namespace

Affine Affine::then(const Affine& n) const {
  return {m11 * n.m11 + m12 * n.m21, m11 * n.m12 + m12 * n.m22,
          m21 * n.m11 + m22 * n.m21, m21 * n.m12 + m22 * n.m22,
          dx * n.m11 + dy * n.m21 + n.dx, dx * n.m12 + dy * n.m22 + n.dy};
}

Affine Affine::inverted() const {
  const double det = determinant();
  if (det == 0 || !std::isfinite(det)) return {};
  Affine r{m22 / det, -m12 / det, -m21 / det, m11 / det, 0, 0};
  r.dx = -(dx * r.m11 + dy * r.m21);
  r.dy = -(dx * r.m12 + dy * r.m22);
  return r;
}

bool Affine::finite() const {
  return std::isfinite(m11) && std::isfinite(m12) && std::isfinite(m21) && std::isfinite(m22) &&
         std::isfinite(dx) && std::isfinite(dy);
}

double length(PointD v) { return std::hypot(v.x, v.y); }

void Path::moveTo(PointD p) {
  ops_.push_back(Op::Move);
  points_.push_back(p);
  current_ = figureStart_ = p;
}

void Path::lineTo(PointD p) {
  if (ops_.empty()) {
    moveTo(p);
    return;
  }
  ops_.push_back(Op::Line);
  points_.push_back(p);
  current_ = p;
}

void Path::cubicTo(PointD c1, PointD c2, PointD end) {
  if (ops_.empty()) moveTo(c1);
  ops_.push_back(Op::Cubic);
  points_.push_back(c1);
  points_.push_back(c2);
  points_.push_back(end);
  current_ = end;
}

void Path::close() {
  if (ops_.empty() || ops_.back() == Op::Close) return;
  ops_.push_back(Op::Close);
  current_ = figureStart_;
}

void Path::append(const Path& other) {
  ops_.insert(ops_.end(), other.ops_.begin(), other.ops_.end());
  points_.insert(points_.end(), other.points_.begin(), other.points_.end());
  if (!other.ops_.empty()) {
    current_ = other.current_;
    figureStart_ = other.figureStart_;
  }
}

void Path::clear() {
  ops_.clear();
  points_.clear();
  current_ = figureStart_ = {};
}

Path Path::mapped(const Affine& a) const {
  Path r = *this;
  for (PointD& p : r.points_) p = a.map(p);
  r.current_ = a.map(current_);
  r.figureStart_ = a.map(figureStart_);
  return r;
}

Path Path::flattened(double tolerance) const {
  Path r;
  size_t k = 0;
  for (Op op : ops_) {
    switch (op) {
      case Op::Move: r.moveTo(points_[k++]); break;
      case Op::Line: r.lineTo(points_[k++]); break;
      case Op::Cubic:
        flattenCubic(r, r.currentPoint(), points_[k], points_[k + 1], points_[k + 2], tolerance);
        k += 3;
        break;
      case Op::Close: r.close(); break;
    }
  }
  return r;
}

bool Path::bounded(double limit) const {
  return std::all_of(points_.begin(), points_.end(), [limit](PointD p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) <= limit &&
           std::fabs(p.y) <= limit;
  });
}

Path rectanglePath(double l, double t, double r, double b) {
  Path p;
  p.moveTo({l, t});
  p.lineTo({r, t});
  p.lineTo({r, b});
  p.lineTo({l, b});
  p.close();
  return p;
}

Path ellipsePath(double l, double t, double r, double b) {
  const double cx = (l + r) / 2, cy = (t + b) / 2, rx = (r - l) / 2, ry = (b - t) / 2;
  const double kx = rx * kKappa, ky = ry * kKappa;
  Path p;
  p.moveTo({cx + rx, cy});
  p.cubicTo({cx + rx, cy + ky}, {cx + kx, cy + ry}, {cx, cy + ry});
  p.cubicTo({cx - kx, cy + ry}, {cx - rx, cy + ky}, {cx - rx, cy});
  p.cubicTo({cx - rx, cy - ky}, {cx - kx, cy - ry}, {cx, cy - ry});
  p.cubicTo({cx + kx, cy - ry}, {cx + rx, cy - ky}, {cx + rx, cy});
  p.close();
  return p;
}

Path roundRectPath(double l, double t, double r, double b, double cw, double ch) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  const double rx = std::min(std::fabs(cw) / 2, (r - l) / 2);
  const double ry = std::min(std::fabs(ch) / 2, (b - t) / 2);
  if (rx <= 0 || ry <= 0) return rectanglePath(l, t, r, b);
  const double kx = rx * kKappa, ky = ry * kKappa;
  Path p;
  p.moveTo({l + rx, t});
  p.lineTo({r - rx, t});
  p.cubicTo({r - rx + kx, t}, {r, t + ry - ky}, {r, t + ry});
  p.lineTo({r, b - ry});
  p.cubicTo({r, b - ry + ky}, {r - rx + kx, b}, {r - rx, b});
  p.lineTo({l + rx, b});
  p.cubicTo({l + rx - kx, b}, {l, b - ry + ky}, {l, b - ry});
  p.lineTo({l, t + ry});
  p.cubicTo({l, t + ry - ky}, {l + rx - kx, t}, {l + rx, t});
  p.close();
  return p;
}

void appendArc(Path& path, double l, double t, double r, double b, PointD from, PointD to,
               int sweepSign, bool connect) {
  const double cx = (l + r) / 2, cy = (t + b) / 2, rx = std::fabs(r - l) / 2,
               ry = std::fabs(b - t) / 2;
  if (rx == 0 || ry == 0) return;
  // Angles of the radial lines, on the circle the ellipse is squeezed from.
  const double a0 = std::atan2((from.y - cy) / ry, (from.x - cx) / rx);
  const double a1 = std::atan2((to.y - cy) / ry, (to.x - cx) / rx);
  constexpr double kTwoPi = 2 * std::numbers::pi;
  double sweep = sweepSign >= 0 ? a1 - a0 : a0 - a1;
  while (sweep <= 1e-12) sweep += kTwoPi;
  if (sweep > kTwoPi) sweep = kTwoPi;
  sweep *= sweepSign >= 0 ? 1 : -1;
  const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (std::numbers::pi / 2))));
  const double step = sweep / pieces;
  const double k = 4.0 / 3.0 * std::tan(step / 4);
  auto at = [&](double a) { return PointD{cx + rx * std::cos(a), cy + ry * std::sin(a)}; };
  const PointD start = at(a0);
  if (connect && path.hasCurrentPoint()) path.lineTo(start);
  else path.moveTo(start);
  double a = a0;
  for (int i = 0; i < pieces; ++i) {
    const double b2 = a + step;
    const PointD c1{cx + rx * (std::cos(a) - k * std::sin(a)), cy + ry * (std::sin(a) + k * std::cos(a))};
    const PointD c2{cx + rx * (std::cos(b2) + k * std::sin(b2)), cy + ry * (std::sin(b2) - k * std::cos(b2))};
    path.cubicTo(c1, c2, at(b2));
    a = b2;
  }
}

}  // namespace kumi::platform::player
