// Writes a solution log as the all-solutions search does (run header, then
// numbered 104-byte lines) with a share of repeated solutions, and the same
// records as plain 81-character lines for comparison with other tools.
// Usage: make_solution_log LINES REPEAT_PERCENT LOG_FILE RECORDS_FILE [SEED]
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr const char* kBaseGrid =
    "673958412189472653425631798314586927267194835598327146931865274756249381842713569";

// A random grid of the same class: digits relabelled, rows and columns
// permuted within their bands and stacks, bands and stacks permuted.
std::string RandomGrid(std::mt19937_64& rng) {
  std::array<char, 9> digits{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  std::shuffle(digits.begin(), digits.end(), rng);
  auto lineOrder = [&] {
    std::array<int, 3> bands{0, 1, 2};
    std::shuffle(bands.begin(), bands.end(), rng);
    std::array<int, 9> order{};
    for (int b = 0; b < 3; ++b) {
      std::array<int, 3> inner{0, 1, 2};
      std::shuffle(inner.begin(), inner.end(), rng);
      for (int k = 0; k < 3; ++k) order[b * 3 + k] = bands[b] * 3 + inner[k];
    }
    return order;
  };
  const auto rows = lineOrder(), columns = lineOrder();
  const bool transpose = rng() & 1;
  std::string grid(81, ' ');
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      const int sr = transpose ? columns[c] : rows[r], sc = transpose ? rows[r] : columns[c];
      grid[r * 9 + c] = digits[kBaseGrid[sr * 9 + sc] - '1'];
    }
  }
  return grid;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: make_solution_log LINES REPEAT_PERCENT LOG_FILE RECORDS_FILE [SEED]\n");
    return 2;
  }
  const long lines = std::atol(argv[1]);
  const int repeatPercent = std::atoi(argv[2]);
  std::mt19937_64 rng(argc > 5 ? std::strtoull(argv[5], nullptr, 10) : 1);
  std::FILE* log = std::fopen(argv[3], "wb");
  std::FILE* records = std::fopen(argv[4], "wb");
  if (!log || !records || lines <= 0) return 1;

  std::vector<std::string> grids;
  grids.reserve(static_cast<size_t>(lines));
  for (long i = 0; i < lines; ++i) {
    if (!grids.empty() && static_cast<int>(rng() % 100) < repeatPercent) {
      grids.push_back(grids[rng() % grids.size()]);
    } else {
      grids.push_back(RandomGrid(rng));
    }
  }
  std::fputs("\r\nInit-Sudoko:\r\n\"", log);
  std::fputs(std::string(81, ' ').c_str(), log);
  std::fputs("\"\r\nSolutions:\r\n", log);
  for (long i = 0; i < lines; ++i) {
    std::fprintf(log, "%016lX : \"%s\"\r\n", static_cast<unsigned long>(i + 1), grids[i].c_str());
    std::fprintf(records, "%s\n", grids[i].c_str());
  }
  return std::fclose(log) == 0 && std::fclose(records) == 0 ? 0 : 1;
}
