#pragma once

#include <functional>

#include "print/print_job.h"
#include "print/puzzle_printout.h"

namespace kx {

// What the running program lends the printouts: filled in by the platform
// at start-up; without a device nothing can be printed.
struct PrintPlatform {
  PrintDevice* device = nullptr;
  PrintProgress* progress = nullptr;
  CanvasFactory makeCanvas;
  std::function<int(Dib*)> captureWindow;
  FontSpec smallPrn, bigPrn;
};

}  // namespace kx
