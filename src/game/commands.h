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

// Whether a field id has a command behind it (title fields count).
bool IsKnownCommand(int commandId);

// Replaces the game by a generated one in the difficulty range.
int NewGame(Program& p, uint32_t minimum, uint32_t maximum, int thinningTarget);

// Turns the typed-in board into the puzzle to play.
void FinishManualEntry(Program& p);

}  // namespace kx
