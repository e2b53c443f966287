#include "engine/generator.h"

#include <gtest/gtest.h>

#include "../support/literal_solver.h"
#include "../support/puzzles.h"
#include "../support/recording_sink.h"
#include "../support/temp_dir.h"
#include "engine/difficulty.h"
#include "engine/propagate.h"
#include "engine/solution_files.h"

namespace kx {
namespace {

struct CountingHost : SearchObserver {
  bool BusyGenerating() const override { return busy; }
  void SetBusyGenerating(bool b) override {
    busy = b;
    ++busyChanges;
  }
  void SearchDisplayHook(const Board&, int cell) override { noisePictures += cell < 0; }
  bool busy = false;
  int busyChanges = 0, noisePictures = 0;
};

class GeneratorTest : public test::TempDirTest {
 protected:
  GeneratorTest() : solver(&host), random(1), generator(solver, random) {}
  // Solution count and rating of a puzzle in a fresh run.
  std::pair<uint64_t, uint32_t> Recheck(const PuzzleText& puzzle, PuzzleText& solution) {
    uint32_t rating = solver.SolvePuzzle(puzzle, solution, 1, 2);
    return {solver.SolutionCount(), rating};
  }
  CountingHost host;
  Solver solver;
  PuzzleRandom random;
  Generator generator;
};

TEST_F(GeneratorTest, EveryLevelGivesUniquePuzzlesInsideItsRange) {
  for (Level level : {Level::Random, Level::Easy, Level::Medium, Level::Hard, Level::SuperHard}) {
    const DifficultyLevel& range = LevelRange(level);
    for (int i = 0; i < 3; ++i) {
      PuzzleText puzzle, solution, check;
      uint32_t d = generator.GeneratePuzzle(range.minimum, range.maximum, range.thinningTarget, puzzle, solution);
      SCOPED_TRACE(static_cast<int>(level));
      EXPECT_EQ(solver.SolutionCount(), 1u);
      EXPECT_GE(d, range.minimum);
      EXPECT_LE(d, range.maximum);
      auto [count, rating] = Recheck(puzzle, check);
      EXPECT_EQ(count, 1u);
      EXPECT_EQ(rating, d);
      EXPECT_EQ(check, solution);
      EXPECT_FALSE(host.busy);
    }
  }
  EXPECT_EQ(host.busyChanges, 2 * 3 * kLevelCount);
  EXPECT_GT(host.noisePictures, 0);  // guesses while busy show the noise picture
}

TEST_F(GeneratorTest, CurrentSolutionFileIsTheLastCallsWhetherWrittenOrNot) {
  // The file is written once, at the end; everything else is as without it.
  for (Level level : {Level::Hard, Level::SuperHard}) {
    const DifficultyLevel& range = LevelRange(level);
    PuzzleText withFile, withoutFile, solutionA, solutionB;
    test::RecordingSink sink;
    random.Seed(11);
    solver.SetCurrentSolutionSink(&sink);
    const uint32_t a = generator.GeneratePuzzle(range.minimum, range.maximum, range.thinningTarget, withFile, solutionA);
    const uint64_t calls = generator.stats().solverCalls;
    const std::string file = sink.text.value_or("");
    EXPECT_EQ(solver.CurrentSolutionSinkOrNull(), &sink);

    sink.text.reset();
    random.Seed(11);
    solver.SetCurrentSolutionSink(nullptr);
    const uint32_t b = generator.GeneratePuzzle(range.minimum, range.maximum, range.thinningTarget, withoutFile, solutionB);
    EXPECT_FALSE(sink.text);
    EXPECT_EQ(a, b);
    EXPECT_EQ(withFile, withoutFile);
    EXPECT_EQ(solutionA, solutionB);
    EXPECT_EQ(generator.stats().solverCalls, calls);
    EXPECT_EQ(solver.SolutionCount(), 1u);

    if (level == Level::Hard) {
      // Without thinning the last call rates the puzzle itself.
      const test::LiteralRun rating = test::LiteralSolvePuzzle(withFile, 1, 1);
      EXPECT_EQ(file, *rating.currentSolutionFile);
    } else {
      EXPECT_EQ(file.rfind("\r\nZu lösendes Sudoko:\r\n", 0), 0u);
    }
  }
}

TEST_F(GeneratorTest, SameSeedSamePuzzles) {
  PuzzleText a, b, solution;
  random.Seed(42);
  generator.GeneratePuzzle(1000, 10000, 0, a, solution);
  random.Seed(42);
  generator.GeneratePuzzle(1000, 10000, 0, b, solution);
  EXPECT_EQ(a, b);
}

TEST_F(GeneratorTest, RandomPuzzlesAreFinishedByTheDeductions) {
  for (int i = 0; i < 20; ++i) {
    PuzzleText puzzle;
    generator.MakeRandomPuzzle(puzzle);
    Board board;
    TextToBoard(board, puzzle);
    LogicSolve(board);
    EXPECT_EQ(CheckBoard(board), 0u) << test::Str(puzzle);
  }
}

TEST_F(GeneratorTest, ThinningKeepsUniquenessAndRemovesWhatItCan) {
  random.Seed(3);
  for (int i = 0; i < 3; ++i) {
    PuzzleText puzzle, solution, check;
    uint32_t d = generator.GeneratePuzzle(10000, 0xFFFFFFFF, 0, puzzle, solution);
    const PuzzleText original = puzzle;
    bool someClueRemovable = false;
    for (int cell = 0; cell < 81 && !someClueRemovable; ++cell) {
      if (original[cell] == ' ') continue;
      PuzzleText trial = original;
      trial[cell] = ' ';
      someClueRemovable = Recheck(trial, check).first == 1;
    }

    generator.ThinPuzzle(puzzle, 25, d);
    auto [count, rating] = Recheck(puzzle, check);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(rating, d);
    EXPECT_EQ(check, solution);
    EXPECT_LE(CountClues(puzzle), CountClues(original) - (someClueRemovable ? 1 : 0));
    for (int cell = 0; cell < 81; ++cell) {
      if (puzzle[cell] != ' ') {
        EXPECT_EQ(puzzle[cell], original[cell]);
      }
    }
  }
}

TEST_F(GeneratorTest, ThinningStopsAtTheTarget) {
  PuzzleText puzzle, solution;
  uint32_t d = generator.GeneratePuzzle(1, 1000, 0, puzzle, solution);
  int before = CountClues(puzzle);
  generator.ThinPuzzle(puzzle, 2, d);
  EXPECT_EQ(CountClues(puzzle), before - 2);  // easy puzzles have clues to spare
}

}  // namespace
}  // namespace kx
