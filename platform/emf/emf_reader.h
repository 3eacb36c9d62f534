#pragma once
// Reading Enhanced Metafiles ([MS-EMF]) from untrusted bytes.
//
// RecordLoop walks the records: it checks the header first, then for each
// record reads type and size and stops at a size below 8, not a multiple of
// 4, or past the end; it always moves on by the size it checked, and ends
// after EMR_EOF. It never interprets a record: the decoders below do, each
// for one record family, each checking every offset and count against the
// record's own bytes before reading, and returning nullopt for a record too
// short for what it claims. Unknown record types are simply passed on, so a
// caller can skip them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/emf/byte_io.h"
#include "platform/emf/device_context.h"
#include "platform/emf/emf_records.h"
#include "platform/emf/gdi_types.h"

namespace kumi::platform::emf {

struct RecordView {
  uint32_t type = 0;
  size_t offset = 0;                // from the start of the file
  std::span<const uint8_t> bytes;  // the whole record, type and size included
  ByteView view() const { return ByteView(bytes); }
  bool is(RecordType r) const { return type == static_cast<uint32_t>(r); }
};

// EMR_HEADER ([MS-EMF] 2.3.4.2) with its extensions where present.
struct Header {
  Rect bounds;  // device pixels, inclusive
  Rect frame;   // 0.01 mm, inclusive
  uint32_t version = 0;
  uint32_t bytes = 0;
  uint32_t records = 0;
  uint16_t handles = 0;
  uint32_t paletteEntries = 0;
  Size device;        // reference device, pixels
  Size millimeters;   // reference device, mm
  bool hasPixelFormat = false;  // extension 1 present
  uint32_t pixelFormatSize = 0;
  uint32_t pixelFormatOffset = 0;
  uint32_t openGL = 0;
  bool hasMicrometers = false;  // extension 2 present
  Size micrometers;
  std::u16string description;  // with its inner NULs, trailing NULs removed
  uint32_t size = 0;           // the header record's own size
};

// Decodes the first record of a file. why: the reason when it is not an
// enhanced metafile header.
std::optional<Header> decodeHeader(std::span<const uint8_t> record, std::string* why = nullptr);

class RecordLoop {
 public:
  explicit RecordLoop(std::span<const uint8_t> file);

  // The header, when the file starts with a valid one.
  const std::optional<Header>& header() const { return header_; }
  // The next record (the header comes first), or nullopt when the walk is
  // over: after EMR_EOF, or at the first malformed record or the end of the
  // bytes (then error() says what was wrong).
  std::optional<RecordView> next();
  const std::string& error() const { return error_; }
  size_t errorOffset() const { return errorOffset_; }
  bool sawEof() const { return sawEof_; }

 private:
  std::span<const uint8_t> file_;
  size_t limit_ = 0;  // the header's byte count when it is plausible
  size_t pos_ = 0;
  bool done_ = false;
  bool sawEof_ = false;
  std::optional<Header> header_;
  std::string error_;
  size_t errorOffset_ = 0;
};

// --- record families ---------------------------------------------------------

// EMR_EXTTEXTOUTW / EMR_EXTTEXTOUTA ([MS-EMF] 2.3.5.7-8, EmrText 2.2.5).
struct TextRecord {
  Rect bounds;
  uint32_t graphicsMode = 0;
  float exScale = 0;
  float eyScale = 0;
  Point reference;
  uint32_t options = 0;
  Rect rect;
  std::u16string text;         // EXTTEXTOUTW
  std::string bytes;           // EXTTEXTOUTA, as stored
  std::vector<int32_t> dx;     // empty when the record has none
};
std::optional<TextRecord> decodeText(const RecordView& r);

struct FontRecord {
  uint32_t handle = 0;
  LogFont font;  // face converted to UTF-8
};
std::optional<FontRecord> decodeFont(const RecordView& r);

// EMR_CREATEPEN, and EMR_EXTCREATEPEN reduced to what LOGPEN holds plus the
// extended pen's brush.
struct PenRecord {
  uint32_t handle = 0;
  LogPen pen;
  bool extended = false;
  uint32_t brushStyle = 0;
  uint32_t hatch = 0;
  std::vector<uint32_t> styleEntries;
};
std::optional<PenRecord> decodePen(const RecordView& r);

struct BrushRecord {
  uint32_t handle = 0;
  LogBrush brush;
  uint32_t rawStyle = 0;  // the stored style, which may be one LogBrush does not name
};
std::optional<BrushRecord> decodeBrush(const RecordView& r);

struct PaletteRecord {
  uint32_t handle = 0;
  uint16_t version = 0;
  std::vector<PaletteEntry> entries;
};
std::optional<PaletteRecord> decodePalette(const RecordView& r);

// POLYGON, POLYLINE, POLYBEZIER(TO), POLYLINETO and their 16-bit forms.
struct PolyRecord {
  Rect bounds;
  std::vector<Point> points;
};
std::optional<PolyRecord> decodePoly(const RecordView& r);
bool isPolyType(uint32_t type);

// POLYPOLYGON, POLYPOLYLINE and their 16-bit forms.
struct PolyPolyRecord {
  Rect bounds;
  std::vector<uint32_t> counts;
  std::vector<Point> points;
};
std::optional<PolyPolyRecord> decodePolyPoly(const RecordView& r);
bool isPolyPolyType(uint32_t type);

// EMR_STRETCHDIBITS ([MS-EMF] 2.3.1.7). The spans point into the record.
struct StretchDibRecord {
  Rect bounds;
  BlitRect dest;
  BlitRect source;
  uint32_t usage = 0;
  uint32_t rasterOp = 0;
  std::span<const uint8_t> bitmapInfo;
  std::span<const uint8_t> bits;
};
std::optional<StretchDibRecord> decodeStretchDib(const RecordView& r);

struct TransformRecord {
  XForm xform;
  uint32_t mode = 0;  // MODIFYWORLDTRANSFORM only
};
std::optional<TransformRecord> decodeTransform(const RecordView& r);

struct ClipRegionRecord {
  uint32_t mode = 0;
  std::span<const uint8_t> regionData;
};
std::optional<ClipRegionRecord> decodeClipRegion(const RecordView& r);

std::optional<std::span<const uint8_t>> decodeComment(const RecordView& r);

// The common small shapes: the n-th 32-bit field after type and size, when
// the record holds it.
std::optional<uint32_t> fieldU32(const RecordView& r, size_t index);
std::optional<Point> fieldPoint(const RecordView& r, size_t index);  // two fields
std::optional<Rect> fieldRect(const RecordView& r, size_t index);    // four fields

}  // namespace kumi::platform::emf
