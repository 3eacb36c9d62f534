#pragma once
// Enhanced Metafile record types and the fixed sizes of the records kumi
// writes, shared by the writer, the reader, the dump and the players.
// Numbers and names are those of [MS-EMF] 2.1.1 RecordType.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kumi::platform::emf {

enum class RecordType : uint32_t {
  Header = 1,
  PolyBezier = 2,
  Polygon = 3,
  Polyline = 4,
  PolyBezierTo = 5,
  PolylineTo = 6,
  PolyPolyline = 7,
  PolyPolygon = 8,
  SetWindowExtEx = 9,
  SetWindowOrgEx = 10,
  SetViewportExtEx = 11,
  SetViewportOrgEx = 12,
  SetBrushOrgEx = 13,
  Eof = 14,
  SetPixelV = 15,
  SetMapperFlags = 16,
  SetMapMode = 17,
  SetBkMode = 18,
  SetPolyFillMode = 19,
  SetRop2 = 20,
  SetStretchBltMode = 21,
  SetTextAlign = 22,
  SetColorAdjustment = 23,
  SetTextColor = 24,
  SetBkColor = 25,
  OffsetClipRgn = 26,
  MoveToEx = 27,
  SetMetaRgn = 28,
  ExcludeClipRect = 29,
  IntersectClipRect = 30,
  ScaleViewportExtEx = 31,
  ScaleWindowExtEx = 32,
  SaveDc = 33,
  RestoreDc = 34,
  SetWorldTransform = 35,
  ModifyWorldTransform = 36,
  SelectObject = 37,
  CreatePen = 38,
  CreateBrushIndirect = 39,
  DeleteObject = 40,
  AngleArc = 41,
  Ellipse = 42,
  Rectangle = 43,
  RoundRect = 44,
  Arc = 45,
  Chord = 46,
  Pie = 47,
  SelectPalette = 48,
  CreatePalette = 49,
  SetPaletteEntries = 50,
  ResizePalette = 51,
  RealizePalette = 52,
  ExtFloodFill = 53,
  LineTo = 54,
  ArcTo = 55,
  PolyDraw = 56,
  SetArcDirection = 57,
  SetMiterLimit = 58,
  BeginPath = 59,
  EndPath = 60,
  CloseFigure = 61,
  FillPath = 62,
  StrokeAndFillPath = 63,
  StrokePath = 64,
  FlattenPath = 65,
  WidenPath = 66,
  SelectClipPath = 67,
  AbortPath = 68,
  GdiComment = 70,
  FillRgn = 71,
  FrameRgn = 72,
  InvertRgn = 73,
  PaintRgn = 74,
  ExtSelectClipRgn = 75,
  BitBlt = 76,
  StretchBlt = 77,
  MaskBlt = 78,
  PlgBlt = 79,
  SetDiBitsToDevice = 80,
  StretchDiBits = 81,
  ExtCreateFontIndirectW = 82,
  ExtTextOutA = 83,
  ExtTextOutW = 84,
  PolyBezier16 = 85,
  Polygon16 = 86,
  Polyline16 = 87,
  PolyBezierTo16 = 88,
  PolylineTo16 = 89,
  PolyPolyline16 = 90,
  PolyPolygon16 = 91,
  PolyDraw16 = 92,
  CreateMonoBrush = 93,
  CreateDibPatternBrushPt = 94,
  ExtCreatePen = 95,
  PolyTextOutA = 96,
  PolyTextOutW = 97,
  SetIcmMode = 98,
  CreateColorSpace = 99,
  SetColorSpace = 100,
  DeleteColorSpace = 101,
  GlsRecord = 102,
  GlsBoundedRecord = 103,
  PixelFormat = 104,
  DrawEscape = 105,
  ExtEscape = 106,
  SmallTextOut = 108,
  ForceUfiMapping = 109,
  NamedEscape = 110,
  ColorCorrectPalette = 111,
  SetIcmProfileA = 112,
  SetIcmProfileW = 113,
  AlphaBlend = 114,
  SetLayout = 115,
  TransparentBlt = 116,
  GradientFill = 118,
  SetLinkedUfis = 119,
  SetTextJustification = 120,
  ColorMatchToTargetW = 121,
  CreateColorSpaceW = 122,
};

// "EMR_" less name of a record type ("EXTTEXTOUTW"), or empty for a number
// [MS-EMF] does not define.
std::string_view recordName(uint32_t type);

// Every record starts with Type and Size; Size counts the whole record and
// is a multiple of 4 ([MS-EMF] 2.3).
constexpr size_t kRecordPrefix = 8;

// EMR_HEADER ([MS-EMF] 2.3.4.2): the base header is 88 bytes, extension 1
// (pixel format, OpenGL) brings it to 100, extension 2 (micrometres) to 108.
constexpr size_t kHeaderBaseSize = 88;
constexpr size_t kHeaderExt1Size = 100;
constexpr size_t kHeaderExt2Size = 108;
constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr uint32_t kEmfVersion = 0x00010000;

// EMR_EOF: Type, Size, nPalEntries, offPalEntries, SizeLast.
constexpr size_t kEofSize = 20;

// LogFont ([MS-EMF] 2.2.13): 28 bytes of numbers, then 32 UTF-16 units of
// face name. LogFontPanose (2.2.16), the classic EXTLOGFONTW, is 320 bytes;
// it is what kumi writes into EMR_EXTCREATEFONTINDIRECTW.
constexpr size_t kLogFontSize = 92;
constexpr size_t kLogFontFaceUnits = 32;
constexpr size_t kLogFontPanoseSize = 320;
constexpr size_t kExtCreateFontSize = 12 + kLogFontPanoseSize;
static_assert(kExtCreateFontSize == 332);

// EMR_EXTTEXTOUTW ([MS-EMF] 2.3.5.8): Bounds, iGraphicsMode, exScale,
// eyScale, then EmrText (2.2.5): Reference, Chars, offString, Options,
// Rectangle, offDx. The string and the Dx array follow at their offsets.
constexpr size_t kExtTextOutFixedSize = 76;

// EMR_STRETCHDIBITS ([MS-EMF] 2.3.1.7): fixed part before the bitmap info.
constexpr size_t kStretchDiBitsFixedSize = 80;

// EMR_CREATEPEN: ihPen, LogPen (style, width as a PointL, colour).
constexpr size_t kCreatePenSize = 28;
// EMR_CREATEBRUSHINDIRECT: ihBrush, LogBrush32 (style, colour, hatch).
constexpr size_t kCreateBrushSize = 24;

}  // namespace kumi::platform::emf
