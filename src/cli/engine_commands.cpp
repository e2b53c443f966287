#include "cli/engine_commands.h"

#include <cstdio>
#include <istream>
#include <ostream>

#include "cli/cli_args.h"
#include "cli/puzzle_input.h"
#include "engine/bit_solver.h"
#include "engine/propagate.h"
#include "engine/solver.h"
#include "game/current_solution_file.h"
#include "text/text_format.h"

namespace kx::cli {

namespace {

int Usage(std::ostream& err, const char* usage) {
  err << "usage: kx-sudoku-cli " << usage << "\n";
  return 2;
}

// Runs `step` on the board of every puzzle and prints "<score> <board>".
template <typename Step>
int RunBoardStep(const Args& args, std::istream& in, std::ostream& out, std::ostream& err, const char* usage,
                 Step step) {
  if (!args.empty()) return Usage(err, usage);
  bool good = ForEachPuzzle(in, err, [&](const PuzzleText& puzzle) {
    Board board;
    TextToBoard(board, puzzle);
    uint32_t score = step(board);
    PuzzleText text;
    BoardToText(board, text);
    out << score << ' ' << OutputBoard(text) << '\n';
  });
  return good ? 0 : 2;
}

}  // namespace

int RunSolve(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  static const char* kUsage = "solve [--wanted N] [--max N] [--no-files]";
  OptionReader options(args);
  uint64_t wanted = options.Number("--wanted").value_or(1);
  uint64_t maximum = options.Number("--max").value_or(2);
  bool noFiles = options.Flag("--no-files");
  if (options.bad() || !options.Rest().empty()) return Usage(err, kUsage);

  Solver solver;
  CurrentSolutionFile file;
  if (!noFiles) solver.SetCurrentSolutionSink(&file);
  bool good = ForEachPuzzle(in, err, [&](const PuzzleText& puzzle) {
    PuzzleText solution;
    uint32_t result = solver.SolvePuzzle(puzzle, solution, wanted, maximum);
    out << result << ' ' << solver.SolutionCount() << ' ' << OutputBoard(solution) << '\n';
  });
  return good ? 0 : 2;
}

int RunCount(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (!args.empty()) return Usage(err, "count");
  bool good = ForEachPuzzle(in, err, [&](const PuzzleText& puzzle) {
    out << CountSolutions(puzzle, ~uint64_t{0}) << '\n';
  });
  return good ? 0 : 2;
}

int RunLogic(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  return RunBoardStep(args, in, out, err, "logic", [](Board& board) { return LogicSolve(board); });
}

int RunPass(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  return RunBoardStep(args, in, out, err, "pass", [](Board& board) { return PropagatePass(board); });
}

int RunCheck(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (!args.empty()) return Usage(err, "check");
  bool good = ForEachPuzzle(in, err, [&](const PuzzleText& puzzle) {
    Board board;
    TextToBoard(board, puzzle);
    char hex[12];
    std::snprintf(hex, sizeof hex, "%08X", CheckBoard(board));
    out << hex << '\n';
  });
  return good ? 0 : 2;
}

int RunFormatCount(const Args& args, std::istream&, std::ostream& out, std::ostream& err) {
  std::optional<uint64_t> value = args.size() == 1 ? ParseUnsigned(args[0]) : std::nullopt;
  if (!value) return Usage(err, "fmt64 N");
  out << FormatCount64(*value) << '\n';
  return 0;
}

}  // namespace kx::cli
