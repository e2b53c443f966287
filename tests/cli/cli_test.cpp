#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "../support/puzzle_corpus.h"
#include "../support/puzzles.h"
#include "../support/temp_dir.h"
#include "cli/engine_commands.h"

namespace kx::cli {
namespace {

struct CommandRun {
  int status;
  std::string out, err;
};

CommandRun RunCommand(int (*command)(const Args&, std::istream&, std::ostream&, std::ostream&), const Args& args,
               const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  int status = command(args, in, out, err);
  return {status, out.str(), err.str()};
}

class CliTest : public test::TempDirTest {};

TEST_F(CliTest, SolvePrintsRatingCountAndBoard) {
  std::string builtin = "6..95.4121.9.7.65.42563...8.1458.92..6..948355983...4693.865.74..62493.1.....3..9";
  CommandRun run = RunCommand(RunSolve, {"--no-files"}, builtin + "\n" + std::string(81, '.') + "\n");
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  std::string first, second;
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_EQ(first, "621 1 " + std::string(test::kSolvedGrid));
  EXPECT_EQ(second.substr(second.find(' ') + 1, 2), "2 ");
  EXPECT_EQ(second.find('.'), std::string::npos);
}

TEST_F(CliTest, ContradictionPrintsNoSolutionAndTheBoard) {
  std::string twoEqual = "55" + std::string(79, '.');
  CommandRun run = RunCommand(RunSolve, {}, twoEqual + "\n");
  EXPECT_EQ(run.out, "4294967295 0 " + twoEqual + "\n");
}

TEST_F(CliTest, MalformedLinesAreNamedAndTheRestIsProcessed) {
  std::string input = "# comment\n\n" + std::string(80, '.') + "\r\n" + std::string(test::kSolvedGrid) + "\r\n";
  CommandRun run = RunCommand(RunCheck, {}, input);
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("line 3"), std::string::npos);
  EXPECT_EQ(run.out, "00000000\n");
}

TEST_F(CliTest, LogicPassAndFormat) {
  std::string grid = test::kSolvedGrid;
  grid[0] = '.';
  EXPECT_EQ(RunCommand(RunPass, {}, grid + "\n").out, "86 " + std::string(test::kSolvedGrid) + "\n");
  EXPECT_EQ(RunCommand(RunLogic, {}, grid + "\n").out, "253 " + std::string(test::kSolvedGrid) + "\n");
  EXPECT_EQ(RunCommand(RunFormatCount, {"18446744073709551615"}, "").out, "18.446.744.073.709.551.615\n");
  EXPECT_EQ(RunCommand(RunFormatCount, {"12x"}, "").status, 2);
  EXPECT_EQ(RunCommand(RunSolve, {"--max"}, "").status, 2);
  EXPECT_EQ(RunCommand(RunSolve, {"--bogus"}, "").status, 2);
  EXPECT_EQ(RunCommand(RunSolve, {"--threads", "0"}, "").status, 2);
}

// Rated on several threads, in batches, the answers are those of one
// thread in input order; a bad line is reported as before. The corpus
// holds every kind of puzzle, slow and fast ones mixed, so that the
// threads finish their items out of order.
TEST(ThreadedSolveDifferential, AnswersAsOneThreadDoes) {
  const auto corpus = test::MakePuzzleCorpus(test::CorpusSize("KX_DIFFERENTIAL_PUZZLES", 1500), 20261210);
  std::string input;
  for (size_t i = 0; i < corpus.size(); ++i) {
    input.append(corpus[i].text.data(), corpus[i].text.size()).push_back('\n');
    if (i == corpus.size() / 2) input += "too short\n";
  }
  for (const char* maximum : {"2", "5"}) {
    CommandRun one = RunCommand(RunSolve, {"--no-files", "--max", maximum, "--threads", "1"}, input);
    CommandRun three = RunCommand(RunSolve, {"--no-files", "--max", maximum, "--threads", "3"}, input);
    EXPECT_EQ(one.status, 2);
    EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), static_cast<long>(corpus.size()));
    EXPECT_TRUE(one.out == three.out) << "--max " << maximum;
    EXPECT_EQ(three.status, one.status);
    EXPECT_EQ(three.err, one.err);
  }
}

}  // namespace
}  // namespace kx::cli
