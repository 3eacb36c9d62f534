#pragma once
// The layout of a device-independent bitmap as StretchDIBits takes it: a
// BITMAPINFOHEADER (40 bytes or one of its longer successors), an optional
// colour table, and the pixel rows. Checked before anything touches it.
#include <cstdint>
#include <optional>
#include <span>

namespace kumi::platform {

struct DibLayout {
  int32_t width = 0;
  int32_t height = 0;       // negative: rows top-down
  uint16_t bitCount = 0;    // 1, 4, 8, 16, 24 or 32
  uint32_t compression = 0;  // 0 BI_RGB, 3 BI_BITFIELDS
  uint32_t headerSize = 0;   // 40, 108 or 124
  uint32_t colorCount = 0;   // entries in the colour table
  uint32_t infoSize = 0;     // header + masks + colour table, bytes
  uint64_t stride = 0;       // bytes per row, a multiple of 4
  uint64_t imageSize = 0;    // stride × |height|
};

// Reads and checks the header at the start of info. nullopt when the header
// is not one kumi can draw (size, planes, bit count, compression, extents)
// or when info is too short for its colour table.
// entrySize is 4 for a table of RGBQUADs (DibUsage::RgbColors) and 2 for
// palette indices (DibUsage::PalColors).
std::optional<DibLayout> dibLayout(std::span<const uint8_t> info, uint32_t entrySize = 4);

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
// Past this many pixels a bitmap is refused outright: no page picture comes
// near it, and it bounds what a hostile header can make us allocate.
constexpr uint64_t kMaxDibPixels = uint64_t{1} << 28;

}  // namespace kumi::platform
