#include "game/cell_operations.h"

#include "engine/propagate.h"
#include "game/game_clock.h"
#include "game/game_end.h"
#include "game/history_navigation.h"
#include "game/program.h"

namespace kx {

int EffectiveValidationLevel(const Program& p) {
  const int level = p.settings.ValidationLevel();
  return level == 2 && p.solver.SolutionCount() != 1 ? 1 : level;
}

namespace {

bool IsDigitOrSpace(char ch) { return ch == ' ' || (ch >= '1' && ch <= '9'); }

// Whether the digit just written into `cell` is refused at the effective level.
bool Rejected(const Program& p, int cell, int digit) {
  switch (EffectiveValidationLevel(p)) {
    case 2: return p.state.solutionText[cell] != '0' + digit;
    case 1: return (CheckBoard(p.state.currentBoard) & kCheckContradictionMask) != 0;
    default: return false;
  }
}

void RefuseEntry(Program& p) {
  ++p.state.wrongEntries;
  RefuseBeep(p);
}

// While a puzzle is typed in, each "1_9" row shows what simple logic
// leaves for the cell.
void RebuildManualEntryMarks(Program& p) {
  Board marks = p.state.currentBoard;
  LogicSolve(marks);
  for (int i = 0; i < 81; ++i) p.state.statusBoard[i] = marks[i];
}

bool EnterManualDigit(Program& p, int sel, char ch) {
  if (!IsDigitOrSpace(ch)) return false;
  if (ResumeFromHistory(p) != 0) return true;
  CellWord& word = p.state.currentBoard[sel];
  const CellWord old = word;
  bool moved = true;
  if (ch == ' ') {
    word = Cleared(word);
  } else {
    word = WithDigit(word, ch - '0');
    // A puzzle being typed in never takes a conflicting digit.
    if (CheckBoard(p.state.currentBoard) & kCheckContradictionMask) {
      word = old;
      RefuseEntry(p);
      moved = false;
    }
  }
  if (word != old) {
    RebuildManualEntryMarks(p);
    AppendHistoryStep(p);
    CheckForWin(p);
  }
  if (moved) p.state.selectedCell = (sel + 1) % 81;
  return true;
}

}  // namespace

bool EnterDigit(Program& p, char ch) {
  GameState& s = p.state;
  const int sel = s.selectedCell;
  if (sel < 0 || sel > 80) return false;
  if (s.Has(status::kManualEntry)) return EnterManualDigit(p, sel, ch);
  if (s.statusBoard[sel] & cell::kGiven) return false;
  if (!IsDigitOrSpace(ch)) return false;

  if (s.Mode() == status::kSelect) {
    if (!p.settings.PlayByTypingInSelection()) return false;
    const CheckResult c = CheckBoard(s.currentBoard);
    if (c < 1 || c >= 256) return false;  // full, or in conflict
    BuildFunctionFields(p, s.gameStatus & ~0xFFFFu);
  } else if (ResumeFromHistory(p) != 0) {
    return true;
  }

  CellWord& word = s.currentBoard[sel];
  const CellWord old = word;
  if (ch == ' ') {
    word = Cleared(word);
  } else {
    const int d = ch - '0';
    word = WithDigit(word, d);
    if (Rejected(p, sel, d)) {
      word = old;
      s.statusBoard[sel] = static_cast<uint16_t>(s.statusBoard[sel] & ~(1u << d));
      RefuseEntry(p);
      AppendHistoryStep(p);
    }
  }
  if (word != old) {
    AppendHistoryStep(p);
    CheckForWin(p);
  }
  return true;
}

int ToggleCandidateMark(Program& p, int cellIndex, int d) {
  GameState& s = p.state;
  if (cellIndex < 0 || cellIndex > 80 || d < 1 || d > 9) return -1;
  if ((s.statusBoard[cellIndex] & cell::kGiven) || p.settings.HideCandidateRows()) return -1;
  if (ResumeFromHistory(p) != 0) return -1;

  uint16_t& marks = s.statusBoard[cellIndex];
  marks = static_cast<uint16_t>(marks ^ (1u << d));
  CellWord& word = s.currentBoard[cellIndex];
  const int remaining = DigitOf(static_cast<CellWord>(marks & kAllCandidates));
  if (remaining > 0) {
    const CellWord old = word;
    word = WithDigit(word, remaining);
    if (Rejected(p, cellIndex, remaining)) {
      word = old;
      RefuseEntry(p);
      marks = static_cast<uint16_t>((marks & ~kAllCandidates) | (kAllCandidates & ~(1u << remaining)));
    }
  } else {
    word = Cleared(word);
  }
  AppendHistoryStep(p);
  CheckForWin(p);
  return 0;
}

void ClearSelectedCell(Program& p) {
  GameState& s = p.state;
  if (ResumeFromHistory(p) != 0) return;
  const int sel = s.selectedCell;
  if (sel < 0 || sel > 80 || (s.statusBoard[sel] & cell::kGiven)) return;
  const CellWord old = s.currentBoard[sel];
  s.currentBoard[sel] = Cleared(old);
  if (s.currentBoard[sel] != old) {
    AppendHistoryStep(p);
    CheckForWin(p);
  }
}

void ManualEntryBackspace(Program& p) {
  GameState& s = p.state;
  const int sel = s.selectedCell;
  if (!s.Has(status::kManualEntry) || sel < 0 || sel > 80) return;
  if (ResumeFromHistory(p) != 0) return;
  const CellWord old = s.currentBoard[sel];
  s.currentBoard[sel] = Cleared(old);
  if (s.currentBoard[sel] != old) {
    RebuildManualEntryMarks(p);
    AppendHistoryStep(p);
    CheckForWin(p);
  }
  if (sel > 0) s.selectedCell = sel - 1;
}

}  // namespace kx
