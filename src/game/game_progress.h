#pragma once

namespace kx {

class Program;

// Declares the game won when the board is full and correct: mode, notice
// and, with the setting on, the automatic save.
void CheckForWin(Program& p);

// Books whole seconds since the last tick into the play time (or into the
// browsing time while an earlier step is displayed).
void AdvanceClock(Program& p);

// The 1000 ms timer: counts the notice's shown seconds down.
void NoticeTick(Program& p);

}  // namespace kx
