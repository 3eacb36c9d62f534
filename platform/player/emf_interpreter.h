#pragma once
// The EMF interpreter behind playEmf (emf_player.h): the device context it
// keeps while playing, and one handler per record family. Internal to the
// player; emf_player.cpp holds the loop, the state and the objects,
// emf_drawing.cpp the handlers that draw.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "platform/emf/emf_reader.h"
#include "platform/emf/gdi_state.h"
#include "platform/player/canvas.h"
#include "platform/player/emf_player.h"

namespace kumi::platform::player::detail {

struct PenObject {
  LogPen pen;
  bool extended = false;  // EMR_EXTCREATEPEN: cosmetic/geometric, caps and joins as given
  std::vector<uint32_t> styleEntries;
};

struct BrushObject {
  LogBrush brush;
  std::shared_ptr<const RgbaImage> pattern;  // pattern brushes
};

// Shared, not copied: a palette may hold 65535 entries, and every SaveDC
// and SelectPalette record would otherwise copy them all.
using Palette = std::shared_ptr<const std::vector<PaletteEntry>>;

struct PaletteObject {
  Palette entries;
};

using Object = std::variant<std::monostate, LogFont, PenObject, BrushObject, PaletteObject>;

// What SaveDC keeps: GDI's state struct plus what the player resolves from it.
struct DcState {
  GdiState gdi;
  LogFont font;
  PenObject pen;                                                // the stock black pen
  BrushObject brush{{BrushStyle::Solid, 0xFFFFFF, HatchStyle::Horizontal}, nullptr};  // white
  Palette palette;  // null: the default palette
  int arcDirection = 1;  // AD_COUNTERCLOCKWISE
  double miterLimit = 10;
};

class Interpreter {
 public:
  Interpreter(const PictureInfo& info, Canvas& canvas, const Affine& frameToDevice);
  void play(const emf::RecordView& r);

 private:
  // --- state (emf_player.cpp)
  void setMapMode(uint32_t mode);
  void scaleExtent(const emf::RecordView& r, bool viewport);
  void setTransform(const emf::RecordView& r);
  void save();
  void restore(int32_t which);
  void createObject(uint32_t index, Object object);
  void selectObject(uint32_t handle);
  void deleteObject(uint32_t handle);
  void createPatternBrush(const emf::RecordView& r);
  Object* objectAt(uint32_t index);
  std::span<const PaletteEntry> palette() const;

  // Logical space to the output device.
  const Affine& toDevice();
  PointD device(Point logical) { return toDevice().map({double(logical.x), double(logical.y)}); }
  Path devicePath(const Path& logical) { return logical.mapped(toDevice()); }
  // Reference-device pixels (region data, viewport) to the output device.
  const Affine& refToDevice() const { return refToDevice_; }

  // --- drawing (emf_drawing.cpp)
  std::optional<StrokeStyle> strokeStyle();
  FillStyle fillStyle(const BrushObject& brush);
  double penWidthDevice();
  // A shape in logical space: added to the path in a bracket, else filled
  // (closed shapes) and stroked.
  void draw(const Path& logical, bool fillIt);
  void drawBox(const emf::RecordView& r, uint32_t type);
  void drawArc(const emf::RecordView& r, uint32_t type);
  void drawAngleArc(const emf::RecordView& r);
  void drawPoly(const emf::RecordView& r);
  void drawPolyPoly(const emf::RecordView& r);
  void drawPolyDraw(const emf::RecordView& r);
  void lineTo(Point p);
  void pathOp(const emf::RecordView& r);
  void text(const emf::RecordView& r);
  void bitmap(const emf::RecordView& r);
  void blt(const emf::RecordView& r, bool stretch);
  void dibitsToDevice(const emf::RecordView& r);
  void region(const emf::RecordView& r);
  void clipRect(const emf::RecordView& r, bool exclude);
  void setPixel(const emf::RecordView& r);
  void drawImage(std::span<const uint8_t> info, std::span<const uint8_t> bits, DibUsage usage,
                 double sx, double sy, double scx, double scy, bool dibOrigin, double dx,
                 double dy, double dcx, double dcy, uint32_t rop);
  Path regionPath(std::span<const uint8_t> data);

  PictureInfo info_;
  Canvas& canvas_;
  Affine refToDevice_;
  std::vector<Object> objects_;
  DcState dc_;
  std::vector<DcState> saved_;
  Affine toDevice_;
  bool toDeviceDirty_ = true;
  Path path_;  // device coordinates, as GDI keeps a path
  bool inPath_ = false;
  bool pathReady_ = false;
};

}  // namespace kumi::platform::player::detail
