// Page files (sk.dat) as skdump and the renderer read them.
#include <cstdint>
#include <span>

#include "tools/skdump/skdump_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto contents = kumi::pagefile::splitRecords(std::span<const uint8_t>(data, size));
  volatile size_t sink = kumi::tools::formatPageFile(contents).size();
  (void)sink;
  return 0;
}
