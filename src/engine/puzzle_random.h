#pragma once

#include <cstdint>
#include <random>

namespace kx {

// The generator's random numbers. Only remainders of its values are used
// (a cell is Next() % 81, a digit Next() % 9); a fixed seed reproduces a
// generated puzzle exactly.
class PuzzleRandom {
 public:
  explicit PuzzleRandom(uint32_t seed) : engine_(seed) {}
  void Seed(uint32_t seed) { engine_.seed(seed); }
  // 0 .. 2^31 - 1, like the C runtime's rand() on most systems.
  uint32_t Next() { return static_cast<uint32_t>(engine_() >> 1); }

 private:
  std::mt19937 engine_;
};

}  // namespace kx
