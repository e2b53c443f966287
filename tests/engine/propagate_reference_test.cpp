// The solver's deduction pass is tuned for speed; its scores are the
// program's difficulty ratings, so it is checked against a plain reading of
// the rules on many boards, and whole runs against recorded results.
#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <random>
#include <sstream>

#include "../support/puzzles.h"
#include "../support/temp_dir.h"
#include "cli/engine_commands.h"
#include "engine/propagate.h"

namespace kx {
namespace {

uint32_t ReferencePass(Board& b) {
  auto single = [](unsigned x) { return std::popcount(x & 0x3FEu) == 1; };
  uint32_t score = 0;
  for (int i = 0; i < 81; ++i) {
    int r0 = i / 9 * 9, c = i % 9, o = BoxOrigin(i);
    int row[9], column[9], box[9];
    for (int k = 0; k < 9; ++k) {
      row[k] = r0 + k;
      column[k] = c + 9 * k;
      box[k] = o + (k / 3) * 9 + k % 3;
    }
    const int* unitsOfCell[3] = {row, column, box};
    unsigned w = b[i];
    if (single(w)) {
      score += 1;
      for (const int* unit : unitsOfCell)
        for (int k = 0; k < 9; ++k) b[unit[k]] = static_cast<CellWord>(b[unit[k]] & ~w);
      b[i] = static_cast<CellWord>(w);
      continue;
    }
    unsigned m = ~w & 0xFFFFu;
    for (const int* unit : unitsOfCell) {
      for (int k = 0; k < 9; ++k)
        if (unit[k] != i) m |= b[unit[k]];
      unsigned complement = ~m & 0xFFFFu;
      if (single(complement)) {
        b[i] = static_cast<CellWord>(complement);
        score += 2;
      }
    }
    CellWord v = b[i];
    int n = std::popcount(static_cast<unsigned>(v & 0x3FE));
    if (n < 2) continue;
    for (const int* unit : unitsOfCell) {
      int same = 0;
      for (int k = 0; k < 9; ++k) same += b[unit[k]] == v;
      if (same != n) continue;
      score += 2 * n;
      for (int k = 0; k < 9; ++k)
        if (b[unit[k]] != v) b[unit[k]] = static_cast<CellWord>(b[unit[k]] & ~v);
    }
  }
  return score;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  return lines;
}

TEST(PropagatePass, AgreesWithAPlainReadingOnGuessedBoards) {
  auto puzzles = ReadLines(KX_BENCH_DATA_DIR "/solve_mix.txt");
  ASSERT_GE(puzzles.size(), 1000u);
  std::mt19937 random(7);
  int boards = 0;
  for (size_t p = 0; p < puzzles.size(); p += 3) {
    Board board;
    TextToBoard(board, test::Text(puzzles[p]));
    for (int step = 0; step < 12; ++step) {
      Board fast = board, reference = board;
      uint32_t fastScore = PropagatePass(fast);
      ASSERT_EQ(fastScore, ReferencePass(reference)) << "puzzle " << p << " step " << step;
      ASSERT_EQ(fast, reference) << "puzzle " << p << " step " << step;
      ++boards;
      // Guess a candidate of some open cell, as the search's probes do.
      board = fast;
      int open[81], count = 0;
      for (int i = 0; i < 81; ++i)
        if (CountCandidates(board[i]) >= 2) open[count++] = i;
      if (count == 0) break;
      int cell = open[random() % count];
      KeepNthCandidate(&board[cell], 1 + random() % CountCandidates(board[cell]));
    }
  }
  EXPECT_GT(boards, 2000);
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
