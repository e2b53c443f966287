#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace kx::jpeg {

// Chroma contributions with 4 fraction bits, built once.
struct ColorTables {
  int16_t crRed[256], crGreen[256], cbGreen[256], cbBlue[256];
};
const ColorTables& InitColorTables();

// One pixel from its luma and the chroma contributions; the sums stay
// within -227..482, where the range-limit table is a clamp.
inline void PutBgrPixel(int luma, int cbBlue, int green, int crRed, uint8_t* to) {
  const int y16 = luma * 16;
  to[0] = static_cast<uint8_t>(std::clamp((y16 + cbBlue + 8) >> 4, 0, 255));
  to[1] = static_cast<uint8_t>(std::clamp((y16 - green + 8) >> 4, 0, 255));
  to[2] = static_cast<uint8_t>(std::clamp((y16 + crRed + 8) >> 4, 0, 255));
}

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
