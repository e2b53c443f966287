#include "pictures/jpeg_memory.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace kx::jpeg {

void AdviseLargePages(void* data, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
  uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
  uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kLargePage - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace kx::jpeg
