#pragma once
// A drawing device, GDI-shaped: what the renderer draws pages with.
//
// The renderer's drawing parts speak to this interface only. The EMF writer
// (emf_writer.h) records every call as an Enhanced Metafile record; a player
// onto a painter is another implementation. Calls mirror GDI's so that what
// the drawing parts do reads like the GDI code it stands for, and values mean
// what they mean in GDI (gdi_types.h).
//
// What a caller may rely on:
// - Objects (fonts, pens, brushes, palettes) are created by the device and
//   named by an ObjectHandle. A handle selected into the device must stay
//   alive until another object of its kind is selected; deleting a selected
//   object is refused (GDI does the same), deleting an unknown handle too.
// - Stock objects need no creating and are never deleted.
// - Text arrives in code page 932, as every byte in kumi does. Advances (dx)
//   are one per character (a double-byte character counts once); without
//   them the device takes them from the selected font: the font's width
//   times two (or its height when the width is 0) for a double-byte
//   character, half that for a single-byte one.
// - Failures are quiet as in GDI: a call the device cannot honour returns
//   false or an empty handle and leaves the device as it was.
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/emf/gdi_types.h"

namespace kumi::platform {

// An object of the device: 0 is "none"; stock objects have the high bit set
// and their StockObject number below it ([MS-EMF] 2.1.31).
struct ObjectHandle {
  uint32_t value = 0;
  explicit operator bool() const { return value != 0; }
  friend bool operator==(const ObjectHandle&, const ObjectHandle&) = default;
};

constexpr uint32_t kStockObjectFlag = 0x80000000u;
constexpr ObjectHandle stockObject(StockObject s) {
  return ObjectHandle{kStockObjectFlag | static_cast<uint32_t>(s)};
}
constexpr bool isStock(ObjectHandle h) { return (h.value & kStockObjectFlag) != 0; }

// The device a page is measured against (the reference printer): its
// printable area in pixels and millimetres. Metric mapping modes take their
// scale from it, and it is what GetDeviceCaps reports for a metafile.
struct ReferenceDevice {
  int32_t horzRes = 0;   // HORZRES, pixels
  int32_t vertRes = 0;   // VERTRES, pixels
  int32_t horzSize = 0;  // HORZSIZE, millimetres
  int32_t vertSize = 0;  // VERTSIZE, millimetres
  // Micrometres for precision; 0 means horzSize/vertSize × 1000.
  int32_t horzMicrometers = 0;
  int32_t vertMicrometers = 0;
  friend bool operator==(const ReferenceDevice&, const ReferenceDevice&) = default;
};

// A destination or source rectangle of a bitmap transfer: origin and extent,
// as StretchDIBits takes them (an extent may be negative to mirror).
struct BlitRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t cx = 0;
  int32_t cy = 0;
  friend bool operator==(const BlitRect&, const BlitRect&) = default;
};

class DeviceContext {
 public:
  virtual ~DeviceContext() = default;

  virtual const ReferenceDevice& referenceDevice() const = 0;

  // --- Mapping -------------------------------------------------------------
  virtual void setMapMode(MapMode mode) = 0;
  virtual void setWindowOrg(Point origin) = 0;
  virtual void setWindowExt(Size extent) = 0;  // ignored unless (an)isotropic
  virtual void setViewportOrg(Point origin) = 0;  // device units
  virtual void setViewportExt(Size extent) = 0;   // ignored unless (an)isotropic
  virtual void setGraphicsMode(GraphicsMode mode) = 0;
  virtual bool setWorldTransform(const XForm& xf) = 0;  // needs GraphicsMode::Advanced
  virtual bool modifyWorldTransform(const XForm& xf, TransformMode mode) = 0;

  // --- State stack ---------------------------------------------------------
  // saveDC returns the new depth (1 for the first save); restoreDC takes a
  // negative count relative to the top (-1: the last save) as EMR_RESTOREDC
  // does, and returns false when there are not that many saves.
  virtual int saveDC() = 0;
  virtual bool restoreDC(int relative) = 0;

  // --- Objects -------------------------------------------------------------
  virtual ObjectHandle createFont(const LogFont& font) = 0;
  virtual ObjectHandle createPen(const LogPen& pen) = 0;
  virtual ObjectHandle createBrush(const LogBrush& brush) = 0;
  virtual ObjectHandle createPalette(std::span<const PaletteEntry> entries) = 0;
  // Selects a font, pen or brush (or a stock one) and returns the object of
  // that kind selected before; an empty handle when h is unknown.
  virtual ObjectHandle selectObject(ObjectHandle h) = 0;
  virtual ObjectHandle selectPalette(ObjectHandle h, bool background) = 0;
  virtual void realizePalette() = 0;
  virtual bool deleteObject(ObjectHandle h) = 0;

  // --- Attributes ----------------------------------------------------------
  virtual void setTextColor(ColorRef color) = 0;
  virtual void setBkColor(ColorRef color) = 0;
  virtual void setBkMode(BkMode mode) = 0;
  virtual void setTextAlign(uint32_t flags) = 0;  // TextAlign::*
  virtual void setPolyFillMode(PolyFillMode mode) = 0;

  // --- Text ----------------------------------------------------------------
  // cp932: the text in code page 932. dx: one advance per character in
  // logical units, or empty (see the note at the top). rect: the opaque or
  // clip rectangle when options ask for one, else nullptr.
  virtual void extTextOut(Point reference, uint32_t options, const Rect* rect,
                          std::string_view cp932, std::span<const int32_t> dx) = 0;
  void textOut(Point reference, std::string_view cp932) {
    extTextOut(reference, 0, nullptr, cp932, {});
  }

  // --- Lines and shapes (current pen; closed shapes filled with the brush) --
  virtual void moveTo(Point p) = 0;
  virtual void lineTo(Point p) = 0;
  virtual void polyline(std::span<const Point> points) = 0;
  virtual void polygon(std::span<const Point> points) = 0;
  virtual void rectangle(const Rect& box) = 0;
  virtual void ellipse(const Rect& box) = 0;
  virtual void roundRect(const Rect& box, Size corner) = 0;  // corner ellipse size
  virtual void setPixelV(Point p, ColorRef color) = 0;

  // --- Paths and clipping --------------------------------------------------
  virtual void beginPath() = 0;
  virtual void endPath() = 0;
  virtual void closeFigure() = 0;
  virtual void abortPath() = 0;  // discards the path
  virtual void strokePath() = 0;
  virtual void fillPath() = 0;
  virtual void strokeAndFillPath() = 0;
  virtual void selectClipPath(RegionMode mode) = 0;
  virtual void resetClip() = 0;  // back to the whole page

  // --- Bitmaps -------------------------------------------------------------
  // bitmapInfo: a BITMAPINFOHEADER (40 bytes) with its colour table; bits:
  // the pixel rows, bottom-up when the header's height is positive. The
  // source rectangle is in bitmap pixels. False when the header is unusable
  // or the bits are too short for it.
  virtual bool stretchDIBits(const BlitRect& dest, const BlitRect& source,
                             std::span<const uint8_t> bitmapInfo, std::span<const uint8_t> bits,
                             DibUsage usage, uint32_t rasterOp) = 0;

  // --- Comments ------------------------------------------------------------
  // Private data a reader of the page may use or skip (GdiComment).
  virtual void comment(std::span<const uint8_t> data) = 0;
};

}  // namespace kumi::platform
