#include "pictures/jpeg_idct.h"

#include <array>

#include "base/cpu_features.h"
#include "pictures/jpeg_idct_butterfly.h"
#include "pictures/jpeg_idct_simd.h"

namespace kx::jpeg {

namespace {

constexpr std::array<uint8_t, 1024> MakeRangeLimit() {
  std::array<uint8_t, 1024> t{};
  for (int i = 0; i < 1024; ++i) t[i] = i < 256 ? static_cast<uint8_t>(i) : (i < 640 ? 255 : 0);
  return t;
}
constexpr std::array<uint8_t, 1024> kRangeLimit = MakeRangeLimit();

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
    IdctEvenOdd<int64_t> e = IdctButterfly<int64_t>(col[0], col[8], col[16], col[24], col[32], col[40], col[48], col[56]);
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
    IdctEvenOdd<int64_t> e = IdctButterfly<int64_t>(w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7]);
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
