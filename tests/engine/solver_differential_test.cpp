// The solver takes shortcuts through the bit solver wherever they cannot
// change what a caller sees. This holds it to a plain, step-by-step
// reading of the search on puzzles of every kind: the rating, the count,
// the answer text, the current-solution file and the beep.
// KX_DIFFERENTIAL_PUZZLES sets how many puzzles (scripts/differential.sh
// runs the long campaign).
#include <gtest/gtest.h>

#include <fstream>

#include "../support/literal_solver.h"
#include "../support/puzzle_corpus.h"
#include "../support/puzzles.h"
#include "../support/recording_sink.h"
#include "../support/temp_dir.h"
#include "engine/solution_files.h"
#include "engine/solver.h"

namespace kx {
namespace {

struct BeepCounter : SearchObserver {
  void RunEnded(bool noSolution) override { beeps += noSolution; }
  int beeps = 0;
};

class SolverDifferential : public test::TempDirTest {
 protected:
  SolverDifferential() : solver(&host) {}

  // One call both ways; reports the first difference.
  void Compare(const test::CorpusPuzzle& puzzle, uint64_t wanted, uint64_t maximum, size_t index) {
    const test::LiteralRun literal = test::LiteralSolvePuzzle(puzzle.text, wanted, maximum);
    SCOPED_TRACE(::testing::Message() << "puzzle " << index << " (" << puzzle.kind << ") \"" << test::Str(puzzle.text)
                                      << "\" wanted " << wanted << " maximum " << maximum);

    sink.text.reset();
    solver.SetCurrentSolutionSink(&sink);
    host.beeps = 0;
    PuzzleText out;
    ASSERT_EQ(solver.SolvePuzzle(puzzle.text, out, wanted, maximum), literal.result);
    ASSERT_EQ(solver.SolutionCount(), literal.solutionCount);
    ASSERT_EQ(test::Str(out), test::Str(literal.out));
    ASSERT_EQ(host.beeps, literal.beeped ? 1 : 0);
    ASSERT_EQ(sink.text, literal.currentSolutionFile);

    // Without the file the search may stop sooner; the results stay.
    solver.SetCurrentSolutionSink(nullptr);
    ASSERT_EQ(solver.SolvePuzzle(puzzle.text, out, wanted, maximum), literal.result);
    ASSERT_EQ(solver.SolutionCount(), literal.solutionCount);
    ASSERT_EQ(test::Str(out), test::Str(literal.out));
  }

  BeepCounter host;
  test::RecordingSink sink;
  Solver solver;
};

TEST_F(SolverDifferential, AgreesWithTheLiteralSearchOnEveryKindOfPuzzle) {
  const auto corpus = test::MakePuzzleCorpus(test::CorpusSize("KX_DIFFERENTIAL_PUZZLES", 1500), 20261208);
  // The game's calls (1, 2), the generator's rating (1, 1), and limits on
  // both sides of where repeats become possible.
  static constexpr std::pair<uint64_t, uint64_t> kOtherCalls[] = {{1, 1}, {1, 3}, {1, 17}, {1, 18},
                                                                   {2, 2}, {5, 12}, {1, 10}};
  for (size_t i = 0; i < corpus.size(); ++i) {
    Compare(corpus[i], 1, 2, i);
    const auto [wanted, maximum] = kOtherCalls[i % std::size(kOtherCalls)];
    Compare(corpus[i], wanted, maximum, i);
    if (HasFatalFailure()) return;
  }
}

TEST_F(SolverDifferential, AgreesOnTheRecordedPuzzleMix) {
  // Puzzles that need long guessing, taken from the benchmark mix.
  std::ifstream in(KX_BENCH_DATA_DIR "/solve_mix.txt");
  size_t index = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.size() != 81) continue;
    if (index++ % 4 != 0) continue;
    Compare({"recorded", test::Text(line)}, 1, 2, index);
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(index, 900u);
}

}  // namespace
}  // namespace kx
