#pragma once

#include <string>

namespace kx {

class Program;

// Writes the game to a saved-game file. A failed write is told to the
// player, so that nobody believes an unsaved game safe; false then.
bool WriteSavedGame(Program& p, const std::string& name);

// "Spiel speichern": 0 done, 1 refused.
int SaveGameCommand(Program& p);
// "Gespeichertes Spiel laden": 0 done, 1 refused or cancelled.
int LoadGameCommand(Program& p);

}  // namespace kx
