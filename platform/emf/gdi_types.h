#pragma once
// The GDI vocabulary shared by every drawing device of the platform layer:
// the EMF writer, the EMF reader and dump, and the players. Numeric values
// are those of [MS-EMF] 2.1 (and [MS-WMF] 2.1 where EMF borrows them), so a
// value can go into a record as it stands and come out of one unchanged.
//
// Coordinates are logical units of the device context unless a name says
// otherwise. Face names are UTF-8 (see LogFont).
#include <cstdint>
#include <string>

namespace kumi::platform {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int32_t cx = 0;
  int32_t cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Inclusive-exclusive as GDI draws boxes: left/top inside, right/bottom the
// far edge. Nothing normalises a rectangle: a box may be given either way up.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// 0x00BBGGRR, the COLORREF layout ([MS-WMF] 2.2.2.8).
using ColorRef = uint32_t;
constexpr ColorRef rgb(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) |
         (static_cast<ColorRef>(b) << 16);
}
constexpr uint8_t redOf(ColorRef c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t greenOf(ColorRef c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t blueOf(ColorRef c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }

// [MS-EMF] 2.1.21 MapMode.
enum class MapMode : uint32_t {
  Text = 1,         // one logical unit is one device pixel, y down
  LoMetric = 2,     // 0.1 mm, y up
  HiMetric = 3,     // 0.01 mm, y up
  LoEnglish = 4,    // 0.01 inch, y up
  HiEnglish = 5,    // 0.001 inch, y up
  Twips = 6,        // 1/1440 inch, y up
  Isotropic = 7,    // window/viewport extents, equal scales
  Anisotropic = 8,  // window/viewport extents as set
};

// [MS-EMF] 2.1.4 BackgroundMode.
enum class BkMode : uint32_t { Transparent = 1, Opaque = 2 };

// [MS-EMF] 2.1.27 PolygonFillMode.
enum class PolyFillMode : uint32_t { Alternate = 1, Winding = 2 };

// [MS-EMF] 2.1.17 GraphicsMode.
enum class GraphicsMode : uint32_t { Compatible = 1, Advanced = 2 };

// [MS-EMF] 2.1.29 RegionMode: how a new clip combines with the old one.
enum class RegionMode : uint32_t { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };

// [MS-EMF] 2.1.24 ModifyWorldTransformMode.
enum class TransformMode : uint32_t { Identity = 1, LeftMultiply = 2, RightMultiply = 3, Set = 4 };

// Text alignment flags ([MS-WMF] 2.1.2.3 TextAlignmentMode); combine with |.
namespace TextAlign {
constexpr uint32_t Top = 0;
constexpr uint32_t Left = 0;
constexpr uint32_t NoUpdateCP = 0;
constexpr uint32_t UpdateCP = 1;
constexpr uint32_t Right = 2;
constexpr uint32_t Center = 6;
constexpr uint32_t Bottom = 8;
constexpr uint32_t Baseline = 24;
}  // namespace TextAlign

// ExtTextOut options ([MS-EMF] 2.1.11 ExtTextOutOptions).
namespace TextOutOption {
constexpr uint32_t Opaque = 0x0002;
constexpr uint32_t Clipped = 0x0004;
constexpr uint32_t GlyphIndex = 0x0010;
constexpr uint32_t Pdy = 0x2000;  // Dx holds x,y pairs
}  // namespace TextOutOption

// [MS-WMF] 2.1.1.23 PenStyle: a style in the low bits, end cap and join in
// the middle, cosmetic/geometric in the high ones.
namespace PenStyle {
constexpr uint32_t Solid = 0;
constexpr uint32_t Dash = 1;
constexpr uint32_t Dot = 2;
constexpr uint32_t DashDot = 3;
constexpr uint32_t DashDotDot = 4;
constexpr uint32_t Null = 5;
constexpr uint32_t InsideFrame = 6;  // thick pens of closed shapes stay inside the box
constexpr uint32_t StyleMask = 0x0000000F;
constexpr uint32_t EndCapRound = 0x00000000;
constexpr uint32_t EndCapSquare = 0x00000100;
constexpr uint32_t EndCapFlat = 0x00000200;
constexpr uint32_t JoinRound = 0x00000000;
constexpr uint32_t JoinBevel = 0x00001000;
constexpr uint32_t JoinMiter = 0x00002000;
constexpr uint32_t Geometric = 0x00010000;
}  // namespace PenStyle

// [MS-WMF] 2.1.1.4 BrushStyle (the ones drawing uses).
enum class BrushStyle : uint32_t { Solid = 0, Null = 1, Hatched = 2 };

// [MS-WMF] 2.1.1.12 HatchStyle.
enum class HatchStyle : uint32_t {
  Horizontal = 0,
  Vertical = 1,
  ForwardDiagonal = 2,   // "\\\\" top-left to bottom-right
  BackwardDiagonal = 3,  // "////"
  Cross = 4,
  DiagonalCross = 5,
};

// [MS-EMF] 2.1.31 StockObject, without the 0x80000000 marker.
enum class StockObject : uint32_t {
  WhiteBrush = 0,
  LightGrayBrush = 1,
  GrayBrush = 2,
  DarkGrayBrush = 3,
  BlackBrush = 4,
  NullBrush = 5,
  WhitePen = 6,
  BlackPen = 7,
  NullPen = 8,
  OemFixedFont = 10,
  AnsiFixedFont = 11,
  AnsiVarFont = 12,
  SystemFont = 13,
  DeviceDefaultFont = 14,
  DefaultPalette = 15,
  SystemFixedFont = 16,
  DefaultGuiFont = 17,
  DcBrush = 18,
  DcPen = 19,
};

// Ternary raster operations ([MS-WMF] 2.1.1.31) the drawing parts use.
namespace RasterOp {
constexpr uint32_t SrcCopy = 0x00CC0020;
constexpr uint32_t SrcPaint = 0x00EE0086;
constexpr uint32_t SrcAnd = 0x008800C6;
constexpr uint32_t SrcInvert = 0x00660046;
constexpr uint32_t Blackness = 0x00000042;
constexpr uint32_t Whiteness = 0x00FF0062;
}  // namespace RasterOp

// [MS-EMF] 2.1.9 DIBColors.
enum class DibUsage : uint32_t { RgbColors = 0, PalColors = 1, PalIndices = 2 };

// Font weights and character sets as LOGFONT uses them ([MS-WMF] 2.2.1.2).
namespace FontWeight {
constexpr int32_t DontCare = 0;
constexpr int32_t Normal = 400;
constexpr int32_t Bold = 700;
constexpr int32_t ExtraBold = 800;
}  // namespace FontWeight

namespace CharSet {
constexpr uint8_t Ansi = 0;
constexpr uint8_t Default = 1;
constexpr uint8_t ShiftJis = 128;
}  // namespace CharSet

namespace FontQuality {
constexpr uint8_t Default = 0;
constexpr uint8_t Draft = 1;
constexpr uint8_t Proof = 2;
}  // namespace FontQuality

// A logical font, LOGFONTW's fields ([MS-WMF] 2.2.2.13 / [MS-EMF] 2.2.13).
//
// The face name is UTF-8: the players and the font system speak Unicode, and
// the EMF stores UTF-16. Callers holding a CP932 name (settings files)
// convert it once with platform/base/cp932.h. A face is at most 31 UTF-16
// code units in a metafile; longer names are cut there, whole characters.
struct LogFont {
  int32_t height = 0;       // >0: cell height, <0: em height, 0: default; logical units
  int32_t width = 0;        // average width, 0 for the natural width
  int32_t escapement = 0;   // tenths of a degree, baseline angle
  int32_t orientation = 0;  // tenths of a degree, glyph angle
  int32_t weight = FontWeight::DontCare;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  uint8_t charSet = CharSet::Default;
  uint8_t outPrecision = 0;   // OUT_DEFAULT_PRECIS
  uint8_t clipPrecision = 0;  // CLIP_DEFAULT_PRECIS
  uint8_t quality = FontQuality::Default;
  uint8_t pitchAndFamily = 0;  // DEFAULT_PITCH | FF_DONTCARE
  std::string faceName;        // UTF-8
  friend bool operator==(const LogFont&, const LogFont&) = default;
};

// A cosmetic or geometric pen (LOGPEN, [MS-EMF] 2.2.19). Width is in logical
// units; 0 is one device pixel.
struct LogPen {
  uint32_t style = PenStyle::Solid;
  int32_t width = 0;
  ColorRef color = 0;
  friend bool operator==(const LogPen&, const LogPen&) = default;
};

// LOGBRUSH ([MS-EMF] 2.2.12); hatch matters only for hatched brushes.
struct LogBrush {
  BrushStyle style = BrushStyle::Solid;
  ColorRef color = 0;
  HatchStyle hatch = HatchStyle::Horizontal;
  friend bool operator==(const LogBrush&, const LogBrush&) = default;
};

// One palette entry (LOGPALETTE's PALETTEENTRY): red, green, blue, flags.
struct PaletteEntry {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t flags = 0;
  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// The world transform ([MS-EMF] 2.2.28 XForm): x' = m11·x + m21·y + dx,
// y' = m12·x + m22·y + dy.
struct XForm {
  float m11 = 1.0f;
  float m12 = 0.0f;
  float m21 = 0.0f;
  float m22 = 1.0f;
  float dx = 0.0f;
  float dy = 0.0f;
  friend bool operator==(const XForm&, const XForm&) = default;
};

}  // namespace kumi::platform
