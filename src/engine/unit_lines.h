#pragma once

// Rows and columns as lines of sixteen words (nine cells and seven zeros)
// and what the deduction pass asks of the units, eight words at a time
// where the machine has SSE2, word by word elsewhere.
#include <cstdint>

#include "engine/board.h"

#if defined(__SSE2__) && !defined(KX_PLAIN_LINES)
#include <emmintrin.h>
#endif

namespace kx {

struct UnitLine {
  // The padding words stay 0: no test looks for a word 0, and 0 adds
  // nothing to an OR.
  alignas(16) CellWord words[16];
};

namespace detail {

// Masks of lanes, all ones in the lanes meant, 0 elsewhere.
struct LaneMasks {
  alignas(16) uint16_t all[16];
  alignas(16) uint16_t allBut[9][16];  // every lane but k
  alignas(16) uint16_t box[9][16];     // the three lanes of k's box
  alignas(16) uint16_t boxBut[9][16];  // those but k
};
constexpr LaneMasks BuildLaneMasks() {
  LaneMasks m{};
  for (uint16_t& lane : m.all) lane = 0xFFFF;
  for (int k = 0; k < 9; ++k) {
    for (int lane = 0; lane < 16; ++lane) {
      const bool inBox = lane / 3 == k / 3 && lane < 9;
      m.allBut[k][lane] = lane == k ? 0 : 0xFFFF;
      m.box[k][lane] = inBox ? 0xFFFF : 0;
      m.boxBut[k][lane] = inBox && lane != k ? 0xFFFF : 0;
    }
  }
  return m;
}
inline constexpr LaneMasks kLaneMasks = BuildLaneMasks();

}  // namespace detail

// Takes the bits of w from the line's words in the lanes of `lanes` (a
// row of kLaneMasks). Returns the places of the words that lost some.
inline unsigned ClearLanes(UnitLine& line, const uint16_t (&lanes)[16], unsigned w) {
#if defined(__SSE2__) && !defined(KX_PLAIN_LINES)
  __m128i* words = reinterpret_cast<__m128i*>(line.words);
  const __m128i* masks = reinterpret_cast<const __m128i*>(lanes);
  const __m128i digit = _mm_set1_epi16(static_cast<short>(w));
  const __m128i zero = _mm_setzero_si128();
  // The lanes to clear hold the bits, the others nothing.
  const __m128i low = _mm_and_si128(digit, masks[0]), high = _mm_and_si128(digit, masks[1]);
  const __m128i hitLow = _mm_cmpeq_epi16(_mm_and_si128(words[0], low), zero);
  const __m128i hitHigh = _mm_cmpeq_epi16(_mm_and_si128(words[1], high), zero);
  words[0] = _mm_andnot_si128(low, words[0]);
  words[1] = _mm_andnot_si128(high, words[1]);
  const unsigned kept = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(hitLow, hitHigh)));
  return ~kept & 0x1FFu;
#else
  unsigned hits = 0;
  for (int k = 0; k < 9; ++k) {
    if (lanes[k] == 0 || (line.words[k] & w) == 0) continue;
    line.words[k] = static_cast<CellWord>(line.words[k] & ~w);
    hits |= 1u << k;
  }
  return hits;
#endif
}

// Takes the digit w from every word of the line but the one at `place`.
// Returns the places of the words that lost it.
inline unsigned ClearLineBut(UnitLine& line, int place, unsigned w) {
  return ClearLanes(line, detail::kLaneMasks.allBut[place], w);
}

// Takes the digits of v from every word in the lanes of `lanes` that is not
// v itself. Returns the places of the words that changed.
inline unsigned KeepOutOfLanes(UnitLine& line, const uint16_t (&lanes)[16], CellWord v) {
#if defined(__SSE2__) && !defined(KX_PLAIN_LINES)
  __m128i* words = reinterpret_cast<__m128i*>(line.words);
  const __m128i* masks = reinterpret_cast<const __m128i*>(lanes);
  const __m128i word = _mm_set1_epi16(static_cast<short>(v));
  unsigned same = 0;
  for (int half = 0; half < 2; ++half) {
    const __m128i before = words[half];
    // Words equal to v and lanes outside keep everything, the others lose v's digits.
    const __m128i clear = _mm_and_si128(word, masks[half]);
    const __m128i keep = _mm_or_si128(_mm_cmpeq_epi16(before, word), _mm_andnot_si128(clear, _mm_set1_epi16(-1)));
    words[half] = _mm_and_si128(before, keep);
    same |= static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(words[half], before),
                                                                     _mm_setzero_si128())))
            << (8 * half);
  }
  return ~same & 0x1FFu;
#else
  unsigned hits = 0;
  for (int k = 0; k < 9; ++k) {
    if (lanes[k] == 0 || line.words[k] == v || (line.words[k] & v) == 0) continue;
    line.words[k] = static_cast<CellWord>(line.words[k] & ~v);
    hits |= 1u << k;
  }
  return hits;
#endif
}

// Takes the digits of v from every word of the line that is not v itself.
// Returns the places of the words that changed.
inline unsigned KeepOutOfLine(UnitLine& line, CellWord v) {
  return KeepOutOfLanes(line, detail::kLaneMasks.all, v);
}

// A row from nine words of a board into a line, and back. Eight words go
// at once: a reader of the board then finds them in one piece.
inline void LoadRow(const CellWord* nine, UnitLine& line) {
  __builtin_memcpy(line.words, nine, 8 * sizeof(CellWord));
  line.words[8] = nine[8];
}
inline void StoreRow(const UnitLine& line, CellWord* nine) {
  __builtin_memcpy(nine, line.words, 8 * sizeof(CellWord));
  nine[8] = line.words[8];
}

