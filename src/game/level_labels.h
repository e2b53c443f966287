#pragma once

#include <cstdint>

#include "engine/difficulty.h"

namespace kx {

// The field that starts a new game of the level.
inline const char* NewGameLabel(Level level) {
  static const char* const kLabels[kLevelCount] = {
      "Neues  Z u f a l l s  Spiel",         "Neues  L e i c h t e s  Spiel", "Neues  M i t t e l - schweres Spiel",
      "Neues  S c h w e r e s  Spiel", "Neues  S u p e r - schweres Spiel",
  };
  return kLabels[static_cast<int>(level)];
}

// " (Leichtes Spiel)" .. " (Super-Schweres Spiel)" for a difficulty shown
// in the window; the thresholds are compared as signed numbers there.
inline const char* LevelLabel(int32_t difficulty) {
  if (difficulty < 1000) return " (Leichtes Spiel)";
  if (difficulty < 10000) return " (Mittel-schweres Spiel)";
  if (difficulty < 50000) return " (Schweres Spiel)";
  return " (Super-Schweres Spiel)";
}

inline constexpr const char* kSliderLabel = "Leicht <<<  Neues Spiel  >>> Schwer";

}  // namespace kx
