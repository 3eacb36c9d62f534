#pragma once
// Bitmap files (.bmp) as the page's images come: a 14-byte file header, then
// a device-independent bitmap (information header, colour table, rows).
//
// The bytes come from whatever file a page file names, so nothing is trusted:
// the file header is checked here, the bitmap header by platform/emf/dib.h,
// and the rows must be all there before anything is drawn. The file header's
// size field is not believed (writers leave it 0 or wrong); the rows start at
// its offset field when that points past the colour table and inside the
// file, else right after the table.
#include <cstdint>
#include <span>
#include <variant>

#include "platform/emf/dib.h"

namespace kumi::renderer::images {

constexpr size_t kBmpFileHeaderSize = 14;

// A bitmap ready for StretchDIBits: views into the file's bytes.
struct BmpView {
  platform::DibLayout layout;
  std::span<const uint8_t> info;  // header, masks and colour table (layout.infoSize bytes)
  std::span<const uint8_t> bits;  // the rows (layout.imageSize bytes)
  int32_t width() const { return layout.width; }
  int32_t height() const { return layout.height < 0 ? -layout.height : layout.height; }
};

enum class BmpError {
  NotBitmap,    // no "BM" file header
  Unsupported,  // a header kumi cannot draw (core header, compression, size)
  Truncated,    // the colour table or the rows run past the end of the file
};

std::variant<BmpView, BmpError> readBmp(std::span<const uint8_t> file);

}  // namespace kumi::renderer::images
