#include "game/enumerate_command.h"

#include "engine/dedup.h"
#include "game/program.h"
#include "platform/progress_window.h"
#include "text/text_format.h"

namespace kx {

namespace {

constexpr const char* kQuestion =
    "Neue Lösungen werden im Text-Format zur Datei 'SudokuAll.txt' hinzugeschrieben.\n\n"
    "Bei wenigen Vorgabeziffern kann diese Funktion fast ewige Zeit beanspruchen !!\n"
    "(Die Funktion kann jedoch durch Mausklick oder ESC-Taste abgebrochen werden)\n\n"
    "Zur Ermittlung der Lösungen werden die momentan eingetragenen Ziffern verwendet.\n\n"
    "Sind Sie sicher, dass das Finden aller Lösungen für die Vorgabeziffern durchgeführt werden soll???";

void ShowProgress(Program& p, ProgressPhase phase) {
  if (!p.progress) return;
  p.progress->SetPhase(phase);
  p.progress->RequestStop(StopRequest::None);
  p.progress->Show();
}

void HideProgress(Program& p) {
  if (p.progress) p.progress->Hide();
}

}  // namespace

std::string EnumerationMessage(uint64_t written, uint64_t found, uint64_t duplicates, int error) {
  std::string text = "Die Datei 'SudokuAll.txt' enthält jetzt " + FormatCount64(written) + " Lösungen\n\n";
  if (found != 0) text += "Jetzt wurden " + FormatCount64(found) + " Lösungen ermittelt\n";
  duplicates = ReportedDuplicates(duplicates);
  if (duplicates != 0) text += "und es wurden " + FormatCount64(duplicates) + " identische Lösungen wieder entfernt\n";
  if (error != 0) text += "\n\n\nAchtung !!!!  Der Fehler-# " + std::to_string(error) + " ist aufgetreten !!!!";
  return text;
}

std::string ProgressText(ProgressPhase phase, const ProgressCounts& counts) {
  if (phase == ProgressPhase::Searching) {
    return "Bisher  " + FormatCount64(counts.solutionsFound) + "  Lösungen gefunden";
  }
  return FormatCount64(counts.recordsWritten) + " / " + FormatCount64(counts.recordsDistributed);
}

int EnumerationError(int dedupError, bool logFailed) {
  return dedupError != 0 ? dedupError : logFailed ? dedup_error::kOpenLog : 0;
}

int EnumerateAllSolutions(Program& p) {
  MessageBoxRequest question;
  question.text = kQuestion;
  question.title = "Sudoku Meldung";
  question.buttons = BoxButtons::YesNo;
  question.icon = BoxIcon::Exclamation;
  if (p.host.ShowMessageBox(question) != BoxAnswer::Yes) return 0;

  if (p.resetFieldInteraction) p.resetFieldInteraction(FieldReset::Hover);
  const Board board = p.state.currentBoard;
  BoardToText(board, p.state.startPuzzleText);
  p.state.gameStatus |= status::kBusyEnumerating;
  p.solver.SetSolutionCount(0);
  ShowProgress(p, ProgressPhase::Searching);
  p.solver.EnumerateSolutions(p.state.startPuzzleText, p.state.solutionText, kSolutionLogFile);
  HideProgress(p);
  p.state.gameStatus &= ~status::kBusyEnumerating;
  // The search showed its solutions on the board; the board gets back what
  // it held, which the puzzle text came from. A rebuild from the text would
  // drop what a cell word held besides its digit, which the move history,
  // and so the state file, keeps.
  p.state.currentBoard = board;
  p.host.RepaintNow();

  ShowProgress(p, ProgressPhase::Deduplicating);
  DedupCounters counters;
  DedupOptions options;
  options.memoryLimit = DedupMemoryLimit(p.host.FreePhysicalMemory());
  options.pump = [&p, &counters] {
    if (p.progress) {
      ProgressCounts shown = p.progress->Counts();
      shown.recordsWritten = counters.written;
      shown.recordsDistributed = counters.distributed;
      p.progress->SetCounts(shown);
    }
    return p.PumpProgressWindow();
  };
  const int error = EnumerationError(DeduplicateSolutionFile(kSolutionLogFile, counters, options), p.solver.LogFailed());
  HideProgress(p);

  MessageBoxRequest report;
  report.text = EnumerationMessage(counters.written, p.solver.SolutionCount(), counters.duplicates, error);
  report.title = "KX-Sudoku";
  report.icon = error != 0 ? BoxIcon::Exclamation : BoxIcon::None;
  p.host.ShowMessageBox(report);
  return 0;
}

}  // namespace kx
