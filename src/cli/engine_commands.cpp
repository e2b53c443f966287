#include "cli/engine_commands.h"

#include <algorithm>
#include <cstdio>
#include <istream>
#include <memory>
#include <ostream>
#include <vector>

#include "base/helper_thread.h"
#include "cli/cli_args.h"
#include "cli/puzzle_input.h"
#include "cli/worker_pool.h"
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
  static const char* kUsage = "solve [--wanted N] [--max N] [--no-files] [--threads N]";
  OptionReader options(args);
  uint64_t wanted = options.Number("--wanted").value_or(1);
  uint64_t maximum = options.Number("--max").value_or(2);
  bool noFiles = options.Flag("--no-files");
  uint64_t threads = options.Number("--threads").value_or(UsableCores());
  if (options.bad() || !options.Rest().empty() || threads == 0) return Usage(err, kUsage);

  // Puzzles are rated on several threads only in batches, and only when
  // nobody waits for each answer before typing the next puzzle (an input
  // tied to an output) and no run writes the current-solution file, which
  // each run replaces. Each thread keeps a solver of its own; the answers
  // go out in input order.
  const bool batched = noFiles && !in.tie() && threads > 1;
  const size_t batchSize = batched ? 4096 : 1;
  const unsigned workers = batched ? static_cast<unsigned>(std::min<uint64_t>(threads, batchSize)) : 1;
  std::vector<std::unique_ptr<Solver>> solvers;
  for (unsigned w = 0; w < workers; ++w) solvers.push_back(std::make_unique<Solver>());
  CurrentSolutionFile file;
  if (!noFiles) solvers[0]->SetCurrentSolutionSink(&file);

  struct Rated {
    PuzzleText puzzle, solution;
    uint32_t result;
    uint64_t count;
  };
  std::vector<Rated> batch;
  auto rateBatch = [&] {
    RunOnWorkers(batch.size(), workers, [&](unsigned worker, size_t index) {
      Solver& solver = *solvers[worker];
      Rated& rated = batch[index];
      rated.result = solver.SolvePuzzle(rated.puzzle, rated.solution, wanted, maximum);
      rated.count = solver.SolutionCount();
    });
    for (const Rated& rated : batch) {
      out << rated.result << ' ' << rated.count << ' ' << OutputBoard(rated.solution) << '\n';
    }
    batch.clear();
  };
  bool good = ForEachPuzzle(in, err, [&](const PuzzleText& puzzle) {
    batch.push_back({puzzle, {}, 0, 0});
    if (batch.size() == batchSize) rateBatch();
  });
  rateBatch();
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
