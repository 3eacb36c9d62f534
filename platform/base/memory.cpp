#include "platform/base/memory.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kumi::platform {

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  // 32 MiB is the largest mapping threshold the C library accepts.
  constexpr int kLargeBuffers = 32 * 1024 * 1024;
  mallopt(M_MMAP_THRESHOLD, kLargeBuffers);
  mallopt(M_TRIM_THRESHOLD, kLargeBuffers);
#endif
}

}  // namespace kumi::platform
