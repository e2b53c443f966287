#include "game/history_navigation.h"

#include "game/file_commands.h"
#include "game/program.h"
#include "game/game_end.h"
#include "game/state_file.h"

namespace kx {

void AppendHistoryStep(Program& p) {
  HistoryStep step = SnapshotOf(p.state);
  step.reserved[0] = step.reserved[1] = 0;
  if (!p.history.Append(step)) {
    RefuseBeep(p);
    return;
  }
  p.state.browseTime = 0;
}

namespace {

// The abandon question's answer belongs to the game, not to a step: taking
// a step's mode must not bring the question back.
uint32_t AnsweredBits(const GameState& s) { return s.gameStatus & (status::kAbortConfirmed | status::kGameSaved); }

}  // namespace

void LoadHistoryStep(Program& p) {
  if (p.history.Empty()) return;
  const HistoryStep& step = p.history.Displayed();
  GameState& s = p.state;
  TakeBoardsAndCounters(s, step);
  s.selectedCell = step.selectedCell;
  s.playTime = step.playTime;
  BuildFunctionFields(p, step.gameStatus | AnsweredBits(s));
  if (!p.history.Browsing()) {
    s.playTime += s.browseTime;
    s.browseTime = 0;
    p.history.Displayed().playTime = s.playTime;
  }
}

namespace {

// Leaving the newest step books its time.
void BookNewestBeforeLeaving(Program& p) {
  if (p.history.Browsing()) return;
  p.history.Newest().playTime = p.state.playTime + p.state.browseTime;
  p.state.browseTime = 0;
}

void ShowStep(Program& p, int index) {
  p.history.SetStepIndex(index);
  LoadHistoryStep(p);
}

// Takes the displayed step back as the live game; it absorbs the time
// spent browsing.
void RestoreDisplayedStep(Program& p) {
  HistoryStep& step = p.history.Displayed();
  GameState& s = p.state;
  TakeBoardsAndCounters(s, step);
  BuildFunctionFields(p, step.gameStatus | AnsweredBits(s));
  step.playTime += s.browseTime;
  s.playTime = step.playTime;
  s.browseTime = 0;
  s.lastClockTick = p.host.TickCount();
  s.gameFlags = 0;
}

}  // namespace

void HistoryStepBack(Program& p) {
  if (p.history.Empty()) return RefuseBeep(p);
  BookNewestBeforeLeaving(p);
  if (p.history.StepIndex() >= 1) ShowStep(p, p.history.StepIndex() - 1);
}

void HistoryStepForward(Program& p) {
  if (p.history.Empty()) return RefuseBeep(p);
  const int newest = p.history.StepCount() - 1;
  if (p.history.StepIndex() > newest) p.history.SetStepIndex(newest);
  if (p.history.StepIndex() != newest) ShowStep(p, p.history.StepIndex() + 1);
}

void HistoryFirstStep(Program& p) {
  if (p.history.Empty()) return RefuseBeep(p);
  BookNewestBeforeLeaving(p);
  if (p.history.StepIndex() != 0) ShowStep(p, 0);
}

void HistoryLastStep(Program& p) {
  if (p.history.Empty()) return RefuseBeep(p);
  if (p.history.Browsing()) ShowStep(p, p.history.StepCount() - 1);
}

int ResumeFromHistory(Program& p) {
  if (!p.history.Browsing()) return 0;
  if (ConfirmAbandonGame(p) != BoxAnswer::Yes) return -1;
  switch (p.settings.ContinuationPolicy()) {
    case 0:
      p.host.ShowMessageBox({"Das Weiterspielen innerhalb des Spielverlaufs ist nicht zulässig!\n\nUnter "
                             "'Einstellungen' können Sie festlegen, ob ein Weiterspielen innerhalb des "
                             "Spielverlaufs möglich ist und was dann mit dem bisherigen Spielverlauf "
                             "geschehen soll.",
                             "Sudoku Meldung", BoxButtons::Ok, BoxIcon::Question});
      return -1;
    case 1:  // the displayed step is copied behind all later ones
      RestoreDisplayedStep(p);
      AppendHistoryStep(p);
      break;
    case 2:  // the later steps are discarded
      RestoreDisplayedStep(p);
      p.history.Truncate(p.history.StepIndex() + 1);
      break;
    default:  // the displayed step starts a new history
      RestoreDisplayedStep(p);
      p.history.Release();
      AppendHistoryStep(p);
      break;
  }
  // No longer browsing: the field list loses its history-view title.
  BuildFunctionFields(p, p.state.gameStatus);
  return 0;
}

int HistoryViewGuard(Program& p) {
  if (!p.history.Browsing()) return 0;
  p.host.ShowMessageBox({"Diese Funktion ist innerhalb der 'Anzeige des Spielverlaufs' nicht verfügbar!!!\n"
                         "(Mit der 'Ende'-Taste wird die 'Anzeige des Spielverlaufs' beendet)",
                         "Sudoku Meldung", BoxButtons::Ok, BoxIcon::None});
  return -1;
}

}  // namespace kx
