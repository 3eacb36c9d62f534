#include "platform/player/painter_canvas.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <algorithm>
#include <cmath>

#include "platform/player/text_layout.h"

namespace kumi::platform::player {
namespace {

// Past this size (device pixels) a dashed line is drawn solid, and so is one
// whose dashes repeat within two pixels: a hostile file could otherwise ask
// for millions of dashes.
constexpr double kMaxDashedExtent = 2e5;
constexpr uint32_t kNotSrcCopy = 0x00330008;

QColor qcolor(ColorRef c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

QTransform qt(const Affine& a) { return QTransform(a.m11, a.m12, a.m21, a.m22, a.dx, a.dy); }

// GDI's hatch cells, eight rows of eight device pixels from the device
// origin, top row first, the high bit the leftmost pixel (as GDI draws
// them; [MS-WMF] 2.1.1.12 names the styles).
constexpr uint8_t kHatchRows[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal, top left to bottom right
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};

QBrush hatchBrush(const FillStyle& f) {
  QImage cell(8, 8, QImage::Format_ARGB32_Premultiplied);
  cell.fill(f.opaqueGaps ? qcolor(f.background) : QColor(Qt::transparent));
  const QRgb ink = qcolor(f.color).rgba();
  const auto& rows = kHatchRows[std::min<uint32_t>(static_cast<uint32_t>(f.hatch), 5)];
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      if ((rows[y] & (0x80 >> x)) != 0) cell.setPixel(x, y, ink);
    }
  }
  return QBrush(cell);
}

QImage wrap(const RgbaImage& img) {
  return QImage(reinterpret_cast<const uchar*>(img.pixels.data()), img.width, img.height,
                qsizetype(img.width) * 4, QImage::Format_RGB32);
}

Path fromQt(const QPainterPath& q) {
  Path p;
  PointD start{};
  for (int i = 0; i < q.elementCount(); ++i) {
    const QPainterPath::Element e = q.elementAt(i);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        if (p.hasCurrentPoint() && p.currentPoint().x == start.x && p.currentPoint().y == start.y) p.close();
        p.moveTo(start = {e.x, e.y});
        break;
      case QPainterPath::LineToElement: p.lineTo({e.x, e.y}); break;
      case QPainterPath::CurveToElement:
        if (i + 2 < q.elementCount()) {
          const auto c2 = q.elementAt(i + 1), end = q.elementAt(i + 2);
          p.cubicTo({e.x, e.y}, {c2.x, c2.y}, {end.x, end.y});
          i += 2;
        }
        break;
      default: break;
    }
  }
  if (p.hasCurrentPoint() && p.currentPoint().x == start.x && p.currentPoint().y == start.y) p.close();
  return p;
}

QPainterPath everywhere() {
  QPainterPath p;
  p.addRect(QRectF(-1e7, -1e7, 2e7, 2e7));
  return p;
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, FontBook& fonts, Options options)
    : p_(painter), fonts_(fonts), options_(options) {
  p_.save();
  raster_ = p_.paintEngine() != nullptr && p_.paintEngine()->type() == QPaintEngine::Raster;
  if (p_.hasClipping()) baseClip_ = p_.deviceTransform().map(p_.clipPath());
  p_.resetTransform();
  if (const QPaintDevice* d = p_.device()) deviceRect_ = QRectF(0, 0, d->width(), d->height());
  p_.setRenderHint(QPainter::Antialiasing, options_.antialias);
  p_.setRenderHint(QPainter::TextAntialiasing, true);
  p_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p_.setBrushOrigin(0, 0);
  p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  applyClip();
}

PainterCanvas::~PainterCanvas() { p_.restore(); }

QPainterPath PainterCanvas::toQt(const Path& path, bool winding, bool snap) const {
  QPainterPath q;
  q.setFillRule(winding ? Qt::WindingFill : Qt::OddEvenFill);
  auto pt = [snap](PointD d) {
    return snap ? QPointF(std::round(d.x), std::round(d.y)) : QPointF(d.x, d.y);
  };
  const auto& pts = path.points();
  size_t k = 0;
  for (Path::Op op : path.ops()) {
    switch (op) {
      case Path::Op::Move: q.moveTo(pt(pts[k++])); break;
      case Path::Op::Line: q.lineTo(pt(pts[k++])); break;
      case Path::Op::Cubic:
        q.cubicTo(pt(pts[k]), pt(pts[k + 1]), pt(pts[k + 2]));
        k += 3;
        break;
      case Path::Op::Close: q.closeSubpath(); break;
    }
  }
  return q;
}

