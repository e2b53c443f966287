#pragma once

#include <cstdint>

namespace kx {

// " (Leichtes Spiel)" .. " (Super-Schweres Spiel)" for a difficulty shown
// in the window; the thresholds are compared as signed numbers there.
inline const char* LevelLabel(int32_t difficulty) {
  if (difficulty < 1000) return " (Leichtes Spiel)";
  if (difficulty < 10000) return " (Mittel-schweres Spiel)";
  if (difficulty < 50000) return " (Schweres Spiel)";
  return " (Super-Schweres Spiel)";
}

}  // namespace kx
