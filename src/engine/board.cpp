#include "engine/board.h"

#include <bit>

namespace kx {

namespace {

UnitTables BuildUnitTables() {
  UnitTables t{};
  for (int i = 0; i < 81; ++i) {
    int row = i / 9, column = i % 9;
    int box = (row / 3) * 3 + column / 3;
    t.rowOf[i] = static_cast<uint8_t>(row);
    t.columnOf[i] = static_cast<uint8_t>(column);
    t.boxOf[i] = static_cast<uint8_t>(box);
  }
  static constexpr int kBoxOffsets[9] = {0, 1, 2, 9, 10, 11, 18, 19, 20};
  static constexpr int kBoxOrigins[9] = {0, 3, 6, 27, 30, 33, 54, 57, 60};
  for (int u = 0; u < 9; ++u) {
    for (int k = 0; k < 9; ++k) {
      t.cells[u][k] = static_cast<uint8_t>(u * 9 + k);
      t.cells[9 + u][k] = static_cast<uint8_t>(k * 9 + u);
      t.cells[18 + u][k] = static_cast<uint8_t>(kBoxOrigins[u] + kBoxOffsets[k]);
    }
  }
  for (int i = 0; i < 81; ++i) {
    const int unitsOfCell[3] = {t.rowOf[i], 9 + t.columnOf[i], 18 + t.boxOf[i]};
    for (int u = 0; u < 3; ++u) {
      int n = 0;
      for (uint8_t cell : t.cells[unitsOfCell[u]]) {
        if (cell != i) t.others[i][u][n++] = cell;
      }
    }
    int n = 0;
    for (int j = 0; j < 81; ++j) {
      if (j == i) continue;
      if (t.rowOf[j] == t.rowOf[i] || t.columnOf[j] == t.columnOf[i] || t.boxOf[j] == t.boxOf[i]) {
        t.peers[i][n++] = static_cast<uint8_t>(j);
      }
    }
  }
  return t;
}

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

const UnitTables& Units() {
  static const UnitTables tables = BuildUnitTables();
  return tables;
}

void TextToBoard(Board& out, const PuzzleText& in) {
  for (int i = 0; i < 81; ++i) {
    out[i] = IsDigitChar(in[i]) ? static_cast<CellWord>(1u << (in[i] - '0')) : kAllCandidates;
  }
}

void TextToGivenBoard(Board& out, const PuzzleText& in) {
  for (int i = 0; i < 81; ++i) {
    out[i] = IsDigitChar(in[i]) ? static_cast<CellWord>(kGivenFlag | (1u << (in[i] - '0')))
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

CheckResult CheckBoard(const Board& board) {
  CheckResult result = 0;
  uint16_t solvedBit[81];  // the digit's bit of a solved cell, else 0
  for (int i = 0; i < 81; ++i) {
    const CellWord w = board[i];
    const bool solved = IsSolved(w);
    solvedBit[i] = solved ? static_cast<uint16_t>(w & kAllCandidates) : 0;
    result += !solved;
    if (w == 0) result += 0x1000000;
  }
  // Duplicates of a unit: its solved cells minus the distinct digits among them.
  for (const auto& unit : Units().cells) {
    unsigned digits = 0, all = 0;
    int solvedCells = 0;
    for (uint8_t cell : unit) {
      all |= board[cell];
      digits |= solvedBit[cell];
      solvedCells += solvedBit[cell] != 0;
    }
    result += static_cast<CheckResult>(solvedCells - CountCandidates(static_cast<CellWord>(digits))) << 8;
    if (all != kAllCandidates) result += 0x10000;
  }
  return result;
}

int64_t CheckCompleteBoard(const Board& board) {
  for (CellWord w : board) {
    if (!IsSolved(w)) return -1;
  }
  return CheckBoard(board);
}

}  // namespace kx
