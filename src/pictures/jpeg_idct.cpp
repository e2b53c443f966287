#include "pictures/jpeg_idct.h"

#include <array>

#include "base/cpu_features.h"
#include "pictures/jpeg_idct_simd.h"

namespace kx::jpeg {

namespace {

constexpr std::array<uint8_t, 1024> MakeRangeLimit() {
  std::array<uint8_t, 1024> t{};
  for (int i = 0; i < 1024; ++i) t[i] = i < 256 ? static_cast<uint8_t>(i) : (i < 640 ? 255 : 0);
  return t;
}
constexpr std::array<uint8_t, 1024> kRangeLimit = MakeRangeLimit();

// The Loeffler-Ligtenberg-Moschytz cosine constants, scaled by 2^13.
constexpr int64_t k0_298631336 = 2446, k0_390180644 = 3196, k0_541196100 = 4433, k0_765366865 = 6270,
                  k0_899976223 = 7373, k1_175875602 = 9633, k1_501321110 = 12299, k1_847759065 = 15137,
                  k1_961570560 = 16069, k2_053119869 = 16819, k2_562915447 = 20995, k3_072711026 = 25172;

// 64-bit arithmetic: damaged files can carry coefficients far beyond what a
// real picture produces, and those must not overflow.
struct EvenOdd {
  int64_t t10, t11, t12, t13, o0, o1, o2, o3;
};

inline EvenOdd Butterfly(int64_t c0, int64_t c1, int64_t c2, int64_t c3, int64_t c4, int64_t c5, int64_t c6,
                         int64_t c7) {
  EvenOdd r;
  int64_t z1 = (c2 + c6) * k0_541196100;
  int64_t tmp2 = z1 + c6 * -k1_847759065;
  int64_t tmp3 = z1 + c2 * k0_765366865;
  int64_t tmp0 = (c0 + c4) * 8192;
  int64_t tmp1 = (c0 - c4) * 8192;
  r.t10 = tmp0 + tmp3;
  r.t13 = tmp0 - tmp3;
  r.t11 = tmp1 + tmp2;
  r.t12 = tmp1 - tmp2;

  int64_t a0 = c7, a1 = c5, a2 = c3, a3 = c1;
  int64_t y1 = a0 + a3, y2 = a1 + a2, y3 = a0 + a2, y4 = a1 + a3;
  int64_t y5 = (y3 + y4) * k1_175875602;
  a0 *= k0_298631336;
  a1 *= k2_053119869;
  a2 *= k3_072711026;
  a3 *= k1_501321110;
  y1 *= -k0_899976223;
  y2 *= -k2_562915447;
  y3 = y3 * -k1_961570560 + y5;
  y4 = y4 * -k0_390180644 + y5;
  r.o0 = a0 + y1 + y3;
  r.o1 = a1 + y2 + y4;
  r.o2 = a2 + y2 + y3;
  r.o3 = a3 + y1 + y4;
  return r;
}

}  // namespace

const uint8_t RangeLimitTable[1024] = {
#define KX_ROW(i) kRangeLimit[i], kRangeLimit[i + 1], kRangeLimit[i + 2], kRangeLimit[i + 3]
#define KX_16(i) KX_ROW(i), KX_ROW(i + 4), KX_ROW(i + 8), KX_ROW(i + 12)
#define KX_64(i) KX_16(i), KX_16(i + 16), KX_16(i + 32), KX_16(i + 48)
#define KX_256(i) KX_64(i), KX_64(i + 64), KX_64(i + 128), KX_64(i + 192)
    KX_256(0), KX_256(256), KX_256(512), KX_256(768)
#undef KX_256
#undef KX_64
#undef KX_16
#undef KX_ROW
};

void InverseDct8x8(const int32_t* in, uint8_t* out, int stride) {
  int64_t work[64];
  // Columns: results keep 2 extra bits (shift by 13 - 2).
  for (int c = 0; c < 8; ++c) {
    const int32_t* col = in + c;
    if ((col[8] | col[16] | col[24] | col[32] | col[40] | col[48] | col[56]) == 0) {
      int64_t dc = int64_t{col[0]} * 4;
      for (int r = 0; r < 8; ++r) work[r * 8 + c] = dc;
      continue;
    }
    EvenOdd e = Butterfly(col[0], col[8], col[16], col[24], col[32], col[40], col[48], col[56]);
    constexpr int64_t kRound = 1 << 10;
    work[0 * 8 + c] = (e.t10 + e.o3 + kRound) >> 11;
    work[7 * 8 + c] = (e.t10 - e.o3 + kRound) >> 11;
    work[1 * 8 + c] = (e.t11 + e.o2 + kRound) >> 11;
    work[6 * 8 + c] = (e.t11 - e.o2 + kRound) >> 11;
    work[2 * 8 + c] = (e.t12 + e.o1 + kRound) >> 11;
    work[5 * 8 + c] = (e.t12 - e.o1 + kRound) >> 11;
    work[3 * 8 + c] = (e.t13 + e.o0 + kRound) >> 11;
    work[4 * 8 + c] = (e.t13 - e.o0 + kRound) >> 11;
  }
  // Rows: level shift, rounding and the final shift by 13 + 2 + 3.
  constexpr int64_t kBias = (int64_t{128} << 18) + (1 << 17);
  for (int r = 0; r < 8; ++r, out += stride) {
    const int64_t* w = work + r * 8;
    if ((w[1] | w[2] | w[3] | w[4] | w[5] | w[6] | w[7]) == 0) {
      uint8_t v = kRangeLimit[((w[0] * 8192 + kBias) >> 18) & 0x3FF];
      for (int i = 0; i < 8; ++i) out[i] = v;
      continue;
    }
    EvenOdd e = Butterfly(w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7]);
    out[0] = kRangeLimit[((e.t10 + e.o3 + kBias) >> 18) & 0x3FF];
    out[7] = kRangeLimit[((e.t10 - e.o3 + kBias) >> 18) & 0x3FF];
    out[1] = kRangeLimit[((e.t11 + e.o2 + kBias) >> 18) & 0x3FF];
    out[6] = kRangeLimit[((e.t11 - e.o2 + kBias) >> 18) & 0x3FF];
    out[2] = kRangeLimit[((e.t12 + e.o1 + kBias) >> 18) & 0x3FF];
    out[5] = kRangeLimit[((e.t12 - e.o1 + kBias) >> 18) & 0x3FF];
    out[3] = kRangeLimit[((e.t13 + e.o0 + kBias) >> 18) & 0x3FF];
    out[4] = kRangeLimit[((e.t13 - e.o0 + kBias) >> 18) & 0x3FF];
  }
}

InverseDctFunction FastestInverseDct() {
  switch (DetectedCpuLevel()) {
    case CpuLevel::Avx2:
      return InverseDct8x8Avx2;
    case CpuLevel::Sse2:
      return InverseDct8x8Sse2;
    case CpuLevel::Plain:
      break;
  }
  return InverseDct8x8;
}

}  // namespace kx::jpeg
