// Built with -mavx2; only called after the processor was found to have it.
#include <immintrin.h>

#include <array>

#include "pictures/jpeg_color.h"
#include "pictures/jpeg_color_simd.h"

namespace kx::jpeg {

namespace {

// Shuffle masks that spread 16 one-channel bytes over 48 bytes of
// blue-green-red: mask [k][c] fills the bytes of channel c in the k-th
// 16 output bytes; 0x80 leaves a byte zero.
constexpr std::array<std::array<std::array<uint8_t, 16>, 3>, 3> MakeInterleaveMasks() {
  std::array<std::array<std::array<uint8_t, 16>, 3>, 3> m{};
  for (int k = 0; k < 3; ++k) {
    for (int c = 0; c < 3; ++c) {
      for (int i = 0; i < 16; ++i) {
        int byte = k * 16 + i;
        m[k][c][i] = byte % 3 == c ? static_cast<uint8_t>(byte / 3) : 0x80;
      }
    }
  }
  return m;
}
constexpr auto kInterleave = MakeInterleaveMasks();

inline __m128i Mask(int k, int c) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(kInterleave[k][c].data())); }

inline void StoreBgr(__m128i blue, __m128i green, __m128i red, uint8_t* out) {
  for (int k = 0; k < 3; ++k) {
    __m128i bytes = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(blue, Mask(k, 0)), _mm_shuffle_epi8(green, Mask(k, 1))),
                                 _mm_shuffle_epi8(red, Mask(k, 2)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * k), bytes);
  }
}

// The colour tables' entries for eight chroma samples, computed instead of
// looked up: (c - 128) * factor + bias, divided rounding toward zero.
template <int kFactor, int kShift>
inline __m128i Term(__m256i chroma) {
  __m256i n = _mm256_add_epi32(_mm256_mullo_epi32(_mm256_sub_epi32(chroma, _mm256_set1_epi32(128)),
                                                  _mm256_set1_epi32(kFactor)),
                               _mm256_set1_epi32(1 << (kShift - 1)));
  __m256i towardZero = _mm256_and_si256(_mm256_srai_epi32(n, 31), _mm256_set1_epi32((1 << kShift) - 1));
  __m256i q = _mm256_srai_epi32(_mm256_add_epi32(n, towardZero), kShift);
  return _mm_packs_epi32(_mm256_castsi256_si128(q), _mm256_extracti128_si256(q, 1));
}

struct ChromaTerms {
  __m128i blue, green, red;  // eight pixels' worth, 16 bits each
};

inline ChromaTerms Terms(const uint8_t* cb, const uint8_t* cr) {
  __m256i b = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cb)));
  __m256i r = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cr)));
  return {Term<58064, 11>(b), _mm_add_epi16(Term<46801, 12>(r), Term<45106, 13>(b)), Term<45940, 11>(r)};
}

// (16 y + term + 8) >> 4 for sixteen pixels, saturated to bytes.
inline __m128i Channel(__m128i y16Low, __m128i y16High, __m128i termLow, __m128i termHigh) {
  return _mm_packus_epi16(_mm_srai_epi16(_mm_add_epi16(y16Low, termLow), 4),
                          _mm_srai_epi16(_mm_add_epi16(y16High, termHigh), 4));
}

}  // namespace

void YccRowToBgrAvx2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, bool halfChroma, uint8_t* out,
                     int width) {
  int x = 0;
  const __m128i rounding = _mm_set1_epi16(8);
  for (; x + 16 <= width; x += 16, out += 48) {
    __m128i luma = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y + x));
    __m128i y16Low = _mm_add_epi16(_mm_slli_epi16(_mm_cvtepu8_epi16(luma), 4), rounding);
    __m128i y16High = _mm_add_epi16(_mm_slli_epi16(_mm_cvtepu8_epi16(_mm_srli_si128(luma, 8)), 4), rounding);
    ChromaTerms low, high;
    if (halfChroma) {
      ChromaTerms t = Terms(cb + x / 2, cr + x / 2);
      low = {_mm_unpacklo_epi16(t.blue, t.blue), _mm_unpacklo_epi16(t.green, t.green),
             _mm_unpacklo_epi16(t.red, t.red)};
      high = {_mm_unpackhi_epi16(t.blue, t.blue), _mm_unpackhi_epi16(t.green, t.green),
              _mm_unpackhi_epi16(t.red, t.red)};
    } else {
      low = Terms(cb + x, cr + x);
      high = Terms(cb + x + 8, cr + x + 8);
    }
    __m128i zero = _mm_setzero_si128();
    StoreBgr(Channel(y16Low, y16High, low.blue, high.blue),
             Channel(y16Low, y16High, _mm_sub_epi16(zero, low.green), _mm_sub_epi16(zero, high.green)),
             Channel(y16Low, y16High, low.red, high.red), out);
  }
  if (x < width) {
    int chroma = halfChroma ? x / 2 : x;
    YccRowToBgr(y + x, cb + chroma, cr + chroma, halfChroma, out, width - x);
  }
}

void GreyRowToBgrAvx2(const uint8_t* grey, uint8_t* out, int width) {
  int x = 0;
  for (; x + 16 <= width; x += 16, out += 48) {
    __m128i g = _mm_loadu_si128(reinterpret_cast<const __m128i*>(grey + x));
    StoreBgr(g, g, g, out);
  }
  if (x < width) ExpandGreyRow(grey + x, 1, out, width - x);
}

}  // namespace kx::jpeg