void PainterCanvas::fill(const Path& path, const FillStyle& style) {
  const QPainterPath q = toQt(path, style.winding, raster_ && !options_.antialias);
  switch (style.kind) {
    case FillStyle::Kind::None: return;
    case FillStyle::Kind::Solid: p_.fillPath(q, qcolor(style.color)); return;
    case FillStyle::Kind::Hatch: p_.fillPath(q, hatchBrush(style)); return;
    case FillStyle::Kind::Pattern:
      if (style.pattern && style.pattern->width > 0) p_.fillPath(q, QBrush(wrap(*style.pattern).copy()));
      return;
  }
}

void PainterCanvas::stroke(const Path& path, const StrokeStyle& style) {
  const bool snap = raster_ && !options_.antialias;
  const double w = std::max(1.0, style.width);
  QPainterPath q = toQt(path, false, snap);
  // GDI centres a wide pen on the pixel its line goes through.
  if (snap && w > 1 && std::lround(w) % 2 == 1) q.translate(0.5, 0.5);
  QPen pen(qcolor(style.color));
  pen.setWidthF(w);
  pen.setCapStyle(style.cosmetic                              ? Qt::FlatCap
                  : style.cap == StrokeStyle::Cap::Square ? Qt::SquareCap
                  : style.cap == StrokeStyle::Cap::Flat   ? Qt::FlatCap
                                                          : Qt::RoundCap);
  pen.setJoinStyle(style.join == StrokeStyle::Join::Bevel   ? Qt::BevelJoin
                   : style.join == StrokeStyle::Join::Miter ? Qt::MiterJoin
                                                            : Qt::RoundJoin);
  pen.setMiterLimit(style.miterLimit);
  const QRectF box = q.controlPointRect();
  double period = 0;
  for (double d : style.dash) period += d;
  if (!style.dash.empty() && period >= 2 && std::max(box.width(), box.height()) < kMaxDashedExtent) {
    QList<qreal> dashes;
    for (double d : style.dash) dashes.push_back(std::max(d, 0.01) / w);
    pen.setDashPattern(dashes);
  }
  p_.strokePath(q, pen);
}

void PainterCanvas::setPixel(PointD d, ColorRef color) {
  p_.fillRect(QRectF(std::floor(d.x + 0.5), std::floor(d.y + 0.5), 1, 1), qcolor(color));
}

void PainterCanvas::drawImage(const RgbaImage& image, const Affine& toDevice, double srcX,
                              double srcY, double srcW, double srcH, uint32_t rop) {
  if (image.width <= 0 || image.height <= 0) return;
  QImage q = wrap(image);
  if (rop == kNotSrcCopy) {
    q = q.copy();
    q.invertPixels();
    rop = RasterOp::SrcCopy;
  }
  const QTransform t = qt(toDevice);
  const QRectF source(srcX, srcY, srcW, srcH);
  const bool combines = rop == RasterOp::SrcAnd || rop == RasterOp::SrcInvert || rop == RasterOp::SrcPaint;
  if (combines && !raster_) {
    paintPatch(t.mapRect(source), rop, q, t, source);
    return;
  }
  p_.save();
  p_.setTransform(t);
  switch (rop) {
    case RasterOp::SrcAnd: p_.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case RasterOp::SrcInvert: p_.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case RasterOp::SrcPaint: p_.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    default: break;
  }
  p_.drawImage(source, q, source);
  p_.restore();
}

void PainterCanvas::paintPatch(const QRectF& box, uint32_t rop, const QImage& image,
                               const QTransform& transform, const QRectF& source) {
  // A device that does not know its size (a picture) takes the whole box.
  const QRect area = (deviceRect_.isEmpty() ? box : box.intersected(deviceRect_)).toAlignedRect();
  if (area.isEmpty()) return;
  if (rasterPrefix_) {
    const QImage patch = rasterPrefix_(area, record_);
    if (!patch.isNull()) {
      p_.drawImage(area.topLeft(), patch);
      return;
    }
  }
  // Without the page beneath, the pixels that leave it unchanged on white
  // paper (white under AND, black under XOR) are left out.
  QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb clear = rop == RasterOp::SrcAnd ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
  for (int y = 0; y < keyed.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    for (int x = 0; x < keyed.width(); ++x) {
      if ((row[x] | 0xFF000000u) == (clear | 0xFF000000u)) row[x] = 0;
    }
  }
  p_.save();
  p_.setTransform(transform);
  p_.drawImage(source, keyed, source);
  p_.restore();
}

