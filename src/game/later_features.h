#pragma once

namespace kx {

class Program;

// Commands whose machinery arrives with its own piece of the program. Each
// is the one place its command is dispatched to.
int EnumerateAllSolutions(Program& p);
int ShowHelp(Program& p);
// Defined in printouts.cpp.
int PrintWindow(Program& p);
// source 1: the shown digits, 0: the start puzzle.
int PrintPuzzleWithSolution(Program& p, int source);
int RunPictureCommand(Program& p, int commandId);

}  // namespace kx
