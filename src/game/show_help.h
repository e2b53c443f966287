#pragma once

namespace kx {

class Program;

// Command "Hilfe anzeigen" and F1: the program's help in a help window.
// Returns 0.
int ShowHelp(Program& p);

}  // namespace kx
