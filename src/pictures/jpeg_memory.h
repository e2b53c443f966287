#pragma once

#include <cstddef>
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

}  // namespace kx::jpeg
