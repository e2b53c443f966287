#pragma once

#include <memory>

#include "engine/board.h"

namespace kx {

// One pass of simple deductions over the board, in place, cells in index
// order; returns the score of what the pass found (32-bit, wrapping).
uint32_t PropagatePass(Board& board);

// Repeats PropagatePass until the board stops changing; the running total
// is doubled after every pass that changed something.
uint32_t LogicSolve(Board& board);

class PassState;

// LogicSolve for many boards that lie within one base board, every word a
// subset of the base's word, as the boards of a search do: what the passes
// learnt about the base's cells is kept, so that a run visits at first only
// the cells around the words that differ. The results are LogicSolve's.
class DeductionBase {
 public:
  DeductionBase();
  ~DeductionBase();
  DeductionBase& operator=(const DeductionBase& other);

  // LogicSolve(board); the board it ends with becomes the base.
  uint32_t LogicSolveAndKeep(Board& board);
  // Makes `board`, normally within the base, the new base.
  void Narrow(const Board& board);
  // LogicSolve(board); a board not within the base costs a plain run.
  uint32_t LogicSolve(Board& board) const;

 private:
  std::unique_ptr<PassState> state_;
};

}  // namespace kx
