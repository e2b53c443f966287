#include "engine/bit_solver.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "../support/plain_backtracking.h"
#include "../support/puzzle_corpus.h"
#include "../support/puzzles.h"

namespace kx {
namespace {

using test::kSolvedGrid;
using test::PlainCount;
using test::Str;
using test::Text;

struct Collector : SolutionVisitor {
  bool Visit(const PuzzleText& solution, int depth) override {
    solutions.push_back(Str(solution));
    depths.push_back(depth);
    return solutions.size() < stopAfter;
  }
  std::vector<std::string> solutions;
  std::vector<int> depths;
  size_t stopAfter = SIZE_MAX;
};

TEST(BitSolver, CountsAgreeWithPlainBacktrackingOnEveryKindOfPuzzle) {
  for (const auto& puzzle : test::MakePuzzleCorpus(200, 7)) {
    const std::string text = Str(puzzle.text);
    ASSERT_EQ(CountSolutions(puzzle.text, 2), PlainCount(text, 2)) << puzzle.kind << " " << text;
    PuzzleText first;
    const bool found = FindFirstSolution(puzzle.text, first);
    ASSERT_EQ(found, PlainCount(text, 1) == 1) << text;
    if (found) {
      Board board;
      TextToBoard(board, first);
      ASSERT_EQ(CheckBoard(board), 0u) << text;
      for (int i = 0; i < 81; ++i) {
        if (text[i] >= '1' && text[i] <= '9') {
          ASSERT_EQ(first[i], text[i]) << text;
        }
      }
    }
  }
}

TEST(BitSolver, VisitsEverySolutionExactlyOnce) {
  // Rows emptied from a solved grid give a few to a few hundred solutions.
  for (const auto& rows : std::vector<std::vector<int>>{{0}, {0, 3, 6}, {0, 1, 4}, {2, 4, 7, 8}, {1, 2, 3, 5, 6}}) {
    std::string puzzle = kSolvedGrid;
    for (int row : rows) puzzle.replace(row * 9, 9, 9, '.');
    std::set<std::string> expected;
    test::PlainSolutions(puzzle, UINT64_MAX, [&](const std::string& s) {
      expected.insert(s);
      return true;
    });
    Collector collector;
    EXPECT_EQ(ForEachSolution(Text(puzzle), collector), expected.size());
    const std::set<std::string> visited(collector.solutions.begin(), collector.solutions.end());
    EXPECT_EQ(visited.size(), collector.solutions.size()) << "a solution came twice";
    EXPECT_EQ(visited, expected) << puzzle;
    EXPECT_EQ(CountSolutions(Text(puzzle), UINT64_MAX), expected.size());
    for (int depth : collector.depths) EXPECT_TRUE(depth >= 0 && depth <= 81);
  }
}

TEST(BitSolver, LimitsStopsAndBoards) {
  PuzzleText empty;
  empty.fill(' ');
  EXPECT_EQ(CountSolutions(empty, 1000), 1000u);
  EXPECT_EQ(CountSolutions(empty, 0), 0u);

  Collector stopping;
  stopping.stopAfter = 5;
  EXPECT_EQ(ForEachSolution(empty, stopping), 5u);

  EXPECT_EQ(CountSolutions(Text(kSolvedGrid), 10), 1u);
  PuzzleText solution;
  ASSERT_TRUE(FindFirstSolution(Text(std::string(kSolvedGrid).replace(40, 1, ".")), solution));
  EXPECT_EQ(Str(solution), kSolvedGrid);

  // Clashing clues, in a row and in a box; characters other than digits are empty cells.
  EXPECT_EQ(CountSolutions(Text("11" + std::string(79, '.')), 2), 0u);
  EXPECT_EQ(CountSolutions(Text("1........" ".1......." + std::string(63, '0')), 2), 0u);
  EXPECT_FALSE(FindFirstSolution(Text("1........" ".1......." + std::string(63, ' ')), solution));
  std::string broken = kSolvedGrid;
  broken[0] = broken[1];
  EXPECT_EQ(CountSolutions(Text(broken), 2), 0u);
}

}  // namespace
}  // namespace kx
