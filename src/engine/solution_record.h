#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kx {

// One 81-character record of the solution log in 44 bytes: character
// 8k+1 in the top 4 bits of word k, each as its low 4 bits ('1'..'9' ->
// 1..9, a space -> 0). Word-by-word unsigned comparison orders records like
// their texts, with an empty cell before 1.
struct SolutionRecord {
  static constexpr int kWords = 11;
  static constexpr int kBits = kWords * 32;
  static constexpr size_t kBytes = kWords * 4;
  std::array<uint32_t, kWords> words{};

  bool operator==(const SolutionRecord&) const = default;
  auto operator<=>(const SolutionRecord&) const = default;
};

// Packs 81 characters, each '1'..'9' or a space.
SolutionRecord PackRecord(const char* text);
// The 81 characters back: digits, and a space for 0.
void UnpackRecord(const SolutionRecord& record, char* text);
// The 4-bit value of character `index` (0..80).
inline unsigned RecordDigit(const SolutionRecord& record, int index) {
  return (record.words[index >> 3] >> (28 - 4 * (index & 7))) & 0xF;
}
// True when some character is an empty cell.
bool RecordHasEmptyCell(const SolutionRecord& record);

// Sorts ascending in place: a bitwise most-significant-first radix sort
// with no memory beyond a fixed stack; ranges of a few records left over
// (mostly repeats) are finished by insertion.
void SortSolutionRecords(SolutionRecord* records, size_t count);

// Records in temporary files are little-endian words, 44 bytes each, and
// are read and written in place: these turn the words around on machines
// of the other byte order (and do nothing on little-endian ones).
static_assert(sizeof(SolutionRecord) == SolutionRecord::kBytes);
void SwapToLittleEndian(SolutionRecord* records, size_t count);
inline void SwapFromLittleEndian(SolutionRecord* records, size_t count) { SwapToLittleEndian(records, count); }

}  // namespace kx
