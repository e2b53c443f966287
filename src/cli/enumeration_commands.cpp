#include "cli/enumeration_commands.h"

#include <istream>
#include <ostream>

#include "cli/cli_args.h"
#include "cli/puzzle_input.h"
#include "engine/dedup.h"
#include "engine/solver.h"
#include "game/current_solution_file.h"
#include "game/enumerate_command.h"
#include "system/free_resources.h"

namespace kx::cli {

namespace {

int Usage(std::ostream& err, const char* usage) {
  err << "usage: kx-sudoku-cli " << usage << "\n";
  return 2;
}

// Takes "--name VALUE" out of the arguments; false when the value is missing.
bool TakeOption(Args& args, const std::string& name, std::string& value) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    if (i + 1 >= args.size()) return false;
    value = args[i + 1];
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    return true;
  }
  return true;
}

}  // namespace

int RunEnumerate(const Args& given, std::istream& in, std::ostream& out, std::ostream& err) {
  static const char* kUsage = "enumerate [--file F]";
  Args args = given;
  std::string file = kSolutionLogFile;
  if (!TakeOption(args, "--file", file) || !args.empty() || file.empty()) return Usage(err, kUsage);

  Solver solver;
  CurrentSolutionFile currentSolution;
  solver.SetCurrentSolutionSink(&currentSolution);
  bool failed = false;
  bool good = ForEachPuzzle(in, err, [&](const PuzzleText& given) {
    // The game's puzzle texts have a space for an empty cell.
    PuzzleText puzzle = given, solution;
    for (char& c : puzzle) {
      if (c < '1' || c > '9') c = ' ';
    }
    solver.EnumerateSolutions(puzzle, solution, file.c_str());
    DedupCounters counters;
    DedupOptions options;
    options.memoryLimit = DedupMemoryLimit(FreePhysicalMemory());
    const int error = EnumerationError(DeduplicateSolutionFile(file.c_str(), counters, options), solver.LogFailed());
    failed = failed || error != 0;
    out << counters.written << ' ' << solver.SolutionCount() << ' ' << ReportedDuplicates(counters.duplicates)
        << ' ' << error << '\n';
  });
  return !good ? 2 : failed ? 1 : 0;
}

int RunDedup(const Args& given, std::istream&, std::ostream& out, std::ostream& err) {
  static const char* kUsage = "dedup FILE [--memory BYTES]";
  Args args = given;
  std::string memory;
  if (!TakeOption(args, "--memory", memory) || args.size() != 1) return Usage(err, kUsage);
  DedupOptions options;
  options.memoryLimit = DedupMemoryLimit(FreePhysicalMemory());
  if (!memory.empty()) {
    auto limit = ParseUnsigned(memory);
    if (!limit) return Usage(err, kUsage);
    options.memoryLimit = *limit;
  }
  DedupCounters counters;
  const int error = DeduplicateSolutionFile(args[0].c_str(), counters, options);
  out << counters.written << ' ' << counters.distributed << ' ' << counters.duplicates << ' ' << error << '\n';
  return error != 0 ? 1 : 0;
}

}  // namespace kx::cli
