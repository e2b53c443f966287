// Solver throughput over a file of mixed puzzles, with and without the
// current-solution file that the game rewrites on every run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/bit_solver.h"
#include "engine/propagate.h"
#include "engine/solver.h"
#include "game/current_solution_file.h"

namespace {

std::vector<kx::PuzzleText> LoadPuzzles(const std::string& name) {
  std::vector<kx::PuzzleText> puzzles;
  std::ifstream in(std::string(KX_BENCH_DATA_DIR) + "/" + name);
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() < 81 || line[0] == '#') continue;
    kx::PuzzleText text;
    for (int i = 0; i < 81; ++i) text[i] = line[i];
    puzzles.push_back(text);
  }
  return puzzles;
}

const std::vector<kx::PuzzleText>& MixedPuzzles() {
  static const auto puzzles = LoadPuzzles("solve_mix.txt");
  return puzzles;
}

void SolveAll(benchmark::State& state, bool writeFile) {
  const auto& puzzles = MixedPuzzles();
  if (puzzles.empty()) {
    state.SkipWithError("bench/data/solve_mix.txt not found");
    return;
  }
  auto dir = std::filesystem::temp_directory_path() / "kx_solver_bench";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  kx::Solver solver;
  kx::CurrentSolutionFile file;
  if (writeFile) solver.SetCurrentSolutionSink(&file);
  kx::PuzzleText out;
  for (auto _ : state) {
    for (const auto& puzzle : puzzles) benchmark::DoNotOptimize(solver.SolvePuzzle(puzzle, out, 1, 2));
  }
  state.counters["puzzles/s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * puzzles.size()), benchmark::Counter::kIsRate);
}

void BM_SolvePuzzleNoFile(benchmark::State& state) { SolveAll(state, false); }
void BM_SolvePuzzleWithFile(benchmark::State& state) { SolveAll(state, true); }

void BM_LogicSolve(benchmark::State& state) {
  const auto& puzzles = MixedPuzzles();
  kx::Board board;
  size_t next = 0;
  for (auto _ : state) {
    kx::TextToBoard(board, puzzles[next++ % puzzles.size()]);
    benchmark::DoNotOptimize(kx::LogicSolve(board));
  }
}

// The bit solver alone: is there a second solution?
void BM_CountSolutionsUpToTwo(benchmark::State& state) {
  const auto& puzzles = MixedPuzzles();
  size_t next = 0;
  for (auto _ : state) benchmark::DoNotOptimize(kx::CountSolutions(puzzles[next++ % puzzles.size()], 2));
}

void BM_CheckBoard(benchmark::State& state) {
  const auto& puzzles = MixedPuzzles();
  std::vector<kx::Board> boards(puzzles.size());
  for (size_t i = 0; i < puzzles.size(); ++i) {
    kx::TextToBoard(boards[i], puzzles[i]);
    kx::LogicSolve(boards[i]);
  }
  size_t next = 0;
  for (auto _ : state) benchmark::DoNotOptimize(kx::CheckBoard(boards[next++ % boards.size()]));
}

BENCHMARK(BM_SolvePuzzleNoFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolvePuzzleWithFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LogicSolve);
BENCHMARK(BM_CountSolutionsUpToTwo);
BENCHMARK(BM_CheckBoard);

}  // namespace

BENCHMARK_MAIN();
