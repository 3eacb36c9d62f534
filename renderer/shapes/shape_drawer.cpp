#include "renderer/shapes/shape_drawer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace kumi::renderer::shapes {

using platform::Point;
using platform::StockObject;

namespace {

using Box = LogicalBox;

int32_t saturate(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

int32_t saturate(double v) {
  const double t = std::trunc(v);
  if (t >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  if (t <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(t);
}

// A record point (x, y downwards) on the page, whose y grows upwards.
Point at(int64_t x, int64_t y) { return {saturate(x), saturate(-y)}; }
// The same for batch geometry: computed unrounded, truncated after negation.
Point at(double x, double y) { return {saturate(x), saturate(-y)}; }

int64_t toLogical(int32_t engineUnits, const ShapePage& page) {
  return int64_t{engineUnits} * page.pageScale / 16;
}

// The sheet's edges in the page's logical units.
int64_t scaled(int64_t hundredths, const ShapePage& page) { return hundredths * page.pageScale / 100; }

// A bottom below the sheet comes up to the sheet's height less twice the top
// margin, a right edge past it to the width less twice the left margin.
void clampBottom(Box& b, const ShapePage& page) {
  if (b.b > scaled(page.ph, page)) b.b = scaled(int64_t{page.ph} - 2 * int64_t{page.oy}, page);
}
void clampRight(Box& b, const ShapePage& page) {
  if (b.r > scaled(page.pw, page)) b.r = scaled(int64_t{page.pw} - 2 * int64_t{page.ox}, page);
}

struct Figure {
  enum class Kind { None, Box, Ellipse, RoundBox, Line, Triangle };
  Kind kind = Kind::None;
  platform::Rect rect;
  platform::Size corner;
  std::array<Point, 3> points{};
  bool outlined() const { return kind == Kind::Box || kind == Kind::Ellipse || kind == Kind::RoundBox; }
};

Figure line(Point from, Point to) {
  Figure f;
  f.kind = Figure::Kind::Line;
  f.points = {from, to, to};
  return f;
}

Figure triangle(Point a, Point b, Point c) {
  Figure f;
  f.kind = Figure::Kind::Triangle;
  f.points = {a, b, c};
  return f;
}

// Boxes, ellipses and rounded boxes: the same in every run mode.
Figure closedShape(char shape, Box b, const ShapePage& page, int32_t cornerSize) {
  clampBottom(b, page);
  clampRight(b, page);
  Figure f;
  f.rect = {saturate(b.l), saturate(-b.t), saturate(b.r), saturate(-b.b)};
  if (shape == 'B') f.kind = Figure::Kind::Box;
  if (shape == 'E') f.kind = Figure::Kind::Ellipse;
  if (shape == 'M') {
    f.kind = Figure::Kind::RoundBox;
    // A corner pushed below zero (the margin shift moves this field too)
    // is a square corner.
    const int32_t c = std::max(cornerSize, 0) / std::max(page.sizeDivisor, 1);
    f.corner = {c, c};
  }
  return f;
}

Figure normalLineOrTriangle(char shape, Box b, const ShapePage& page) {
  if (shape == 'T') {
    clampBottom(b, page);
    return line(at(b.l, b.t), at(b.l, b.b));
  }
  if (shape == 'Y') {
    clampRight(b, page);
    return line(at(b.l, b.t), at(b.r, b.t));
  }
  if (shape != 'N' && (shape < 'O' || shape > 'R')) return {};  // 'H' draws nothing here
  clampBottom(b, page);
  clampRight(b, page);
  const int64_t midX = b.l + (b.r - b.l) / 2;
  const int64_t midY = b.t + (b.b - b.t) / 2;
  switch (shape) {
    case 'N': return line(at(b.l, b.t), at(b.r, b.b));
    case 'O': return triangle(at(b.l, b.b), at(midX, b.t), at(b.r, b.b));
    case 'P': return triangle(at(b.l, b.t), at(midX, b.b), at(b.r, b.t));
    case 'Q': return triangle(at(b.r, b.t), at(b.l, midY), at(b.r, b.b));
    default: return triangle(at(b.l, b.t), at(b.r, midY), at(b.l, b.b));  // 'R'
  }
}

// Batch geometry: ends pulled in by half the pen, so that a thick rule
// covers its frame and no more.
Figure batchLineOrTriangle(char shape, Box box, const ShapePage& page, double h) {
  if (shape == 'T') {
    clampBottom(box, page);
  } else if (shape == 'Y') {
    clampRight(box, page);
  } else if (shape == 'H' || shape == 'N' || (shape >= 'O' && shape <= 'R')) {
    clampBottom(box, page);
    clampRight(box, page);
  } else {
    return {};
  }
  const double l = static_cast<double>(box.l), t = static_cast<double>(box.t);
  const double r = static_cast<double>(box.r), b = static_cast<double>(box.b);
  const double midX = static_cast<double>(box.l + (box.r - box.l) / 2);
  const double midY = static_cast<double>(box.t + (box.b - box.t) / 2);
  switch (shape) {
    case 'H': return line(at(l - h, t + h), at(r + h, b - h));
    case 'N': return line(at(l + h, t + h), at(r - h, b - h));
    case 'T': return line(at(l + h, t + h), at(l + h, b - h));
    case 'Y': return line(at(l + h, t + h), at(r - h, t + h));
    case 'O': return triangle(at(l + h, b - h), at(midX, t + h), at(r - h, b - h));
    case 'P': return triangle(at(l + h, t + h), at(midX, b - h), at(r - h, t + h));
    case 'Q': return triangle(at(r - h, t + h), at(l + h, midY), at(r - h, b - h));
    default: return triangle(at(l + h, t + h), at(r - h, midY), at(l + h, b - h));  // 'R'
  }
}

Figure figureOf(const pagefile::ShapeRecord& k1, Box box, const ShapePage& page,
                const RuleState& state) {
  switch (k1.shape) {
    case 'B':
    case 'E':
    case 'M': return closedShape(k1.shape, box, page, state.cornerSize);
    case 'Y': box.r = toLogical(k1.y2, page); break;  // its end x is the third field
    default: break;
  }
  return page.batch ? batchLineOrTriangle(k1.shape, box, page, halfPenOf(state.storedWidth))
                    : normalLineOrTriangle(k1.shape, box, page);
}

// Draws with whatever pen and brush are selected. A filled triangle is a
// closed polygon in the stock black brush; any other is its two sides.
void drawFigure(platform::DeviceContext& dc, const Figure& f, bool filledTriangle) {
  switch (f.kind) {
    case Figure::Kind::None: return;
    case Figure::Kind::Box: dc.rectangle(f.rect); return;
    case Figure::Kind::Ellipse: dc.ellipse(f.rect); return;
    case Figure::Kind::RoundBox: dc.roundRect(f.rect, f.corner); return;
    case Figure::Kind::Line:
      dc.moveTo(f.points[0]);
      dc.lineTo(f.points[1]);
      return;
    case Figure::Kind::Triangle:
      if (filledTriangle) {
        dc.selectObject(platform::stockObject(StockObject::BlackBrush));
        dc.polygon(f.points);
      } else {
        dc.polyline(f.points);
      }
      return;
  }
}

// The first of start, start + pitch, ... that is not below `from`.
int64_t firstOnGrid(int64_t start, int64_t from) {
  if (start >= from) return start;
  return start + (from - start + kTintPitch - 1) / kTintPitch * kTintPitch;
}

}  // namespace

void ShapeDrawer::attributes(const pagefile::ShapeColoursRecord& k2, const ShapeContext& ctx) {
  ctx.dc.setBkMode(platform::BkMode::Opaque);
  const auto& users = ctx.settings.userColors;
  state_.lineColour = colourOfCode(k2.colour, users).value_or(kBlack);
  state_.outlineColour = colourOfCode(k2.outlineColour, users);
  state_.setLineType(lineTypeOfCode(k2.shape, ctx.page.batch, ctx.settings.ruleWidths));
  state_.k2Seen = true;
}

void ShapeDrawer::draw(const pagefile::ShapeRecord& k1, const ShapeContext& ctx) {
  platform::DeviceContext& dc = ctx.dc;
  // A K2 colours only the K1 right after it.
  if (state_.k2Seen) {
    state_.k2Seen = false;
  } else {
    state_.lineColour = kBlack;
  }
  state_.setLineType(lineTypeOfCode(k1.lineType, ctx.page.batch, ctx.settings.ruleWidths));

  const Box box{toLogical(k1.x1, ctx.page), toLogical(k1.y1, ctx.page), toLogical(k1.x2, ctx.page),
                toLogical(k1.y2, ctx.page)};
  const Fill fill = fillOfCode(k1.fill);
  if (fill.kind == FillKind::TintScreen) tintScreen(box, ctx);
  platform::ObjectHandle brush;
  if (fill.kind == FillKind::Solid) {
    brush = dc.createBrush({platform::BrushStyle::Solid, state_.lineColour});
  } else if (fill.kind == FillKind::Hatch) {
    brush = dc.createBrush({platform::BrushStyle::Hatched, state_.lineColour, fill.hatch});
  }
  const auto oldBrush = dc.selectObject(brush ? brush : platform::stockObject(StockObject::NullBrush));
  const int32_t penWidth = penWidthOf(state_.storedWidth);
  const auto pen = dc.createPen({state_.penStyle, penWidth, state_.lineColour});
  const auto oldPen = dc.selectObject(pen);

  if (k1.shape == 'm') state_.cornerSize = k1.y2;
  const Figure figure = figureOf(k1, box, ctx.page, state_);
  drawFigure(dc, figure, fill.kind == FillKind::Solid);

  platform::ObjectHandle outlinePen;
  if (figure.outlined() && state_.outlineColour) {
    outlinePen = dc.createPen({state_.penStyle, penWidth, *state_.outlineColour});
    dc.selectObject(outlinePen);
    dc.selectObject(platform::stockObject(StockObject::NullBrush));
    drawFigure(dc, figure, false);
  }

  dc.selectObject(oldBrush);
  dc.selectObject(oldPen);
  if (brush) dc.deleteObject(brush);
  if (pen) dc.deleteObject(pen);
  if (outlinePen) dc.deleteObject(outlinePen);
  dc.setBkMode(platform::BkMode::Transparent);
}

// Single dots in the line colour on a grid from the box's top-left corner
// (before any clamping). Dots off the sheet would never show; they are not
// set, which keeps a box of any size to the sheet's few hundred thousand.
void ShapeDrawer::tintScreen(const LogicalBox& box, const ShapeContext& ctx) {
  const ShapePage& page = ctx.page;
  const int64_t sheetLeft = scaled(-int64_t{page.ox}, page);
  const int64_t sheetRight = scaled(int64_t{page.pw} - page.ox, page);
  const int64_t sheetTop = scaled(-int64_t{page.oy}, page);
  const int64_t sheetBottom = scaled(int64_t{page.ph} - page.oy, page);
  const int64_t left = firstOnGrid(box.l, sheetLeft);
  const int64_t top = firstOnGrid(box.t, sheetTop);
  const int64_t right = std::min(box.r, sheetRight + 1);
  const int64_t bottom = std::min(box.b, sheetBottom + 1);
  if (left >= right || top >= bottom) return;
  const int64_t columns = (right - left + kTintPitch - 1) / kTintPitch;
  const int64_t rows = (bottom - top + kTintPitch - 1) / kTintPitch;
  const int64_t allowed = std::clamp(tintBudget_ - pageDots_, int64_t{0}, columns * rows);
  dropped_ += columns * rows - allowed;
  for (int64_t i = 0; i < allowed; ++i) {
    const int64_t x = left + i / rows * kTintPitch;
    const int64_t y = top + i % rows * kTintPitch;
    ctx.dc.setPixelV(at(x, y), state_.lineColour);
  }
  pageDots_ += allowed;
}

}  // namespace kumi::renderer::shapes
