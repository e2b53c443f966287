// "Alle Lösungen ermitteln" writes its log through the bit solver. After
// the rewrite the file must read exactly as after the rating search's log:
// the same solutions, the same puzzle lines, the same numbering.
// KX_ENUMERATION_PUZZLES and KX_ENUMERATION_MAX_SOLUTIONS widen the
// comparison (scripts/differential.sh).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "../support/literal_solver.h"
#include "../support/puzzle_corpus.h"
#include "../support/puzzles.h"
#include "../support/recording_sink.h"
#include "../support/temp_dir.h"
#include "engine/bit_solver.h"
#include "engine/dedup.h"
#include "engine/solution_files.h"
#include "engine/solver.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

// Ambiguous puzzles with between 2 and `most` solutions: clues of a unique
// puzzle removed one by one for as long as the count stays within it.
std::vector<PuzzleText> PuzzlesWithFewSolutions(size_t count, uint64_t most, uint32_t seed) {
  std::vector<PuzzleText> puzzles;
  std::mt19937 random(seed);
  for (const auto& unique : test::MakePuzzleCorpus(count * 5, seed)) {
    if (std::string(unique.kind) != "unique") continue;
    PuzzleText puzzle = unique.text;
    for (int tries = 0; tries < 200; ++tries) {
      const int cell = static_cast<int>(random() % 81);
      if (puzzle[cell] == ' ') continue;
      PuzzleText fewer = puzzle;
      fewer[cell] = ' ';
      if (CountSolutions(fewer, most + 1) > most) break;
      puzzle = fewer;
    }
    if (CountSolutions(puzzle, 2) == 2) puzzles.push_back(puzzle);
    if (puzzles.size() == count) break;
  }
  return puzzles;
}

class EnumerationDifferential : public test::TempDirTest {
 protected:
  // The log of one or more runs, rewritten; `fast` picks the bit solver.
  std::string Rewritten(const std::vector<PuzzleText>& runs, bool fast, const char* folder) {
    fs::create_directory(folder);
    fs::current_path(folder);
    Solver solver;
    PuzzleText out;
    for (const PuzzleText& puzzle : runs) {
      if (fast) {
        solver.EnumerateSolutions(puzzle, out, kSolutionLogFile);
        lastFastCount = solver.SolutionCount();
      } else {
        solver.SolvePuzzle(puzzle, out, 1, ~uint64_t{0}, kSolutionLogFile);
      }
    }
    DedupCounters counters;
    DedupOptions options;
    options.memoryLimit = 64 << 20;
    EXPECT_EQ(DeduplicateSolutionFile(kSolutionLogFile, counters, options), 0);
    std::string file = ReadFile(kSolutionLogFile);
    fs::current_path("..");
    fs::remove_all(folder);
    return file;
  }

  void Compare(const std::vector<PuzzleText>& runs) {
    const std::string rating = Rewritten(runs, false, "rating");
    const std::string fast = Rewritten(runs, true, "fast");
    ASSERT_EQ(fast.size(), rating.size()) << test::Str(runs.back());
    ASSERT_TRUE(fast == rating) << test::Str(runs.back());
    ASSERT_EQ(lastFastCount, CountSolutions(runs.back(), ~uint64_t{0}));
  }

  uint64_t lastFastCount = 0;
};

TEST_F(EnumerationDifferential, RewrittenFileEqualsTheRatingSearchs) {
  const size_t count = test::CorpusSize("KX_ENUMERATION_PUZZLES", 40);
  const uint64_t most = test::CorpusSize("KX_ENUMERATION_MAX_SOLUTIONS", 300);
  const auto puzzles = PuzzlesWithFewSolutions(count, most, 99);
  ASSERT_EQ(puzzles.size(), count);
  for (const PuzzleText& puzzle : puzzles) {
    Compare({puzzle});
    if (HasFatalFailure()) return;
  }
  // Several runs into one log, one of them twice, and runs without a solution.
  PuzzleText clash = puzzles[0];
  clash[0] = clash[1] = '5';
  clash[2] = ' ';
  PuzzleText full;
  ASSERT_TRUE(FindFirstSolution(puzzles[1], full));
  Compare({puzzles[0], puzzles[1], puzzles[0], clash, full, puzzles[2]});
}

TEST_F(EnumerationDifferential, SharedBenchmarkPuzzles) {
  // The benchmark puzzles with 1,013 and 100,697 solutions (copies of the
  // shared set). Long for the rating search: only when asked for.
  if (test::CorpusSize("KX_ENUMERATION_PUZZLES", 0) == 0) GTEST_SKIP() << "set KX_ENUMERATION_PUZZLES";
  for (const char* name : {"enum_1e3.txt", "enum_1e5.txt"}) {
    std::ifstream in(std::string(KX_TEST_DATA_DIR) + "/enumeration/" + name);
    std::string line;
    ASSERT_TRUE(std::getline(in, line)) << name;
    Compare({test::Text(line)});
  }
}

TEST_F(EnumerationDifferential, RatingSearchLogModeIsTheLiteralOne) {
  // The reference above is the solver's own log mode; it is held to the
  // literal reading here, where that is quick.
  for (const PuzzleText& puzzle : PuzzlesWithFewSolutions(15, 40, 5)) {
    Solver solver;
    test::RecordingSink sink;
    solver.SetCurrentSolutionSink(&sink);
    PuzzleText out;
    const uint32_t result = solver.SolvePuzzle(puzzle, out, 1, ~uint64_t{0}, kSolutionLogFile);
    const test::LiteralRun literal = test::LiteralSolvePuzzle(puzzle, 1, ~uint64_t{0}, true);
    EXPECT_EQ(ReadFile(kSolutionLogFile), literal.log);
    EXPECT_EQ(result, literal.result);
    EXPECT_EQ(sink.text, literal.currentSolutionFile);

    // The fast path leaves the same answer and current-solution text.
    sink.text.reset();
    PuzzleText fastOut;
    EXPECT_EQ(solver.EnumerateSolutions(puzzle, fastOut, "fast.txt"), result);
    EXPECT_EQ(fastOut, out);
    EXPECT_EQ(sink.text, literal.currentSolutionFile);
    fs::remove(kSolutionLogFile);
    fs::remove("fast.txt");
  }
}

}  // namespace
}  // namespace kx
