#include "pictures/jpeg_memory.h"

#include <cstdint>
#include <new>

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

ByteBlock AllocateBytes(size_t count) {
  constexpr size_t kLargePage = size_t{2} << 20, kWorthLargePages = size_t{512} << 10;
  void* bytes = nullptr;
  if (count >= kWorthLargePages && count <= SIZE_MAX - kLargePage) {
    // aligned_alloc wants a multiple of the alignment.
    const size_t rounded = (count + kLargePage - 1) & ~(kLargePage - 1);
    bytes = std::aligned_alloc(kLargePage, rounded);
    if (bytes) AdviseLargePages(bytes, rounded);
  } else {
    bytes = std::malloc(count == 0 ? 1 : count);
  }
  if (!bytes) throw std::bad_alloc();
  return ByteBlock(static_cast<uint8_t*>(bytes));
}

}  // namespace kx::jpeg
