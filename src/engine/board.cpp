#include "engine/board.h"

#include <bit>

namespace kx {

namespace {

bool IsDigitChar(char c) { return c >= '1' && c <= '9'; }

// Bit position of the n-th set bit of word (n >= 1), or -1 when there is none.
int NthSetBit(CellWord word, unsigned n) {
  for (int bit = 0; bit < 16; ++bit) {
    if ((word >> bit) & 1u) {
      if (--n == 0) return bit;
    }
  }
  return -1;
}

}  // namespace


void TextToBoard(Board& out, const PuzzleText& in) {
  for (int i = 0; i < 81; ++i) {
    out[i] = IsDigitChar(in[i]) ? static_cast<CellWord>(1u << (in[i] - '0')) : kAllCandidates;
  }
}

void TextToGivenBoard(Board& out, const PuzzleText& in) {
  for (int i = 0; i < 81; ++i) {
    out[i] = IsDigitChar(in[i]) ? static_cast<CellWord>(cell::kGiven | (1u << (in[i] - '0')))
                                : kAllCandidates;
  }
}

void BoardToText(const Board& in, PuzzleText& out) {
  for (int i = 0; i < 81; ++i) {
    int digit = IsSolved(in[i]) ? std::countr_zero(static_cast<unsigned>(in[i] & kAllCandidates)) : 0;
    out[i] = digit ? static_cast<char>('0' + digit) : ' ';
  }
}

int DigitOf(CellWord word) { return IsSolved(word) ? std::countr_zero(static_cast<unsigned>(word & kAllCandidates)) : -1; }

int RemoveNthCandidate(CellWord* word, unsigned n) {
  if (n == 0) return -1;
  int bit = NthSetBit(*word, n);
  if (bit < 0) return -2;
  *word = static_cast<CellWord>(*word & ~(1u << bit));
  return 0;
}

int KeepNthCandidate(CellWord* word, unsigned n) {
  if (n == 0) return -1;
  int bit = NthSetBit(*word, n);
  if (bit < 0) return -2;
  *word = static_cast<CellWord>(1u << bit);
  return 0;
}

namespace {

// Columns 0..7 of a row at once; column 8 is handled on its own.
using EightWords = uint16_t __attribute__((vector_size(16)));

using FourPairs = uint32_t __attribute__((vector_size(16)));

unsigned OrOfLanes(EightWords v) {
  v |= __builtin_shufflevector(v, v, 4, 5, 6, 7, 0, 1, 2, 3);
  v |= __builtin_shufflevector(v, v, 2, 3, 0, 1, 2, 3, 0, 1);
  // The last two lanes as one 32-bit word: a shift, where a lane shuffle
  // would go word by word.
  const uint32_t pair = std::bit_cast<FourPairs>(v)[0];
  return (pair | pair >> 16) & 0xFFFFu;
}

// Lane k ORed with lanes k + 1 and k + 2 (zeros past lane 7): lanes 0, 3
// and 6 then hold the boxes of a band's columns 0..7.
EightWords OrOfThreeLanes(EightWords v) {
  const EightWords zero{};
  return v | __builtin_shufflevector(v, zero, 1, 2, 3, 4, 5, 6, 7, 8) |
         __builtin_shufflevector(v, zero, 2, 3, 4, 5, 6, 7, 8, 9);
}

unsigned DigitOfSolved(unsigned w) { return IsSolved(static_cast<CellWord>(w)) ? w & kAllCandidates : 0; }

}  // namespace

// Duplicates of a unit are its solved cells minus the distinct digits among
// them; summed over all units that is three times the solved cells minus
// the distinct digits of each unit, so per unit only ORs are needed: of all
// its words (a digit without a place) and of its solved cells' digits.
CheckResult CheckBoard(const Board& board) {
  const EightWords candidates = EightWords{} + kAllCandidates;
  EightWords columnAll{}, columnDigits{}, unsolved{}, empty{};
  EightWords bandAll{}, bandDigits{};
  unsigned lastAll = 0, lastDigits = 0, lastBoxAll = 0, lastBoxDigits = 0;
  int distinct = 0, lacking = 0, solvedInLast = 0, emptyInLast = 0;
  auto unit = [&](unsigned all, unsigned digits) {
    distinct += CountCandidates(static_cast<CellWord>(digits));
    lacking += all != kAllCandidates;
  };
  for (int row = 0; row < 9; ++row) {
    EightWords w;
    __builtin_memcpy(&w, &board[row * 9], sizeof w);
    const EightWords c = w & candidates;
    const EightWords single = (c != 0) & ((c & (c - 1)) == 0);
    const EightWords digits = c & single;
    unsolved -= ~single;  // the masks are all ones, that is -1, per lane
    empty -= w == 0;
    columnAll |= w;
    columnDigits |= digits;
    bandAll |= w;
    bandDigits |= digits;

    const unsigned w8 = board[row * 9 + 8], digit8 = DigitOfSolved(w8);
    solvedInLast += digit8 != 0;
    emptyInLast += w8 == 0;
    lastAll |= w8;
    lastDigits |= digit8;
    lastBoxAll |= w8;
    lastBoxDigits |= digit8;
    unit(OrOfLanes(w) | w8, OrOfLanes(digits) | digit8);

    if (row % 3 == 2) {
      const EightWords boxAll = OrOfThreeLanes(bandAll), boxDigits = OrOfThreeLanes(bandDigits);
      unit(boxAll[0], boxDigits[0]);
      unit(boxAll[3], boxDigits[3]);
      unit(boxAll[6] | lastBoxAll, boxDigits[6] | lastBoxDigits);
      bandAll = bandDigits = EightWords{};
      lastBoxAll = lastBoxDigits = 0;
    }
  }
  for (int column = 0; column < 8; ++column) unit(columnAll[column], columnDigits[column]);
  unit(lastAll, lastDigits);

  int unsolvedCells = 9 - solvedInLast, emptyCells = emptyInLast;
  for (int lane = 0; lane < 8; ++lane) {
    unsolvedCells += unsolved[lane];
    emptyCells += empty[lane];
  }
  const int solvedCells = 81 - unsolvedCells;
  return static_cast<CheckResult>(unsolvedCells) + (static_cast<CheckResult>(3 * solvedCells - distinct) << 8) +
         (static_cast<CheckResult>(lacking) << 16) + (static_cast<CheckResult>(emptyCells) << 24);
}

int64_t CheckCompleteBoard(const Board& board) {
  for (CellWord w : board) {
    if (!IsSolved(w)) return -1;
  }
  return CheckBoard(board);
}

}  // namespace kx
