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

// One row of blue, green, red from its sample rows; with `halfChroma` each
// chroma sample serves two neighbouring pixels, else one.
void YccRowToBgr(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, bool halfChroma, uint8_t* out, int width);
inline void GreyRowToBgr(const uint8_t* grey, uint8_t* out, int width) { ExpandGreyRow(grey, 1, out, width); }

// The row converters above, or vector forms with the same results,
// whichever are fastest on this processor (KX_CPU may hold them back).
struct RowConverters {
  decltype(&YccRowToBgr) ycc;
  decltype(&GreyRowToBgr) grey;
};
RowConverters FastestRowConverters();

}  // namespace kx::jpeg
