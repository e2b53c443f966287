#pragma once

#include <cstdint>

namespace kx::jpeg {

// Clamps an 8-bit sample: index with (value & 0x3FF); 0..255 identity,
// 256..639 give 255 and 640..1023 (negative values wrapped) give 0.
extern const uint8_t RangeLimitTable[1024];

// Integer inverse DCT of dequantized coefficients in natural order into
// 8 x 8 samples (level shift included), rows `stride` bytes apart.
void InverseDct8x8(const int32_t coefficients[64], uint8_t* out, int stride);

// InverseDct8x8 or a vector form of it with the same results, whichever
// is fastest on this processor (KX_CPU may hold it back).
using InverseDctFunction = void (*)(const int32_t coefficients[64], uint8_t* out, int stride);
InverseDctFunction FastestInverseDct();

// A block whose only coefficient is the dequantized DC term: one value.
inline uint8_t FlatBlockValue(int32_t dc) {
  return RangeLimitTable[((static_cast<int64_t>(dc) * 4 + 4096 + 16) >> 5) & 0x3FF];
}

}  // namespace kx::jpeg
