#pragma once

#include <cstdint>
#include <string>

namespace kx {

// The slider field's rectangle, right and bottom exclusive.
struct SliderField {
  int32_t left, top, right, bottom;
};

struct SliderRange {
  uint32_t minimum;      // v
  uint32_t maximum;      // v * 1250 / 1000
  uint32_t labelNumber;  // v * 1125 / 1000, shown on the field
};

// Maps a mouse position on the slider to a difficulty range, with unsigned
// 32-bit arithmetic throughout: the value grows with the square of the
// position, and on the field's right border column the square wraps.
SliderRange SliderToRange(uint32_t x, uint32_t y, const SliderField& field);

// "Neues Spiel  Schwierigkeit:   " and the label number with dots.
std::string SliderFieldLabel(const SliderRange& range);

}  // namespace kx
