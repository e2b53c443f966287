#pragma once

#include "engine/board.h"

namespace kx {

// One pass of simple deductions over the board, in place, cells in index
// order; returns the score of what the pass found (32-bit, wrapping).
uint32_t PropagatePass(Board& board);

// Repeats PropagatePass until the board stops changing; the running total
// is doubled after every pass that changed something.
uint32_t LogicSolve(Board& board);

}  // namespace kx
