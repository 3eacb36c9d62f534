#pragma once
// Device-independent bitmaps (a BITMAPINFO and its pixel rows, as
// StretchDIBits and the metafile records carry them) decoded into pixels.
// The header is checked by platform/emf/dib.h; nothing here reads past the
// spans it is given.
#include <cstdint>
#include <optional>
#include <span>

#include "platform/emf/gdi_types.h"
#include "platform/player/canvas.h"

namespace kumi::platform::player {

// A rectangle of bitmap pixels, top row first (the DIB's own row order does
// not show through).
struct PixelRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// Past this many pixels a decode is refused: a page picture never comes
// near it, and it bounds what hostile dimensions can make us allocate.
constexpr uint64_t kMaxDecodedPixels = uint64_t{1} << 26;

// Decodes `region` (clamped to the bitmap) of the bitmap. `palette` serves
// DIB_PAL_COLORS tables (indices into the selected logical palette).
// nullopt when the header is unusable, the bits are too short for it, the
// region is empty, or it is too large.
std::optional<RgbaImage> decodeDib(std::span<const uint8_t> info, std::span<const uint8_t> bits,
                                   DibUsage usage, std::span<const PaletteEntry> palette,
                                   PixelRect region, PixelRect* decoded = nullptr);

// Width and height of a bitmap header, nullopt when unusable.
std::optional<PixelRect> dibBounds(std::span<const uint8_t> info, DibUsage usage);

}  // namespace kumi::platform::player
