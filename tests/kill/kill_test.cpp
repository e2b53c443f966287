// SIGKILL at random moments while a file is replaced: the exit write of
// the real game, "Spiel speichern" and the CLI's rewrite of the solution
// log. After every kill the next start must find the old or the new file
// whole. The delays come from a fixed seed, printed with the tallies.
#include <gtest/gtest.h>
#include <signal.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>
#include <algorithm>
#include <string>
#include <vector>

#include "../support/puzzles.h"
#include "../support/scripted_host.h"
#include "../support/temp_dir.h"
#include "engine/dedup.h"
#include "engine/solution_files.h"
#include "game/cell_operations.h"
#include "game/file_commands.h"
#include "game/program.h"
#include "game/state_file.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kKills = 100;
constexpr uint32_t kSeed = 17;

StateFileContent Parse(const std::string& bytes) {
  return ParseStateFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// A child process; the pipe carries its standard output.
struct Child {
  pid_t pid = -1;
  int output = -1;
};

Child Spawn(const std::vector<std::string>& args, const std::vector<std::string>& environment) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeFds[1], STDOUT_FILENO);
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDERR_FILENO);
    close(pipeFds[0]);
    close(pipeFds[1]);
    for (const std::string& e : environment) putenv(const_cast<char*>(e.c_str()));
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  return {pid, pipeFds[0]};
}

// Kills the child after `delay` (it may have ended by then) and reaps it.
void KillAfter(const Child& child, std::chrono::microseconds delay) {
  std::this_thread::sleep_for(delay);
  kill(child.pid, SIGKILL);
  int status = 0;
  waitpid(child.pid, &status, 0);
  if (child.output >= 0) close(child.output);
}

// Waits for a line on the child's output (the game's first frame).
bool WaitForLine(const Child& child) {
  char c;
  while (read(child.output, &c, 1) == 1)
    if (c == '\n') return true;
  return false;
}

// Polls until the file exists (or no longer does): false after a second.
bool WaitForFile(const fs::path& path, bool exists) {
  const auto until = Clock::now() + std::chrono::seconds(1);
  while (fs::exists(path) != exists) {
    if (Clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(20));
  }
  return true;
}

// A game with a long history: its state file takes a while to write.
void PlayLongGame(Program& p, int steps) {
  ReadStateFile(p, kStateFileName);
  int cell = 0;
  while (IsSolved(p.state.currentBoard[cell])) ++cell;
  for (int k = 0; k < steps; ++k) ToggleCandidateMark(p, cell, 1 + k % 2);
}

class KillTest : public test::TempDirTest {
 protected:
  std::mt19937 random{kSeed};
  std::chrono::microseconds Delay(std::chrono::microseconds longest) {
    return std::chrono::microseconds(std::uniform_int_distribution<int64_t>(0, longest.count())(random));
  }
};

TEST_F(KillTest, ExitWriteOfTheGameLeavesTheOldOrTheNewStateFile) {
  const fs::path home = dir_ / "home";
  fs::create_directories(home);
  test::ScriptedHost host;
  Program p(host);
  p.solver.SetCurrentSolutionSink(nullptr);
  PlayLongGame(p, 30000);  // 10.8 MB: the write takes a good part of the exit
  ASSERT_TRUE(WriteStateFile(p, (home / kStateFileName).string()));
  const std::string old = ReadFile(home / kStateFileName);
  const std::vector<std::string> environment = {"KX_SUDOKU_HOME=" + home.string(), "QT_QPA_PLATFORM=offscreen",
                                                "KX_SUDOKU_STARTUP_PROBE=1"};

  // One run to its end: how long the exit takes after the first frame,
  // and how long its temporary file stands.
  const fs::path temporary = home / (std::string(kStateFileName) + ".tmp~");
  Child child = Spawn({KX_GAME_EXECUTABLE}, environment);
  ASSERT_TRUE(WaitForLine(child));
  const auto frame = Clock::now();
  ASSERT_TRUE(WaitForFile(temporary, true));
  const auto writeStart = Clock::now();
  ASSERT_TRUE(WaitForFile(temporary, false));
  const auto writeTime = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - writeStart);
  int status = 0;
  waitpid(child.pid, &status, 0);
  close(child.output);
  const auto exitTime = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - frame);
  const std::string written = ReadFile(home / kStateFileName);
  ASSERT_TRUE(Parse(written).valid);

  int oldFound = 0, newFound = 0, duringWrite = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    fs::remove(temporary);
    std::ofstream(home / kStateFileName, std::ios::binary) << old;
    child = Spawn({KX_GAME_EXECUTABLE}, environment);
    ASSERT_TRUE(WaitForLine(child));
    // Every other kill is aimed at the write itself.
    if (kill % 2 == 0) {
      KillAfter(child, Delay(exitTime + exitTime / 5));
    } else {
      WaitForFile(temporary, true);
      KillAfter(child, Delay(writeTime));
    }
    const std::string now = ReadFile(home / kStateFileName);
    const StateFileContent content = Parse(now);
    ASSERT_TRUE(content.valid) << "kill " << kill << ": " << now.size() << " bytes";
    ASSERT_EQ(content.stepCount, Parse(old).stepCount) << "kill " << kill;
    ++(now == old ? oldFound : newFound);
    if (fs::exists(temporary)) ++duringWrite;
  }
  std::printf("seed %u: %d kills within %lld us of the exit (%d during the write): old file %d times, new file %d times\n",
              kSeed, kKills, static_cast<long long>(exitTime.count()), duringWrite, oldFound, newFound);
}

