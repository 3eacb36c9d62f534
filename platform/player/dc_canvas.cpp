#include "platform/player/dc_canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/base/cp932.h"
#include "platform/emf/byte_io.h"
#include "platform/emf/utf16.h"
#include "platform/player/canvas.h"

namespace kumi::platform::player {
namespace {

int32_t toI32(double v) { return static_cast<int32_t>(std::lround(std::clamp(v, -2e9, 2e9))); }
Point toPoint(PointD p) { return {toI32(p.x), toI32(p.y)}; }

// A canvas whose "device" is another device context's logical space.
class DcCanvas final : public Canvas {
 public:
  explicit DcCanvas(DeviceContext& dc) : dc_(dc) {}

  void fill(const Path& p, const FillStyle& s) override {
    const ObjectHandle brush = makeBrush(s);
    if (!brush) return;
    const ObjectHandle oldBrush = dc_.selectObject(brush);
    const ObjectHandle oldPen = dc_.selectObject(stockObject(StockObject::NullPen));
    if (s.kind == FillStyle::Kind::Hatch) {
      dc_.setBkMode(s.opaqueGaps ? BkMode::Opaque : BkMode::Transparent);
      dc_.setBkColor(s.background);
    }
    dc_.setPolyFillMode(s.winding ? PolyFillMode::Winding : PolyFillMode::Alternate);
    emit(p);
    dc_.fillPath();
    dc_.selectObject(oldPen);
    dc_.selectObject(oldBrush);
    dc_.deleteObject(brush);
  }

  void stroke(const Path& p, const StrokeStyle& s) override {
    LogPen pen{PenStyle::Solid, s.cosmetic ? 0 : toI32(s.width), s.color};
    // The plain pen styles nearest to the dashes the picture asked for.
    if (s.dash.size() == 2) pen.style = s.dash[0] >= 2 * s.dash[1] ? PenStyle::Dash : PenStyle::Dot;
    else if (s.dash.size() == 4) pen.style = PenStyle::DashDot;
    else if (s.dash.size() == 6) pen.style = PenStyle::DashDotDot;
    const ObjectHandle h = dc_.createPen(pen);
    if (!h) return;
    const ObjectHandle oldPen = dc_.selectObject(h);
    const ObjectHandle oldBrush = dc_.selectObject(stockObject(StockObject::NullBrush));
    emit(p);
    dc_.strokePath();
    dc_.selectObject(oldBrush);
    dc_.selectObject(oldPen);
    dc_.deleteObject(h);
  }

  void setPixel(PointD d, ColorRef c) override { dc_.setPixelV(toPoint(d), c); }

  void drawImage(const RgbaImage& img, const Affine& t, double sx, double sy, double sw, double sh,
                 uint32_t rop) override {
    if (t.m12 != 0 || t.m21 != 0) return;  // only pictures that lie straight
    const Point a = toPoint(t.map({sx, sy})), b = toPoint(t.map({sx + sw, sy + sh}));
    std::vector<uint8_t> info;
    writeU32LE(info, 40);
    writeI32LE(info, img.width);
    writeI32LE(info, -img.height);  // top row first, as the pixels are
    writeU16LE(info, 1);
    writeU16LE(info, 32);
    for (int i = 0; i < 6; ++i) writeU32LE(info, 0);
    std::vector<uint8_t> bits;
    bits.reserve(img.pixels.size() * 4);
    for (uint32_t px : img.pixels) writeU32LE(bits, px & 0xFFFFFF);
    dc_.stretchDIBits({a.x, a.y, b.x - a.x, b.y - a.y},
                      {toI32(sx), toI32(sy), toI32(sw), toI32(sh)}, info, bits,
                      DibUsage::RgbColors, rop);
  }

  void drawText(const TextRun& run) override {
    const PointD along = run.toDevice.mapVector({1, 0}), down = run.toDevice.mapVector({0, 1});
    const double alongLen = length(along), downLen = length(down);
    if (!(alongLen > 0) || !(downLen > 0)) return;
    LogFont f = run.font;
    const double em = run.em * downLen;
    f.height = toI32(run.font.height < 0 ? -em : em);
    f.width = toI32(run.widthScale * run.em * alongLen / 2);
    // Escapement is the baseline's angle in logical space, from +x towards -y.
    double deg = std::atan2(-along.y, along.x) * 180 / std::numbers::pi;
    if (deg < 0) deg += 360;
    f.escapement = f.orientation = toI32(deg * 10) % 3600;
    const ObjectHandle font = dc_.createFont(f);
    if (!font) return;

    // Code page 932 text, one advance per character.
    std::string text;
    std::vector<int32_t> dx;
    for (size_t i = 0; i < run.text.size();) {
      const bool pair = run.text[i] >= 0xD800 && run.text[i] <= 0xDBFF && i + 1 < run.text.size();
      const size_t n = pair ? 2 : 1;
      text += utf8ToCp932Lossy(utf16ToUtf8(std::u16string_view(run.text).substr(i, n)));
      double a = 0;
      for (size_t k = i; k < i + n && k < run.advances.size(); ++k) a += run.advances[k];
      if (!run.advances.empty()) dx.push_back(toI32(a * alongLen));
      i += n;
    }
    const ObjectHandle old = dc_.selectObject(font);
    dc_.setTextAlign(run.align & ~TextAlign::UpdateCP);
    dc_.setTextColor(run.color);
    dc_.setBkMode(run.opaque ? BkMode::Opaque : BkMode::Transparent);
    dc_.setBkColor(run.background);
    Rect box{};
    const Rect* clip = nullptr;
    if (run.clipped && !run.clipBox.points().empty()) {
      const auto& pts = run.clipBox.points();
      const auto [minX, maxX] = std::minmax_element(pts.begin(), pts.end(),
                                                    [](PointD a, PointD b) { return a.x < b.x; });
      const auto [minY, maxY] = std::minmax_element(pts.begin(), pts.end(),
                                                    [](PointD a, PointD b) { return a.y < b.y; });
      box = {toI32(minX->x), toI32(minY->y), toI32(maxX->x), toI32(maxY->y)};
      clip = &box;
    }
    dc_.extTextOut(toPoint(run.toDevice.map({0, 0})), clip ? TextOutOption::Clipped : 0, clip, text, dx);
    dc_.selectObject(old);
    dc_.deleteObject(font);
  }

