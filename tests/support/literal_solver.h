#pragma once

// The solver written down plainly, step by step, without any of the
// program's shortcuts: the yardstick the fast paths are compared with.
#include <cstdint>
#include <optional>
#include <string>

#include "engine/board.h"

namespace kx::test {

uint32_t LiteralPass(Board& board);
uint32_t LiteralLogicSolve(Board& board);
CheckResult LiteralCheckBoard(const Board& board);

struct LiteralRun {
  uint32_t result = 0;
  uint64_t solutionCount = 0;
  PuzzleText out{};
  // What the current-solution file holds afterwards; none when the run
  // did not touch it.
  std::optional<std::string> currentSolutionFile;
  // What log mode appended to the log.
  std::string log;
  bool beeped = false;
};

// One run of the search. Log mode has no disk limit and no cancel.
LiteralRun LiteralSolvePuzzle(const PuzzleText& in, uint64_t wanted, uint64_t maximum, bool logMode = false);

}  // namespace kx::test
