#pragma once

#include "game/show_help.h"

namespace kx {

class Program;

// The printouts at the end of the printing command's questions (printouts.cpp).
int PrintWindow(Program& p);
// source 1: the shown digits, 0: the start puzzle.
int PrintPuzzleWithSolution(Program& p, int source);

}  // namespace kx
