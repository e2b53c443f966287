#pragma once

namespace kx {

class Program;

// "Spiel speichern": 0 done, 1 refused.
int SaveGameCommand(Program& p);
// "Gespeichertes Spiel laden": 0 done, 1 refused or cancelled.
int LoadGameCommand(Program& p);

}  // namespace kx
