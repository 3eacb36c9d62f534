#include "renderer/images/bmp_file.h"

#include <algorithm>
#include <vector>

#include "platform/emf/byte_io.h"

namespace kumi::renderer::images {
namespace {

// Whether a refused header would have done with more bytes after it: the
// header padded with room for any colour table is tried again.
bool cutShort(std::span<const uint8_t> dib) {
  constexpr size_t kLongestHeader = 124;
  constexpr size_t kLongestTable = 12 + 256 * 4;
  std::vector<uint8_t> padded(dib.begin(), dib.begin() + static_cast<std::ptrdiff_t>(
                                                             std::min(dib.size(), kLongestHeader)));
  padded.resize(kLongestHeader + kLongestTable, 0);
  return platform::dibLayout(padded).has_value();
}

}  // namespace

std::variant<BmpView, BmpError> readBmp(std::span<const uint8_t> file) {
  const platform::ByteView v(file);
  if (!v.need(0, kBmpFileHeaderSize) || v.u8(0) != 'B' || v.u8(1) != 'M') {
    return BmpError::NotBitmap;
  }
  const uint32_t bitsOffset = v.u32(10);
  const std::span<const uint8_t> dib = file.subspan(kBmpFileHeaderSize);
  // A file cut inside its header is told apart from a header we do not know
  // (the 12-byte core header among them).
  if (dib.size() < 4 || (platform::ByteView(dib).u32(0) >= 40 && dib.size() < 40)) {
    return BmpError::Truncated;
  }
  const auto layout = platform::dibLayout(dib);
  if (!layout) return cutShort(dib) ? BmpError::Truncated : BmpError::Unsupported;
  BmpView out;
  out.layout = *layout;
  out.info = dib.first(layout->infoSize);
  size_t rows = layout->infoSize;
  if (bitsOffset >= kBmpFileHeaderSize + uint64_t{layout->infoSize} &&
      bitsOffset - kBmpFileHeaderSize <= dib.size()) {
    rows = bitsOffset - kBmpFileHeaderSize;
  }
  const platform::ByteView d(dib);
  if (!d.needArray(rows, layout->imageSize, 1)) return BmpError::Truncated;
  out.bits = dib.subspan(rows, static_cast<size_t>(layout->imageSize));
  return out;
}

}  // namespace kumi::renderer::images
