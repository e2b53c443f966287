#include "puzzle_corpus.h"

#include <cstdlib>
#include <random>

#include "engine/cell_geometry.h"
#include "engine/difficulty.h"
#include "engine/generator.h"

namespace kx::test {

namespace {

bool IsClue(char c) { return c >= '1' && c <= '9'; }

// A digit for an empty cell that no clue of its row, column or box holds
// and that differs from the solution's: the clash shows only when the
// search has filled in enough.
bool AddHiddenClash(PuzzleText& puzzle, const PuzzleText& solution, std::mt19937& random) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    const int cell = static_cast<int>(random() % 81);
    const char digit = static_cast<char>('1' + random() % 9);
    if (IsClue(puzzle[cell]) || digit == solution[cell]) continue;
    bool seen = false;
    for (int j : kCellGeometry.peers[cell]) seen = seen || puzzle[j] == digit;
    if (seen) continue;
    puzzle[cell] = digit;
    return true;
  }
  return false;
}

void RemoveClues(PuzzleText& puzzle, int count, std::mt19937& random) {
  for (int removed = 0, tries = 0; removed < count && tries < 1000; ++tries) {
    const int cell = static_cast<int>(random() % 81);
    if (!IsClue(puzzle[cell])) continue;
    puzzle[cell] = ' ';
    ++removed;
  }
}

PuzzleText KeepClues(const PuzzleText& solution, int keep, std::mt19937& random) {
  PuzzleText puzzle;
  puzzle.fill(' ');
  for (int kept = 0; kept < keep;) {
    const int cell = static_cast<int>(random() % 81);
    if (IsClue(puzzle[cell])) continue;
    puzzle[cell] = solution[cell];
    ++kept;
  }
  return puzzle;
}

}  // namespace

size_t CorpusSize(const char* variable, size_t fallback) {
  const char* value = std::getenv(variable);
  if (!value || !*value) return fallback;
  return static_cast<size_t>(std::strtoull(value, nullptr, 10));
}

std::vector<CorpusPuzzle> MakePuzzleCorpus(size_t count, uint32_t seed) {
  std::vector<CorpusPuzzle> corpus;
  std::mt19937 random(seed);
  Solver solver;
  PuzzleRandom puzzleRandom(seed);
  Generator generator(solver, puzzleRandom);

  PuzzleText empty;
  empty.fill(' ');
  corpus.push_back({"empty", empty});

  static constexpr Level kLevels[] = {Level::Random, Level::Easy, Level::Medium, Level::Hard};
  for (size_t n = 0; corpus.size() < count; ++n) {
    PuzzleText puzzle, solution;
    // The hardest level thins with hundreds of runs; a few suffice.
    const bool superHard = n % 64 == 63;
    const DifficultyLevel& level = LevelRange(superHard ? Level::SuperHard : kLevels[n % 4]);
    generator.GeneratePuzzle(level.minimum, level.maximum, level.thinningTarget, puzzle, solution);
    corpus.push_back({superHard ? "unique, thinned" : "unique", puzzle});

    PuzzleText ambiguous = puzzle;
    RemoveClues(ambiguous, 1 + static_cast<int>(random() % 5), random);
    corpus.push_back({"clues removed", ambiguous});

    PuzzleText clash = puzzle;
    if (AddHiddenClash(clash, solution, random)) corpus.push_back({"hidden clash", clash});

    corpus.push_back({"sparse", KeepClues(solution, 17 + static_cast<int>(random() % 9), random)});

    if (n % 8 == 0) corpus.push_back({"full", solution});
    if (n % 8 == 4) {
      PuzzleText nearlyFull = solution;
      RemoveClues(nearlyFull, 1 + static_cast<int>(random() % 4), random);
      corpus.push_back({"nearly full", nearlyFull});
    }
  }
  corpus.resize(count);
  return corpus;
}

}  // namespace kx::test
