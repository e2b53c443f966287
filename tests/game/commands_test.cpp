#include <gtest/gtest.h>

#include <algorithm>

#include "game/commands.h"
#include "game/statistics.h"
#include "game_fixture.h"

namespace kx {
namespace {

using test::GameTest;
using test::kSolvedGrid;
namespace cmd = command;

int Row(const GameState& s, const char* label) {
  for (const auto& row : StatisticsRows(s))
    if (std::string(row.label) == label) return row.value;
  return -1;
}

TEST_F(GameTest, NewGameAsksBeforeAbandoningAndRespectsTheAnswer) {
  Type(EmptyCells()[0], kSolvedGrid[EmptyCells()[0]]);
  const Board before = p.state.currentBoard;
  host.answers = {BoxAnswer::No};
  EXPECT_EQ(RunCommand(p, cmd::kNewHard), 1);
  EXPECT_EQ(p.state.currentBoard, before);
  ASSERT_EQ(host.boxes.size(), 1u);

  host.answers = {BoxAnswer::Yes, BoxAnswer::No};  // abandon, do not save
  EXPECT_EQ(RunCommand(p, cmd::kNewEasy), 0);
  EXPECT_EQ(p.history.StepCount(), 1);
  EXPECT_EQ(p.state.Mode(), 0u);
  EXPECT_EQ(p.state.selectedCell, -1);
  EXPECT_GE(p.state.gameDifficulty, 1);
  EXPECT_LE(p.state.gameDifficulty, 1000);
  EXPECT_EQ(p.solver.SolutionCount(), 1u);
  EXPECT_FALSE(p.state.Has(status::kBusyGenerating));
  PuzzleText check;
  p.solver.SolvePuzzle(p.state.startPuzzleText, check, 1, 2);
  EXPECT_EQ(check, p.state.solutionText);
}

TEST_F(GameTest, MoreSelectionAfterGeneratingStaysInTheSelection) {
  p.settings.ToggleBit(kBitMoreSelection);
  host.answers = {BoxAnswer::Yes, BoxAnswer::No};
  ASSERT_EQ(RunCommand(p, cmd::kAbandon), 0);
  EXPECT_EQ(p.state.Mode(), status::kSelect);
  const size_t boxes = host.boxes.size();
  ASSERT_EQ(RunCommand(p, cmd::kNewEasy), 0);
  EXPECT_EQ(p.state.Mode(), status::kSelect);
  EXPECT_EQ(host.boxes.size(), boxes);  // no abandon question in the selection
}

TEST_F(GameTest, TheSelectionBitAloneSparesTheAbandonQuestion) {
  // The selection bit together with another mode bit (a field list of its
  // own): still the selection.
  BuildFunctionFields(p, status::kSelect | status::kAutoSolved);
  ASSERT_NE(CheckCompleteBoard(p.state.currentBoard), 0);
  ASSERT_EQ(RunCommand(p, cmd::kNewEasy), 0);
  BuildFunctionFields(p, status::kSelect | status::kManualEntry);
  host.fileChoices = {};  // the dialog is cancelled
  RunCommand(p, cmd::kLoadGame);
  EXPECT_EQ(host.fileRequests.size(), 1u);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(GameTest, SolveAllMarksWrongDigitsCorrected) {
  const std::vector<int> cells = EmptyCells();
  // Two wrong digits that break no rule, entered at level 0.
  p.settings.CycleValidationLevel();  // 2 -> 0
  ASSERT_EQ(p.settings.ValidationLevel(), 0);
  int wrong = 0;
  for (int cell : cells) {
    const char digit = HarmlessWrongDigit(cell);
    if (digit && wrong < 2) {
      Type(cell, digit);
      ++wrong;
    }
  }
  ASSERT_EQ(wrong, 2);
  const int steps = p.history.StepCount();
  ASSERT_EQ(RunCommand(p, cmd::kSolveAll), 0);
  EXPECT_EQ(p.history.StepCount(), steps + 2);
  EXPECT_EQ(p.state.Mode(), status::kAutoSolved);
  EXPECT_EQ(test::Str([&] {
              PuzzleText t;
              BoardToText(p.state.currentBoard, t);
              return t;
            }()),
            kSolvedGrid);
  EXPECT_EQ(Row(p.state, "Auto-Korrekturen"), 2);
  EXPECT_EQ(Row(p.state, "Automatisch gelöst"), static_cast<int>(cells.size()));
  EXPECT_EQ(p.state.selectedCell, -1);
  EXPECT_TRUE(p.state.IsFinished());
  // Solved cells are fixed now: typing into one is not handled.
  EXPECT_FALSE(Type(cells[0], '1'));
}

TEST_F(GameTest, RemoveWrongDigitsKeepsCorrectOnes) {
  p.settings.CycleValidationLevel();  // level 0
  std::vector<int> cells = EmptyCells();
  Type(cells[0], kSolvedGrid[cells[0]]);
  std::stable_partition(cells.begin() + 1, cells.end(), [&](int c) { return HarmlessWrongDigit(c) != 0; });
  Type(cells[1], HarmlessWrongDigit(cells[1]));
  ASSERT_TRUE(IsSolved(p.state.currentBoard[cells[1]]));
  ASSERT_EQ(RunCommand(p, cmd::kRemoveWrong), 0);
  EXPECT_EQ(DigitOf(p.state.currentBoard[cells[0]]), kSolvedGrid[cells[0]] - '0');
  EXPECT_FALSE(IsSolved(p.state.currentBoard[cells[1]]));
  EXPECT_EQ(Row(p.state, "Auto-Korrekturen"), 0);  // empty: counted as open
  EXPECT_TRUE(Type(cells[1], kSolvedGrid[cells[1]]));
  EXPECT_EQ(Row(p.state, "Auto-Korrekturen"), 1);
}

TEST_F(GameTest, SolveCellAndHintsMarkTheirHelp) {
  const int cell = EmptyCells()[0];
  p.state.selectedCell = cell;
  ASSERT_EQ(RunCommand(p, cmd::kSolveCell), 0);
  EXPECT_EQ(DigitOf(p.state.currentBoard[cell]), kSolvedGrid[cell] - '0');
  EXPECT_EQ(p.state.statusBoard[cell] & (cell::kGiven | cell::kHelped), cell::kGiven | cell::kHelped);
  EXPECT_EQ(GivensText(p.state)[cell], kSolvedGrid[cell]);  // counts as a given now

  const int other = EmptyCells()[0];
  p.state.selectedCell = other;
  ASSERT_EQ(RunCommand(p, cmd::kSetCellCandidates), 0);
  EXPECT_TRUE(p.state.statusBoard[other] & cell::kHelped);
  EXPECT_TRUE(p.state.statusBoard[other] & (1u << (kSolvedGrid[other] - '0')));

  const int steps = p.history.StepCount();
  ASSERT_EQ(RunCommand(p, cmd::kSetAllCandidates), 0);
  EXPECT_EQ(p.history.StepCount(), steps + 1);
  for (int i : EmptyCells()) EXPECT_TRUE(p.state.statusBoard[i] & (1u << (kSolvedGrid[i] - '0'))) << i;
}

TEST_F(GameTest, CheckRatesTheShownBoardAndFindsContradictions) {
  ASSERT_EQ(RunCommand(p, cmd::kCheck), 0);
  EXPECT_EQ(p.state.checkDifficulty, 621);
  p.settings.CycleValidationLevel();  // level 0 lets a clash in
  const int cell = EmptyCells()[0];
  const int row = cell / 9 * 9;
  char clash = 0;
  for (int k = row; k < row + 9 && !clash; ++k)
    if (IsSolved(p.state.currentBoard[k])) clash = static_cast<char>('0' + DigitOf(p.state.currentBoard[k]));
  Type(cell, clash);
  ASSERT_EQ(RunCommand(p, cmd::kCheck), 0);
  EXPECT_EQ(p.state.checkDifficulty, -1);
  EXPECT_FALSE(p.state.Has(status::kBusySolving));
}

TEST_F(GameTest, OwnGameIsTypedInAndFinished) {
  ASSERT_EQ(RunCommand(p, cmd::kNewOwnGame), 0);
  EXPECT_EQ(p.state.Mode(), status::kManualEntry);
  EXPECT_EQ(p.state.gameDifficulty, 81);
  for (int i = 0; i < 81; ++i) {
    if (test::BuiltinClue(i)) Type(i, kSolvedGrid[i]);
  }
  ASSERT_EQ(RunCommand(p, cmd::kFinishEntry), 0);
  EXPECT_EQ(p.state.Mode(), 0u);
  EXPECT_EQ(p.state.gameDifficulty, 621);
  EXPECT_EQ(test::Str(p.state.solutionText), kSolvedGrid);
  EXPECT_EQ(Row(p.state, "Vorgabe-Ziffern"), 50);

  ASSERT_EQ(RunCommand(p, cmd::kFinishEntry), 0);  // not in manual entry: a message
  EXPECT_EQ(host.boxes.back().text, "Sie befinden sich im Spiel-Modus!!\n(Die manuelle Vorgabe ist bereits beendet)\n");
}

TEST_F(GameTest, GuardedCommandsAreRefusedWhileBrowsing) {
  Type(EmptyCells()[0], kSolvedGrid[EmptyCells()[0]]);
  HistoryStepBack(p);
  const Board shown = p.state.currentBoard;
  for (int id : {cmd::kNewOwnGame, cmd::kFinishEntry, cmd::kNewEasy, cmd::kSolveAll, cmd::kSetAllCandidates,
                 cmd::kLoadGame, cmd::kSettings, cmd::kAbandon, cmd::kSetCellCandidates, cmd::kPlayShown,
                 cmd::kSaveGame, cmd::kSolveCell, cmd::kRemoveWrong}) {
    const size_t boxes = host.boxes.size();
    EXPECT_EQ(RunCommand(p, id), 1) << id;
    EXPECT_EQ(host.boxes.size(), boxes + 1) << id;
    EXPECT_EQ(host.boxes.back().text.substr(0, 16), "Diese Funktion i") << id;
  }
  EXPECT_EQ(p.state.currentBoard, shown);
  EXPECT_EQ(RunCommand(p, cmd::kCheck), 0);  // checking works while browsing
}

TEST_F(GameTest, SettingsFieldsCycleAndFollowTheirLabels) {
  ASSERT_EQ(RunCommand(p, cmd::kSettings), 0);
  const std::string validation = p.fields[p.fields.Find(cmd::kValidation)].label;
  for (int i = 0; i < 3; ++i) RunCommand(p, cmd::kValidation);
  EXPECT_EQ(p.fields[p.fields.Find(cmd::kValidation)].label, validation);
  int calls = 0;
  CommandHooks hooks{[&] { ++calls; }};
  RunCommand(p, cmd::kSymbolSet, hooks);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(p.fields[p.fields.Find(cmd::kSymbolSet)].label, "Symbolik: \"KXS1x.BMP\"");
  RunCommand(p, cmd::kCandidateRows);
  EXPECT_EQ(p.fields[p.fields.Find(cmd::kCandidateRows)].label, "1_9 Zeile wird unterdrückt");
  ASSERT_EQ(RunCommand(p, cmd::kLeaveSettings), 0);
  EXPECT_FALSE(p.state.Has(status::kSettings));
  EXPECT_EQ(p.fields.Find(cmd::kSetAllCandidates), -1);  // rows hidden: no hint fields
}

TEST_F(GameTest, PrintChainAndUnknownIds) {
  host.answers = {BoxAnswer::No, BoxAnswer::Yes, BoxAnswer::No, BoxAnswer::No};
  RunCommand(p, cmd::kPrint);
  ASSERT_EQ(host.boxes.size(), 4u);
  EXPECT_EQ(host.boxes[0].defaultButton, 1);
  EXPECT_EQ(host.boxes[3].text, "Soll das Ursprungs-Sudoku gedruckt werden ?\n");
  EXPECT_EQ(RunCommand(p, 11), 1);
  EXPECT_EQ(host.beeps.size(), 1u);
  EXPECT_FALSE(IsKnownCommand(121));
  EXPECT_TRUE(IsKnownCommand(cmd::kTitle));
}

TEST_F(GameTest, GeneratedGamePlayedToAWin) {
  host.answers = {BoxAnswer::Yes, BoxAnswer::No};
  p.random.Seed(5);
  ASSERT_EQ(RunCommand(p, cmd::kNewMedium), 0);
  const std::string solution = test::Str(p.state.solutionText);
  for (int cell : EmptyCells()) ASSERT_TRUE(Type(cell, solution[cell]));
  EXPECT_EQ(p.state.Mode(), status::kSolved);
  EXPECT_EQ(p.state.wrongEntries, 0u);
  EXPECT_EQ(p.fields[0].label, "Das Sudoku ist  g e l ö s t");
  EXPECT_EQ(p.state.noticeText, "G l ü c k w u n s c h !!!\n\nDas Sudoku ist vollständig gelöst.");
}

}  // namespace
}  // namespace kx
