#include "game/statistics.h"

#include "game/level_labels.h"

namespace kx {

std::vector<StatisticsRow> StatisticsRows(const GameState& state) {
  int32_t given = 0, player = 0, helped = 0, automatic = 0, corrected = 0, unsolved = 0;
  for (int i = 0; i < 81; ++i) {
    if (!IsSolved(state.currentBoard[i])) {
      ++unsolved;
      continue;
    }
    switch (OriginOf(state.statusBoard[i])) {
      case OriginClass::Given: ++given; break;
      case OriginClass::Player: ++player; break;
      case OriginClass::Helped: ++helped; break;
      case OriginClass::Automatic: ++automatic; break;
      case OriginClass::Corrected: ++corrected; break;
    }
  }
  return {
      {"Spiel-Schwierigkeit", state.gameDifficulty - 81, false},
      {"Spielzeit", static_cast<int32_t>(state.playTime), true},
      {"Vorgabe-Ziffern", given, false},
      {"Selbst  eingetragen", player, false},
      {"Mit Hilfe gelöst", helped, false},
      {"Automatisch gelöst", automatic + corrected, false},
      {"U n g e l ö s t", unsolved, false},
      {"Auto-Korrekturen", corrected, false},
      {"Fehleingaben", static_cast<int32_t>(state.wrongEntries), false},
      {"Prüf-Schwierigkeit", state.checkDifficulty - 81, false},
  };
}

std::string StatisticsTitle(const GameState& state) {
  std::string title = "Spiel-Modus";
  int32_t shown = state.gameDifficulty - 81;
  switch (state.Mode()) {
    case status::kManualEntry:
      title = "Manuelle Spiel-Eingabe";
      shown = state.checkDifficulty - 81;
      break;
    case status::kSolved: title = "Sudoku ist vollständig gelöst"; break;
    case status::kAutoSolved: title = "Sudoku ist vollständig gelöst (Automatisch)"; break;
    case status::kSelect: title = "Spielauswahl"; break;
    default: break;
  }
  return title + LevelLabel(shown);
}

}  // namespace kx
