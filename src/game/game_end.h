#pragma once

#include "platform/host.h"

namespace kx {

class Program;

// How a game ends: won, or abandoned with the player's consent.

// Declares the game won when the board is full and correct: mode, notice
// and, with the setting on, the automatic save.
void CheckForWin(Program& p);

// Asks before an unsolved game is abandoned and offers to save it.
BoxAnswer ConfirmAbandonGame(Program& p);

}  // namespace kx
