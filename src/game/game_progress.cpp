#include "game/game_progress.h"

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

void AdvanceClock(Program& p) {
  GameState& s = p.state;
  if (s.IsFinished()) return;
  const uint32_t now = p.host.TickCount();
  const uint32_t elapsed = now - s.lastClockTick;
  if (elapsed <= 1000) return;
  const uint32_t seconds = elapsed / 1000;
  s.lastClockTick += seconds * 1000;
  if (p.history.Browsing()) {
    s.browseTime += seconds;
  } else {
    s.playTime += seconds;
  }
}

void NoticeTick(Program& p) {
  if (p.state.noticeTicks & notice::kSecondsLeft) --p.state.noticeTicks;
}

}  // namespace kx
