#pragma once

#include <iosfwd>

#include "cli/engine_commands.h"

namespace kx::cli {

// compile-help SRC OUT [--title T] [--allow-duplicates]: compiles a help
// source; on failure the error box text goes to `err` and the status is 1.
int RunCompileHelp(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kx::cli
