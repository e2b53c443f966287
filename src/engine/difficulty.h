#pragma once

#include <cstdint>

namespace kx {

// A range of difficulty numbers that a generated puzzle must fall into,
// bounds inclusive, and how many clues the thinning should try to remove.
struct DifficultyLevel {
  uint32_t minimum;
  uint32_t maximum;
  int thinningTarget;
};

enum class Level { Random, Easy, Medium, Hard, SuperHard };
inline constexpr int kLevelCount = 5;

const DifficultyLevel& LevelRange(Level level);

}  // namespace kx
