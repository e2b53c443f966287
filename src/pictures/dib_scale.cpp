#include "pictures/dib_scale.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "base/byte_order.h"

namespace kx {

namespace {

int64_t Abs(int v) { return v < 0 ? -int64_t{v} : v; }
int64_t CeilDiv(int64_t a, int64_t b) { return (a + b - 1) / b; }

int CheckDestination(const Dib& d, int64_t x, int64_t y, int64_t w, int64_t h) {
  const BitmapInfoHeader& hd = d.header;
  if (hd.size != kInfoHeaderBytes) return -15;
  if (x < 0 || hd.width < x + w) return -16;
  if (y < 0 || hd.height < y + h) return -17;
  if (hd.planes != 1) return -18;
  if (hd.bitCount != 24) return -19;
  if (hd.compression != 0) return -20;
  uint64_t size = uint64_t{BitmapStride(hd.width, 24)} * static_cast<uint64_t>(hd.height);
  if (hd.sizeImage != size || d.pixels.size() < size) return -21;
  if (hd.clrUsed != 0) return -22;
  if (hd.clrImportant != 0) return -23;
  return 0;
}

// Where the box of destination step `step` (1-based) starts along one axis,
// in source coordinates; `box` is already clamped to the picture.
int64_t BoxStart(int64_t step, int64_t destLen, int64_t srcOrigin, int64_t srcLen, int64_t box, int64_t limit) {
  int64_t end = srcOrigin + CeilDiv(srcLen * step, destLen);
  int64_t start = std::max<int64_t>(end - box, 0);
  return std::min(start, limit - box);
}

struct Sum {
  uint64_t b = 0, g = 0, r = 0;
};

void AddRow(const uint8_t* row, int bitCount, int64_t x, int64_t count, const std::vector<uint8_t>& table, Sum& s) {
  auto entry = [&](unsigned index) {
    size_t at = size_t{index} * 4;
    if (at + 3 <= table.size()) {
      s.b += table[at];
      s.g += table[at + 1];
      s.r += table[at + 2];
    }
  };
  switch (bitCount) {
    case 24:
    case 32: {
      int step = bitCount / 8;
      const uint8_t* p = row + x * step;
      for (int64_t i = 0; i < count; ++i, p += step) {
        s.b += p[0];
        s.g += p[1];
        s.r += p[2];
      }
      break;
    }
    case 16:
      for (int64_t i = x; i < x + count; ++i) {
        unsigned v = GetU16(row + i * 2);
        s.b += (v & 31) << 3 | (v & 31) >> 2;
        s.g += (v >> 5 & 31) << 3 | (v >> 5 & 31) >> 2;
        s.r += (v >> 10 & 31) << 3 | (v >> 10 & 31) >> 2;
      }
      break;
    case 8:
      for (int64_t i = x; i < x + count; ++i) entry(row[i]);
      break;
    case 4:
      for (int64_t i = x; i < x + count; ++i) entry(i % 2 == 0 ? row[i / 2] >> 4 : row[i / 2] & 15);
      break;
    default:  // 1
      for (int64_t i = x; i < x + count; ++i) entry(row[i / 8] >> (7 - i % 8) & 1);
      break;
  }
}

}  // namespace

int ScaleDib(Dib& dest, int destX, int destY, int destWidth, int destHeight, int srcX, int srcY, int srcWidth,
             int srcHeight, const Dib& src, int boxFactorX, int boxFactorY) {
  bool mirrorX = (destWidth < 0) != (srcWidth < 0);
  bool mirrorY = (destHeight < 0) != (srcHeight < 0);
  int64_t dw = Abs(destWidth), dh = Abs(destHeight), sw = Abs(srcWidth), sh = Abs(srcHeight);
  const BitmapInfoHeader& sh_ = src.header;
  if (dw == 0) return -1;
  if (dh == 0) return -2;
  if (sw == 0) return -3;
  if (sh == 0) return -4;
  if (srcX < 0 || sh_.width < srcX + sw) return -5;
  if (srcY < 0 || srcY + sh > sh_.height) return -6;
  if (sh_.compression != 0) return -7;
  int bits = sh_.bitCount;
  if (bits != 32 && bits != 24 && bits != 16 && bits != 8 && bits != 4 && bits != 1) return -8;
  size_t srcStride = BitmapStride(sh_.width, bits);
  if (src.pixels.size() < srcStride * static_cast<size_t>(sh_.height)) return -24;

  if (int check = CheckDestination(dest, destX, destY, dw, dh); check != 0) return check;

  int64_t bx = std::max<int64_t>(CeilDiv(sw, dw) * boxFactorX / 256, 1);
  int64_t by = std::max<int64_t>(CeilDiv(sh, dh) * boxFactorY / 256, 1);
  bx = std::min<int64_t>(bx, sh_.width);
  by = std::min<int64_t>(by, sh_.height);
  uint64_t area = static_cast<uint64_t>(bx * by);

  size_t destStride = BitmapStride(dest.header.width, 24);
  for (int64_t j = 1; j <= dh; ++j) {
    int64_t top = BoxStart(mirrorY ? dh + 1 - j : j, dh, srcY, sh, by, sh_.height);
    uint8_t* out = dest.pixels.data() + static_cast<size_t>(dest.header.height - 1 - (destY + j - 1)) * destStride +
                   static_cast<size_t>(destX) * 3;
    for (int64_t n = 1; n <= dw; ++n, out += 3) {
      int64_t left = BoxStart(mirrorX ? dw + 1 - n : n, dw, srcX, sw, bx, sh_.width);
      Sum sum;
      for (int64_t r = top; r < top + by; ++r) {
        const uint8_t* row = src.pixels.data() + static_cast<size_t>(sh_.height - 1 - r) * srcStride;
        AddRow(row, bits, left, bx, src.colorTable, sum);
      }
      out[0] = static_cast<uint8_t>(sum.b / area);
      out[1] = static_cast<uint8_t>(sum.g / area);
      out[2] = static_cast<uint8_t>(sum.r / area);
    }
  }
  return static_cast<int>(sh);
}

}  // namespace kx
