// Bitmap files as a page's images bring them: "BM" and then the input (so
// that generated inputs reach past the signature). Whatever the bytes, the
// reader's views stay inside the file and a bitmap it accepts is one the EMF
// writer takes whole.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <variant>
#include <vector>

#include "platform/emf/emf_writer.h"
#include "renderer/images/bmp_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kumi;
  std::vector<uint8_t> file{'B', 'M'};
  file.insert(file.end(), data, data + size);
  const auto read = renderer::images::readBmp(file);
  const auto* bmp = std::get_if<renderer::images::BmpView>(&read);
  if (bmp == nullptr) return 0;
  const uint8_t* begin = file.data();
  const uint8_t* end = begin + file.size();
  if (bmp->info.data() < begin || bmp->info.data() + bmp->info.size() > end ||
      bmp->bits.data() < begin || bmp->bits.data() + bmp->bits.size() > end) {
    std::abort();
  }
  // Pictures of a page's size only: the writer copies the rows.
  if (bmp->bits.size() > (size_t{1} << 24)) return 0;
  platform::EmfWriter dc({4760, 6814, 201, 288}, {0, 0, 21000, 29700}, "fuzz");
  if (!dc.stretchDIBits({0, 0, 100, -100}, {0, 0, bmp->width(), bmp->height()}, bmp->info,
                        bmp->bits, platform::DibUsage::RgbColors, platform::RasterOp::SrcCopy)) {
    std::abort();
  }
  return 0;
}
