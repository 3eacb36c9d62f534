#pragma once
// EmfWriter: a DeviceContext that records an Enhanced Metafile ([MS-EMF]).
//
// Every call becomes the record GDI's metafile device would write: the
// header (bounds, frame in 0.01 mm, reference device in pixels, millimetres
// and micrometres, description, counts fixed up at close), the state and
// object records, text as EMR_EXTTEXTOUTW in UTF-16 with one Dx advance per
// character, and EMR_EOF. The file opens in any EMF reader.
//
// Records accumulate in memory; a file-backed writer creates its file at
// once (so a bad path shows before drawing) and writes it whole on close().
// Bounds are tracked in reference-device pixels as GDI does; they are a
// generous estimate for text, whose glyph boxes only the player knows.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/emf/device_context.h"
#include "platform/emf/gdi_state.h"

namespace kumi::platform {

class EmfWriter final : public DeviceContext {
 public:
  // frame: the picture's extent in 0.01 mm, as CreateEnhMetaFile takes it.
  // description: UTF-8; stored as UTF-16 ending in two NULs.
  EmfWriter(const ReferenceDevice& ref, const Rect& frame, std::string_view description);
  ~EmfWriter() override;
  EmfWriter(const EmfWriter&) = delete;
  EmfWriter& operator=(const EmfWriter&) = delete;

  // A writer whose close() writes the file at storedPath (paths.h shape).
  // nullptr, with a reason in *error, when the file cannot be created.
  static std::unique_ptr<EmfWriter> create(std::string_view storedPath, const ReferenceDevice& ref,
                                           const Rect& frame, std::string_view description,
                                           std::string* error = nullptr);

  // Ends the metafile: EMR_EOF, the header's counts and bounds. Returns the
  // whole file; later calls return it again and draw nothing more.
  const std::vector<uint8_t>& finish();
  // finish(), then for a file-backed writer write and close the file.
  // False when writing failed. The destructor closes a writer left open.
  bool close();
  bool finished() const { return finished_; }

  const GdiState& state() const { return states_.current(); }
  // The font a handle names (created fonts only).
  std::optional<LogFont> fontOf(ObjectHandle h) const;

  // DeviceContext
  const ReferenceDevice& referenceDevice() const override { return ref_; }
  void setMapMode(MapMode mode) override;
  void setWindowOrg(Point origin) override;
  void setWindowExt(Size extent) override;
  void setViewportOrg(Point origin) override;
  void setViewportExt(Size extent) override;
  void setGraphicsMode(GraphicsMode mode) override;
  bool setWorldTransform(const XForm& xf) override;
  bool modifyWorldTransform(const XForm& xf, TransformMode mode) override;
  int saveDC() override;
  bool restoreDC(int relative) override;
  ObjectHandle createFont(const LogFont& font) override;
  ObjectHandle createPen(const LogPen& pen) override;
  ObjectHandle createBrush(const LogBrush& brush) override;
  ObjectHandle createPalette(std::span<const PaletteEntry> entries) override;
  ObjectHandle selectObject(ObjectHandle h) override;
  ObjectHandle selectPalette(ObjectHandle h, bool background) override;
  void realizePalette() override;
  bool deleteObject(ObjectHandle h) override;
  void setTextColor(ColorRef color) override;
  void setBkColor(ColorRef color) override;
  void setBkMode(BkMode mode) override;
  void setTextAlign(uint32_t flags) override;
  void setPolyFillMode(PolyFillMode mode) override;
  void extTextOut(Point reference, uint32_t options, const Rect* rect, std::string_view cp932,
                  std::span<const int32_t> dx) override;
  void moveTo(Point p) override;
  void lineTo(Point p) override;
  void polyline(std::span<const Point> points) override;
  void polygon(std::span<const Point> points) override;
  void rectangle(const Rect& box) override;
  void ellipse(const Rect& box) override;
  void roundRect(const Rect& box, Size corner) override;
  void setPixelV(Point p, ColorRef color) override;
  void beginPath() override;
  void endPath() override;
  void closeFigure() override;
  void abortPath() override;
  void strokePath() override;
  void fillPath() override;
  void strokeAndFillPath() override;
  void selectClipPath(RegionMode mode) override;
  void resetClip() override;
  bool stretchDIBits(const BlitRect& dest, const BlitRect& source,
                     std::span<const uint8_t> bitmapInfo, std::span<const uint8_t> bits,
                     DibUsage usage, uint32_t rasterOp) override;
  void comment(std::span<const uint8_t> data) override;

  // A box in device pixels, grown point by point.
  struct DeviceBox {
    double left = 0, top = 0, right = -1, bottom = -1;
    bool empty = true;
    void add(PointD p);
    void add(const DeviceBox& b);
    void inflate(double by);
    Rect inclusive() const;  // (0, 0, -1, -1) when empty, as GDI writes it
  };

 private:
  struct Object;
  class Record;

  uint32_t allocateHandle();
  const Object* objectAt(ObjectHandle h) const;
  bool isSelectedAnywhere(ObjectHandle h) const;
  LogFont currentFont() const;
  LogPen currentPen() const;
  double penHalfWidth() const;  // device pixels
  void drew(const DeviceBox& box, bool stroked);
  DeviceBox boxOf(std::span<const PointD> logical) const;
  DeviceBox boxOf(const Rect& logical) const;
  DeviceBox textBox(Point reference, double advance) const;
  void writePoly(uint32_t type, std::span<const Point> points, bool stroked);
  void writeBox(uint32_t type, const Rect& box);
  void writePathDraw(uint32_t type, bool stroked, bool filled);
  void writeU32Record(uint32_t type, uint32_t value);
  void writeEmptyRecord(uint32_t type);

  ReferenceDevice ref_;
  Rect frame_;
  std::u16string description_;
  std::vector<uint8_t> body_;  // records after the header, before EMR_EOF
  uint32_t bodyRecords_ = 0;
  std::vector<std::unique_ptr<Object>> objects_;  // index = handle; [0] unused
  uint32_t maxHandle_ = 0;
  uint32_t firstFree_ = 1;  // no free index below it
  GdiStateStack states_;
  DeviceBox bounds_;
  DeviceBox pathBox_;
  bool inPath_ = false;
  bool finished_ = false;
  std::vector<uint8_t> file_;
  std::FILE* out_ = nullptr;
};

}  // namespace kumi::platform
