// Enhanced Metafiles as the dump and the players read them: the record
// loop, every decoder (through the dump) and the bitmap header check.
#include <cstdint>
#include <span>

#include "platform/emf/dib.h"
#include "tools/emfdump/emfdump_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  volatile size_t sink = kumi::tools::formatEmf(bytes, {.offsets = true, .bounds = true}).size();
  kumi::platform::emf::RecordLoop loop(bytes);
  while (const auto r = loop.next()) {
    if (const auto d = kumi::platform::emf::decodeStretchDib(*r)) {
      sink = sink + (kumi::platform::dibLayout(d->bitmapInfo) ? 1 : 0);
    }
  }
  (void)sink;
  return 0;
}
