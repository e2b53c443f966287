#pragma once

#include "platform/canvas.h"

namespace kx {

// The six fonts of the main window and the printouts.
struct UiFonts {
  FontSpec small{14, 0, 700, false, false, font::kSwiss, "Small"};
  FontSpec smallBold{14, 0, 700, false, false, font::kSwiss, "SmallBold"};
  FontSpec big{42, 0, 800, false, false, font::kSwiss, "Big"};
  FontSpec fixedsys{0, 0, 400, false, false, font::kFixedPitch | font::kModern, "Fixedsys"};
  FontSpec smallPrn{20, 0, 400, false, false, font::kSwiss, "SmallPrn"};
  FontSpec bigPrn{120, 0, 800, false, false, font::kSwiss, "BigPrn"};

  // At start-up: "Small" from the state file, "Big" three times as high.
  void SetSmallHeight(int height) {
    small.height = height;
    big.height = 3 * height;
  }
};

// Grows "Small" step by step while the minimum layout still fits the client
// area, then "Big" as far as 80 % of a cell. `measure` is any canvas.
void FitFontsToClient(Canvas& measure, UiFonts& fonts, int clientWidth, int clientHeight);

}  // namespace kx
