#pragma once

// Puzzles of every kind the solver meets, made from fixed seeds: unique
// ones from the generator at every level, ambiguous ones (clues removed),
// contradictory ones (a clue that clashes only deep in the search), sparse
// ones (few clues kept from a solution), full and nearly full boards and
// the empty board.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/board.h"

namespace kx::test {

struct CorpusPuzzle {
  const char* kind;
  PuzzleText text;
};

std::vector<CorpusPuzzle> MakePuzzleCorpus(size_t count, uint32_t seed);

// How many puzzles a long-running comparison takes: the number in the
// environment variable when it is set, else `fallback`.
size_t CorpusSize(const char* variable, size_t fallback);

}  // namespace kx::test
