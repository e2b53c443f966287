#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace kx::jpeg {

// Asks the system to back the whole 2 MB pages inside [data, data + bytes)
// with large pages; a hint, without effect where unsupported.
void AdviseLargePages(void* data, size_t bytes);

// Reserves a picture-sized block with large pages: 36 MB in small pages
// cost some nine thousand page faults before the first sample is stored.
// Throws std::bad_alloc like reserve().
template <typename T>
void ReserveLarge(std::vector<T>& block, size_t count) {
  block.reserve(count);
  AdviseLargePages(block.data(), block.capacity() * sizeof(T));
}

struct FreeBytes {
  void operator()(uint8_t* bytes) const { std::free(bytes); }
};
using ByteBlock = std::unique_ptr<uint8_t[], FreeBytes>;

// `count` bytes, not initialised. A block of half a megabyte or more is
// aligned to and backed by large pages: on some virtual machines each
// small page costs more to fault in than the whole file takes to read.
// Throws std::bad_alloc.
ByteBlock AllocateBytes(size_t count);

}  // namespace kx::jpeg
