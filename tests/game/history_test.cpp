#include <gtest/gtest.h>

#include "game/game_end.h"
#include "game_fixture.h"

namespace kx {
namespace {

using test::GameTest;
using test::kSolvedGrid;

class HistoryPolicyTest : public GameTest {
 protected:
  // Ten steps, then step 3 displayed, then one more correct digit typed.
  void PlayTenStepsAndResumeAtStepThree(int policy) {
    while (p.settings.ContinuationPolicy() != policy) p.settings.CycleContinuationPolicy();
    for (int i = 0; p.history.StepCount() < 10; ++i) Type(EmptyCells()[0], kSolvedGrid[EmptyCells()[0]]);
    while (p.history.StepIndex() > 3) HistoryStepBack(p);
    host.answers = {BoxAnswer::Yes, BoxAnswer::No};  // abandon: yes; save: no
    const int cell = EmptyCells()[0];
    Type(cell, kSolvedGrid[cell]);
  }
};

TEST_F(HistoryPolicyTest, AppendKeepsEverythingAndCopiesTheShownStep) {
  PlayTenStepsAndResumeAtStepThree(1);
  EXPECT_EQ(p.history.StepCount(), 12);
  EXPECT_EQ(p.history.Step(10).currentBoard, p.history.Step(3).currentBoard);
  EXPECT_FALSE(p.history.Browsing());
  EXPECT_NE(p.fields[0].label, "Anzeige des Spielverlaufs");
}

TEST_F(HistoryPolicyTest, DeleteLaterDropsTheLaterSteps) {
  PlayTenStepsAndResumeAtStepThree(2);
  EXPECT_EQ(p.history.StepCount(), 5);
}

TEST_F(HistoryPolicyTest, NewGameStartsFromTheShownStep) {
  PlayTenStepsAndResumeAtStepThree(3);
  EXPECT_EQ(p.history.StepCount(), 2);
}

TEST_F(HistoryPolicyTest, NoPlayingRefusesAfterAskingOnce) {
  PlayTenStepsAndResumeAtStepThree(0);
  EXPECT_EQ(p.history.StepCount(), 10);
  EXPECT_EQ(p.history.StepIndex(), 3);
  ASSERT_EQ(host.boxes.size(), 3u);  // abandon?, save?, not allowed
  EXPECT_EQ(host.boxes[0].text, "Bisheriges  S u d o k u   ist   n i c h t  gelöst !!!\n\nSpiel abbrechen?\n");
  EXPECT_EQ(host.boxes[1].defaultButton, 1);
  EXPECT_EQ(host.boxes[2].title, "Sudoku Meldung");
  // Answered once: the abandon question is not asked again.
  Type(EmptyCells()[0], '1');
  EXPECT_EQ(host.boxes.size(), 4u);
}

// The answer given while resuming stays with the game: browsing back and
// typing again does not ask once more.
TEST_F(HistoryPolicyTest, ResumingKeepsTheAnswerOfTheAbandonQuestion) {
  for (int policy : {1, 2, 3}) {
    SCOPED_TRACE(policy);
    ReadStateFile(p, "none.ini");  // a fresh fallback game
    BuildFunctionFields(p, p.state.gameStatus);
    host.boxes.clear();
    PlayTenStepsAndResumeAtStepThree(policy);
    ASSERT_EQ(host.boxes.size(), 2u);  // abandon?, save?
    EXPECT_TRUE(p.state.Has(status::kAbortConfirmed));
    HistoryStepBack(p);
    ASSERT_TRUE(p.history.Browsing());
    EXPECT_TRUE(p.state.Has(status::kAbortConfirmed));
    Type(EmptyCells()[0], kSolvedGrid[EmptyCells()[0]]);
    EXPECT_EQ(host.boxes.size(), 2u);
    EXPECT_FALSE(p.history.Browsing());
  }
  // Another game read in does not inherit the answer.
  test::ScriptedHost otherHost;
  Program other(otherHost);
  ReadStateFile(other, "none.ini");
  ASSERT_TRUE(WriteStateFile(other, "other.kxs"));
  ASSERT_TRUE(p.state.Has(status::kAbortConfirmed));
  ReadStateFile(p, "other.kxs");
  EXPECT_FALSE(p.state.Has(status::kAbortConfirmed | status::kGameSaved));
}

TEST_F(GameTest, AbandonOfferSavesTheGame) {
  // Asked in the selection (browsing back to a step made there, then
  // typing): the list no longer offers "Spiel speichern" once it saved.
  BuildFunctionFields(p, status::kSelect);
  const auto offersSave = [&] {
    for (const FunctionField& f : p.fields)
      if (f.commandId == command::kSaveGame) return true;
    return false;
  };
  ASSERT_TRUE(offersSave());
  host.answers = {BoxAnswer::Yes, BoxAnswer::Yes};
  EXPECT_EQ(ConfirmAbandonGame(p), BoxAnswer::Yes);
  EXPECT_TRUE(p.state.Has(status::kAbortConfirmed | status::kGameSaved));
  EXPECT_TRUE(std::filesystem::exists("SuDoKu_2026_12_08__14_30_15_ungeloest.kxs"));
  EXPECT_FALSE(offersSave());
  EXPECT_TRUE(p.state.Has(status::kSelect));
}

TEST_F(GameTest, NavigationBooksTheNewestStepsTime) {
  const int cell = EmptyCells()[0];
  Type(cell, kSolvedGrid[cell]);
  p.state.playTime = 40;
  HistoryStepForward(p);  // at the newest: nothing
  EXPECT_EQ(p.history.StepIndex(), 1);
  HistoryStepBack(p);
  EXPECT_EQ(p.history.Newest().playTime, 40u);
  EXPECT_TRUE(p.history.Browsing());
  EXPECT_EQ(p.state.playTime, 0u);  // step 0's time
  HistoryStepBack(p);               // at step 0: nothing
  EXPECT_EQ(p.history.StepIndex(), 0);
  p.state.browseTime = 7;
  HistoryLastStep(p);
  EXPECT_EQ(p.state.playTime, 47u);
  EXPECT_EQ(p.history.Newest().playTime, 47u);

  History empty;
  p.history = empty;
  HistoryFirstStep(p);
  EXPECT_EQ(host.beeps.size(), 1u);
}

TEST_F(GameTest, GuardRefusesCommandsWhileBrowsing) {
  Type(EmptyCells()[0], kSolvedGrid[EmptyCells()[0]]);
  EXPECT_EQ(HistoryViewGuard(p), 0);
  HistoryFirstStep(p);
  EXPECT_EQ(HistoryViewGuard(p), -1);
  EXPECT_EQ(host.boxes.back().icon, BoxIcon::None);
}

TEST(HistoryStep, RecordLayout) {
  HistoryStep step;
  step.currentBoard.fill(0x3FE);
  step.currentBoard[80] = 0x0102;
  step.selectedCell = -1;
  step.gameStatus = 0x12345678;
  uint8_t bytes[HistoryStep::kBytes];
  step.Serialize(bytes);
  EXPECT_EQ(bytes[160], 0x02);
  EXPECT_EQ(bytes[161], 0x01);
  EXPECT_EQ(bytes[324], 180);
  EXPECT_EQ(bytes[328], 0xFF);
  EXPECT_EQ(bytes[336], 0x78);
  EXPECT_EQ(bytes[339], 0x12);
  HistoryStep back;
  ASSERT_TRUE(back.Parse(bytes));
  EXPECT_EQ(back.currentBoard, step.currentBoard);
  EXPECT_EQ(back.gameStatus, step.gameStatus);
  bytes[324] = 179;
  EXPECT_FALSE(back.Parse(bytes));
}

}  // namespace
}  // namespace kx
