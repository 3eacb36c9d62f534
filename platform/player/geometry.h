#pragma once
// Plane geometry for the players: an affine map and a path of lines and
// cubic curves, both in doubles. The interpreters build every shape in a
// metafile's logical space and hand it on mapped to the output device, so a
// canvas only ever sees device coordinates.
#include <cstdint>
#include <vector>

#include "platform/emf/gdi_state.h"

namespace kumi::platform::player {

using PointD = kumi::platform::PointD;

// p' = (m11·x + m21·y + dx, m12·x + m22·y + dy), the XForm layout of GDI.
struct Affine {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;

  PointD map(PointD p) const { return {m11 * p.x + m21 * p.y + dx, m12 * p.x + m22 * p.y + dy}; }
  PointD mapVector(PointD v) const { return {m11 * v.x + m21 * v.y, m12 * v.x + m22 * v.y}; }
  double determinant() const { return m11 * m22 - m12 * m21; }
  // This map followed by `next`.
  Affine then(const Affine& next) const;
  // The inverse, or identity when the map is singular (callers check
  // determinant() first where that matters).
  Affine inverted() const;
  bool finite() const;

  static Affine translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
  static Affine scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
};

double length(PointD v);

// Figures of straight and cubic segments. A figure starts with Move; Close
// joins its end to its start.
class Path {
 public:
  enum class Op : uint8_t { Move, Line, Cubic, Close };

  void moveTo(PointD p);
  void lineTo(PointD p);  // starts a figure at p when there is none
  void cubicTo(PointD c1, PointD c2, PointD end);
  void close();
  void append(const Path& other);
  void clear();

  bool empty() const { return ops_.empty(); }
  // The point the next segment starts from (the last figure's start after a Close).
  bool hasCurrentPoint() const { return !ops_.empty(); }
  PointD currentPoint() const { return current_; }
  const std::vector<Op>& ops() const { return ops_; }
  // Move and Line take one point, Cubic three, Close none.
  const std::vector<PointD>& points() const { return points_; }

  Path mapped(const Affine& a) const;
  // Curves replaced by lines at most `tolerance` away.
  Path flattened(double tolerance) const;
  // True when every coordinate is finite and within ±limit.
  bool bounded(double limit) const;

 private:
  std::vector<Op> ops_;
  std::vector<PointD> points_;
  PointD current_{};
  PointD figureStart_{};
};

// Shapes as GDI builds them, in the space of their coordinates.
Path rectanglePath(double left, double top, double right, double bottom);
Path ellipsePath(double left, double top, double right, double bottom);
Path roundRectPath(double left, double top, double right, double bottom, double cornerW,
                   double cornerH);
// The part of the ellipse in the box from the angle of `from` to the angle of
// `to` (points whose direction from the centre gives the angle), turning the
// way the sign of `sweepSign` says (+1: increasing angle). A zero sweep is the
// whole ellipse, as in GDI. The path starts with a Line to the arc's start
// when `connect` is set (ArcTo, Pie), else with a Move.
void appendArc(Path& path, double left, double top, double right, double bottom, PointD from,
               PointD to, int sweepSign, bool connect);

}  // namespace kumi::platform::player
