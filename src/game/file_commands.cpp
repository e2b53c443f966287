#include "game/file_commands.h"

#include <filesystem>

#include "game/game_end.h"
#include "game/history_navigation.h"
#include "game/program.h"
#include "game/state_file.h"

namespace kx {

bool WriteSavedGame(Program& p, const std::string& name) {
  if (WriteStateFile(p, name)) return true;
  p.host.ShowMessageBox({"Das Spiel konnte  n i c h t  in der Datei\n\n\"" + name + "\"\n\ngespeichert werden !!",
                         "Sudoku Meldung", BoxButtons::Ok, BoxIcon::Exclamation});
  return false;
}

int SaveGameCommand(Program& p) {
  if (HistoryViewGuard(p) != 0) return 1;
  GameState& s = p.state;
  if (s.Has(status::kGameSaved)) {
    p.host.ShowMessageBox({"Dieses Spiel ist bereits gespeichert !!", "Sudoku Meldung"});
    return 0;
  }
  const bool won = s.Has(status::kAutoSolved | status::kSolved);
  const std::string name = SavedGameName(p.host.Now(), won ? "" : "_ungeloest");
  if (!WriteSavedGame(p, name)) return 1;
  s.gameFlags |= flags::kSavedToFile;
  BuildFunctionFields(p, s.gameStatus | status::kGameSaved);
  p.host.ShowMessageBox({"Das Spiel wurde in der Datei\n\n\"" + name + "\"\n\ng e s p e i c h e r t !\n", "Sudoku Meldung"});
  return 0;
}

int LoadGameCommand(Program& p) {
  if (HistoryViewGuard(p) != 0) return 1;
  if (!p.state.Has(status::kSelect) && ConfirmAbandonGame(p) != BoxAnswer::Yes) return 1;
  const auto chosen = p.host.ChooseFileToOpen(
      {"Gespeichertes Sudoku laden (SuDoKu_*.kxs)", "SuDoKu_*.kxs", "SuDoKu_*.kxs"});
  if (!chosen) return 1;
  if (!IsSavedGameName(*chosen)) {
    p.host.ShowMessageBox({"Gewählte Datei ist  u n g ü l t i g !!", "KX-Sudoku Nachricht", BoxButtons::Ok,
                           BoxIcon::Exclamation});
    return 1;
  }
  ReadStateFile(p, *chosen);
  BuildFunctionFields(p, p.state.gameStatus);
  return 0;
}

}  // namespace kx
