#pragma once
// The page geometry, taken once from the reference printer, and the units
// every drawing part shares.
//
// Record positions are engine units (1/16 mm) measured from the sheet's
// corner. A page metafile counts in PageScale units per millimetre (100 on
// the standard page, MM_HIMETRIC; 10 on a large page, MM_LOMETRIC), its
// logical y grows upwards and its origin is the printer's printable origin,
// OX and OY inside the sheet's corner.
#include <cstdint>
#include <optional>

#include "platform/emf/device_context.h"
#include "platform/printer/printer.h"
#include "renderer/settings/render_settings.h"

namespace kumi::renderer {

// a × b / c rounded to the nearest integer (halves away from zero), as the
// system's MulDiv does; -1 when c is 0 or the result does not fit 32 bits.
int32_t mulDiv(int32_t a, int32_t b, int32_t c);

struct PageGeometry {
  int32_t pw = 0;  // sheet width, 0.01 mm
  int32_t ph = 0;  // sheet height, 0.01 mm
  int32_t ox = 0;  // unprintable left margin, 0.01 mm
  int32_t oy = 0;  // unprintable top margin, 0.01 mm
  settings::PageMode mode = settings::PageMode::Standard;
  int32_t pageScale = 100;      // logical units per millimetre
  int32_t sizeDivisor = 1;      // 1, or 10 on a large page
  double fontCorrection = 1.0;  // 1.0, or 1.03 on a large page
  platform::ReferenceDevice reference;

  // The metafile's frame in 0.01 mm: the sheet around the printable origin.
  platform::Rect frame() const;
  // The same sheet in the page's logical units, y upwards.
  platform::Rect logicalSheet() const;
  platform::MapMode mapMode() const;
  // The MarginShift in engine units: OX and OY × 16 / 100, truncated (wide,
  // since a printer may report a margin whose × 16 leaves 32 bits).
  int32_t shiftX() const { return static_cast<int32_t>(int64_t{ox} * 16 / 100); }
  int32_t shiftY() const { return static_cast<int32_t>(int64_t{oy} * 16 / 100); }
  // ToLogical: engine units to logical units, truncated toward zero (and
  // held within 32 bits).
  int32_t toLogical(int32_t engineUnits) const;
};

// The geometry of a printer; a page wider or taller than 327.67 mm is a
// large page (metafile coordinates are 16-bit in places). nullopt when the
// printer's sizes give no usable sheet.
std::optional<PageGeometry> geometryOf(const platform::PrinterCaps& caps);

}  // namespace kumi::renderer
