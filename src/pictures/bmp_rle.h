#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kx {

// Decodes the run-length pixel stream of an 8-bit (bits 8) or 4-bit (bits 4)
// BMP into 24-bit bottom-up rows of `stride` bytes, which the caller has
// zeroed so that skipped pixels stay black. Pixels beyond the row width are
// dropped. Returns 0, or 1 for a run and 2 for an absolute run that would
// write past the end of the picture.
int DecodeBmpRle(const uint8_t* data, size_t size, int bits, int width, int height,
                 const std::vector<uint8_t>& colorTable, uint8_t* out, size_t stride);

}  // namespace kx
