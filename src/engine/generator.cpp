#include "engine/generator.h"

#include "engine/propagate.h"

namespace kx {

namespace {

bool HasEmptyCell(const Board& board) {
  for (CellWord w : board) {
    if (w == 0) return true;
  }
  return false;
}

bool IsClue(char c) { return c >= '1' && c <= '9'; }

}  // namespace

int CountClues(const PuzzleText& text) {
  int clues = 0;
  for (char c : text) clues += IsClue(c);
  return clues;
}

uint32_t Generator::Solve(const PuzzleText& in, PuzzleText& out, uint64_t maximum) {
  ++stats_.solverCalls;
  lastSolved_ = in;
  lastMaximum_ = maximum;
  return solver_.SolvePuzzle(in, out, 1, maximum);
}

// Every call would hand over its current-solution text; only the last one's
// stays, so it alone is handed over, by the same call made again.
void Generator::WriteCurrentSolution(CurrentSolutionSink* sink) {
  solver_.SetCurrentSolutionSink(sink);
  PuzzleText scratch;
  solver_.SolvePuzzle(lastSolved_, scratch, 1, lastMaximum_);
}

void Generator::MakeRandomPuzzle(PuzzleText& text) {
  ++stats_.candidatesDrawn;
  text.fill(' ');
  scratch_.fill(kAllCandidates);
  for (;;) {
    int cell, digit;
    do {
      cell = static_cast<int>(random_.Next() % 81);
      digit = static_cast<int>(random_.Next() % 9) + 1;
    } while ((scratch_[cell] & (1u << digit)) == 0);

    scratch_[cell] = static_cast<CellWord>(1u << digit);
    LogicSolve(scratch_);
    const CheckResult c = CheckBoard(scratch_);
    if ((c & kCheckContradictionMask) == 0) {
      text[cell] = static_cast<char>('0' + digit);
      if (c == 0) return;
    } else if ((c & kCheckEmptyCellsMask) == 0) {
      // The digit contradicts without emptying a cell: forget just it.
      TextToBoard(scratch_, text);
      LogicSolve(scratch_);
    } else {
      // Some cell has no candidate left: drop random clues until none is empty.
      while (HasEmptyCell(scratch_)) {
        int clue;
        do {
          clue = static_cast<int>(random_.Next() % 81);
        } while (!IsClue(text[clue]));
        text[clue] = ' ';
        TextToBoard(scratch_, text);
        LogicSolve(scratch_);
      }
    }
  }
}

uint32_t Generator::GeneratePuzzle(uint32_t minimum, uint32_t maximum, int thinningTarget, PuzzleText& puzzle,
                                   PuzzleText& solution) {
  stats_ = {};
  SearchObserver& observer = solver_.Observer();
  observer.SetBusyGenerating(true);
  CurrentSolutionSink* const sink = solver_.CurrentSolutionSinkOrNull();
  solver_.SetCurrentSolutionSink(nullptr);
  uint32_t difficulty = 0;
  while (difficulty < minimum || difficulty > maximum) {
    do {
      MakeRandomPuzzle(puzzle);
      Solve(puzzle, solution, 2);
    } while (solver_.SolutionCount() != 1);
    difficulty = Solve(puzzle, solution, 1);
  }
  stats_.cluesBeforeThinning = stats_.cluesAfterThinning = CountClues(puzzle);
  if (thinningTarget != 0) ThinPuzzle(puzzle, thinningTarget, difficulty);
  if (sink) WriteCurrentSolution(sink);
  if (thinningTarget != 0) {
    stats_.cluesAfterThinning = CountClues(puzzle);
    solver_.SetSolutionCount(1);
  }
  observer.SetBusyGenerating(false);
  return difficulty;
}

// For each clue in index order a greedy pass starts by removing it and then
// tries every other clue from position 1 on, keeping each removal that leaves
// the puzzle unique. The pass that removes the most wins; reaching the
// target ends the search.
void Generator::ThinPuzzle(PuzzleText& puzzle, int target, uint32_t& difficulty) {
  const PuzzleText original = puzzle;
  PuzzleText best = original, trial, scratch;
  int bestCount = 0;

  auto nextClue = [](const PuzzleText& text, int from) {
    while (from < 81 && !IsClue(text[from])) ++from;
    return from;
  };

  for (int first = nextClue(original, 0); first < 81; first = nextClue(original, first + 1)) {
    trial = original;
    trial[first] = ' ';
    int removed = 1;
    bool targetReached = false;
    for (int j = 0;;) {
      const uint32_t rating = Solve(trial, scratch, 2);
      if (solver_.SolutionCount() == 1) {
        if (removed > bestCount) {
          bestCount = removed;
          difficulty = rating;
          best = trial;
        }
        if (removed == target) {
          targetReached = true;
          break;
        }
      } else {
        if (removed == 1) break;
        trial[j] = original[j];
        --removed;
      }
      j = nextClue(trial, j + 1);
      if (j >= 81) break;
      trial[j] = ' ';
      ++removed;
    }
    if (targetReached) break;
  }
  puzzle = best;
}

}  // namespace kx
