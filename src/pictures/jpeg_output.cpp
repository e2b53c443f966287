#include <algorithm>
#include <new>

#include "pictures/dib.h"
#include "pictures/jpeg_color.h"
#include "pictures/jpeg_idct.h"
#include "pictures/jpeg_state.h"

namespace kx::jpeg {

namespace {

// One sample row of a block into an output row, each sample repeated
// `repeat` times, every `step`-th byte.
template <int kRepeat>
inline void PutRow(const uint8_t* from, uint8_t* to, int step, int count) {
  for (int i = 0; i < count; ++i) to[i * step] = from[i / kRepeat];
}

inline void PutRowAny(const uint8_t* from, uint8_t* to, int step, int count, int repeat) {
  for (int i = 0; i < count; ++i) to[i * step] = from[i / repeat];
}

void TransformCoefficients(DecoderState& d, int c, int blockRowBegin, int blockRowEnd) {
  FrameComponent& fc = d.components[c];
  int32_t quant[64];
  const uint16_t* q = d.quant[fc.quantTable & 3];
  for (int k = 0; k < 64; ++k) quant[kZigzagToNatural[k]] = q[k];
  int32_t block[64];
  uint8_t samples[64];
  for (int by = blockRowBegin; by < std::min(blockRowEnd, fc.blocksHigh); ++by) {
    for (int bx = 0; bx < fc.blocksWide; ++bx) {
      const int16_t* stored = fc.coefficients.data() + (static_cast<size_t>(by) * fc.gridWide + bx) * 64;
      for (int n = 0; n < 64; ++n) block[n] = stored[n] * quant[n];
      InverseDct8x8(block, samples, 8);
      PutBlock(d, c, bx, by, samples);
    }
  }
}

}  // namespace

void PutBlock(DecoderState& d, int c, int bx, int by, const uint8_t* samples) {
  const FrameComponent& fc = d.components[c];
  int fx = d.hMax / fc.h, fy = d.vMax / fc.v;
  int step = d.componentCount;
  int x0 = bx * 8 * fx, y0 = by * 8 * fy;
  if (x0 >= d.width || y0 >= d.height) return;
  int count = std::min(d.width - x0, 8 * fx);
  uint8_t* base = d.pixels.data() + c + static_cast<size_t>(x0) * step;
  for (int r = 0; r < 8; ++r) {
    const uint8_t* from = samples + r * 8;
    for (int dy = 0; dy < fy; ++dy) {
      int y = y0 + r * fy + dy;
      if (y >= d.height) return;
      uint8_t* to = base + static_cast<size_t>(d.height - 1 - y) * d.stride;
      if (fx == 1) {
        if (step == 3 && count == 8) {
          for (int i = 0; i < 8; ++i) to[i * 3] = from[i];
        } else {
          PutRow<1>(from, to, step, count);
        }
      } else if (fx == 2) {
        PutRow<2>(from, to, step, count);
      } else {
        PutRowAny(from, to, step, count, fx);
      }
    }
  }
}

void ConvertRows(DecoderState& d, int top, int bottom) {
  bottom = std::min(bottom, d.height);
  for (int y = top; y < bottom; ++y) {
    uint8_t* row = d.pixels.data() + static_cast<size_t>(d.height - 1 - y) * d.stride;
    ConvertYccRow(row, 3, row, d.width);
  }
}

int FinishPicture(DecoderState& d) {
  size_t rows = static_cast<size_t>(d.height);
  size_t bgrStride = BitmapStride(d.width, 24);
  try {
    if (d.progressive) {
      d.pixels.reserve(std::max(bgrStride, d.stride) * rows);
      d.pixels.assign(d.stride * rows, 0);
      // One band of MCU rows at a time, converted while still in the cache.
      for (int my = 0; my < d.mcusHigh; ++my) {
        for (int c = 0; c < d.componentCount; ++c) {
          int v = d.components[c].v;
          TransformCoefficients(d, c, my * v, (my + 1) * v);
        }
        if (d.componentCount == 3) ConvertRows(d, my * 8 * d.vMax, (my + 1) * 8 * d.vMax);
      }
      for (auto& c : d.components) std::vector<int16_t>().swap(c.coefficients);
      d.rowsConverted = d.componentCount == 3;
    }
    if (d.componentCount == 3) {
      if (!d.rowsConverted) ConvertRows(d, 0, d.height);
    } else if (d.componentCount == 4) {
      for (size_t r = 0; r < rows; ++r) {
        ConvertYccRow(d.pixels.data() + r * d.stride, 4, d.pixels.data() + r * bgrStride, d.width);
      }
      d.pixels.resize(bgrStride * rows);
    } else {
      // Grey: rows re-laid to the wider stride from the last one backwards.
      d.pixels.resize(bgrStride * rows);
      for (size_t r = rows; r-- > 0;) {
        ExpandGreyRow(d.pixels.data() + r * d.stride, d.componentCount, d.pixels.data() + r * bgrStride, d.width);
      }
    }
  } catch (const std::bad_alloc&) {
    return 1180;
  }
  d.stride = bgrStride;
  return 0;
}

}  // namespace kx::jpeg