void PainterCanvas::drawText(const TextRun& run) {
  FontFace& face = fonts_.face(run.font);
  face.shape(run.text, slots_, glyphs_);
  if (slots_.empty()) return;
  const Affine& D = run.toDevice;
  const double emDevice = run.em * length(D.mapVector({0, 1}));
  if (!(emDevice > 0.05) || emDevice > 5e4 || !D.finite()) return;
  const RunLayout lay = layoutRun(run, face.emBox(), slots_, run.font.italic);
  const QTransform toDev = qt(D);

  p_.save();
  if (run.clipped) p_.setClipPath(toQt(run.clipBox, false, false), Qt::IntersectClip);
  if (run.opaque) {
    QPainterPath box;
    box.addRect(QRectF(QPointF(lay.left, lay.top), QPointF(lay.right, lay.bottom)));
    p_.fillPath(toDev.map(box), qcolor(run.background));
  }
  p_.setPen(qcolor(run.color));
  const QRawFont& raw = face.atSize(emDevice);
  const double px = raw.pixelSize();
  // Glyphs whose transforms differ only by where they start go out as one run.
  size_t i = 0;
  while (i < slots_.size()) {
    const Affine first = Affine::scaling(1 / px, 1 / px).then(lay.glyphToText[i]).then(D);
    const Affine back = Affine{first.m11, first.m12, first.m21, first.m22, 0, 0}.inverted();
    QList<quint32> ids;
    QList<QPointF> at;
    size_t j = i;
    for (; j < slots_.size() && slots_[j].turned == slots_[i].turned; ++j) {
      const PointD o = lay.glyphToText[j].then(D).map({0, 0});
      const PointD rel = back.mapVector({o.x - first.dx, o.y - first.dy});
      if (!std::isfinite(rel.x) || !std::isfinite(rel.y) || std::fabs(o.x) > 1e7 ||
          std::fabs(o.y) > 1e7) {
        continue;
      }
      ids.push_back(glyphs_[j]);
      at.push_back(QPointF(rel.x, rel.y));
    }
    if (!ids.isEmpty() && first.finite()) {
      QGlyphRun glyphs;
      glyphs.setRawFont(raw);
      glyphs.setGlyphIndexes(ids);
      glyphs.setPositions(at);
      p_.setTransform(qt(first));
      p_.drawGlyphRun(QPointF(0, 0), glyphs);
      p_.resetTransform();
    }
    i = j;
  }
  if (!lay.decorations.empty()) {
    p_.fillPath(toQt(lay.decorations.mapped(D), true, false), qcolor(run.color));
  }
  p_.restore();
}

Path PainterCanvas::textOutline(const TextRun& run) {
  FontFace& face = fonts_.face(run.font);
  face.shape(run.text, slots_, glyphs_);
  if (slots_.empty() || !run.toDevice.finite()) return {};
  const RunLayout lay = layoutRun(run, face.emBox(), slots_, run.font.italic);
  QPainterPath all;
  for (size_t i = 0; i < slots_.size(); ++i) {
    all.addPath(qt(lay.glyphToText[i].then(run.toDevice)).map(face.outline(glyphs_[i])));
  }
  return fromQt(all);
}

double PainterCanvas::textWidth(const TextRun& run) {
  FontFace& face = fonts_.face(run.font);
  face.shape(run.text, slots_, glyphs_);
  return runAdvance(run, slots_);
}

void PainterCanvas::clip(const Path& devicePath, RegionMode mode, bool winding) {
  const QPainterPath q = toQt(devicePath, winding, false);
  const QPainterPath old = clip_ ? *clip_ : everywhere();
  switch (mode) {
    case RegionMode::And: clip_ = clip_ ? clip_->intersected(q) : q; break;
    case RegionMode::Or:
      if (clip_) clip_ = clip_->united(q);
      break;
    case RegionMode::Xor: clip_ = old.united(q).subtracted(old.intersected(q)); break;
    case RegionMode::Diff: clip_ = old.subtracted(q); break;
    case RegionMode::Copy: clip_ = q; break;
  }
  applyClip();
}

void PainterCanvas::resetClip() {
  clip_.reset();
  applyClip();
}

void PainterCanvas::offsetClip(double dx, double dy) {
  if (!clip_) return;
  clip_->translate(dx, dy);
  applyClip();
}

void PainterCanvas::saveClip() { clipStack_.push_back(clip_); }

void PainterCanvas::restoreClip(int levels) {
  if (levels <= 0 || size_t(levels) > clipStack_.size()) return;
  clip_ = clipStack_[clipStack_.size() - size_t(levels)];
  clipStack_.resize(clipStack_.size() - size_t(levels));
  applyClip();
}

void PainterCanvas::applyClip() {
  if (!clip_ && !baseClip_) {
    p_.setClipping(false);
    return;
  }
  QPainterPath c = clip_ ? *clip_ : *baseClip_;
  if (clip_ && baseClip_) c = baseClip_->intersected(*clip_);
  p_.setClipPath(c, Qt::ReplaceClip);
}

}  // namespace kumi::platform::player
