#pragma once

// The inverse DCT of jpeg_idct.cpp on eight columns (then eight rows) at
// once, for a vector type V of eight 32-bit lanes. Included only by the
// files built for one instruction set.
//
// Why 32-bit lanes give the plain path's samples exactly: every step is an
// addition, subtraction or multiplication, so wrapping arithmetic keeps the
// low 32 bits of the true 64-bit result. The column pass then shifts, which
// needs the whole value: with every coefficient within +-32767 a column
// result is at most 61214 * 32767 + 1024 < 2^31, so nothing wraps there.
// The row pass only keeps bits 18..27 of its result, which the low 32 bits
// hold. Blocks with larger coefficients take the plain path.

#include <cstdint>

#include "pictures/jpeg_idct.h"
#include "pictures/jpeg_idct_butterfly.h"

namespace kx::jpeg {

inline constexpr int32_t kVectorCoefficientLimit = 32767;

// One pass over v[0..7] (the eight inputs of each lane) into the eight
// outputs in place, each (value + bias) >> shift.
template <class V>
inline void VectorPass(V v[8], int32_t bias, int shift) {
  IdctEvenOdd<V> e = IdctButterfly(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
  V b = V::Broadcast(bias);
  v[0] = (e.t10 + e.o3 + b) >> shift;
  v[7] = (e.t10 - e.o3 + b) >> shift;
  v[1] = (e.t11 + e.o2 + b) >> shift;
  v[6] = (e.t11 - e.o2 + b) >> shift;
  v[2] = (e.t12 + e.o1 + b) >> shift;
  v[5] = (e.t12 - e.o1 + b) >> shift;
  v[3] = (e.t13 + e.o0 + b) >> shift;
  v[4] = (e.t13 - e.o0 + b) >> shift;
}

template <class V>
inline void VectorInverseDct(const int32_t* in, uint8_t* out, int stride) {
  V v[8];
  V outside = V::Broadcast(0);
  for (int r = 0; r < 8; ++r) {
    v[r] = V::Load(in + r * 8);
    outside = outside | V::Outside(v[r], kVectorCoefficientLimit);
  }
  if (outside.Any()) {
    InverseDct8x8(in, out, stride);
    return;
  }
  VectorPass(v, 1 << 10, 11);  // columns, keeping 2 extra bits
  V::Transpose(v);
  VectorPass(v, (128 << 18) + (1 << 17), 18);  // rows, with the level shift
  // The range-limit table as arithmetic: 0..639 stay, 640..1023 become
  // negative; the saturating pack then clamps to 0..255.
  V mask = V::Broadcast(0x3FF), shift = V::Broadcast(384);
  for (auto& x : v) x = (((x & mask) + shift) & mask) - shift;
  V::Transpose(v);
  V::StoreBytes(v, out, stride);
}

}  // namespace kx::jpeg
