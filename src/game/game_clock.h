#pragma once

namespace kx {

class Program;

// The play clock and the notice's countdown.

// Books whole seconds since the last tick into the play time (or into the
// browsing time while an earlier step is displayed).
void AdvanceClock(Program& p);

// The 1000 ms timer: counts the notice's shown seconds down.
void NoticeTick(Program& p);

// Books this run's time into the newest step (at shutdown).
void BookExitTime(Program& p);

// Starts the statistics and the clock of a newly set up game.
void ResetGameStatistics(Program& p);

}  // namespace kx
