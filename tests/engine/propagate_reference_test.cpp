// The deduction pass and the consistency check are tuned for speed; the
// pass's scores are the program's difficulty ratings, so both are checked
// against a plain reading of the rules on many boards, and whole runs
// against recorded results.
#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <random>
#include <sstream>

#include "../support/literal_solver.h"
#include "../support/puzzles.h"
#include "../support/temp_dir.h"
#include "cli/engine_commands.h"
#include "engine/propagate.h"

namespace kx {
namespace {

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  return lines;
}

// Boards the search meets: puzzles with guesses of open cells on top.
std::vector<Board> GuessedBoards() {
  auto puzzles = ReadLines(KX_BENCH_DATA_DIR "/solve_mix.txt");
  std::mt19937 random(7);
  std::vector<Board> boards;
  for (size_t p = 0; p < puzzles.size(); p += 3) {
    Board board;
    TextToBoard(board, test::Text(puzzles[p]));
    for (int step = 0; step < 12; ++step) {
      boards.push_back(board);
      Board next = board;
      test::LiteralPass(next);
      int open[81], count = 0;
      for (int i = 0; i < 81; ++i)
        if (CountCandidates(next[i]) >= 2) open[count++] = i;
      if (count == 0) break;
      const int cell = open[random() % count];
      KeepNthCandidate(&next[cell], 1 + random() % CountCandidates(next[cell]));
      board = next;
    }
  }
  return boards;
}

// Random words, junk bits outside the candidates included: the pass and the
// check are defined on whole 16-bit words.
std::vector<Board> RandomBoards(int count) {
  std::mt19937 random(11);
  std::vector<Board> boards(count);
  for (Board& board : boards) {
    const int kind = static_cast<int>(random() % 4);
    for (CellWord& w : board) {
      const unsigned r = random();
      if (kind == 0) w = static_cast<CellWord>(r);                                  // anything
      else if (kind == 1) w = static_cast<CellWord>(r & 0x3FE);                     // candidates only
      else if (kind == 2) w = static_cast<CellWord>(2u << (r % 9));                 // solved cells
      else w = static_cast<CellWord>((r % 3 == 0) ? (2u << (r % 9)) : (r & 0x3FE));  // a mix
    }
  }
  return boards;
}

TEST(PropagatePass, AgreesWithAPlainReadingOnGuessedAndRandomBoards) {
  auto boards = GuessedBoards();
  ASSERT_GT(boards.size(), 2000u);
  const auto random = RandomBoards(20000);
  boards.insert(boards.end(), random.begin(), random.end());
  for (size_t k = 0; k < boards.size(); ++k) {
    Board fast = boards[k], literal = boards[k];
    ASSERT_EQ(PropagatePass(fast), test::LiteralPass(literal)) << "board " << k;
    ASSERT_EQ(fast, literal) << "board " << k;
    fast = literal = boards[k];
    ASSERT_EQ(LogicSolve(fast), test::LiteralLogicSolve(literal)) << "board " << k;
    ASSERT_EQ(fast, literal) << "board " << k;
  }
}

// The search's use: a base from LogicSolve, then runs on the base with one
// cell narrowed, the base losing candidates now and then; also boards that
// do not lie within the base at all.
TEST(DeductionBase, RunsOnNarrowedBoardsAgreeWithPlainLogicSolve) {
  auto boards = GuessedBoards();
  const auto random = RandomBoards(3000);
  boards.insert(boards.end(), random.begin(), random.end());
  std::mt19937 draw(5);
  DeductionBase base, copy;
  int narrowedRuns = 0;
  for (size_t k = 0; k < boards.size(); ++k) {
    Board frame = boards[k], plain = boards[k];
    ASSERT_EQ(base.LogicSolveAndKeep(frame), LogicSolve(plain)) << "board " << k;
    ASSERT_EQ(frame, plain) << "board " << k;
    copy = base;
    for (int step = 0; step < 6; ++step) {
      const int cell = static_cast<int>(draw() % 81);
      const int n = CountCandidates(frame[cell]);
      if (n < 2) continue;
      Board probe = frame;
      KeepNthCandidate(&probe[cell], 1 + draw() % n);
      plain = probe;
      ASSERT_EQ(copy.LogicSolve(probe), LogicSolve(plain)) << "board " << k << " step " << step;
      ASSERT_EQ(probe, plain) << "board " << k << " step " << step;
      ++narrowedRuns;
      if (step % 2 == 1) {
        RemoveNthCandidate(&frame[cell], 1 + draw() % n);
        copy.Narrow(frame);
      }
    }
    // Not within the base: a plain run.
    Board other = boards[(k + 1) % boards.size()];
    plain = other;
    ASSERT_EQ(copy.LogicSolve(other), LogicSolve(plain)) << "board " << k;
    ASSERT_EQ(other, plain) << "board " << k;
  }
  EXPECT_GT(narrowedRuns, 5000);
}

TEST(CheckBoard, AgreesWithAPlainReadingOnGuessedAndRandomBoards) {
  auto boards = GuessedBoards();
  const auto random = RandomBoards(20000);
  boards.insert(boards.end(), random.begin(), random.end());
  for (size_t k = 0; k < boards.size(); ++k) {
    ASSERT_EQ(CheckBoard(boards[k]), test::LiteralCheckBoard(boards[k])) << "board " << k;
    Board solvedOrNot = boards[k];
    test::LiteralLogicSolve(solvedOrNot);
    ASSERT_EQ(CheckBoard(solvedOrNot), test::LiteralCheckBoard(solvedOrNot)) << "board " << k;
  }
}

class RecordedRuns : public test::TempDirTest {};

TEST_F(RecordedRuns, SolverResultsMatchTheRecordedRatings) {
  std::ifstream puzzles(KX_BENCH_DATA_DIR "/solve_mix.txt");
  std::ostringstream out, err;
  ASSERT_EQ(cli::RunSolve({"--no-files"}, puzzles, out, err), 0) << err.str();
  auto expected = ReadLines(KX_TEST_DATA_DIR "/solve_mix_expected.txt");
  std::istringstream actual(out.str());
  size_t line = 0;
  for (std::string got; std::getline(actual, got); ++line) {
    ASSERT_LT(line, expected.size());
    EXPECT_EQ(got, expected[line]) << "puzzle " << line;
  }
  EXPECT_EQ(line, expected.size());
}

}  // namespace
}  // namespace kx
