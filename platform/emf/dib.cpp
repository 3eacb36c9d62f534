#include "platform/emf/dib.h"

#include <cstdlib>

#include "platform/emf/byte_io.h"

namespace kumi::platform {

std::optional<DibLayout> dibLayout(std::span<const uint8_t> info, uint32_t entrySize) {
  const ByteView v(info);
  if (!v.need(0, 40)) return std::nullopt;
  DibLayout d;
  d.headerSize = v.u32(0);
  if (d.headerSize != 40 && d.headerSize != 52 && d.headerSize != 56 && d.headerSize != 108 &&
      d.headerSize != 124) {
    return std::nullopt;
  }
  d.width = v.i32(4);
  d.height = v.i32(8);
  const uint16_t planes = v.u16(12);
  d.bitCount = v.u16(14);
  d.compression = v.u32(16);
  const uint32_t used = v.u32(32);
  if (planes != 1 || d.width <= 0 || d.height == 0 || d.height == INT32_MIN) return std::nullopt;
  switch (d.bitCount) {
    case 1: case 4: case 8: case 24:
      if (d.compression != kBiRgb) return std::nullopt;
      break;
    case 16: case 32:
      if (d.compression != kBiRgb && d.compression != kBiBitfields) return std::nullopt;
      break;
    default:
      return std::nullopt;
  }
  const uint64_t h = static_cast<uint64_t>(std::llabs(d.height));
  if (static_cast<uint64_t>(d.width) * h > kMaxDibPixels) return std::nullopt;
  if (d.bitCount <= 8) {
    const uint32_t full = 1u << d.bitCount;
    d.colorCount = used == 0 ? full : used;
    if (d.colorCount > full) return std::nullopt;
  } else {
    d.colorCount = used > 256 ? 256 : used;  // optional table, palettes only
  }
  // A 40-byte header keeps its three masks after it; later headers hold them.
  const uint64_t masks = (d.compression == kBiBitfields && d.headerSize == 40) ? 12 : 0;
  const uint64_t infoSize = d.headerSize + masks + uint64_t{d.colorCount} * entrySize;
  if (!v.need(0, static_cast<size_t>(infoSize))) return std::nullopt;
  d.infoSize = static_cast<uint32_t>(infoSize);
  d.stride = ((static_cast<uint64_t>(d.width) * d.bitCount + 31) / 32) * 4;
  d.imageSize = d.stride * h;
  return d;
}

}  // namespace kumi::platform
