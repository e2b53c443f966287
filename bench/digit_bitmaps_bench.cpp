// Building the nine digit pictures of a set at a typical cell size: on a
// first start (no BMP files: decode the built-in JPEGs, write the BMPs) and
// on a later start (read the BMPs). Runs in a scratch directory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "pictures/digit_bitmaps.h"

namespace {

namespace fs = std::filesystem;

class ScratchDir {
 public:
  ScratchDir() {
    previous_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("kx_digit_bench_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  ~ScratchDir() {
    fs::current_path(previous_);
    fs::remove_all(dir_);
  }

 private:
  fs::path previous_, dir_;
};

void RemoveBmps(int set) {
  for (int d = 1; d <= 9; ++d) fs::remove(kx::DigitBmpName(set, d));
}

void FirstStart(benchmark::State& state) {
  ScratchDir scratch;
  kx::DigitBitmaps bitmaps;
  for (auto _ : state) {
    state.PauseTiming();
    RemoveBmps(0);
    state.ResumeTiming();
    kx::BuildDigitBitmaps(bitmaps, 0, 42, 42);
    benchmark::DoNotOptimize(bitmaps.digits[8].pixels.data());
  }
}
BENCHMARK(FirstStart)->Unit(benchmark::kMillisecond);

void WithBmpFiles(benchmark::State& state) {
  ScratchDir scratch;
  kx::DigitBitmaps bitmaps;
  kx::BuildDigitBitmaps(bitmaps, 0, 42, 42);
  for (auto _ : state) {
    kx::BuildDigitBitmaps(bitmaps, 0, 42, 42);
    benchmark::DoNotOptimize(bitmaps.digits[8].pixels.data());
  }
}
BENCHMARK(WithBmpFiles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
