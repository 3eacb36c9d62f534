#include "renderer/platemaker/page_geometry.h"

#include <cstdlib>
#include <limits>

namespace kumi::renderer {
namespace {

int32_t clamp32(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

}  // namespace

int32_t mulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t product = int64_t{a} * b;
  const int64_t half = std::llabs(c) / 2;
  // Round half away from zero, on the sign of the true quotient.
  const bool negative = (product < 0) != (c < 0);
  const int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
  const int64_t q = negative ? -magnitude : magnitude;
  if (q > std::numeric_limits<int32_t>::max() || q < std::numeric_limits<int32_t>::min()) return -1;
  return static_cast<int32_t>(q);
}

platform::Rect PageGeometry::frame() const { return {-ox, -oy, pw - ox, ph - oy}; }

platform::Rect PageGeometry::logicalSheet() const {
  // Frame units are 0.01 mm; the page counts pageScale units per millimetre.
  auto scale = [this](int64_t hundredths) { return clamp32(hundredths * pageScale / 100); };
  return {scale(-int64_t{ox}), scale(oy), scale(int64_t{pw} - ox), scale(int64_t{oy} - ph)};
}

platform::MapMode PageGeometry::mapMode() const {
  return mode == settings::PageMode::Standard ? platform::MapMode::HiMetric
                                              : platform::MapMode::LoMetric;
}

int32_t PageGeometry::toLogical(int32_t engineUnits) const {
  // Wide, so no record value can overflow on its way through.
  return clamp32(int64_t{engineUnits} * pageScale / 16);
}

std::optional<PageGeometry> geometryOf(const platform::PrinterCaps& caps) {
  PageGeometry g;
  g.pw = mulDiv(caps.physicalWidth, 2540, caps.logPixelsX);
  g.ph = mulDiv(caps.physicalHeight, 2540, caps.logPixelsY);
  g.ox = mulDiv(caps.physicalOffsetX, 2540, caps.logPixelsX);
  g.oy = mulDiv(caps.physicalOffsetY, 2540, caps.logPixelsY);
  // A sheet that does not fit the arithmetic is no sheet to draw on.
  if (g.pw <= 0 || g.ph <= 0 || g.ox < 0 || g.oy < 0 || g.ox >= g.pw || g.oy >= g.ph) {
    return std::nullopt;
  }
  if (g.pw > 32767 || g.ph > 32767) {
    g.mode = settings::PageMode::Large;
    g.pageScale = 10;
    g.sizeDivisor = 10;
    g.fontCorrection = 1.03;
  }
  g.reference.horzRes = caps.horzRes;
  g.reference.vertRes = caps.vertRes;
  g.reference.horzSize = caps.horzSize;
  g.reference.vertSize = caps.vertSize;
  return g;
}

}  // namespace kumi::renderer
