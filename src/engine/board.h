#pragma once

#include <array>
#include <bit>
#include <cstdint>


namespace kx {

// One cell: candidate digits in bits 1..9, the given flag in bit 15.
using CellWord = uint16_t;
// 81 cells in row-major order, index = row * 9 + column.
using Board = std::array<CellWord, 81>;
// 81 characters: '1'..'9' a placed digit, anything else an empty cell.
using PuzzleText = std::array<char, 81>;
// Packed counts of CheckBoard, one per byte (see kCheck* masks).
using CheckResult = uint32_t;

inline constexpr CellWord kAllCandidates = 0x3FE;
namespace cell {
// A given digit: set on the board words of the givens and on the game's
// status board, where bits 14 and 13 tell the other origins.
inline constexpr CellWord kGiven = 0x8000;
}  // namespace cell

inline constexpr CheckResult kCheckUnsolvedMask = 0x000000FF;
inline constexpr CheckResult kCheckDuplicatesMask = 0x0000FF00;
inline constexpr CheckResult kCheckLackingUnitsMask = 0x00FF0000;
inline constexpr CheckResult kCheckEmptyCellsMask = 0xFF000000;
// Any of these set: the board contradicts itself.
inline constexpr CheckResult kCheckContradictionMask = 0xFFFFFF00;

void TextToBoard(Board& out, const PuzzleText& in);
void TextToGivenBoard(Board& out, const PuzzleText& in);
void BoardToText(const Board& in, PuzzleText& out);

// 1..9 when the word's candidates (flag ignored) are a single digit, else -1.
int DigitOf(CellWord word);

// Hot in the solver, so kept inline and free of library calls.
inline bool IsSolved(CellWord word) {
  const unsigned candidates = word & kAllCandidates;
  return (candidates != 0) & ((candidates & (candidates - 1)) == 0);
}
inline constexpr std::array<uint8_t, 512> kCandidateCount = [] {
  std::array<uint8_t, 512> table{};
  for (unsigned i = 0; i < 512; ++i) table[i] = static_cast<uint8_t>(std::popcount(i));
  return table;
}();
inline int CountCandidates(CellWord word) { return kCandidateCount[(word >> 1) & 0x1FF]; }

// Clears the n-th set bit (counted from bit 0 upward). 0 on success,
// -1 for n == 0, -2 when fewer than n bits are set; the word is then unchanged.
int RemoveNthCandidate(CellWord* word, unsigned n);
// Replaces the word by its n-th set bit alone; same results as above.
int KeepNthCandidate(CellWord* word, unsigned n);

CheckResult CheckBoard(const Board& board);
// -1 as soon as a cell (in index order) is unsolved, else CheckBoard's result.
int64_t CheckCompleteBoard(const Board& board);

}  // namespace kx
