#include "game/game_clock.h"

#include "game/program.h"

namespace kx {

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

void BookExitTime(Program& p) {
  if (p.history.Empty()) return;
  if (!p.history.Browsing()) {
    p.history.Newest().playTime = p.state.playTime;
  } else {
    p.history.Newest().playTime += p.state.browseTime;
  }
}

void ResetGameStatistics(Program& p) {
  GameState& s = p.state;
  s.wrongEntries = 0;
  s.reserved[0] = s.reserved[1] = 0;
  s.playTime = 0;
  s.browseTime = 0;
  s.lastClockTick = p.host.TickCount();
  s.gameStartTime = p.host.Now();
}

}  // namespace kx
