#include "game/program.h"

#include "engine/builtin_puzzle.h"
#include "game/command_table.h"

namespace kx {

Program::Program(Host& h, uint32_t randomSeed)
    : host(h), random(randomSeed), noiseRandom(~randomSeed), solver(this), generator(solver, random) {
  state.startPuzzleText = BuiltinPuzzleText();
  solver.SetCurrentSolutionSink(&currentSolutionFile);
}

void Program::RunEnded(bool noSolution) {
  state.statusBoard = savedStatusBoard_;
  if (noSolution) host.Beep(BeepKind::Exclamation);
}

void Program::SearchDisplayHook(const Board& board, int cellIndex) {
  if (cellIndex >= 0) {
    const int marked = cellIndex > 80 ? 80 : cellIndex;
    state.currentBoard = board;
    for (int i = 0; i < 81; ++i) state.statusBoard[i] = board[i];
    state.statusBoard[marked] |= cell::kGiven;
  } else {
    // Noise picture while the generator guesses.
    for (int i = 0; i < 81; ++i) {
      state.currentBoard[i] = static_cast<CellWord>(1u << (1 + noiseRandom.Next() % 9));
      const uint32_t r = noiseRandom.Next() & 0x3FF;
      state.statusBoard[i] = static_cast<uint16_t>((r & kAllCandidates) | ((r & 1) ? cell::kGiven : 0));
    }
  }
  host.RepaintNow();
}

void Program::SetBusyGenerating(bool busy) {
  if (busy) {
    state.gameStatus |= status::kBusyGenerating;
  } else {
    state.gameStatus &= ~status::kBusyGenerating;
  }
  host.RepaintNow();
}

bool Program::SolutionLogged(int depth) {
  state.selectedCell = depth;
  return PumpProgressWindow() != 0;
}

int Program::PumpProgressWindow() {
  if (!progress) return 0;
  ProgressCounts shown = progress->Counts();
  shown.solutionsFound = solver.SolutionCount();
  progress->SetCounts(shown);
  return progress->Pump();
}

uint32_t SolveForGame(Program& p, const PuzzleText& in, PuzzleText& out) {
  return p.solver.SolvePuzzle(in, out, 1, 2);
}

namespace {

void Add(Program& p, int commandId) {
  const FieldText shown = ShownFieldText(commandId, p.settings);
  p.fields.AddFunctionField(std::string(shown.label), false, shown.help, commandId);
}

void AddTitle(Program& p, Title title, bool onlyIfEmpty = true) {
  if (onlyIfEmpty && p.fields.Count() != 0) return;
  const FieldText shown = TitleText(title);
  p.fields.AddFunctionField(std::string(shown.label), true, shown.help, command::kTitle);
}

void AddAll(Program& p, std::initializer_list<int> ids) {
  for (int id : ids) Add(p, id);
}

void AddSettingsFields(Program& p) {
  using namespace command;
  AddTitle(p, Title::Settings, false);
  if (p.settings.ValidationLevel() < 3) Add(p, kValidation);
  AddAll(p, {kAutoSave, kLeaveSelection, kPrintout, kCandidateRows, kPopups, kReachability, kContinuation,
             kAfterGenerating, kSymbolSet});
  if (p.settings.IsPictureSet()) Add(p, kAssignPictures);
  Add(p, kLeaveSettings);
}

void AddModeFields(Program& p, uint32_t newStatus) {
  using namespace command;
  const bool finished = p.state.IsFinished();
  const bool saved = (p.state.gameFlags & flags::kSavedToFile) != 0;
  const bool ambiguous = p.solver.SolutionCount() >= 2;
  const bool rowShown = !p.settings.HideCandidateRows();
  const auto addNewGameFields = [&] { AddAll(p, {kNewOwnGame, kNewRandom, kSlider, kNewEasy, kNewMedium, kNewHard, kNewSuperHard, kLoadGame}); };
  const auto addClosingFields = [&] { AddAll(p, {kHelp, kSettings, kPrint, kQuit}); };

  switch (newStatus & status::kModeMask) {
    case 0:
      AddTitle(p, Title::Play);
      if (!finished) {
        AddAll(p, {kAbandon, kSolveAll});
        if (ambiguous) Add(p, kAllSolutions);
        if (rowShown) Add(p, kSetAllCandidates);
        Add(p, kSolveCell);
        if (rowShown) Add(p, kSetCellCandidates);
        AddAll(p, {kCheck, kRemoveWrong});
      }
      addClosingFields();
      break;
    case status::kAutoSolved:
      AddTitle(p, Title::AutoSolved);
      if (!saved) Add(p, kSaveGame);
      addNewGameFields();
      Add(p, kPlayShown);
      addClosingFields();
      break;
    case status::kManualEntry:
      AddTitle(p, Title::ManualEntry);
      AddAll(p, {kCheck, kFinishEntry});
      addClosingFields();
      break;
    case status::kSolved:
      AddTitle(p, Title::Solved);
      if (!saved) Add(p, kSaveGame);
      addNewGameFields();
      if (!finished) Add(p, kPlayShown);
      addClosingFields();
      break;
    case status::kSelect:
      AddTitle(p, Title::Select);
      if (!(newStatus & status::kGameSaved) && !saved) Add(p, kSaveGame);
      if (!finished) {
        addNewGameFields();
        if (!p.settings.PlayByTypingInSelection()) Add(p, kPlayShown);
      }
      addClosingFields();
      break;
    default:
      RefuseBeep(p);
      AddAll(p, {kNewOwnGame, kFinishEntry, kNewRandom, kNewEasy, kNewMedium, kNewHard, kNewSuperHard, kSolveAll, kCheck});
      if (rowShown) Add(p, kSetAllCandidates);
      AddAll(p, {kLoadGame, kAllSolutions, kHelp, kSettings, kPrint, kQuit});
      break;
  }
}

}  // namespace

void BuildFunctionFields(Program& p, uint32_t newStatus) {
  if ((newStatus & status::kModeMask) != (p.state.gameStatus & status::kModeMask)) {
    if (p.resetFieldInteraction) p.resetFieldInteraction(FieldReset::All);
  }
  p.fields.Clear();
  if (p.history.Browsing()) AddTitle(p, Title::HistoryView);
  if (newStatus & status::kSettings) {
    AddSettingsFields(p);
  } else {
    AddModeFields(p, newStatus);
  }
  p.state.gameStatus = newStatus;
}

}  // namespace kx
