#pragma once

#include <string>

#include "engine/solver.h"

namespace kx {

// The file in the working folder where the player finds the puzzle of the
// last solver run and its first solutions.
inline constexpr const char* kCurrentSolutionFile = "KX_Aktuelle Sudoku-Lösung(en).txt";

// Rewrites that file with each run's text; a failed write keeps the old one.
class CurrentSolutionFile : public CurrentSolutionSink {
 public:
  void Write(const std::string& text) override;
};

}  // namespace kx
