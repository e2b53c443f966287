#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "../support/puzzles.h"
#include "../support/temp_dir.h"
#include "engine/dedup.h"
#include "engine/solver.h"

namespace kx {
namespace {

// One puzzle with 1,013 solutions.
constexpr const char* kManySolutions =
    " 4   3         1 5   4 2   8       1  6  93  9      2      89  43   6    9 3   1 ";

size_t CountOf(const std::string& haystack, const std::string& needle) {
  size_t count = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++count;
  return count;
}

std::string ReadAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Looks at the log at every pump call, as a reader or a crash would.
class WatchingHost : public SolverHost {
 public:
  int PumpProgressWindow() override {
    const std::string log = ReadAll(kSolutionLogFile);
    ++calls;
    if (CountOf(log, " : \"") != solver->SolutionCount()) ++linesMissing;
    if (log.size() != solver->LogFileSize()) ++sizeWrong;
    return cancelAt != 0 && calls == cancelAt ? 1 : 0;
  }
  std::optional<uint64_t> FreeDiskBytes() override { return freeDisk; }

  Solver* solver = nullptr;
  int calls = 0, linesMissing = 0, sizeWrong = 0, cancelAt = 0;
  std::optional<uint64_t> freeDisk = uint64_t{1} << 40;
};

class EnumerationLogTest : public test::TempDirTest {
 protected:
  EnumerationLogTest() { host.solver = &solver; }
  uint32_t Enumerate(const char* puzzle) {
    PuzzleText out;
    return solver.SolvePuzzle(test::Text(puzzle), out, 1, ~uint64_t{0}, kSolutionLogFile);
  }
  WatchingHost host;
  Solver solver{&host};
};

TEST_F(EnumerationLogTest, EveryLineIsOnDiskWhenThePumpRuns) {
  Enumerate(kManySolutions);
  EXPECT_GE(solver.SolutionCount(), 1013u);
  EXPECT_EQ(static_cast<uint64_t>(host.calls), solver.SolutionCount());
  EXPECT_EQ(host.linesMissing, 0);
  EXPECT_EQ(host.sizeWrong, 0);
  const std::string log = ReadFile(kSolutionLogFile);
  EXPECT_EQ(log.rfind("\r\nInit-Sudoko:\r\n\"" + std::string(kManySolutions) + "\"\r\nSolutions:\r\n", 0), 0u);
  EXPECT_EQ(log.size(), 16 + 85 + 12 + 104 * solver.SolutionCount());
}

TEST_F(EnumerationLogTest, CancelAndDiskLimitEndTheSearchWithItsLinesKept) {
  host.cancelAt = 7;
  Enumerate(kManySolutions);
  EXPECT_EQ(solver.SolutionCount(), 7u);
  EXPECT_EQ(CountOf(ReadFile(kSolutionLogFile), " : \""), 7u);

  // A third of the free space is the limit: the line that passes it is
  // the last one.
  std::filesystem::remove(kSolutionLogFile);
  host.cancelAt = 0;
  host.freeDisk = 3 * (113 + 104 * 20 + 50);
  Enumerate(kManySolutions);
  EXPECT_EQ(solver.SolutionCount(), 21u);
  EXPECT_EQ(CountOf(ReadFile(kSolutionLogFile), " : \""), 21u);
}

TEST_F(EnumerationLogTest, ContradictionWritesHeaderAndItsLine) {
  std::string twoFives = "55" + std::string(79, ' ');
  EXPECT_EQ(Enumerate(twoFives.c_str()), kNoSolution);
  EXPECT_EQ(ReadFile(kSolutionLogFile), "\r\nInit-Sudoko:\r\n\"" + twoFives +
                                            "\"\r\nSolutions:\r\nWidersprüchliche Definitionen. N i c h t  l ö s b a r !!!!!!\r\n");
  EXPECT_EQ(host.calls, 0);
}

}  // namespace
}  // namespace kx
