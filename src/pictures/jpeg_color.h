#pragma once

#include <cstddef>
#include <cstdint>

namespace kx::jpeg {

// Chroma contributions with 4 fraction bits, built once.
struct ColorTables {
  int16_t crRed[256], crGreen[256], cbGreen[256], cbBlue[256];
};
const ColorTables& InitColorTables();

// YCbCr samples, `step` bytes apart (3 or 4), to blue, green, red in place
// or forward into `to` (which may equal `from`).
void ConvertYccRow(const uint8_t* from, int step, uint8_t* to, int width);
// Grey samples `step` bytes apart into blue = green = red; works from the
// last pixel backwards so that `to` may overlap a shorter `from` row.
void ExpandGreyRow(const uint8_t* from, int step, uint8_t* to, int width);

}  // namespace kx::jpeg
