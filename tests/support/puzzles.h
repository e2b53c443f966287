#pragma once

#include <string>

#include "engine/board.h"

namespace kx::test {

// The built-in puzzle's solution, a complete and correct grid.
inline constexpr const char* kSolvedGrid =
    "673958412189472653425631798314586927267194835598327146931865274756249381842713569";

// A puzzle that logic alone does not finish: its rating includes guesses.
inline constexpr const char* kGuessingPuzzle =
    "....1..4.7....5...1...9..2..4...1.9.....2.3...6.4.....3......1..79.....6...6....7";

inline PuzzleText Text(const std::string& s) {
  PuzzleText text;
  for (int i = 0; i < 81; ++i) text[i] = i < static_cast<int>(s.size()) ? s[i] : ' ';
  return text;
}

inline std::string Str(const PuzzleText& text) { return std::string(text.begin(), text.end()); }

}  // namespace kx::test

namespace kx::test {

// Whether cell i holds a clue of the built-in puzzle.
inline bool BuiltinClue(int i) {
  static constexpr const char* kBuiltin =
      "6  95 4121 9 7 65 42563   8 1458 92  6  948355983   4693 865 74  62493 1     3  9";
  return kBuiltin[i] != ' ';
}

}  // namespace kx::test
