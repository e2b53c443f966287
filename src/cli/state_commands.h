#pragma once

#include "cli/engine_commands.h"

namespace kx::cli {

int RunStateDump(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kx::cli
