#include "game/commands.h"

#include "engine/propagate.h"
#include "game/enumerate_command.h"
#include "game/file_commands.h"
#include "game/game_clock.h"
#include "game/game_end.h"
#include "game/history_navigation.h"
#include "game/printouts.h"
#include "game/symbol_pictures.h"
#include "game/program.h"

namespace kx {

namespace {

constexpr uint32_t kLowBits = 0xFFFF;

// Guard for commands that abandon the game: unless the game was already
// left for the selection, the player must agree.
bool AbandonAgreed(Program& p) {
  return p.state.Has(status::kSelect) || ConfirmAbandonGame(p) == BoxAnswer::Yes;
}

void SetBusy(Program& p, uint32_t bit, bool busy) {
  if (busy) {
    p.state.gameStatus |= bit;
    p.host.RepaintNow();
  } else {
    p.state.gameStatus &= ~bit;
  }
}

// Solves the givens; the rating becomes the check difficulty (-1: none).
bool SolveGivens(Program& p, PuzzleText& solution) {
  p.state.checkDifficulty = static_cast<int32_t>(SolveForGame(p, GivensText(p.state), solution));
  return p.state.checkDifficulty != -1;
}

int SetMode(Program& p, uint32_t newStatus) {
  if (HistoryViewGuard(p) != 0) return 1;
  BuildFunctionFields(p, newStatus);
  return 0;
}

}  // namespace

int NewOwnGame(Program& p) {
  if (HistoryViewGuard(p) != 0 || !AbandonAgreed(p)) return 1;
  GameState& s = p.state;
  s.gameFlags = 0;
  s.currentBoard.fill(kAllCandidates);
  s.statusBoard.fill(kAllCandidates);
  s.selectedCell = 0;
  p.history.Release();
  BuildFunctionFields(p, (s.gameStatus & ~kLowBits) | status::kManualEntry);
  ResetGameStatistics(p);
  s.gameDifficulty = s.checkDifficulty = 81;
  AppendHistoryStep(p);
  return 0;
}

int FinishEntryCommand(Program& p) {
  if (HistoryViewGuard(p) != 0) return 1;
  if (p.state.Has(status::kManualEntry)) {
    FinishManualEntry(p);
  } else {
    p.host.ShowMessageBox({"Sie befinden sich im Spiel-Modus!!\n(Die manuelle Vorgabe ist bereits beendet)\n",
                           "Sudoku Meldung", BoxButtons::Ok, BoxIcon::Question});
  }
  AppendHistoryStep(p);
  return 0;
}

int SolveAll(Program& p) {
  if (HistoryViewGuard(p) != 0) return 1;
  GameState& s = p.state;
  if (s.Has(status::kManualEntry)) FinishManualEntry(p);
  AppendHistoryStep(p);
  PuzzleText solution;
  if (!SolveGivens(p, solution)) return 0;
  for (int i = 0; i < 81; ++i) {
    const int digit = solution[i] - '0';
    const int present = DigitOf(s.currentBoard[i]);
    if (present == digit) continue;
    s.statusBoard[i] |= cell::kGiven | cell::kHelped | (present > 0 ? cell::kCorrected : 0);
    s.currentBoard[i] = WithDigit(s.currentBoard[i], digit);
  }
  if (!p.history.Empty()) p.history.Displayed().gameStatus = s.gameStatus;
  s.gameFlags |= flags::kFinished;
  BuildFunctionFields(p, s.gameStatus | status::kAutoSolved);
  AppendHistoryStep(p);
  s.selectedCell = -1;
  return 0;
}

int CheckAndRate(Program& p) {
  GameState& s = p.state;
  const bool busy = s.Has(status::kManualEntry) || p.solver.SolutionCount() >= 2;
  if (busy) SetBusy(p, status::kBusySolving, true);
  PuzzleText shown, solution;
  BoardToText(s.currentBoard, shown);
  s.checkDifficulty = static_cast<int32_t>(SolveForGame(p, shown, solution));
  s.selectedCell = -1;
  SetBusy(p, status::kBusySolving, false);
  return 0;
}

// One pass of simple logic; returns the pass's view of every cell.
Board SimpleLogicPass(const Program& p) {
  Board board = p.state.currentBoard;
  PropagatePass(board);
  return board;
}

int SetAllCandidates(Program& p) {
  if (HistoryViewGuard(p) != 0) return 1;
  GameState& s = p.state;
  const Board result = SimpleLogicPass(p);
  for (int i = 0; i < 81; ++i) {
    uint16_t& status = s.statusBoard[i];
    if (status & cell::kGiven) continue;
    const uint16_t marks = result[i] & kAllCandidates;
    if ((status & kAllCandidates) == marks) continue;
    if (!IsSolved(result[i])) {
      status = static_cast<uint16_t>((status & ~kAllCandidates) | marks | cell::kHelped);
    } else if (DigitOf(s.currentBoard[i]) != DigitOf(result[i])) {
      s.currentBoard[i] = WithDigit(s.currentBoard[i], DigitOf(result[i]));
      status = static_cast<uint16_t>((status & ~kAllCandidates) | marks | cell::kHelped);
    }
  }
  AppendHistoryStep(p);
  CheckForWin(p);
  return 0;
}

int SetCellCandidates(Program& p) {
  if (HistoryViewGuard(p) != 0) return 1;
  GameState& s = p.state;
  const int sel = s.selectedCell;
  if (sel < 0 || sel > 80 || (s.statusBoard[sel] & cell::kGiven)) return 0;
  const Board result = SimpleLogicPass(p);
  uint16_t& status = s.statusBoard[sel];
  const uint16_t marks = result[sel] & kAllCandidates;
  if ((status & kAllCandidates) != marks) {
    if (IsSolved(result[sel]) && DigitOf(result[sel]) != DigitOf(s.currentBoard[sel])) {
      s.currentBoard[sel] = WithDigit(s.currentBoard[sel], DigitOf(result[sel]));
    }
    status = static_cast<uint16_t>((status & ~kAllCandidates) | marks | cell::kHelped);
  }
  AppendHistoryStep(p);
  CheckForWin(p);
  return 0;
}

int SolveSelectedCell(Program& p) {
  if (HistoryViewGuard(p) != 0) return 1;
  GameState& s = p.state;
  const int sel = s.selectedCell;
  if (sel < 0 || sel > 80) return 0;
  PuzzleText solution;
  if (!SolveGivens(p, solution)) return 0;
  const int digit = solution[sel] - '0';
  const int present = DigitOf(s.currentBoard[sel]);
  if (present != digit) {
    s.statusBoard[sel] |= cell::kGiven | cell::kHelped | (present > 0 ? cell::kCorrected : 0);
    s.currentBoard[sel] = WithDigit(s.currentBoard[sel], digit);
  }
  AppendHistoryStep(p);
  return 0;
}

int RemoveWrongDigits(Program& p) {
  if (HistoryViewGuard(p) != 0) return 1;
  GameState& s = p.state;
  PuzzleText solution;
  if (!SolveGivens(p, solution)) return 0;
  for (int i = 0; i < 81; ++i) {
    const int present = DigitOf(s.currentBoard[i]);
    if (present > 0 && present != solution[i] - '0') {
      s.currentBoard[i] = Cleared(s.currentBoard[i]);
      s.statusBoard[i] |= cell::kCorrected | kAllCandidates;
    }
  }
  AppendHistoryStep(p);
  s.selectedCell = -1;
  return 0;
}

int EnterSettings(Program& p) { return SetMode(p, p.state.gameStatus | status::kSettings); }

int PlayShownGame(Program& p) { return SetMode(p, p.state.gameStatus & ~kLowBits); }

int Abandon(Program& p) {
  if (HistoryViewGuard(p) != 0 || ConfirmAbandonGame(p) != BoxAnswer::Yes) return 1;
  BuildFunctionFields(p, (p.state.gameStatus & ~kLowBits) | status::kSelect);
  return 0;
}

int PrintChain(Program& p) {
  auto ask = [&](const char* text, int defaultButton = 0) {
    MessageBoxRequest box{text, "Sudoku Nachfrage", BoxButtons::YesNoCancel, BoxIcon::Question};
    box.defaultButton = defaultButton;
    return p.host.ShowMessageBox(box);
  };
  BoxAnswer answer =
      ask("Möchten Sie den gesamten Sudoku - Fensterinhalt drucken ?\n(Der Ausdruck erfolgt in Farbe)", 1);
  if (answer == BoxAnswer::Yes) return PrintWindow(p);
  if (answer == BoxAnswer::Cancel) return 0;
  if (ask("Möchten Sie das Sudoku mit Lösung drucken ?\n(Es wird nur schwarz gedruckt)") != BoxAnswer::Yes) return 0;
  if (ask("Sollen die angezeigten Ziffern verwendet werden ?\n") == BoxAnswer::Yes) return PrintPuzzleWithSolution(p, 1);
  if (ask("Soll das Ursprungs-Sudoku gedruckt werden ?\n") == BoxAnswer::Yes) return PrintPuzzleWithSolution(p, 0);
  return 0;
}

int SettingChanged(Program& p) {
  BuildFunctionFields(p, p.state.gameStatus);
  return 0;
}

int NextSymbolSet(Program& p, const CommandHooks& hooks) {
  p.settings.CycleSymbolSet();
  BuildFunctionFields(p, p.state.gameStatus);
  p.pictures.digitBitmaps.Discard();
  if (hooks.symbolSetChanged) hooks.symbolSetChanged();
  return 0;
}

int LeaveSettings(Program& p) {
  BuildFunctionFields(p, p.state.gameStatus & ~status::kSettings);
  return 0;
}

int QuitProgram(Program& p) {
  p.host.PostClose();
  return 0;
}

void FinishManualEntry(Program& p) {
  GameState& s = p.state;
  for (int i = 0; i < 81; ++i) {
    const int digit = DigitOf(s.currentBoard[i]);
    if (digit > 0) {
      s.statusBoard[i] = static_cast<uint16_t>(cell::kGiven | (1u << digit));
    } else {
      s.currentBoard[i] = kAllCandidates;
      s.statusBoard[i] = kAllCandidates;
    }
  }
  PuzzleText puzzle;
  BoardToText(s.currentBoard, puzzle);
  SetBusy(p, status::kBusySolving, true);
  s.checkDifficulty = s.gameDifficulty = static_cast<int32_t>(SolveForGame(p, puzzle, s.solutionText));
  SetBusy(p, status::kBusySolving, false);
  BuildFunctionFields(p, s.gameStatus & ~status::kManualEntry);
  ResetGameStatistics(p);
}

int NewGame(Program& p, uint32_t minimum, uint32_t maximum, int thinningTarget) {
  if (HistoryViewGuard(p) != 0 || !AbandonAgreed(p)) return 1;
  GameState& s = p.state;
  s.gameFlags = 0;
  const uint32_t d = p.generator.GeneratePuzzle(minimum, maximum, thinningTarget, s.startPuzzleText, s.solutionText);
  s.gameDifficulty = s.checkDifficulty = static_cast<int32_t>(d);
  s.selectedCell = -1;
  TextToBoard(s.currentBoard, s.startPuzzleText);
  Board givens;
  TextToGivenBoard(givens, s.startPuzzleText);
  for (int i = 0; i < 81; ++i) s.statusBoard[i] = givens[i];
  p.history.Release();
  BuildFunctionFields(p, s.gameStatus & ~kLowBits);
  if (p.settings.MoreSelectionAfterGenerating()) BuildFunctionFields(p, s.gameStatus | status::kSelect);
  ResetGameStatistics(p);
  AppendHistoryStep(p);
  return 0;
}

}  // namespace kx