// The places where nine words of a board differ from the line's, or -1
// when one of them holds a bit that the line's word lacks.
inline int NarrowedPlaces(const UnitLine& line, const CellWord* nine) {
#if defined(__SSE2__) && !defined(KX_PLAIN_LINES)
  const __m128i now = _mm_loadu_si128(reinterpret_cast<const __m128i*>(nine));
  const __m128i before = _mm_load_si128(reinterpret_cast<const __m128i*>(line.words));
  const __m128i same = _mm_cmpeq_epi16(now, before);
  const __m128i gained = _mm_andnot_si128(before, now);
  if (_mm_movemask_epi8(_mm_cmpeq_epi16(gained, _mm_setzero_si128())) != 0xFFFF) return -1;
  if ((nine[8] & ~line.words[8]) != 0) return -1;
  const unsigned kept = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(same, _mm_setzero_si128())));
  return static_cast<int>((~kept & 0xFFu) | static_cast<unsigned>(nine[8] != line.words[8]) << 8);
#else
  unsigned places = 0;
  for (int k = 0; k < 9; ++k) {
    if ((nine[k] & ~line.words[k]) != 0) return -1;
    places |= static_cast<unsigned>(nine[k] != line.words[k]) << k;
  }
  return static_cast<int>(places);
#endif
}

// The OR of a line's words but the one at `place`.
inline unsigned OrOfLineBut(const UnitLine& line, int place) {
#if defined(__SSE2__) && !defined(KX_PLAIN_LINES)
  const __m128i* words = reinterpret_cast<const __m128i*>(line.words);
  const __m128i* masks = reinterpret_cast<const __m128i*>(detail::kLaneMasks.allBut[place]);
  __m128i v = _mm_or_si128(_mm_and_si128(words[0], masks[0]), _mm_and_si128(words[1], masks[1]));
  v = _mm_or_si128(v, _mm_shuffle_epi32(v, 0x4E));
  v = _mm_or_si128(v, _mm_shuffle_epi32(v, 0xB1));
  v = _mm_or_si128(v, _mm_srli_epi32(v, 16));
  return static_cast<unsigned>(_mm_cvtsi128_si32(v)) & 0xFFFFu;
#else
  unsigned m = 0;
  for (int k = 0; k < 9; ++k) {
    if (k != place) m |= line.words[k];
  }
  return m;
#endif
}

// How many of the line's nine words equal v.
inline int CountInLine(const UnitLine& line, CellWord v) {
#if defined(__SSE2__) && !defined(KX_PLAIN_LINES)
  const __m128i* words = reinterpret_cast<const __m128i*>(line.words);
  const __m128i word = _mm_set1_epi16(static_cast<short>(v));
  const __m128i equal = _mm_packs_epi16(_mm_cmpeq_epi16(words[0], word), _mm_cmpeq_epi16(words[1], word));
  return kCandidateCount[static_cast<unsigned>(_mm_movemask_epi8(equal)) & 0x1FFu];
#else
  int count = 0;
  for (int k = 0; k < 9; ++k) count += line.words[k] == v;
  return count;
#endif
}

// How many words of the box with top-left cell (r0, c0) equal v.
inline int CountInBox(const UnitLine (&rows)[9], int r0, int c0, CellWord v) {
#if defined(__SSE2__) && !defined(KX_PLAIN_LINES)
  // Eight words from the box's left column on in each of its rows; the
  // three of the box go to lanes 0..2, 3..5 and 6..8 of one sixteen-lane
  // comparison.
  const __m128i word = _mm_set1_epi16(static_cast<short>(v));
  const __m128i three = _mm_setr_epi16(-1, -1, -1, 0, 0, 0, 0, 0);
  __m128i equal[3];
  for (int k = 0; k < 3; ++k) {
    const __m128i words = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[r0 + k].words + c0));
    equal[k] = _mm_cmpeq_epi16(words, word);
  }
  const __m128i low = _mm_or_si128(_mm_or_si128(_mm_and_si128(equal[0], three), _mm_slli_si128(_mm_and_si128(equal[1], three), 6)),
                                   _mm_slli_si128(equal[2], 12));
  const __m128i high = _mm_srli_si128(equal[2], 4);
  return kCandidateCount[static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(low, high))) & 0x1FFu];
#else
  int count = 0;
  for (int k = 0; k < 9; ++k) count += rows[r0 + k / 3].words[c0 + k % 3] == v;
  return count;
#endif
}

// The OR of the words of cell (r, c)'s box, top-left cell (r0, c0), but its own.
inline unsigned OrOfBoxBut(const UnitLine (&rows)[9], int r, int c, int r0, int c0) {
#if defined(__SSE2__) && !defined(KX_PLAIN_LINES)
  // Eight words from the box's left column on; the first three are the box's.
  const __m128i* own = reinterpret_cast<const __m128i*>(detail::kLaneMasks.allBut[c - c0]);
  const __m128i three = _mm_setr_epi16(-1, -1, -1, 0, 0, 0, 0, 0);
  __m128i v = _mm_setzero_si128();
  for (int k = 0; k < 3; ++k) {
    const __m128i words = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[r0 + k].words + c0));
    v = _mm_or_si128(v, _mm_and_si128(words, r0 + k == r ? _mm_and_si128(three, own[0]) : three));
  }
  v = _mm_or_si128(v, _mm_srli_si128(v, 4));
  v = _mm_or_si128(v, _mm_srli_epi32(v, 16));
  return static_cast<unsigned>(_mm_cvtsi128_si32(v)) & 0xFFFFu;
#else
  unsigned m = 0;
  for (int k = 0; k < 9; ++k) {
    const int rk = r0 + k / 3, ck = c0 + k % 3;
    if (rk != r || ck != c) m |= rows[rk].words[ck];
  }
  return m;
#endif
}

}  // namespace kx
