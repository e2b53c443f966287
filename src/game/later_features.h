#pragma once

#include "game/show_help.h"

namespace kx {

class Program;

// Commands whose machinery arrives with its own piece of the program. Each
// is the one place its command is dispatched to.
int PrintWindow(Program& p);
// source 1: the shown digits, 0: the start puzzle.
int PrintPuzzleWithSolution(Program& p, int source);

}  // namespace kx
