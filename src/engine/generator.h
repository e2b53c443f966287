#pragma once

#include <cstdint>

#include "engine/board.h"
#include "engine/puzzle_random.h"
#include "engine/solver.h"

namespace kx {

// Figures of the last GeneratePuzzle call, for benchmarks and tests.
struct GeneratorStats {
  uint64_t candidatesDrawn = 0;  // random puzzles made
  uint64_t solverCalls = 0;
  int cluesBeforeThinning = 0;
  int cluesAfterThinning = 0;
};

// Makes puzzles with exactly one solution in a requested difficulty range.
// It draws random puzzles until one lands in the range, without an attempt
// limit, so its speed is how often random puzzles land there.
class Generator {
 public:
  Generator(Solver& solver, PuzzleRandom& random) : solver_(solver), random_(random) {}

  // A random puzzle whose clues alone let the deductions finish the board.
  void MakeRandomPuzzle(PuzzleText& text);

  // Returns the puzzle's difficulty; `solution` receives its solution and
  // the solver's SolutionCount is 1 afterwards.
  uint32_t GeneratePuzzle(uint32_t minimum, uint32_t maximum, int thinningTarget, PuzzleText& puzzle,
                          PuzzleText& solution);

  // Removes as many clues as possible (up to `target`) keeping the puzzle
  // unique; `difficulty` becomes the rating of the thinned puzzle.
  void ThinPuzzle(PuzzleText& puzzle, int target, uint32_t& difficulty);

  const GeneratorStats& stats() const { return stats_; }

 private:
  uint32_t Solve(const PuzzleText& in, PuzzleText& out, uint64_t maximum);
  // Runs the last solver call once more, handing its text to the sink.
  void WriteCurrentSolution(CurrentSolutionSink* sink);

  Solver& solver_;
  PuzzleRandom& random_;
  Board scratch_{};
  // The last solver call, whose current-solution text the player finds.
  PuzzleText lastSolved_{};
  uint64_t lastMaximum_ = 0;
  GeneratorStats stats_;
};

int CountClues(const PuzzleText& text);

}  // namespace kx
