#pragma once
// Canvas: where a metafile interpreter puts what it draws.
//
// The interpreters (emf_player.h) keep the GDI state and resolve everything
// that state decides: mapping, world transform, selected pen, brush and font,
// colours, modes, the current path. A canvas receives finished work in the
// coordinates of the output device (device pixels: one unit is one pixel of
// the image or one dot of the printer), so the GDI rules that are stated in
// device pixels (one-pixel cosmetic pens, 8 × 8 hatch cells, SetPixelV) hold
// on every output. The Qt canvas (painter_canvas.h) paints; tests use a
// recording canvas.
//
// A canvas owns the clip region, since combining regions is the painting
// library's business; the interpreter tells it when the device context saves
// and restores.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/emf/gdi_types.h"
#include "platform/player/geometry.h"

namespace kumi::platform::player {

// Pixels decoded from a device-independent bitmap, top row first,
// 0xAARRGGBB in native byte order.
struct RgbaImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};

struct FillStyle {
  enum class Kind { None, Solid, Hatch, Pattern };
  Kind kind = Kind::None;
  ColorRef color = 0;
  HatchStyle hatch = HatchStyle::Horizontal;
  // Hatch gaps take the background colour when the background mode is opaque.
  bool opaqueGaps = false;
  ColorRef background = 0xFFFFFF;
  std::shared_ptr<const RgbaImage> pattern;  // Kind::Pattern, tiled from the device origin
  bool winding = false;                      // polygon fill mode: winding, else alternate
};

struct StrokeStyle {
  ColorRef color = 0;
  double width = 1;          // device pixels, at least 1
  bool cosmetic = true;      // one device pixel whatever the transform
  std::vector<double> dash;  // on/off lengths in device pixels; empty = solid
  enum class Cap { Round, Square, Flat } cap = Cap::Round;
  enum class Join { Round, Bevel, Miter } join = Join::Round;
  double miterLimit = 10;
};

// One ExtTextOut. Text space has its origin at the reference point, x along
// the baseline, y pointing away from the glyphs' tops, in the metafile's
// logical units; `toDevice` maps it onto the device.
struct TextRun {
  LogFont font;           // as selected; the face still to be mapped
  std::u16string text;
  Affine toDevice;
  double em = 0;          // the em, text-space units
  double widthScale = 1;  // 1 = the face's natural width
  // Advance after each UTF-16 unit, text-space units; empty: the font's own.
  std::vector<double> advances;
  uint32_t align = 0;     // TextAlign flags: horizontal and vertical parts
  ColorRef color = 0;
  bool opaque = false;    // fill the text's cell box with `background` first
  ColorRef background = 0xFFFFFF;
  bool clipped = false;   // ETO_CLIPPED: only inside `clipBox` (device)
  Path clipBox;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void fill(const Path& devicePath, const FillStyle& style) = 0;
  virtual void stroke(const Path& devicePath, const StrokeStyle& style) = 0;
  virtual void setPixel(PointD device, ColorRef color) = 0;
  // Draws `source` (a rectangle of the image's pixels) where `toDevice` maps
  // it (image pixel coordinates to device), combined by a ternary raster
  // operation (RasterOp::*); the canvas does what it can of the others.
  virtual void drawImage(const RgbaImage& image, const Affine& toDevice, double srcX, double srcY,
                         double srcW, double srcH, uint32_t rasterOp) = 0;

  virtual void drawText(const TextRun& run) = 0;
  // The glyph outlines of a run, in device coordinates (text in a path bracket).
  virtual Path textOutline(const TextRun& run) = 0;
  // How far the run's pen moves when it has no advances of its own (text
  // units), for alignment and the current position.
  virtual double textWidth(const TextRun& run) = 0;

  // Clip: combine the device path with the clip region (RegionMode), reset
  // to the whole output, move the region, and follow the device context's
  // saves. restoreClip takes how many saves to drop (at least 1).
  virtual void clip(const Path& devicePath, RegionMode mode, bool winding) = 0;
  virtual void resetClip() = 0;
  virtual void offsetClip(double dx, double dy) = 0;
  virtual void saveClip() = 0;
  virtual void restoreClip(int levels) = 0;

  // Called with the index of the record about to be played, for canvases
  // that need to know where they are (a vector device replays a prefix to
  // emulate raster operations).
  virtual void beginRecord(size_t /*index*/) {}
};

}  // namespace kumi::platform::player
