#include "engine/propagate.h"

namespace kx {

namespace {

bool HasSingleCandidate(unsigned word) { return IsSolved(static_cast<CellWord>(word)); }

unsigned OrOf(const Board& board, const uint8_t (&cells)[8]) {
  unsigned m = 0;
  for (uint8_t cell : cells) m |= board[cell];
  return m;
}

// Naked subset: when exactly n cells of the unit carry the same n-candidate
// word, no other cell of the unit can take those digits.
uint32_t SubsetTest(Board& board, const uint8_t (&unit)[9], CellWord v, int n) {
  int same = 0;
  for (uint8_t cell : unit) same += board[cell] == v;
  if (same != n) return 0;
  const CellWord keep = static_cast<CellWord>(~v);
  for (uint8_t cell : unit) {
    if (board[cell] != v) board[cell] &= keep;
  }
  return 2u * static_cast<uint32_t>(n);
}

// `cleared[i]` remembers the solved word whose digit has already been taken
// from all peers of cell i. Candidates only ever shrink during a pass, so
// taking it again would change nothing and is skipped.
uint32_t Pass(Board& board, Board& cleared) {
  const UnitTables& units = Units();
  uint32_t score = 0;
  for (int i = 0; i < 81; ++i) {
    const unsigned w = board[i];
    if (HasSingleCandidate(w)) {
      score += 1;
      if (cleared[i] != w) {
        const CellWord keep = static_cast<CellWord>(~w);
        for (uint8_t peer : units.peers[i]) board[peer] &= keep;
        cleared[i] = static_cast<CellWord>(w);
      }
      continue;
    }
    const auto& others = units.others[i];

    // Hidden singles; the mask accumulates over row, column and box, so the
    // later tests only confirm (or find) what no peer at all can take. Once
    // nothing is left, the later tests cannot find anything either.
    unsigned m = (~w & 0xFFFFu) | OrOf(board, others[0]);
    for (int unit = 0; unit < 3; ++unit) {
      if (unit > 0) m |= OrOf(board, others[unit]);
      const unsigned left = ~m & kAllCandidates;
      if (left == 0) break;
      if (HasSingleCandidate(left)) {
        board[i] = static_cast<CellWord>(left);
        score += 2;
      }
    }

    const CellWord v = board[i];
    const int n = CountCandidates(v);
    if (n >= 2) {
      score += SubsetTest(board, units.cells[units.rowOf[i]], v, n);
      score += SubsetTest(board, units.cells[9 + units.columnOf[i]], v, n);
      score += SubsetTest(board, units.cells[18 + units.boxOf[i]], v, n);
    }
  }
  return score;
}

}  // namespace

uint32_t PropagatePass(Board& board) {
  Board cleared{};
  return Pass(board, cleared);
}

uint32_t LogicSolve(Board& board) {
  Board cleared{};
  uint32_t total = 0;
  for (;;) {
    const Board before = board;
    total += Pass(board, cleared);
    if (board == before) return total;
    total <<= 1;
  }
}

}  // namespace kx
