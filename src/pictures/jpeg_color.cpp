#include "pictures/jpeg_color.h"

#include "base/cpu_features.h"
#include "pictures/jpeg_color_simd.h"
#include "pictures/jpeg_idct.h"

namespace kx::jpeg {

namespace {

ColorTables Build() {
  ColorTables t;
  for (int c = 0; c < 256; ++c) {
    // Integer division rounds toward zero, as the tables were defined.
    t.crRed[c] = static_cast<int16_t>((c * 45940 - 128 * 45940 + 1024) / 2048);
    t.crGreen[c] = static_cast<int16_t>((c * 46801 - 128 * 46801 + 2048) / 4096);
    t.cbGreen[c] = static_cast<int16_t>((c * 45106 - 128 * 45106 + 4096) / 8192);
    t.cbBlue[c] = static_cast<int16_t>((c * 58064 - 128 * 58064 + 1024) / 2048);
  }
  return t;
}

}  // namespace

const ColorTables& InitColorTables() {
  static const ColorTables tables = Build();
  return tables;
}

void ConvertYccRow(const uint8_t* from, int step, uint8_t* to, int width) {
  const ColorTables& t = InitColorTables();
  const uint8_t* limit = RangeLimitTable;
  for (int x = 0; x < width; ++x, from += step, to += 3) {
    int y16 = from[0] * 16, cb = from[1], cr = from[2];
    int blue = (y16 + t.cbBlue[cb] + 8) >> 4;
    int green = (y16 - t.crGreen[cr] - t.cbGreen[cb] + 8) >> 4;
    int red = (y16 + t.crRed[cr] + 8) >> 4;
    to[0] = limit[blue & 0x3FF];
    to[1] = limit[green & 0x3FF];
    to[2] = limit[red & 0x3FF];
  }
}

void ExpandGreyRow(const uint8_t* from, int step, uint8_t* to, int width) {
  for (int x = width - 1; x >= 0; --x) {
    uint8_t v = from[static_cast<ptrdiff_t>(x) * step];
    to[x * 3] = to[x * 3 + 1] = to[x * 3 + 2] = v;
  }
}

void YccRowToBgr(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, bool halfChroma, uint8_t* out, int width) {
  const ColorTables& t = InitColorTables();
  if (halfChroma) {
    // One chroma pair serves two neighbouring pixels.
    for (int x = 0; x < width; x += 2, out += 6) {
      int b = cb[x >> 1], r = cr[x >> 1];
      int blue = t.cbBlue[b], green = t.crGreen[r] + t.cbGreen[b], red = t.crRed[r];
      PutBgrPixel(y[x], blue, green, red, out);
      if (x + 1 < width) PutBgrPixel(y[x + 1], blue, green, red, out + 3);
    }
  } else {
    for (int x = 0; x < width; ++x, out += 3) {
      int b = cb[x], r = cr[x];
      PutBgrPixel(y[x], t.cbBlue[b], t.crGreen[r] + t.cbGreen[b], t.crRed[r], out);
    }
  }
}

RowConverters FastestRowConverters() {
  if (DetectedCpuLevel() == CpuLevel::Avx2) return {YccRowToBgrAvx2, GreyRowToBgrAvx2};
  return {YccRowToBgr, GreyRowToBgr};
}

}  // namespace kx::jpeg
