#include "ui/fonts.h"

namespace kx {

namespace {

constexpr const char* kDigits = "123456789";
constexpr const char* kWidestLabel = "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX";
constexpr int kLargestFont = 400;  // no screen needs more; bounds the search

}  // namespace

void FitFontsToClient(Canvas& measure, UiFonts& fonts, int clientWidth, int clientHeight) {
  int best = 8, height = 8, c80 = 36;
  while (height < kLargestFont) {
    ++height;
    FontSpec trial = fonts.small;
    trial.height = height;
    measure.SelectFont(trial);
    const Size digits = measure.MeasureText(kDigits);
    const int cell = ((digits.width + 8) / 9) * 9;
    c80 = (cell * 8) / 10;
    const int board = 9 * cell + 4 * 6 + 6 * 2;
    const int neededHeight = board + digits.height + 24;
    const int neededWidth = board + measure.MeasureText(kWidestLabel).width + 30;
    if (neededHeight > clientHeight || neededWidth > clientWidth) break;
    best = height;
  }
  fonts.small.height = best;

  int bestBig = 3 * best;
  for (int big = 3 * best; big < kLargestFont; ++big) {
    FontSpec trial = fonts.big;
    trial.height = big;
    measure.SelectFont(trial);
    if (measure.MeasureText(kDigits).height > c80) break;
    bestBig = big;
  }
  fonts.big.height = bestBig;
}

}  // namespace kx
