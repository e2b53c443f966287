#pragma once

#include "cli/engine_commands.h"

namespace kx::cli {

int RunGenerate(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunThin(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunSlider(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kx::cli
