#pragma once

#include "cli/engine_commands.h"

namespace kx::cli {

// enumerate [--file F]: every solution of each puzzle into the log, then
// the rewrite without repeats; prints "<written> <found> <removed> <error>".
int RunEnumerate(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
// dedup FILE [--memory BYTES]: prints "<written> <distributed> <duplicates> <error>".
int RunDedup(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kx::cli
