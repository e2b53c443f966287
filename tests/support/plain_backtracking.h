#pragma once

// Solutions by the plainest search there is, cell by cell in index order,
// to check the solvers against.
#include <cstdint>
#include <string>
#include <vector>

namespace kx::test {

// Calls visit(grid) for each solution until it returns false or `limit`
// solutions were seen; returns how many were seen. Clues that clash give none.
template <typename Visit>
uint64_t PlainSolutions(std::string grid, uint64_t limit, Visit&& visit) {
  auto fits = [&](size_t cell, char d) {
    const int r = static_cast<int>(cell) / 9, c = static_cast<int>(cell) % 9;
    for (int k = 0; k < 9; ++k) {
      const int br = r / 3 * 3 + k / 3, bc = c / 3 * 3 + k % 3;
      const size_t cells[3] = {static_cast<size_t>(r * 9 + k), static_cast<size_t>(k * 9 + c),
                               static_cast<size_t>(br * 9 + bc)};
      for (size_t other : cells) {
        if (other != cell && grid[other] == d) return false;
      }
    }
    return true;
  };
  for (size_t i = 0; i < 81; ++i) {
    if (grid[i] >= '1' && grid[i] <= '9' && !fits(i, grid[i])) return 0;
    if (grid[i] < '1' || grid[i] > '9') grid[i] = '.';
  }
  uint64_t seen = 0;
  bool stopped = false;
  auto search = [&](auto& self) -> void {
    const size_t cell = grid.find('.');
    if (cell == std::string::npos) {
      ++seen;
      stopped = !visit(grid) || seen >= limit;
      return;
    }
    for (char d = '1'; d <= '9' && !stopped; ++d) {
      if (!fits(cell, d)) continue;
      grid[cell] = d;
      self(self);
    }
    grid[cell] = '.';
  };
  search(search);
  return seen;
}

inline uint64_t PlainCount(const std::string& grid, uint64_t limit) {
  return PlainSolutions(grid, limit, [](const std::string&) { return true; });
}

}  // namespace kx::test
