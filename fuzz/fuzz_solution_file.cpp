// "SudokuAll.txt" may hold anything. The rewrite must take any bytes, keep
// every record it finds exactly once and in order, and leave no bucket
// files behind, also when the records must be split to fit the memory.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "engine/dedup.h"
#include "engine/solution_scanner.h"

namespace {

std::set<std::string> RecordsOf(const std::string& bytes) {
  std::set<std::string> records;
  kx::SolutionScanner scanner(bytes.size() + 1);
  std::copy(bytes.begin(), bytes.end(), scanner.ChunkArea());
  scanner.Scan(bytes.size(), [&](const char* text) { records.emplace(text, 81); });
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool inTempDir = [] {
    // Memory-backed when there is such a place: the rewrite is all file work.
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                          : std::filesystem::temp_directory_path();
    auto dir = base / ("kx_fuzz_solution_file_" + std::to_string(getpid()));
    static const std::filesystem::path made = dir;
    std::filesystem::create_directories(made);
    std::filesystem::current_path(made);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(made, ignored);
    });
    return true;
  }();
  (void)inTempDir;
  if (size == 0) return 0;

  // The first byte picks a memory limit, from splitting everything to none.
  const uint64_t limit = static_cast<uint64_t>(data[0] % 8) * 44;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::ofstream(kx::kSolutionLogFile, std::ios::binary) << bytes;

  kx::DedupCounters counters;
  kx::DedupOptions options;
  options.memoryLimit = limit;
  const int error = kx::DeduplicateSolutionFile(kx::kSolutionLogFile, counters, options);
  if (error != 0) std::abort();
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    if (entry.path().filename() != kx::kSolutionLogFile) std::abort();
  }

  std::ifstream in(kx::kSolutionLogFile, std::ios::binary);
  const std::string rewritten(std::istreambuf_iterator<char>(in), {});
  const std::set<std::string> expected = RecordsOf(bytes);
  if (rewritten.size() != expected.size() * 104) std::abort();
  size_t at = 0;
  for (const std::string& record : expected) {
    if (rewritten.compare(at + 20, 81, record) != 0) std::abort();
    at += 104;
  }
  if (counters.distributed != counters.duplicates + expected.size()) std::abort();
  return 0;
}
