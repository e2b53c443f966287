// Time per generated puzzle for each level and three slider positions,
// with fixed seeds: median, 90th percentile and maximum, candidates drawn
// per accepted puzzle and solver calls. Usage: generator_bench [COUNT] [--with-file]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/difficulty.h"
#include "game/current_solution_file.h"
#include "game/difficulty_slider.h"
#include "engine/generator.h"

namespace {

struct Row {
  std::string name;
  uint32_t minimum, maximum;
  int thin;
};

double Percentile(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(q * static_cast<double>(v.size() - 1) + 0.5))];
}

}  // namespace

int main(int argc, char** argv) {
  int count = 30;
  bool withFile = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--with-file") == 0) withFile = true;
    else count = std::max(1, std::atoi(argv[i]));
  }
  auto dir = std::filesystem::temp_directory_path() / "kx_generator_bench";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);

  std::vector<Row> rows;
  const char* kLevelNames[kx::kLevelCount] = {"Zufall", "Leicht", "Mittel", "Schwer", "Super"};
  for (int level = 0; level < kx::kLevelCount; ++level) {
    const auto& range = kx::LevelRange(static_cast<kx::Level>(level));
    rows.push_back({kLevelNames[level], range.minimum, range.maximum, range.thinningTarget});
  }
  const kx::SliderField unit{0, 0, 65535, 1};  // x is p itself on this field
  for (auto [name, p] : {std::pair{"Slider left", 0u}, {"Slider middle", 32767u}, {"Slider 3/4", 49151u}}) {
    auto range = kx::SliderToRange(p, 0, unit);
    rows.push_back({std::string(name) + " " + std::to_string(range.minimum) + ".." + std::to_string(range.maximum),
                    range.minimum, range.maximum, 0});
  }

  std::printf("%d puzzles per row, seeds 1..%d, current-solution file %s\n", count, count,
              withFile ? "written" : "off");
  std::printf("%-40s %9s %9s %9s %10s %12s %10s %8s\n", "level", "median ms", "p90 ms", "max ms", "puzzles/s",
              "cand/accept", "calls/puz", "removed");
  for (const Row& row : rows) {
    kx::Solver solver;
    kx::CurrentSolutionFile file;
    if (withFile) solver.SetCurrentSolutionSink(&file);
    kx::PuzzleRandom random(0);
    kx::Generator generator(solver, random);
    std::vector<double> ms;
    double total = 0, candidates = 0, calls = 0, removed = 0;
    for (int i = 1; i <= count; ++i) {
      random.Seed(static_cast<uint32_t>(i));
      kx::PuzzleText puzzle, solution;
      auto start = std::chrono::steady_clock::now();
      generator.GeneratePuzzle(row.minimum, row.maximum, row.thin, puzzle, solution);
      double elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      ms.push_back(elapsed);
      total += elapsed;
      candidates += static_cast<double>(generator.stats().candidatesDrawn);
      calls += static_cast<double>(generator.stats().solverCalls);
      removed += generator.stats().cluesBeforeThinning - generator.stats().cluesAfterThinning;
    }
    std::printf("%-40s %9.2f %9.2f %9.2f %10.1f %12.1f %10.1f %8.1f\n", row.name.c_str(), Percentile(ms, 0.5),
                Percentile(ms, 0.9), *std::max_element(ms.begin(), ms.end()), 1000.0 * count / total,
                candidates / count, calls / count, removed / count);
  }
  return 0;
}
