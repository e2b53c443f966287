#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/puzzles.h"
#include "../support/recording_sink.h"
#include "../support/temp_dir.h"
#include "engine/dedup.h"
#include "engine/solution_files.h"
#include "engine/solver.h"

namespace kx {
namespace {

// One puzzle with 1,013 solutions.
constexpr const char* kManySolutions =
    " 4   3         1 5   4 2   8       1  6  93  9      2      89  43   6    9 3   1 ";
constexpr size_t kHeaderBytes = 16 + 85 + 12;

// Looks at the log after every solution, as a reader or a crash would.
class WatchingHost : public SearchObserver {
 public:
  bool SolutionLogged(int) override {
    ++calls;
    if (test::ReadFile(kSolutionLogFile).size() != kHeaderBytes + 104 * solver->SolutionCount()) ++notOnDisk;
    return false;
  }
  std::optional<uint64_t> FreeDiskBytes() override { return freeDisk; }

  Solver* solver = nullptr;
  int calls = 0, notOnDisk = 0;
  std::optional<uint64_t> freeDisk = uint64_t{1} << 40;
};

class EnumerationLogTest : public test::TempDirTest {
 protected:
  EnumerationLogTest() { host.solver = &solver; }
  uint32_t Enumerate(const std::string& puzzle) {
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
  EXPECT_EQ(host.notOnDisk, 0);
  EXPECT_EQ(ReadFile(kSolutionLogFile).rfind("\r\nInit-Sudoko:\r\n\"" + std::string(kManySolutions) + "\"\r\nSolutions:\r\n", 0), 0u);
}

TEST_F(EnumerationLogTest, DiskLimitEndsTheSearchAfterTheLineThatPassesIt) {
  // A third of the free space is the limit.
  host.freeDisk = 3 * (kHeaderBytes + 104 * 20 + 50);
  Enumerate(kManySolutions);
  EXPECT_EQ(solver.SolutionCount(), 21u);
  EXPECT_EQ(ReadFile(kSolutionLogFile).size(), kHeaderBytes + 104 * 21);
}

// The number is formatted a byte lane at a time: every nibble value in
// every position, carries at the 32-bit seam and the largest number.
TEST(SolutionLineTest, NumberReadsAsSixteenUpperCaseHexDigits) {
  std::vector<uint64_t> numbers = {0, 1, 9, 10, 15, 16, 0xFFFFFFFF, 0x100000000, ~uint64_t{0}};
  for (int shift = 0; shift < 64; shift += 4) {
    for (uint64_t nibble = 0; nibble < 16; ++nibble) numbers.push_back(nibble << shift | 0x5A);
  }
  for (uint64_t n = 1; n != 0 && numbers.size() < 4000; n = n * 6364136223846793005u + 1442695040888963407u) {
    numbers.push_back(n);
  }
  const PuzzleText text = test::Text(kManySolutions);
  for (const uint64_t number : numbers) {
    char line[kSolutionLineSize];
    FormatSolutionLine(line, number, text);
    char expected[17];
    std::snprintf(expected, sizeof expected, "%016llX", static_cast<unsigned long long>(number));
    ASSERT_EQ(std::string(line, 16), expected) << number;
    ASSERT_EQ(std::string(line + 16, 88), " : \"" + std::string(kManySolutions) + "\"\r\n");
  }
}

TEST_F(EnumerationLogTest, ContradictionWritesHeaderAndItsLine) {
  const std::string twoFives = "55" + std::string(79, ' ');
  EXPECT_EQ(Enumerate(twoFives), kNoSolution);
  EXPECT_EQ(ReadFile(kSolutionLogFile), "\r\nInit-Sudoko:\r\n\"" + twoFives +
                                            "\"\r\nSolutions:\r\nWidersprüchliche Definitionen. N i c h t  l ö s b a r !!!!!!\r\n");
}

// The all-solutions search writes its lines through the bit solver.
class FastEnumerationTest : public test::TempDirTest {
 protected:
  struct Host : SearchObserver {
    std::optional<uint64_t> FreeDiskBytes() override { return freeDisk; }
    bool BusyEnumerating() const override { return true; }
    uint32_t TickCount() override { return now += 7; }
    void SearchDisplayHook(const Board&, int cell) override {
      ++displays;
      shownCell = cell;
    }
    void RunStarted() override { ++starts; }
    void RunEnded(bool noSolution) override {
      ++ends;
      beeps += noSolution;
    }
    bool SolutionLogged(int depth) override {
      marked = depth;
      return ++pumps == cancelAt;
    }
    int pumps = 0, cancelAt = -1, displays = 0, shownCell = -1, starts = 0, ends = 0, marked = -1, beeps = 0;
    uint32_t now = 0;
    std::optional<uint64_t> freeDisk = uint64_t{1} << 40;
  };
  uint32_t Enumerate(const std::string& puzzle) {
    PuzzleText out;
    return solver.EnumerateSolutions(test::Text(puzzle), out, kSolutionLogFile);
  }
  FastEnumerationTest() { solver.SetCurrentSolutionSink(&sink); }
  Host host;
  test::RecordingSink sink;
  Solver solver{&host};
};

TEST_F(FastEnumerationTest, WritesEachSolutionOnceNumberedAfterTheHeader) {
  Enumerate(kManySolutions);
  EXPECT_EQ(solver.SolutionCount(), 1013u);
  const std::string log = ReadFile(kSolutionLogFile);
  ASSERT_EQ(log.size(), kHeaderBytes + 104 * 1013);
  EXPECT_EQ(solver.LogFileSize(), log.size());
  EXPECT_EQ(log.substr(kHeaderBytes + 104 * 1012, 20), "00000000000003F5 : \"");
  EXPECT_EQ(host.pumps, 1013);
  // A display at most every 200 ms of the clock, which moves 7 ms a call.
  EXPECT_GT(host.displays, 0);
  EXPECT_LE(host.displays, 1013 * 7 * 2 / 200 + 1);
  EXPECT_GE(host.marked, 0);
  EXPECT_LE(host.marked, 81);
  EXPECT_EQ(host.starts, host.ends);
  EXPECT_EQ(host.beeps, 0);
}

TEST_F(FastEnumerationTest, CancelAndDiskLimitStopAfterTheirSolution) {
  host.cancelAt = 5;
  Enumerate(kManySolutions);
  EXPECT_EQ(solver.SolutionCount(), 5u);
  EXPECT_EQ(ReadFile(kSolutionLogFile).size(), kHeaderBytes + 104 * 5);
  // The current-solution text shows the puzzle and those five, no more.
  const std::string grids = sink.text.value_or("");
  size_t rules = 0;
  for (size_t at = grids.find("-----------"); at != std::string::npos; at = grids.find("-----------", at + 1)) ++rules;
  EXPECT_EQ(rules, 1u + 5);

  std::filesystem::remove(kSolutionLogFile);
  host.cancelAt = -1;
  host.freeDisk = 3 * (kHeaderBytes + 104 * 20 + 50);
  Enumerate(kManySolutions);
  EXPECT_EQ(solver.SolutionCount(), 21u);
  EXPECT_EQ(ReadFile(kSolutionLogFile).size(), kHeaderBytes + 104 * 21);
}

TEST_F(FastEnumerationTest, ContradictionGivesItsLineAndOneBeep) {
  const std::string dry = "12345678." + std::string(8, '.') + "9" + std::string(63, '.');
  EXPECT_EQ(Enumerate(dry), kNoSolution);
  EXPECT_EQ(solver.SolutionCount(), 0u);
  EXPECT_EQ(host.beeps, 1);
  EXPECT_EQ(ReadFile(kSolutionLogFile), "\r\nInit-Sudoko:\r\n\"" + dry +
                                            "\"\r\nSolutions:\r\nWidersprüchliche Definitionen. N i c h t  l ö s b a r !!!!!!\r\n");
}

}  // namespace
}  // namespace kx
