#pragma once

#include "engine/board.h"

namespace kx {

// The puzzle shown before any game has been generated or loaded.
inline constexpr const char* kBuiltinPuzzle =
    "6  95 4121 9 7 65 42563   8 1458 92  6  948355983   4693 865 74  62493 1     3  9";

inline PuzzleText BuiltinPuzzleText() {
  PuzzleText text;
  for (int i = 0; i < 81; ++i) text[i] = kBuiltinPuzzle[i];
  return text;
}

}  // namespace kx
