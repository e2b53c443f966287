#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "../game/game_fixture.h"
#include "app/startup.h"
#include "qt/single_instance.h"

namespace kx {
namespace {

using test::GameTest;

bool CatchesSigterm(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
  }
  return false;
}

TEST_F(GameTest, SavedGameArgumentKeepsTheInterruptedGame) {
  for (int i = 0; i < 3; ++i) Type(EmptyCells()[0], test::kSolvedGrid[EmptyCells()[0]]);
  ASSERT_TRUE(WriteStateFile(p, "SuDoKu_2025_01_01__10_00_00.kxs"));
  test::ScriptedHost before;
  Program interrupted(before);
  ReadStateFile(interrupted, kStateFileName);
  ASSERT_TRUE(WriteStateFile(interrupted, kStateFileName));

  test::ScriptedHost otherHost;
  Program q(otherHost);
  LoadStartGame(q, QDir::current().absoluteFilePath("sudoku_2025_01_01__10_00_00.KXS").replace("sudoku_2025_01_01__10_00_00.KXS", "SuDoKu_2025_01_01__10_00_00.kxs"));
  EXPECT_EQ(q.history.StepCount(), 4);
  EXPECT_FALSE(std::filesystem::exists(kStateFileName));
  EXPECT_TRUE(std::filesystem::exists("SuDoKu_2026_12_08__14_30_15_argument.kxs"));
}

TEST_F(GameTest, UnusableArgumentsAreIgnored) {
  ASSERT_TRUE(WriteStateFile(p, kStateFileName));
  std::filesystem::create_directory("SuDoKu_dir.kxs");
  std::filesystem::copy_file(kStateFileName, "other_name.kxs");
  for (const char* argument : {"SuDoKu_dir.kxs", "SuDoKu_missing.kxs", "other_name.kxs", ""}) {
    test::ScriptedHost otherHost;
    Program q(otherHost);
    LoadStartGame(q, QDir::current().absoluteFilePath(argument));
    EXPECT_TRUE(std::filesystem::exists(kStateFileName)) << argument;
    EXPECT_EQ(q.history.StepCount(), 1);
  }
}

TEST(StartWindowSize, ReducedToTheWorkAreaButNotBelowTheMinimum) {
  const QSize minimum(550, 388);
  EXPECT_EQ(StartWindowSize({874, 654}, minimum, {1920, 1050}), QSize(874, 654));
  EXPECT_EQ(StartWindowSize({3000, 2000}, minimum, {1920, 1050}), QSize(1920, 1050));
  EXPECT_EQ(StartWindowSize({874, 654}, minimum, {500, 300}), minimum);
  EXPECT_EQ(StartWindowSize({100, 100}, minimum, {1920, 1050}), minimum);
}

TEST_F(GameTest, SecondInstanceIsRefused) {
  SingleInstanceGuard first(QDir::currentPath());
  ASSERT_TRUE(first.Acquired());
  SingleInstanceGuard second(QDir::currentPath());
  EXPECT_FALSE(second.Acquired());
}

TEST_F(GameTest, GameStartsAndWritesItsStateFileWhenTerminated) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("KX_SUDOKU_HOME", std::filesystem::current_path().c_str(), 1);
    setenv("XDG_DATA_HOME", (std::filesystem::current_path() / "xdg").c_str(), 1);
    execl(KX_GAME_EXECUTABLE, KX_GAME_EXECUTABLE, static_cast<char*>(nullptr));
    _exit(127);
  }
  // Started when it catches SIGTERM, which it does once its window is made.
  for (int i = 0; i < 200 && !CatchesSigterm(child); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  kill(child, SIGTERM);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  // With a chosen home the player's desktop is left alone.
  EXPECT_FALSE(std::filesystem::exists("xdg"));
  test::ScriptedHost otherHost;
  Program q(otherHost);
  StateFileContent c = LoadStateFileContent(kStateFileName);
  EXPECT_TRUE(c.valid);
  EXPECT_EQ(c.stepCount, 1);
}

}  // namespace
}  // namespace kx
