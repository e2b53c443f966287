#pragma once

#include <iosfwd>

#include "cli/engine_commands.h"  // Args

namespace kx::cli {

// print --to FILE.pdf [--mirror|--readable] [--no-candidates]: each puzzle
// of the input as the puzzle-with-solution printout, one job each, into
// one PDF file, without the game window.
int RunPrint(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kx::cli
