#include "game/game_end.h"

#include "game/file_commands.h"
#include "game/program.h"
#include "game/state_file.h"

namespace kx {

void CheckForWin(Program& p) {
  GameState& s = p.state;
  if (CheckCompleteBoard(s.currentBoard) != 0) return;
  if (s.Has(status::kAutoSolved | status::kSolved)) return;

  s.gameFlags |= flags::kFinished;
  BuildFunctionFields(p, s.gameStatus | status::kSolved);
  if (!p.history.Empty()) p.history.Displayed().gameStatus = s.gameStatus;
  p.host.RepaintNow();

  s.noticeText = "G l ü c k w u n s c h !!!\n\nDas Sudoku ist vollständig gelöst.";
  if (p.settings.AutoSave()) {
    const std::string name = SavedGameName(p.host.Now());
    if (WriteSavedGame(p, name)) {
      s.gameFlags |= flags::kSavedToFile;
      BuildFunctionFields(p, s.gameStatus | status::kGameSaved);
      s.noticeText += "\n\nDer gesamte Spielverlauf wurde in der Datei\n\n\"" + name + "\"\n\ngespeichert!\n";
    }
  }
  s.noticeTicks = notice::kShown | notice::kWinSeconds;
  BuildFunctionFields(p, s.gameStatus & ~status::kSettings);
}

BoxAnswer ConfirmAbandonGame(Program& p) {
  GameState& s = p.state;
  if (s.Has(status::kAbortConfirmed | status::kGameSaved)) return BoxAnswer::Yes;
  const Board& board = p.history.Empty() ? s.currentBoard : p.history.Newest().currentBoard;
  if (CheckCompleteBoard(board) == 0) return BoxAnswer::Yes;

  BoxAnswer answer = p.host.ShowMessageBox({"Bisheriges  S u d o k u   ist   n i c h t  gelöst !!!\n\nSpiel abbrechen?\n",
                                            "Sudoku Nachfrage", BoxButtons::YesNo, BoxIcon::Question});
  if (answer != BoxAnswer::Yes) return answer;
  s.gameStatus |= status::kAbortConfirmed;
  const std::string name = SavedGameName(p.host.Now(), "_ungeloest");
  MessageBoxRequest offer{"Bisherigen Spielverlauf in der Datei\n\n\"" + name + "\"\n\ns p e i c h e r n ?\n",
                          "Sudoku Nachfrage", BoxButtons::YesNo, BoxIcon::Question};
  offer.defaultButton = 1;
  if (p.host.ShowMessageBox(offer) == BoxAnswer::Yes && WriteSavedGame(p, name)) {
    // Rebuilt as after "Spiel speichern": the selection's list must not
    // offer the save again when the caller goes no further (a refused resume).
    BuildFunctionFields(p, s.gameStatus | status::kGameSaved);
  }
  return answer;
}

}  // namespace kx
