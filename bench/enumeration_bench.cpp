// The all-solutions search as the game runs it: every solution into the
// log on disk, the pump called after each one and asked for the time. For
// each puzzle: the search phase in solution lines per second and the growth
// of resident memory during it, then the rewrite. With --rating the rating
// search's own log mode runs too, for comparison (slow on big puzzles).
// Usage: enumeration_bench [--rating] PUZZLE_FILE...  (one puzzle per file)
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/dedup.h"
#include "engine/solver.h"
#include "system/free_resources.h"

namespace {

// Never cancels and shows nothing, but pays for the calls the game makes.
class GameLikeHost : public kx::SearchObserver {
 public:
  bool SolutionLogged(int) override {
    ++pumps;
    return false;
  }
  bool BusyEnumerating() const override { return true; }
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

// Resident memory in KiB, from /proc.
long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * 4;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Processor time of the process so far, user and system, in seconds.
double ProcessorSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
  bool rating = false;
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rating") == 0) {
      rating = true;
    } else {
      files.push_back(std::filesystem::absolute(argv[i]));
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "usage: enumeration_bench [--rating] PUZZLE_FILE...\n");
    return 2;
  }
  auto dir = std::filesystem::temp_directory_path() / "kx_enumeration_bench";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);

  std::printf("%-16s %10s %9s %12s %12s %11s %10s %11s\n", "puzzle", "solutions", "search s", "lines/s",
              "cpu lines/s", "memory KiB", "rewrite s", "rating l/s");
  for (const auto& file : files) {
    kx::PuzzleText puzzle, out;
    if (!ReadPuzzle(file.string(), puzzle)) {
      std::fprintf(stderr, "%s: no puzzle\n", file.c_str());
      return 1;
    }
    std::filesystem::remove(kx::kSolutionLogFile);
    GameLikeHost host;
    kx::Solver solver(&host);
    const long before = ResidentKiB();
    const double processorBefore = ProcessorSeconds();
    auto start = std::chrono::steady_clock::now();
    solver.EnumerateSolutions(puzzle, out, kx::kSolutionLogFile);
    const double search = Seconds(start);
    const double searchProcessor = ProcessorSeconds() - processorBefore;
    const long grown = ResidentKiB() - before;
    const uint64_t found = solver.SolutionCount();

    kx::DedupCounters counters;
    kx::DedupOptions options;
    options.memoryLimit = kx::DedupMemoryLimit(kx::FreePhysicalMemory());
    start = std::chrono::steady_clock::now();
    const int error = kx::DeduplicateSolutionFile(kx::kSolutionLogFile, counters, options);
    const double rewrite = Seconds(start);

    double ratingRate = 0;
    if (rating) {
      std::filesystem::remove(kx::kSolutionLogFile);
      start = std::chrono::steady_clock::now();
      solver.SolvePuzzle(puzzle, out, 1, ~uint64_t{0}, kx::kSolutionLogFile);
      ratingRate = static_cast<double>(solver.SolutionCount()) / Seconds(start);
    }
    std::printf("%-16s %10llu %9.3f %12.0f %12.0f %11ld %10.3f %11.0f%s\n", file.filename().c_str(),
                static_cast<unsigned long long>(found), search, static_cast<double>(found) / search,
                static_cast<double>(found) / searchProcessor, grown, rewrite, ratingRate,
                error != 0 ? "  (rewrite error)" : "");
  }
  std::filesystem::remove(kx::kSolutionLogFile);
  return 0;
}
