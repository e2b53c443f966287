// Solutions per second of the all-solutions search in log mode, as the game
// runs it: every solution appended to the log, the pump called after each.
// Usage: enumeration_bench PUZZLE_FILE...  (one puzzle per file, '.' empty)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/solver.h"

namespace {

// Counts the pump calls; never cancels, no display.
class CountingHost : public kx::SolverHost {
 public:
  int PumpProgressWindow() override {
    ++pumps;
    return 0;
  }
  uint64_t pumps = 0;
};

bool ReadPuzzle(const std::string& path, kx::PuzzleText& text) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() != 81 || line[0] == '#') continue;
    for (int i = 0; i < 81; ++i) text[i] = line[i] >= '1' && line[i] <= '9' ? line[i] : ' ';
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: enumeration_bench PUZZLE_FILE...\n");
    return 2;
  }
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) files.push_back(std::filesystem::absolute(argv[i]));
  auto dir = std::filesystem::temp_directory_path() / "kx_enumeration_bench";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);

  std::printf("%-16s %12s %10s %14s %14s\n", "puzzle", "solutions", "seconds", "solutions/s", "log bytes");
  for (const auto& file : files) {
    kx::PuzzleText puzzle, out;
    if (!ReadPuzzle(file.string(), puzzle)) {
      std::fprintf(stderr, "%s: no puzzle\n", file.c_str());
      return 1;
    }
    std::filesystem::remove("SudokuAll.txt");
    CountingHost host;
    kx::Solver solver(&host);
    solver.SetWritesCurrentSolutionFile(false);
    auto start = std::chrono::steady_clock::now();
    solver.SolvePuzzle(puzzle, out, 1, ~uint64_t{0}, "SudokuAll.txt");
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-16s %12llu %10.2f %14.0f %14llu\n", file.filename().c_str(),
                static_cast<unsigned long long>(solver.SolutionCount()), seconds,
                static_cast<double>(solver.SolutionCount()) / seconds,
                static_cast<unsigned long long>(std::filesystem::file_size("SudokuAll.txt")));
  }
  std::filesystem::remove("SudokuAll.txt");
  return 0;
}
