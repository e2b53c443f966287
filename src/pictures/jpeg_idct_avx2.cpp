// Built with -mavx2; only called after the processor was found to have it.
#include <immintrin.h>

#include "pictures/jpeg_idct_simd.h"
#include "pictures/jpeg_idct_vector.h"

namespace kx::jpeg {

namespace {

struct Avx2Lanes {
  __m256i x;

  static Avx2Lanes Broadcast(int32_t v) { return {_mm256_set1_epi32(v)}; }
  static Avx2Lanes Load(const int32_t* p) { return {_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p))}; }
  // Lanes beyond +-limit set to all ones (two compares: abs would keep INT32_MIN negative).
  static Avx2Lanes Outside(Avx2Lanes a, int32_t limit) {
    return {_mm256_or_si256(_mm256_cmpgt_epi32(a.x, _mm256_set1_epi32(limit)),
                            _mm256_cmpgt_epi32(_mm256_set1_epi32(-limit), a.x))};
  }
  bool Any() const { return !_mm256_testz_si256(x, x); }

  friend Avx2Lanes operator+(Avx2Lanes a, Avx2Lanes b) { return {_mm256_add_epi32(a.x, b.x)}; }
  friend Avx2Lanes operator-(Avx2Lanes a, Avx2Lanes b) { return {_mm256_sub_epi32(a.x, b.x)}; }
  friend Avx2Lanes operator&(Avx2Lanes a, Avx2Lanes b) { return {_mm256_and_si256(a.x, b.x)}; }
  friend Avx2Lanes operator|(Avx2Lanes a, Avx2Lanes b) { return {_mm256_or_si256(a.x, b.x)}; }
  friend Avx2Lanes operator>>(Avx2Lanes a, int n) { return {_mm256_srai_epi32(a.x, n)}; }
  friend Avx2Lanes operator*(Avx2Lanes a, int32_t k) { return {_mm256_mullo_epi32(a.x, _mm256_set1_epi32(k))}; }

  static void Transpose(Avx2Lanes v[8]) {
    __m256i t[8], u[8];
    for (int i = 0; i < 8; i += 2) {
      t[i] = _mm256_unpacklo_epi32(v[i].x, v[i + 1].x);
      t[i + 1] = _mm256_unpackhi_epi32(v[i].x, v[i + 1].x);
    }
    for (int i = 0; i < 8; i += 4) {
      u[i] = _mm256_unpacklo_epi64(t[i], t[i + 2]);
      u[i + 1] = _mm256_unpackhi_epi64(t[i], t[i + 2]);
      u[i + 2] = _mm256_unpacklo_epi64(t[i + 1], t[i + 3]);
      u[i + 3] = _mm256_unpackhi_epi64(t[i + 1], t[i + 3]);
    }
    for (int i = 0; i < 4; ++i) {
      v[i].x = _mm256_permute2x128_si256(u[i], u[i + 4], 0x20);
      v[i + 4].x = _mm256_permute2x128_si256(u[i], u[i + 4], 0x31);
    }
  }
  static void StoreBytes(const Avx2Lanes v[8], uint8_t* out, int stride) {
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    for (int r = 0; r < 8; r += 4) {
      __m256i words01 = _mm256_packs_epi32(v[r].x, v[r + 1].x);
      __m256i words23 = _mm256_packs_epi32(v[r + 2].x, v[r + 3].x);
      __m256i bytes = _mm256_permutevar8x32_epi32(_mm256_packus_epi16(words01, words23), order);
      __m128i rows01 = _mm256_castsi256_si128(bytes), rows23 = _mm256_extracti128_si256(bytes, 1);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + r * stride), rows01);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (r + 1) * stride), _mm_srli_si128(rows01, 8));
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (r + 2) * stride), rows23);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (r + 3) * stride), _mm_srli_si128(rows23, 8));
    }
  }
};

}  // namespace

void InverseDct8x8Avx2(const int32_t* in, uint8_t* out, int stride) { VectorInverseDct<Avx2Lanes>(in, out, stride); }

}  // namespace kx::jpeg
