#include <emmintrin.h>

#include "pictures/jpeg_idct_simd.h"
#include "pictures/jpeg_idct_vector.h"

namespace kx::jpeg {

namespace {

// Eight 32-bit lanes as two SSE2 registers.
struct Sse2Lanes {
  __m128i lo, hi;

  static Sse2Lanes Broadcast(int32_t x) { return {_mm_set1_epi32(x), _mm_set1_epi32(x)}; }
  static Sse2Lanes Load(const int32_t* p) {
    return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4))};
  }
  // Lanes beyond +-limit set to all ones.
  static Sse2Lanes Outside(Sse2Lanes a, int32_t limit) {
    __m128i high = _mm_set1_epi32(limit), low = _mm_set1_epi32(-limit);
    return {_mm_or_si128(_mm_cmpgt_epi32(a.lo, high), _mm_cmpgt_epi32(low, a.lo)),
            _mm_or_si128(_mm_cmpgt_epi32(a.hi, high), _mm_cmpgt_epi32(low, a.hi))};
  }
  bool Any() const { return _mm_movemask_epi8(_mm_or_si128(lo, hi)) != 0; }

  friend Sse2Lanes operator+(Sse2Lanes a, Sse2Lanes b) { return {_mm_add_epi32(a.lo, b.lo), _mm_add_epi32(a.hi, b.hi)}; }
  friend Sse2Lanes operator-(Sse2Lanes a, Sse2Lanes b) { return {_mm_sub_epi32(a.lo, b.lo), _mm_sub_epi32(a.hi, b.hi)}; }
  friend Sse2Lanes operator&(Sse2Lanes a, Sse2Lanes b) { return {_mm_and_si128(a.lo, b.lo), _mm_and_si128(a.hi, b.hi)}; }
  friend Sse2Lanes operator|(Sse2Lanes a, Sse2Lanes b) { return {_mm_or_si128(a.lo, b.lo), _mm_or_si128(a.hi, b.hi)}; }
  friend Sse2Lanes operator>>(Sse2Lanes a, int n) { return {_mm_srai_epi32(a.lo, n), _mm_srai_epi32(a.hi, n)}; }
  // SSE2 has no 32-bit low multiply: two 32 x 32 -> 64 products per register.
  static __m128i Multiply(__m128i a, __m128i k) {
    __m128i even = _mm_mul_epu32(a, k);
    __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), k);
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                              _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
  }
  friend Sse2Lanes operator*(Sse2Lanes a, int32_t k) {
    __m128i kk = _mm_set1_epi32(k);
    return {Multiply(a.lo, kk), Multiply(a.hi, kk)};
  }

  static void Transpose4(__m128i& a, __m128i& b, __m128i& c, __m128i& d) {
    __m128i ab0 = _mm_unpacklo_epi32(a, b), ab1 = _mm_unpackhi_epi32(a, b);
    __m128i cd0 = _mm_unpacklo_epi32(c, d), cd1 = _mm_unpackhi_epi32(c, d);
    a = _mm_unpacklo_epi64(ab0, cd0);
    b = _mm_unpackhi_epi64(ab0, cd0);
    c = _mm_unpacklo_epi64(ab1, cd1);
    d = _mm_unpackhi_epi64(ab1, cd1);
  }
  static void Transpose(Sse2Lanes v[8]) {
    Transpose4(v[0].lo, v[1].lo, v[2].lo, v[3].lo);
    Transpose4(v[0].hi, v[1].hi, v[2].hi, v[3].hi);
    Transpose4(v[4].lo, v[5].lo, v[6].lo, v[7].lo);
    Transpose4(v[4].hi, v[5].hi, v[6].hi, v[7].hi);
    for (int i = 0; i < 4; ++i) {
      __m128i upperRight = v[i].hi;
      v[i].hi = v[i + 4].lo;
      v[i + 4].lo = upperRight;
    }
  }
  // Rows of values in -384..639, saturated to bytes.
  static void StoreBytes(const Sse2Lanes v[8], uint8_t* out, int stride) {
    for (int r = 0; r < 8; r += 2) {
      __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(v[r].lo, v[r].hi), _mm_packs_epi32(v[r + 1].lo, v[r + 1].hi));
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + r * stride), bytes);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (r + 1) * stride), _mm_srli_si128(bytes, 8));
    }
  }
};

}  // namespace

void InverseDct8x8Sse2(const int32_t* in, uint8_t* out, int stride) { VectorInverseDct<Sse2Lanes>(in, out, stride); }

}  // namespace kx::jpeg
