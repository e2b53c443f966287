#include "engine/difficulty.h"

namespace kx {

const DifficultyLevel& LevelRange(Level level) {
  static const DifficultyLevel kLevels[kLevelCount] = {
      {1, 0xFFFFFFFF, 0}, {1, 1000, 0}, {1000, 10000, 0}, {10000, 50000, 0}, {10000, 0xFFFFFFFF, 25},
  };
  return kLevels[static_cast<int>(level)];
}

}  // namespace kx
