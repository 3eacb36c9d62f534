#pragma once
// PainterCanvas: the canvas of the players on a QPainter (image, widget,
// printer, PDF).
//
// It paints in device coordinates: while it lives, the painter's transform
// is reset, so one unit is one pixel of the image or one dot of the printer
// and the GDI rules stated in device pixels hold there. The painter's own
// clip stays in force under every clip the metafile sets.
//
// On a raster device (QImage, widget) it paints as GDI does: shapes without
// anti-aliasing (unless asked), raster operations on the pixels. A vector
// device (PDF, printer) cannot AND or XOR: there a bitmap drawn with such an
// operation is replaced by a patch of the page as a raster device shows it
// there, made by the `rasterPrefix` hook (player.cpp replays the records up
// to this one into an image); without the hook white (AND) or black (XOR)
// pixels of the bitmap are left out, which is what a mask pair comes to on
// white paper.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <optional>
#include <vector>

#include "platform/player/canvas.h"
#include "platform/player/font_book.h"

namespace kumi::platform::player {

class PainterCanvas final : public Canvas {
 public:
  struct Options {
    bool antialias = false;  // smooth shapes (text is always smooth)
  };
  // The part of the page (device pixels) as a raster device paints it after
  // the current record: for raster operations on a vector device.
  using RasterPrefix = std::function<QImage(const QRect& deviceRect, size_t lastRecord)>;

  PainterCanvas(QPainter& painter, FontBook& fonts, Options options);
  ~PainterCanvas() override;
  PainterCanvas(const PainterCanvas&) = delete;
  PainterCanvas& operator=(const PainterCanvas&) = delete;

  bool rasterDevice() const { return raster_; }
  void setRasterPrefix(RasterPrefix hook) { rasterPrefix_ = std::move(hook); }

  void fill(const Path& devicePath, const FillStyle& style) override;
  void stroke(const Path& devicePath, const StrokeStyle& style) override;
  void setPixel(PointD device, ColorRef color) override;
  void drawImage(const RgbaImage& image, const Affine& toDevice, double srcX, double srcY,
                 double srcW, double srcH, uint32_t rasterOp) override;
  void drawText(const TextRun& run) override;
  Path textOutline(const TextRun& run) override;
  double textWidth(const TextRun& run) override;
  void clip(const Path& devicePath, RegionMode mode, bool winding) override;
  void resetClip() override;
  void offsetClip(double dx, double dy) override;
  void saveClip() override;
  void restoreClip(int levels) override;
  void beginRecord(size_t index) override { record_ = index; }

 private:
  QPainterPath toQt(const Path& p, bool winding, bool snap) const;
  void applyClip();
  void paintPatch(const QRectF& deviceBox, uint32_t rasterOp, const QImage& image,
                  const QTransform& transform, const QRectF& source);

  QPainter& p_;
  FontBook& fonts_;
  Options options_;
  bool raster_ = false;
  std::optional<QPainterPath> baseClip_;  // the painter's own, device coordinates
  std::optional<QPainterPath> clip_;      // the metafile's; none = the whole device
  std::vector<std::optional<QPainterPath>> clipStack_;
  QRectF deviceRect_;
  RasterPrefix rasterPrefix_;
  size_t record_ = 0;
  std::vector<GlyphSlot> slots_;
  std::vector<quint32> glyphs_;
};

}  // namespace kumi::platform::player
