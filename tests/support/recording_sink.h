#pragma once

#include <optional>
#include <string>

#include "engine/solver.h"

namespace kx::test {

// Keeps the last current-solution text a solver run handed over.
struct RecordingSink : CurrentSolutionSink {
  void Write(const std::string& given) override { text = given; }
  std::optional<std::string> text;
};

}  // namespace kx::test