TEST_F(KillTest, SavingTheGameLeavesOnlyWholeSavedGames) {
  test::ScriptedHost host;
  Program p(host);
  p.solver.SetCurrentSolutionSink(nullptr);
  PlayLongGame(p, 6000);
  const size_t expected = SerializeStateFile(p).size();

  int whole = 0, duringWrite = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    const pid_t pid = fork();
    if (pid == 0) {
      // "Spiel speichern" again and again, one file per second of the clock.
      for (int second = 0;; ++second) {
        host.now.second = second % 60;
        host.now.minute = second / 60 % 60;
        host.now.hour = kill % 24;
        p.state.gameStatus &= ~status::kGameSaved;
        SaveGameCommand(p);
      }
    }
    KillAfter({pid, -1}, Delay(std::chrono::milliseconds(40)));
    for (const auto& entry : fs::directory_iterator(".")) {
      const std::string name = entry.path().filename().string();
      if (!IsSavedGameName(name)) continue;
      const std::string bytes = ReadFile(entry.path());
      ASSERT_EQ(bytes.size(), expected) << name;
      ASSERT_TRUE(Parse(bytes).valid) << name;
      ++whole;
    }
    for (const auto& entry : fs::directory_iterator(".")) {
      const std::string name = entry.path().filename().string();
      if (name.size() > 5 && name.compare(name.size() - 5, 5, ".tmp~") == 0) ++duringWrite;
      fs::remove(entry.path());
    }
  }
  std::printf("seed %u: %d kills while saving (%d during a write), %d whole saved games and no cut one\n", kSeed,
              kKills, duringWrite, whole);
}

TEST_F(KillTest, RewriteOfTheSolutionLogLeavesTheOldOrTheNewLog) {
  // 60,000 solutions (digit relabellings of one grid), each twice.
  std::string log;
  PuzzleText grid;
  std::string digits = "123456789";
  for (int n = 0; n < 60000; ++n) {
    std::next_permutation(digits.begin(), digits.end());
    for (int i = 0; i < 81; ++i) grid[i] = digits[test::kSolvedGrid[i] - '1'];
    if (n % 5000 == 0) AppendRunHeader(log, grid);
    AppendSolutionLine(log, 2 * n + 1, grid);
    AppendSolutionLine(log, 2 * n + 2, grid);
  }
  std::ofstream(kSolutionLogFile, std::ios::binary) << log;
  DedupCounters counters;
  DedupOptions options;
  options.memoryLimit = 1 << 20;  // the CLI's limit may differ: splitting changes no byte
  ASSERT_EQ(DeduplicateSolutionFile(kSolutionLogFile, counters, options), 0);
  const std::string rewritten = ReadFile(kSolutionLogFile);

  const auto started = Clock::now();
  std::ofstream(kSolutionLogFile, std::ios::binary) << log;
  Child child = Spawn({KX_CLI_EXECUTABLE, "dedup", kSolutionLogFile}, {});
  int status = 0;
  waitpid(child.pid, &status, 0);
  close(child.output);
  const auto runTime = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);
  ASSERT_EQ(ReadFile(kSolutionLogFile), rewritten);

  const auto temporaries = [] {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(".")) {
      const std::string name = entry.path().filename().string();
      if (name.compare(0, 2, "KX") == 0 && name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0) {
        fs::remove(entry.path());
        ++n;
      }
    }
    return n;
  };
  int oldFound = 0, newFound = 0, duringRewrite = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    std::ofstream(kSolutionLogFile, std::ios::binary) << log;
    child = Spawn({KX_CLI_EXECUTABLE, "dedup", kSolutionLogFile}, {});
    KillAfter(child, Delay(runTime + runTime / 5));
    const std::string now = ReadFile(kSolutionLogFile);
    ASSERT_TRUE(now == log || now == rewritten) << "kill " << kill << ": " << now.size() << " bytes";
    ++(now == log ? oldFound : newFound);
    if (temporaries() > 0) ++duringRewrite;
  }
  std::printf("seed %u: %d kills within %lld us of the rewrite (%d left its temporary files): old log %d times, new log %d times\n",
              kSeed, kKills, static_cast<long long>(runTime.count()), duringRewrite, oldFound, newFound);
}

}  // namespace
}  // namespace kx
