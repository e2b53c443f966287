#include <gtest/gtest.h>

#include "game/game_clock.h"
#include "game/game_end.h"
#include "game/statistics.h"
#include "game_fixture.h"

namespace kx {
namespace {

using test::GameTest;
using test::kSolvedGrid;

TEST_F(GameTest, FirstStartShowsTheBuiltInPuzzle) {
  EXPECT_EQ(p.state.gameStatus, 0u);
  EXPECT_EQ(p.history.StepCount(), 1);
  EXPECT_EQ(StatisticsRows(p.state)[0].value, 540);  // Spiel-Schwierigkeit
  EXPECT_EQ(StatisticsRows(p.state)[2].value, 50);   // Vorgabe-Ziffern
  EXPECT_EQ(p.window.width, 874);
  EXPECT_EQ(p.window.height, 654);
  EXPECT_EQ(p.settings.bits(), SettingsWord::kBuiltIn);
  EXPECT_EQ(test::Str(p.state.solutionText), kSolvedGrid);
  EXPECT_EQ(StatisticsTitle(p.state), "Spiel-Modus (Leichtes Spiel)");
}

TEST_F(GameTest, RejectedDigitCountsAndStillMakesAStep) {
  const int cell = EmptyCells()[0];
  p.state.statusBoard[cell] = kAllCandidates;
  const char wrong = HarmlessWrongDigit(cell);
  ASSERT_NE(wrong, 0);
  ASSERT_TRUE(Type(cell, wrong));  // level 2, the puzzle is unique: refused
  EXPECT_FALSE(IsSolved(p.state.currentBoard[cell]));
  EXPECT_EQ(p.state.statusBoard[cell] & (1u << (wrong - '0')), 0u);
  EXPECT_EQ(p.state.wrongEntries, 1u);
  EXPECT_EQ(p.history.StepCount(), 2);
  EXPECT_EQ(host.beeps.size(), 1u);

  // The same digit again as already shown changes nothing.
  ASSERT_TRUE(Type(cell, kSolvedGrid[cell]));
  EXPECT_EQ(p.history.StepCount(), 3);
  ASSERT_TRUE(Type(cell, kSolvedGrid[cell]));
  EXPECT_EQ(p.history.StepCount(), 3);
}

TEST_F(GameTest, LevelTwoFallsBackToLevelOneWithoutAUniqueSolution) {
  const int cell = EmptyCells()[0];
  const char wrong = HarmlessWrongDigit(cell);
  p.solver.SetSolutionCount(0);  // as after a restart, before any solve
  EXPECT_EQ(EffectiveValidationLevel(p), 1);
  ASSERT_TRUE(Type(cell, wrong));
  EXPECT_EQ(DigitOf(p.state.currentBoard[cell]), wrong - '0');
  EXPECT_EQ(p.state.wrongEntries, 0u);

  // Level 1 still refuses a digit that breaks a rule: a given of the same row.
  const int other = EmptyCells()[0];
  char given = 0;
  for (int k = other / 9 * 9; k < other / 9 * 9 + 9 && !given; ++k)
    if (p.state.statusBoard[k] & cell::kGiven) given = kSolvedGrid[k];
  ASSERT_NE(given, 0);
  Type(other, given);
  EXPECT_FALSE(IsSolved(p.state.currentBoard[other]));
  EXPECT_EQ(p.state.wrongEntries, 1u);
}

TEST_F(GameTest, CandidateMarksPlaceAndClearDigits) {
  const int cell = EmptyCells()[0];
  const int right = kSolvedGrid[cell] - '0';
  p.state.statusBoard[cell] = static_cast<uint16_t>((1u << right) | (1u << (right % 9 + 1)));
  ToggleCandidateMark(p, cell, right % 9 + 1);  // one mark left: it is placed
  EXPECT_EQ(DigitOf(p.state.currentBoard[cell]), right);
  ToggleCandidateMark(p, cell, right % 9 + 1);  // two marks again: the digit goes
  EXPECT_FALSE(IsSolved(p.state.currentBoard[cell]));
  EXPECT_EQ(p.history.StepCount(), 3);
}

TEST_F(GameTest, TypingInSelectModeStartsPlay) {
  BuildFunctionFields(p, status::kSelect);
  const int cell = EmptyCells()[0];
  ASSERT_TRUE(Type(cell, kSolvedGrid[cell]));
  EXPECT_EQ(p.state.Mode(), 0u);

  BuildFunctionFields(p, status::kSelect);
  p.settings.ToggleBit(kBitPlayByTyping);
  EXPECT_FALSE(Type(EmptyCells()[0], '1'));
  EXPECT_EQ(p.state.Mode(), status::kSelect);
}

TEST_F(GameTest, ManualEntryMovesOnRefusesConflictsAndCanWin) {
  BuildFunctionFields(p, status::kManualEntry);
  p.state.currentBoard.fill(kAllCandidates);
  p.state.statusBoard.fill(kAllCandidates);
  ASSERT_TRUE(Type(80, '5'));
  EXPECT_EQ(p.state.selectedCell, 0);  // wraps
  ASSERT_TRUE(Type(79, '5'));          // conflict: refused whatever the level
  EXPECT_FALSE(IsSolved(p.state.currentBoard[79]));
  EXPECT_EQ(p.state.selectedCell, 79);
  ASSERT_TRUE(Type(79, ' '));
  EXPECT_EQ(p.state.selectedCell, 80);
  // The marks show what simple logic leaves: 5 is gone from the row.
  EXPECT_EQ(p.state.statusBoard[0] & (1u << 5), 1u << 5);
  EXPECT_EQ(p.state.statusBoard[72] & (1u << 5), 0u);

  Type(80, ' ');
  for (int i = 0; i < 81; ++i) Type(i, kSolvedGrid[i]);
  EXPECT_TRUE(p.state.Has(status::kManualEntry));
  EXPECT_TRUE(p.state.Has(status::kSolved));
}

TEST_F(GameTest, ClockBooksWholeSecondsAndStandsWhenFinished) {
  host.ticks = p.state.lastClockTick + 1000;
  AdvanceClock(p);
  EXPECT_EQ(p.state.playTime, 0u);
  host.ticks += 1500;  // 2500 since the base
  AdvanceClock(p);
  EXPECT_EQ(p.state.playTime, 2u);
  host.ticks += 600;  // the 500 carried over make one more second
  AdvanceClock(p);
  EXPECT_EQ(p.state.playTime, 3u);
  p.state.gameFlags |= flags::kFinished;
  host.ticks += 5000;
  AdvanceClock(p);
  EXPECT_EQ(p.state.playTime, 3u);
}

}  // namespace
}  // namespace kx
