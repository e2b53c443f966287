#pragma once

#include <cstdint>
#include <functional>

namespace kx {

class Program;

// What a command needs from the window around the game.
struct CommandHooks {
  // The symbol set changed: fonts refitted, digit pictures discarded.
  std::function<void()> symbolSetChanged;
};

// Runs the command of a function field: 0 when done, 1 when refused. An id
// without a command beeps and returns 1.
int RunCommand(Program& p, int commandId, const CommandHooks& hooks = {});

// Replaces the game by a generated one in the difficulty range.
int NewGame(Program& p, uint32_t minimum, uint32_t maximum, int thinningTarget);

// Turns the typed-in board into the puzzle to play.
void FinishManualEntry(Program& p);

// The game's commands behind the function fields (the command table lists
// them with their fields): 0 when done, 1 when refused.
int NewOwnGame(Program& p);
int FinishEntryCommand(Program& p);
int SolveAll(Program& p);
int CheckAndRate(Program& p);
int SetAllCandidates(Program& p);
int SetCellCandidates(Program& p);
int SolveSelectedCell(Program& p);
int RemoveWrongDigits(Program& p);
int Abandon(Program& p);
int EnterSettings(Program& p);
int LeaveSettings(Program& p);
int PlayShownGame(Program& p);
int PrintChain(Program& p);
int QuitProgram(Program& p);
// A settings value changed: the fields show the new one.
int SettingChanged(Program& p);
int NextSymbolSet(Program& p, const CommandHooks& hooks);

}  // namespace kx
