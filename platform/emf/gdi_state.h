#pragma once
// The state of a GDI device context, shared by the EMF writer and the
// players so both map, select and save the same way: mapping mode and
// extents, world transform, text and background attributes, the current
// position, the selected objects, and the save stack.
//
// Mapping follows GDI: device = (world(logical) − windowOrg) × viewportExt /
// windowExt + viewportOrg. The metric modes take their extents from the
// reference device (its size in micrometres against its pixels), y up.
#include <cstdint>
#include <vector>

#include "platform/emf/device_context.h"
#include "platform/emf/gdi_types.h"

namespace kumi::platform {

struct GdiState {
  MapMode mapMode = MapMode::Text;
  Point windowOrg{};
  Size windowExt{1, 1};
  Point viewportOrg{};
  Size viewportExt{1, 1};
  GraphicsMode graphicsMode = GraphicsMode::Compatible;
  XForm world{};
  ColorRef textColor = rgb(0, 0, 0);
  ColorRef bkColor = rgb(255, 255, 255);
  BkMode bkMode = BkMode::Opaque;
  uint32_t textAlign = TextAlign::Top | TextAlign::Left;
  PolyFillMode polyFillMode = PolyFillMode::Alternate;
  Point currentPosition{};
  ObjectHandle font = stockObject(StockObject::SystemFont);
  ObjectHandle pen = stockObject(StockObject::BlackPen);
  ObjectHandle brush = stockObject(StockObject::WhiteBrush);
  ObjectHandle palette = stockObject(StockObject::DefaultPalette);
};

enum class ObjectKind { None, Font, Pen, Brush, Palette };

// The kind of a stock object, None for numbers [MS-EMF] does not define.
ObjectKind stockKind(ObjectHandle h);

// Mapping-mode changes as GDI applies them. setMapMode sets the fixed
// extents of MM_TEXT and the metric modes; the extent setters act only in
// the isotropic and anisotropic modes (and isotropic keeps the scales equal).
void applyMapMode(GdiState& s, MapMode mode, const ReferenceDevice& ref);
void applyWindowExt(GdiState& s, Size ext);
void applyViewportExt(GdiState& s, Size ext);

struct PointD {
  double x = 0;
  double y = 0;
};

// Logical to device (world transform, then window to viewport).
PointD toDevice(const GdiState& s, PointD logical);
// Device pixels per logical unit along x and y, as magnitudes (world
// transform included); used to size pens and text boxes.
double deviceScaleX(const GdiState& s);
double deviceScaleY(const GdiState& s);
// True when logical y grows downwards on the device.
bool yAxisDown(const GdiState& s);

// The composition of two transforms: apply a, then b.
XForm combine(const XForm& a, const XForm& b);

// The state and its saves. save() returns the new depth; restore() takes a
// negative count relative to the top or a positive absolute depth, and
// refuses counts outside the stack.
class GdiStateStack {
 public:
  GdiState& current() { return current_; }
  const GdiState& current() const { return current_; }
  int save();
  bool restore(int which);
  int depth() const { return static_cast<int>(saved_.size()); }
  const std::vector<GdiState>& saved() const { return saved_; }
  // Converts a restore argument to the negative relative form, 0 if invalid.
  int relativeOf(int which) const;

 private:
  GdiState current_;
  std::vector<GdiState> saved_;
};

}  // namespace kumi::platform