  // Without a font system there are no outlines to give.
  Path textOutline(const TextRun&) override { return {}; }
  double textWidth(const TextRun& run) override {
    return run.em * run.widthScale * static_cast<double>(run.text.size());
  }

  void clip(const Path& p, RegionMode mode, bool winding) override {
    dc_.setPolyFillMode(winding ? PolyFillMode::Winding : PolyFillMode::Alternate);
    emit(p);
    dc_.selectClipPath(mode);
  }
  void resetClip() override { dc_.resetClip(); }
  void offsetClip(double, double) override {}
  void saveClip() override {
    dc_.saveDC();
    ++openSaves_;
  }
  void restoreClip(int levels) override {
    if (levels > 0 && levels <= openSaves_ && dc_.restoreDC(-levels)) openSaves_ -= levels;
  }
  int openSaves() const { return openSaves_; }

 private:
  ObjectHandle makeBrush(const FillStyle& s) {
    switch (s.kind) {
      case FillStyle::Kind::None: return {};
      case FillStyle::Kind::Solid: return dc_.createBrush({BrushStyle::Solid, s.color, HatchStyle::Horizontal});
      case FillStyle::Kind::Hatch: return dc_.createBrush({BrushStyle::Hatched, s.color, s.hatch});
      case FillStyle::Kind::Pattern: {
        // The device knows no pattern brushes: their average colour.
        uint64_t r = 0, g = 0, b = 0;
        const size_t n = s.pattern ? s.pattern->pixels.size() : 0;
        for (size_t i = 0; i < n; ++i) {
          const uint32_t px = s.pattern->pixels[i];
          r += (px >> 16) & 0xFF, g += (px >> 8) & 0xFF, b += px & 0xFF;
        }
        const ColorRef c = n == 0 ? 0 : rgb(uint8_t(r / n), uint8_t(g / n), uint8_t(b / n));
        return dc_.createBrush({BrushStyle::Solid, c, HatchStyle::Horizontal});
      }
    }
    return {};
  }

  // The path as figures inside a path bracket: closed ones as polygons,
  // open ones as polylines; curves flattened to a unit.
  void emit(const Path& p) {
    const Path flat = p.flattened(1.0);
    dc_.beginPath();
    std::vector<Point> figure;
    Point start{};
    auto flush = [this, &figure](bool closed) {
      if (figure.size() >= 2) {
        if (closed) dc_.polygon(figure);
        else dc_.polyline(figure);
      }
      figure.clear();
    };
    size_t k = 0;
    for (Path::Op op : flat.ops()) {
      switch (op) {
        case Path::Op::Move:
          flush(false);
          figure.push_back(start = toPoint(flat.points()[k++]));
          break;
        case Path::Op::Line:
          // A figure goes on from the start of the one its Close ended.
          if (figure.empty()) figure.push_back(start);
          figure.push_back(toPoint(flat.points()[k++]));
          break;
        case Path::Op::Cubic: k += 3; break;  // none after flattening
        case Path::Op::Close: flush(true); break;
      }
    }
    flush(false);
    dc_.endPath();
  }

  DeviceContext& dc_;
  int openSaves_ = 0;  // saves made for the picture and not yet restored
};

}  // namespace

PlayResult playEmfInto(std::span<const uint8_t> emf, DeviceContext& dc, const Rect& box) {
  PlayResult result;
  const auto info = readPictureInfo(emf, &result.error);
  if (!info) return result;
  const Affine placement = frameOnto(*info, box.left, box.top, double(box.right) - box.left,
                                     double(box.bottom) - box.top);
  dc.saveDC();
  DcCanvas canvas(dc);
  result = playEmf(emf, canvas, placement);
  // Past the saves the picture made and did not restore, to the page's state.
  dc.restoreDC(-1 - canvas.openSaves());
  return result;
}

}  // namespace kumi::platform::player
