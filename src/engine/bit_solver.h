#pragma once

#include <cstdint>

#include "engine/board.h"

namespace kx {

// Answers "how many solutions, which ones" as fast as possible. It rates
// nothing: difficulties come from the rating search alone, which hands this
// solver only the questions whose answers do not depend on its own order.
// Clues are the '1'..'9' characters of the text; clues that contradict
// each other give no solution.

// Number of solutions, counting stops at `limit`.
uint64_t CountSolutions(const PuzzleText& puzzle, uint64_t limit);

// The first solution the search meets; false when there is none.
bool FindFirstSolution(const PuzzleText& puzzle, PuzzleText& solution);

// Told of every solution once, in the search's order. Return false from
// Visit to stop the search. `depth` is the number of guesses the search
// stands on when it reaches the solution.
class SolutionVisitor {
 public:
  virtual bool Visit(const PuzzleText& solution, int depth) = 0;

 protected:
  ~SolutionVisitor() = default;
};

// Visits every solution; returns how many were visited.
uint64_t ForEachSolution(const PuzzleText& puzzle, SolutionVisitor& visitor);

}  // namespace kx
