#include "platform/player/dib_decode.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <vector>

#include "platform/emf/byte_io.h"
#include "platform/emf/dib.h"

namespace kumi::platform::player {
namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

uint32_t argb(uint8_t r, uint8_t g, uint8_t b) {
  return kOpaque | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}

// One channel of a bit-field pixel scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  explicit Channel(uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  uint8_t of(uint32_t v) const {
    if (max == 0) return 0;
    return static_cast<uint8_t>(((v & mask) >> shift) * 255u / max);
  }
};

std::vector<uint32_t> colourTable(const ByteView& info, const DibLayout& d, DibUsage usage,
                                  std::span<const PaletteEntry> palette) {
  std::vector<uint32_t> table(d.colorCount, kOpaque);
  const size_t at = d.headerSize + ((d.compression == kBiBitfields && d.headerSize == 40) ? 12 : 0);
  for (size_t i = 0; i < table.size(); ++i) {
    if (usage == DibUsage::PalColors) {
      const uint16_t k = info.u16(at + 2 * i);
      if (k < palette.size()) table[i] = argb(palette[k].red, palette[k].green, palette[k].blue);
    } else {
      const size_t q = at + 4 * i;
      table[i] = argb(info.u8(q + 2), info.u8(q + 1), info.u8(q));
    }
  }
  return table;
}

}  // namespace

std::optional<PixelRect> dibBounds(std::span<const uint8_t> info, DibUsage usage) {
  const auto d = dibLayout(info, usage == DibUsage::PalColors ? 2 : 4);
  if (!d) return std::nullopt;
  return PixelRect{0, 0, d->width, static_cast<int32_t>(std::llabs(d->height))};
}

std::optional<RgbaImage> decodeDib(std::span<const uint8_t> infoBytes,
                                   std::span<const uint8_t> bitsBytes, DibUsage usage,
                                   std::span<const PaletteEntry> palette, PixelRect region,
                                   PixelRect* decoded) {
  if (usage == DibUsage::PalIndices) return std::nullopt;
  const auto d = dibLayout(infoBytes, usage == DibUsage::PalColors ? 2 : 4);
  if (!d || bitsBytes.size() < d->imageSize) return std::nullopt;
  const int32_t fullH = static_cast<int32_t>(std::llabs(d->height));
  // Clamp the region in 64 bits: a hostile record may give any extents.
  const int64_t x0 = std::clamp<int64_t>(region.x, 0, d->width);
  const int64_t y0 = std::clamp<int64_t>(region.y, 0, fullH);
  const int64_t x1 = std::clamp<int64_t>(int64_t{region.x} + region.width, 0, d->width);
  const int64_t y1 = std::clamp<int64_t>(int64_t{region.y} + region.height, 0, fullH);
  if (x1 <= x0 || y1 <= y0) return std::nullopt;
  if (static_cast<uint64_t>(x1 - x0) * static_cast<uint64_t>(y1 - y0) > kMaxDecodedPixels) {
    return std::nullopt;
  }

  const ByteView info(infoBytes);
  const ByteView bits(bitsBytes);
  const std::vector<uint32_t> table = colourTable(info, *d, usage, palette);
  uint32_t rMask = 0x7C00, gMask = 0x03E0, bMask = 0x001F;
  if (d->bitCount == 32) rMask = 0xFF0000, gMask = 0xFF00, bMask = 0xFF;
  if (d->compression == kBiBitfields) {
    rMask = info.u32(40);
    gMask = info.u32(44);
    bMask = info.u32(48);
  }
  const Channel red(rMask), green(gMask), blue(bMask);

  RgbaImage img;
  img.width = static_cast<int32_t>(x1 - x0);
  img.height = static_cast<int32_t>(y1 - y0);
  img.pixels.assign(static_cast<size_t>(img.width) * static_cast<size_t>(img.height), kOpaque);
  const bool bottomUp = d->height > 0;
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t row = bottomUp ? fullH - 1 - y : y;
    const size_t base = static_cast<size_t>(static_cast<uint64_t>(row) * d->stride);
    uint32_t* out = img.pixels.data() + static_cast<size_t>(y - y0) * static_cast<size_t>(img.width);
    for (int64_t x = x0; x < x1; ++x) {
      const auto ux = static_cast<size_t>(x);
      uint32_t c = kOpaque;
      switch (d->bitCount) {
        case 1: case 4: case 8: {
          const size_t bitPos = ux * d->bitCount;
          const uint8_t byte = bits.u8(base + bitPos / 8);
          const unsigned shift = 8 - d->bitCount - static_cast<unsigned>(bitPos % 8);
          const uint32_t k = (byte >> shift) & ((1u << d->bitCount) - 1);
          if (k < table.size()) c = table[k];
          break;
        }
        case 16: {
          const uint16_t v = bits.u16(base + 2 * ux);
          c = argb(red.of(v), green.of(v), blue.of(v));
          break;
        }
        case 24: {
          const size_t p = base + 3 * ux;
          c = argb(bits.u8(p + 2), bits.u8(p + 1), bits.u8(p));
          break;
        }
        case 32: {
          const uint32_t v = bits.u32(base + 4 * ux);
          c = argb(red.of(v), green.of(v), blue.of(v));
          break;
        }
        default: break;
      }
      out[x - x0] = c;
    }
  }
  if (decoded != nullptr) {
    *decoded = {static_cast<int32_t>(x0), static_cast<int32_t>(y0), img.width, img.height};
  }
  return img;
}

}  // namespace kumi::platform::player
