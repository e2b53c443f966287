#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kx::cli {

using Args = std::vector<std::string>;

// Each command reads puzzles from `in` and returns the exit status:
// 0 success, 1 failure of the operation, 2 bad input or usage.
int RunSolve(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunLogic(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunPass(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
// Every solution counted, without a limit.
int RunCount(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunCheck(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunFormatCount(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kx::cli
