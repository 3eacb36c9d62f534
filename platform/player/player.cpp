#include "platform/player/player.h"

#include <cmath>

#include "platform/emf/byte_io.h"
#include "platform/player/emf_player.h"
#include "platform/player/font_book.h"
#include "platform/player/painter_canvas.h"
#include "platform/player/wmf_player.h"

namespace kumi::platform::player {
namespace {

// A raster patch for a vector device is kept to this many pixels; a larger
// one is made at a lower resolution and scaled.
constexpr double kMaxPatchPixels = 40e6;
// Images larger than this on a side are refused.
constexpr double kMaxImageSide = 30000;

FontBook& bookOf(const PaintOptions& o) { return o.fonts != nullptr ? *o.fonts : defaultFontBook(); }

bool looksLikeEmf(std::span<const uint8_t> b) {
  const ByteView v(b);
  return v.need(0, 44) && v.u32(0) == 1 && v.u32(40) == 0x464D4520;
}

Affine placement(const QPainter& p, const PictureInfo& info, const QRectF& target) {
  const QTransform d = p.deviceTransform();
  return frameOnto(info, target.x(), target.y(), target.width(), target.height())
      .then({d.m11(), d.m12(), d.m21(), d.m22(), d.dx(), d.dy()});
}

void setError(std::string* error, std::string text) {
  if (error != nullptr) *error = std::move(text);
}

}  // namespace

bool paintEmf(QPainter& painter, std::span<const uint8_t> emf, const QRectF& target,
              const PaintOptions& options, std::string* error) {
  const auto info = readPictureInfo(emf, error);
  if (!info) return false;
  if (!(target.width() > 0) || !(target.height() > 0)) {
    setError(error, "the target rectangle is empty");
    return false;
  }
  const Affine toDevice = placement(painter, *info, target);
  FontBook& fonts = bookOf(options);
  PainterCanvas canvas(painter, fonts, {options.antialias});
  if (!canvas.rasterDevice()) {
    // Raster operations on a vector device: the page as an image shows it,
    // replayed up to the record that combines.
    canvas.setRasterPrefix([&](const QRect& area, size_t last) {
      const double scale =
          std::min(1.0, std::sqrt(kMaxPatchPixels / (double(area.width()) * area.height())));
      QImage img(std::max(1, int(std::ceil(area.width() * scale))),
                 std::max(1, int(std::ceil(area.height() * scale))), QImage::Format_RGB32);
      img.fill(Qt::white);
      img.setDevicePixelRatio(1);
      {
        QPainter ip(&img);
        PainterCanvas patch(ip, fonts, {options.antialias});
        playEmf(emf, patch,
                toDevice.then(Affine::translation(-area.x(), -area.y()))
                    .then(Affine::scaling(scale, scale)),
                last);
      }
      return scale < 1 ? img.scaled(area.size()) : img;
    });
  }
  const PlayResult r = playEmf(emf, canvas, toDevice);
  if (!r.ok) {
    setError(error, r.error);
    return false;
  }
  setError(error, r.complete ? std::string() : r.error);
  return true;
}

bool paintWmf(QPainter& painter, std::span<const uint8_t> wmf, const QRectF& target,
              const PaintOptions& options, std::string* error) {
  const auto emf = wmfToEmf(wmf, 100, 100, error);
  return emf && paintEmf(painter, *emf, target, options, error);
}

bool paintMetafile(QPainter& painter, std::span<const uint8_t> bytes, const QRectF& target,
                   const PaintOptions& options, std::string* error) {
  if (looksLikeEmf(bytes)) return paintEmf(painter, bytes, target, options, error);
  return paintWmf(painter, bytes, target, options, error);
}

std::optional<QSizeF> emfSizeMm(std::span<const uint8_t> emf, std::string* error) {
  const auto info = readPictureInfo(emf, error);
  if (!info) return std::nullopt;
  return QSizeF(info->widthMm(), info->heightMm());
}

std::optional<QImage> renderEmf(std::span<const uint8_t> emf, double dpi,
                                const PaintOptions& options, std::string* error) {
  const auto size = emfSizeMm(emf, error);
  if (!size) return std::nullopt;
  const double w = std::round(size->width() / 25.4 * dpi), h = std::round(size->height() / 25.4 * dpi);
  if (!(dpi > 0) || !(w >= 1 && h >= 1) || w > kMaxImageSide || h > kMaxImageSide) {
    setError(error, "the page is too large or too small for an image at this resolution");
    return std::nullopt;
  }
  QImage img(int(w), int(h), QImage::Format_RGB32);
  if (img.isNull()) {
    setError(error, "not enough memory for the image");
    return std::nullopt;
  }
  img.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
  img.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
  img.fill(Qt::white);
  QPainter p(&img);
  if (!paintEmf(p, emf, QRectF(0, 0, w, h), options, error)) return std::nullopt;
  return img;
}

}  // namespace kumi::platform::player
