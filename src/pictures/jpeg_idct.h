#pragma once

#include <cstdint>
#include <cstring>

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
// Such a block's samples, rows `stride` bytes apart.
inline void PutFlatBlock(int32_t dc, uint8_t* out, int stride) {
  const uint8_t value = FlatBlockValue(dc);
  for (int r = 0; r < 8; ++r) std::memset(out + r * stride, value, 8);
}

// Coefficients as stored (quantized, natural order) times a natural-order
// table, transformed.
inline void TransformStoredBlock(const int16_t stored[64], const int32_t quant[64], InverseDctFunction inverseDct,
                                 uint8_t* out, int stride) {
  alignas(16) int32_t block[64];
  for (int n = 0; n < 64; ++n) block[n] = stored[n] * quant[n];
  inverseDct(block, out, stride);
}

}  // namespace kx::jpeg
