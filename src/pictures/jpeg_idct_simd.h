#pragma once

#include <cstdint>

namespace kx::jpeg {

// InverseDct8x8 with SSE2 and with AVX2: the same samples, bit for bit.
// Call the AVX2 one only when the processor has it.
void InverseDct8x8Sse2(const int32_t coefficients[64], uint8_t* out, int stride);
void InverseDct8x8Avx2(const int32_t coefficients[64], uint8_t* out, int stride);

}  // namespace kx::jpeg
