#pragma once
// Reading Windows Metafiles ([MS-WMF]) from untrusted bytes.
//
// A file may start with the 22-byte placeable header (key 0x9AC6CDD7:
// bounding box and units per inch), then comes META_HEADER and the records.
// WmfRecordLoop checks the header, then walks the records: each gives its
// size in 16-bit words (at least 3: size and function); a record shorter
// than that, or one running past the end of the file, ends the walk, which
// always moves on by the size it checked and ends after META_EOF. Handlers
// read parameters through the record's own bounds-checked view.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/emf/byte_io.h"

namespace kumi::platform::wmf {

// The record functions kumi plays ([MS-WMF] 2.1.1.1 RecordType).
enum class Function : uint16_t {
  Eof = 0x0000,
  SaveDc = 0x001E,
  RealizePalette = 0x0035,
  SetPalEntries = 0x0037,
  CreatePalette = 0x00F7,
  SetBkMode = 0x0102,
  SetMapMode = 0x0103,
  SetRop2 = 0x0104,
  SetRelAbs = 0x0105,
  SetPolyFillMode = 0x0106,
  SetStretchBltMode = 0x0107,
  SetTextCharExtra = 0x0108,
  RestoreDc = 0x0127,
  InvertRegion = 0x012A,
  PaintRegion = 0x012B,
  SelectClipRegion = 0x012C,
  SelectObject = 0x012D,
  SetTextAlign = 0x012E,
  ResizePalette = 0x0139,
  DibCreatePatternBrush = 0x0142,
  SetLayout = 0x0149,
  DeleteObject = 0x01F0,
  CreatePatternBrush = 0x01F9,
  SetBkColor = 0x0201,
  SetTextColor = 0x0209,
  SetTextJustification = 0x020A,
  SetWindowOrg = 0x020B,
  SetWindowExt = 0x020C,
  SetViewportOrg = 0x020D,
  SetViewportExt = 0x020E,
  OffsetWindowOrg = 0x020F,
  OffsetViewportOrg = 0x0211,
  LineTo = 0x0213,
  MoveTo = 0x0214,
  OffsetClipRgn = 0x0220,
  FillRegion = 0x0228,
  SetMapperFlags = 0x0231,
  SelectPalette = 0x0234,
  CreatePenIndirect = 0x02FA,
  CreateFontIndirect = 0x02FB,
  CreateBrushIndirect = 0x02FC,
  Polygon = 0x0324,
  Polyline = 0x0325,
  ScaleWindowExt = 0x0410,
  ScaleViewportExt = 0x0412,
  ExcludeClipRect = 0x0415,
  IntersectClipRect = 0x0416,
  Ellipse = 0x0418,
  FloodFill = 0x0419,
  Rectangle = 0x041B,
  SetPixel = 0x041F,
  FrameRegion = 0x0429,
  AnimatePalette = 0x0436,
  TextOut = 0x0521,
  PolyPolygon = 0x0538,
  ExtFloodFill = 0x0548,
  RoundRect = 0x061C,
  PatBlt = 0x061D,
  Escape = 0x0626,
  CreateRegion = 0x06FF,
  Arc = 0x0817,
  Pie = 0x081A,
  Chord = 0x0830,
  BitBlt = 0x0922,
  DibBitBlt = 0x0940,
  ExtTextOut = 0x0A32,
  StretchBlt = 0x0B23,
  DibStretchBlt = 0x0B41,
  SetDibToDev = 0x0D33,
  StretchDib = 0x0F43,
};

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kMetaHeaderSize = 18;

// The placeable header ([MS-WMF] 2.3.2.3): the picture's box in the
// metafile's logical units and how many of them make an inch.
struct Placeable {
  int16_t left = 0, top = 0, right = 0, bottom = 0;
  uint16_t inch = 0;
};

struct WmfHeader {
  std::optional<Placeable> placeable;
  size_t recordsAt = 0;  // offset of the first record
  uint16_t objects = 0;  // NumberOfObjects: slots in the object table
  uint32_t sizeWords = 0;
};

// nullopt (with the reason) when the bytes do not start like a WMF.
std::optional<WmfHeader> readWmfHeader(std::span<const uint8_t> file, std::string* why = nullptr);

struct WmfRecord {
  uint16_t function = 0;
  size_t offset = 0;
  std::span<const uint8_t> bytes;  // the whole record
  ByteView view() const { return ByteView(bytes); }
  bool is(Function f) const { return function == static_cast<uint16_t>(f); }
  // The n-th 16-bit parameter (after the 6-byte size and function).
  int16_t param(size_t n) const { return view().i16(6 + 2 * n); }
  bool hasParams(size_t n) const { return view().need(6, 2 * n); }
};

class WmfRecordLoop {
 public:
  explicit WmfRecordLoop(std::span<const uint8_t> file);
  const std::optional<WmfHeader>& header() const { return header_; }
  std::optional<WmfRecord> next();
  const std::string& error() const { return error_; }
  bool sawEof() const { return sawEof_; }

 private:
  std::span<const uint8_t> file_;
  size_t pos_ = 0;
  bool done_ = false;
  bool sawEof_ = false;
  std::optional<WmfHeader> header_;
  std::string error_;
};

}  // namespace kumi::platform::wmf
