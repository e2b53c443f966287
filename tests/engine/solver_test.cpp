#include "engine/solver.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../support/plain_backtracking.h"
#include "../support/puzzles.h"
#include "../support/recording_sink.h"
#include "../support/temp_dir.h"
#include "engine/builtin_puzzle.h"
#include "engine/propagate.h"
#include "engine/solution_files.h"

namespace kx {
namespace {

using test::kGuessingPuzzle;
using test::kSolvedGrid;
using test::Str;
using test::Text;

using test::PlainCount;

bool IsCompleteSolutionOf(const std::string& solution, const std::string& puzzle) {
  Board board;
  TextToBoard(board, Text(solution));
  if (CheckBoard(board) != 0) return false;
  for (int i = 0; i < 81; ++i) {
    if (puzzle[i] >= '1' && puzzle[i] <= '9' && puzzle[i] != solution[i]) return false;
  }
  return true;
}

class SolverTest : public test::TempDirTest {
 protected:
  uint32_t Solve(const std::string& puzzle, uint64_t wanted = 1, uint64_t maximum = 2) {
    return solver.SolvePuzzle(Text(puzzle), out, wanted, maximum);
  }
  SolverTest() { solver.SetCurrentSolutionSink(&sink); }
  Solver solver;
  test::RecordingSink sink;
  PuzzleText out{};
};

TEST_F(SolverTest, RatingsOfNearlyCompleteGrids) {
  EXPECT_EQ(Solve(kSolvedGrid), 81u);
  EXPECT_EQ(solver.SolutionCount(), 1u);

  std::string grid = kSolvedGrid;
  grid[0] = ' ';
  EXPECT_EQ(Solve(grid), 253u);  // (6 + 80) * 2 + 81
  EXPECT_EQ(Str(out), kSolvedGrid);

  grid = kSolvedGrid;
  grid[80] = ' ';
  EXPECT_EQ(Solve(grid), 243u);  // 81 * 2 + 81
}

TEST_F(SolverTest, BuiltinPuzzleIsUnique) {
  uint32_t rating = solver.SolvePuzzle(BuiltinPuzzleText(), out, 1, 2);
  EXPECT_EQ(rating, 621u);
  EXPECT_EQ(solver.SolutionCount(), 1u);
  EXPECT_EQ(Str(out), kSolvedGrid);
}

TEST_F(SolverTest, EmptyPuzzleIsAmbiguous) {
  uint32_t rating = Solve(std::string(81, ' '));
  EXPECT_GT(rating, kGuessPenalty);
  EXPECT_EQ(solver.SolutionCount(), 2u);
  EXPECT_EQ(Str(out)[0], '9');  // the first guess takes cell 0's highest digit
  EXPECT_TRUE(IsCompleteSolutionOf(Str(out), std::string(81, ' ')));
}

TEST_F(SolverTest, ContradictionsAreRefusedWithoutTouchingTheFile) {
  std::string twoOnes = "11" + std::string(79, '.');
  EXPECT_EQ(Solve(twoOnes), kNoSolution);
  EXPECT_EQ(solver.SolutionCount(), 0u);
  EXPECT_FALSE(sink.text);

  // Consistent clues without any solution: the search runs dry.
  std::string dry = "12345678." + std::string(8, '.') + "9" + std::string(63, '.');
  ASSERT_EQ(PlainCount(dry, 1), 0u);
  EXPECT_EQ(Solve(dry), kNoSolution);
  EXPECT_EQ(solver.SolutionCount(), 0u);
}

TEST_F(SolverTest, GuessedUniquePuzzleRunsToExhaustion) {
  uint32_t rating = Solve(kGuessingPuzzle);
  EXPECT_GT(rating, kGuessPenalty);
  EXPECT_EQ(solver.SolutionCount(), 1u);
  EXPECT_TRUE(IsCompleteSolutionOf(Str(out), kGuessingPuzzle));
  // The same puzzle always yields the same rating and text.
  PuzzleText first = out;
  EXPECT_EQ(Solve(kGuessingPuzzle), rating);
  EXPECT_EQ(out, first);
}

TEST_F(SolverTest, WantedAboveMaximumReturnsTheSecondSolution) {
  std::string empty(81, ' ');
  Solve(empty, 1, 2);
  PuzzleText first = out;
  Solve(empty, 5, 2);
  EXPECT_EQ(solver.SolutionCount(), 2u);
  EXPECT_NE(out, first);
  EXPECT_TRUE(IsCompleteSolutionOf(Str(out), empty));
}

TEST_F(SolverTest, CountsEachDistinctSolutionOnce) {
  // Rows 0, 3 and 6 emptied: twelve solutions, fewer than the ring holds,
  // which the search reaches on several paths.
  std::string puzzle = kSolvedGrid;
  for (int row : {0, 3, 6}) puzzle.replace(row * 9, 9, 9, '.');
  uint64_t expected = PlainCount(puzzle, 1000);
  ASSERT_EQ(expected, 12u);
  Solve(puzzle, 1, 1000);
  EXPECT_EQ(solver.SolutionCount(), expected);
}

TEST_F(SolverTest, OutputMayBeTheInputBuffer) {
  std::string grid = kSolvedGrid;
  grid[0] = grid[40] = ' ';
  PuzzleText buffer = Text(grid);
  solver.SolvePuzzle(buffer, buffer, 1, 2);
  EXPECT_EQ(Str(buffer), kSolvedGrid);
}

TEST_F(SolverTest, CurrentSolutionFileHoldsPuzzleAndSolutionGrids) {
  std::string grid = kSolvedGrid;
  grid[0] = ' ';
  Solve(grid);
  std::string expected = "\r\nZu lösendes Sudoko:\r\n";
  AppendSolutionGrid(expected, Text(grid));
  AppendSolutionGrid(expected, Text(kSolvedGrid));
  EXPECT_EQ(sink.text, expected);
  EXPECT_EQ(expected.substr(expected.size() - 45),
            "\r\n756 249 381 \r\n842 713 569 \r\n\r\n-----------\r\n");
  EXPECT_EQ(expected.substr(24, 16), "\r\n-73 958 412 \r\n");

  sink.text.reset();
  solver.SetCurrentSolutionSink(nullptr);
  Solve(grid);
  EXPECT_FALSE(sink.text);
}

TEST_F(SolverTest, CurrentSolutionFileStopsAtTenSolutions) {
  solver.SolvePuzzle(Text(std::string(81, ' ')), out, 1, 12);
  const std::string file = sink.text.value_or("");
  size_t grids = 0;
  for (size_t at = file.find("-----------"); at != std::string::npos; at = file.find("-----------", at + 1)) ++grids;
  EXPECT_EQ(grids, 11u);  // the puzzle and ten solutions
}

TEST_F(SolverTest, LogModeWritesHeaderAndNumberedSolutions) {
  std::string grid = kSolvedGrid;
  grid[0] = grid[1] = grid[9] = grid[10] = ' ';
  uint64_t solutions = PlainCount(grid, 100);
  solver.SolvePuzzle(Text(grid), out, 1, ~0ull, "log.txt");
  std::string log = ReadFile("log.txt");
  std::string expected = "\r\nInit-Sudoko:\r\n\"" + grid + "\"\r\nSolutions:\r\n";
  EXPECT_EQ(log.substr(0, expected.size()), expected);
  EXPECT_EQ(solver.SolutionCount(), solutions);
  EXPECT_NE(log.find("0000000000000001 : \"" + std::string(kSolvedGrid) + "\"\r\n"), std::string::npos);
  EXPECT_EQ(solver.LogFileSize(), log.size());

  std::filesystem::remove("log.txt");
  solver.SolvePuzzle(Text("99" + std::string(79, ' ')), out, 1, ~0ull, "log.txt");
  EXPECT_EQ(ReadFile("log.txt").substr(expected.size()),
            "Widersprüchliche Definitionen. N i c h t  l ö s b a r !!!!!!\r\n");
}

TEST_F(SolverTest, LogModeStopsAtTheDiskLimitAndOnCancel) {
  struct Host : SearchObserver {
    std::optional<uint64_t> FreeDiskBytes() override { return free; }
    bool SolutionLogged(int) override { return ++pumps == cancelAt; }
    void RunStarted() override { ++starts; }
    void RunEnded(bool) override { ++ends; }
    uint64_t free = 0;
    int pumps = 0, cancelAt = -1, starts = 0, ends = 0;
  } host;
  solver.SetObserver(&host);
  std::string empty(81, ' ');

  host.free = 3 * 1000;  // limit 1000 bytes: the log stops just past it
  solver.SolvePuzzle(Text(empty), out, 1, ~0ull, "log.txt");
  uint64_t size = solver.LogFileSize();
  EXPECT_GT(size, 1000u);
  EXPECT_LE(size, 1000u + 104u);
  EXPECT_EQ(host.starts, 1);
  EXPECT_EQ(host.ends, 1);

  host.free = 1ull << 40;
  host.cancelAt = 3;
  host.pumps = 0;
  solver.SolvePuzzle(Text(empty), out, 1, ~0ull, "cancel.txt");
  EXPECT_EQ(solver.SolutionCount(), 3u);
}

TEST(LogicSolve, NeverRemovesTheSolutionsDigits) {
  // Deductions must be sound: on every prefix-emptied grid the solution
  // digit stays a candidate of every cell.
  for (int emptied = 10; emptied <= 60; emptied += 10) {
    std::string grid = kSolvedGrid;
    for (int i = 0; i < emptied; ++i) grid[(i * 37) % 81] = ' ';
    Board board;
    TextToBoard(board, Text(grid));
    LogicSolve(board);
    for (int i = 0; i < 81; ++i) {
      EXPECT_TRUE(board[i] & (1u << (kSolvedGrid[i] - '0'))) << "cell " << i << " emptied " << emptied;
    }
  }
}

TEST(PropagatePass, ScoresSubsetsAndConfirmedSingles) {
  // Every cell solved: one point each, nothing else found.
  Board board;
  TextToBoard(board, Text(kSolvedGrid));
  EXPECT_EQ(PropagatePass(board), 81u);

  // Cell 0 emptied: found by the row test and confirmed twice (6), plus 80.
  std::string grid = kSolvedGrid;
  grid[0] = ' ';
  TextToBoard(board, Text(grid));
  EXPECT_EQ(PropagatePass(board), 86u);
}

}  // namespace
}  // namespace kx
