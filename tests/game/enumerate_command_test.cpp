#include "game/enumerate_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/dedup.h"
#include "game_fixture.h"
#include "platform/progress_window.h"
#include "text/text_format.h"

namespace kx {
namespace {

constexpr const char* kManySolutions =
    " 4   3         1 5   4 2   8       1  6  93  9      2      89  43   6    9 3   1 ";

// Records what the command shows and cancels after a number of pumps.
class FakeProgressWindow : public ProgressWindow {
 public:
  void Show() override {
    visible = true;
    shownPhases.push_back(Phase());
  }
  void Hide() override { visible = false; }
  void ProcessEvents() override {
    ++pumps;
    lastShown = Counts();
    if (pumps == cancelAtPump) RequestStop(StopRequest::Cancel);
  }

  bool visible = false;
  int pumps = 0, cancelAtPump = 0;
  std::vector<ProgressPhase> shownPhases;
  ProgressCounts lastShown;
};

class EnumerateCommandTest : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    p.progress = &window;
    p.solver.SetCurrentSolutionSink(nullptr);
  }
  void PutOnBoard(const std::string& text) { TextToBoard(p.state.currentBoard, test::Text(text)); }
  // Runs the command after a Yes and returns its closing message.
  const MessageBoxRequest& Run() {
    host.answers.push_back(BoxAnswer::Yes);
    EXPECT_EQ(EnumerateAllSolutions(p), 0);
    EXPECT_FALSE(p.state.Has(status::kBusyEnumerating));
    EXPECT_FALSE(window.visible);
    return host.boxes.back();
  }
  size_t SolutionLines() {
    const std::string log = ReadFile(kSolutionLogFile);
    size_t count = 0;
    for (size_t at = 0; at + 104 <= log.size(); at += 104) count += log.compare(at, 16, "Init - Soduku   ") != 0;
    return count;
  }

  FakeProgressWindow window;
};

TEST_F(EnumerateCommandTest, AllSolutionsOnceAndTheirRepeatsOnASecondRun) {
  PutOnBoard(kManySolutions);
  p.state.currentBoard[0] = 0xEF;  // an empty cell whose word is not the full set, as a damaged game has
  const Board before = p.state.currentBoard;
  Run();
  EXPECT_EQ(host.boxes.front().title, "Sudoku Meldung");
  EXPECT_EQ(host.boxes.front().buttons, BoxButtons::YesNo);
  EXPECT_EQ(host.boxes.back().title, "KX-Sudoku");
  EXPECT_EQ(host.boxes.back().icon, BoxIcon::None);
  uint64_t found = p.solver.SolutionCount();
  EXPECT_EQ(host.boxes.back().text, EnumerationMessage(1013, found, found - 1013, 0));
  EXPECT_EQ(SolutionLines(), 1013u);
  // The board is as it was, word for word; the window showed both phases.
  EXPECT_EQ(p.state.currentBoard, before);
  EXPECT_EQ(window.shownPhases, (std::vector{ProgressPhase::Searching, ProgressPhase::Deduplicating}));
  EXPECT_EQ(window.lastShown.solutionsFound, found);

  // Everything found again is a repeat, the puzzle line included.
  const std::string firstFile = ReadFile(kSolutionLogFile);
  const MessageBoxRequest& second = Run();
  found = p.solver.SolutionCount();
  EXPECT_NE(second.text.find("enthält jetzt 1.013 Lösungen"), std::string::npos);
  EXPECT_NE(second.text.find("und es wurden " + FormatCount64(found) + " identische"), std::string::npos);
  EXPECT_EQ(ReadFile(kSolutionLogFile), firstFile);
}

TEST_F(EnumerateCommandTest, FullBoardCountsItsPuzzleLineAndDropsTheRepeat) {
  PutOnBoard(test::kSolvedGrid);
  const MessageBoxRequest& done = Run();
  EXPECT_EQ(p.solver.SolutionCount(), 1u);
  EXPECT_EQ(done.text,
            "Die Datei 'SudokuAll.txt' enthält jetzt 1 Lösungen\n\nJetzt wurden 1 Lösungen ermittelt\n"
            "und es wurden 1 identische Lösungen wieder entfernt\n");
  EXPECT_EQ(ReadFile(kSolutionLogFile), "0000000000000001 : \"" + std::string(test::kSolvedGrid) + "\"\r\n");
}

TEST_F(EnumerateCommandTest, CancelKeepsWhatWasFoundAndStillRewrites) {
  PutOnBoard(kManySolutions);
  window.cancelAtPump = 25;
  const MessageBoxRequest& done = Run();
  EXPECT_EQ(p.solver.SolutionCount(), 25u);
  EXPECT_NE(done.text.find("enthält jetzt 25 Lösungen\n\nJetzt wurden 25 Lösungen"), std::string::npos);
  EXPECT_EQ(SolutionLines(), 25u);
}

TEST_F(EnumerateCommandTest, AnswerNoChangesNothing) {
  PutOnBoard(kManySolutions);
  host.answers.push_back(BoxAnswer::No);
  EXPECT_EQ(EnumerateAllSolutions(p), 0);
  EXPECT_EQ(host.boxes.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(kSolutionLogFile));
  EXPECT_TRUE(window.shownPhases.empty());
}

TEST_F(EnumerateCommandTest, FailedRewriteLeavesTheLogAsTheSearchWroteIt) {
  PutOnBoard(kManySolutions);
  std::filesystem::create_directory(kRewrittenLogFile);
  const MessageBoxRequest& done = Run();
  EXPECT_EQ(done.icon, BoxIcon::Exclamation);
  EXPECT_NE(done.text.find("\n\n\nAchtung !!!!  Der Fehler-# 90 ist aufgetreten !!!!"), std::string::npos);
  const std::string log = ReadFile(kSolutionLogFile);
  EXPECT_EQ(log.rfind("\r\nInit-Sudoko:\r\n", 0), 0u);
  EXPECT_EQ(log.size(), 113 + 104 * p.solver.SolutionCount());
}

TEST(EnumerationMessageTest, NothingFoundAndRepeatsReportedOneLess) {
  EXPECT_EQ(EnumerationMessage(5, 0, 0, 0), "Die Datei 'SudokuAll.txt' enthält jetzt 5 Lösungen\n\n");
  EXPECT_NE(EnumerationMessage(5, 0, 2, 0).find("es wurden 1 identische"), std::string::npos);
  EXPECT_NE(EnumerationMessage(1234567, 1000, 1, 0).find("1.234.567"), std::string::npos);
  EXPECT_EQ(ReportedDuplicates(1), 1u);
}

}  // namespace
}  // namespace kx
