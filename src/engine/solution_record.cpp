#include "engine/solution_record.h"

#include <bit>
#include <utility>

namespace kx {

SolutionRecord PackRecord(const char* text) {
  SolutionRecord record;
  for (int k = 0; k < SolutionRecord::kWords; ++k) {
    uint32_t word = 0;
    for (int j = 0; j < 8; ++j) {
      const int index = 8 * k + j;
      if (index < 81) word |= static_cast<uint32_t>(text[index] & 0xF) << (28 - 4 * j);
    }
    record.words[k] = word;
  }
  return record;
}

void UnpackRecord(const SolutionRecord& record, char* text) {
  for (int k = 0; k < SolutionRecord::kWords; ++k) {
    const uint32_t word = record.words[k];
    const int count = k < 10 ? 8 : 1;
    for (int j = 0; j < count; ++j) {
      const unsigned digit = (word >> (28 - 4 * j)) & 0xF;
      text[8 * k + j] = digit == 0 ? ' ' : static_cast<char>('0' + digit);
    }
  }
}

bool RecordHasEmptyCell(const SolutionRecord& record) {
  for (int i = 0; i < 81; ++i) {
    if (RecordDigit(record, i) == 0) return true;
  }
  return false;
}

namespace {

// Below this many records a range is finished by insertion: equal records
// would otherwise be split bit by bit down to the last of the 352 bits.
constexpr size_t kInsertionRange = 16;

// Sorts a range whose records agree in all words before `firstWord`.
void InsertionSort(SolutionRecord* records, size_t count, int firstWord) {
  const auto less = [firstWord](const SolutionRecord& a, const SolutionRecord& b) {
    for (int k = firstWord; k < SolutionRecord::kWords; ++k) {
      if (a.words[k] != b.words[k]) return a.words[k] < b.words[k];
    }
    return false;
  };
  for (size_t i = 1; i < count; ++i) {
    if (!less(records[i], records[i - 1])) continue;
    const SolutionRecord moving = records[i];
    size_t j = i;
    for (; j > 0 && less(moving, records[j - 1]); --j) records[j] = records[j - 1];
    records[j] = moving;
  }
}

}  // namespace

void SortSolutionRecords(SolutionRecord* records, size_t count) {
  struct Item {
    size_t first, end;
    int bit;
  };
  // Each pop pushes at most two items, one of them at a deeper bit, so the
  // stack never holds more than one pending item per bit plus one.
  Item stack[SolutionRecord::kBits + 2];
  int top = 0;
  if (count > 1) stack[top++] = {0, count, 0};
  while (top > 0) {
    const Item item = stack[--top];
    if (item.bit >= SolutionRecord::kBits) continue;
    if (item.end - item.first <= kInsertionRange) {
      InsertionSort(records + item.first, item.end - item.first, item.bit >> 5);
      continue;
    }
    const int word = item.bit >> 5;
    const uint32_t mask = 1u << (31 - (item.bit & 31));
    size_t i = item.first, j = item.end;
    for (;;) {
      while (i < j && (records[i].words[word] & mask) == 0) ++i;
      while (i < j && (records[j - 1].words[word] & mask) != 0) --j;
      if (i >= j) break;
      std::swap(records[i], records[j - 1]);
      ++i;
      --j;
    }
    const int next = item.bit + 1;
    if (next >= SolutionRecord::kBits) continue;
    if (item.end - i > 1) stack[top++] = {i, item.end, next};
    if (i - item.first > 1) stack[top++] = {item.first, i, next};
  }
}

void SwapToLittleEndian(SolutionRecord* records, size_t count) {
  if constexpr (std::endian::native != std::endian::little) {
    for (size_t r = 0; r < count; ++r) {
      for (uint32_t& w : records[r].words) {
        w = (w >> 24) | ((w >> 8) & 0xFF00) | ((w << 8) & 0xFF0000) | (w << 24);
      }
    }
  } else {
    (void)records;
    (void)count;
  }
}

}  // namespace kx
