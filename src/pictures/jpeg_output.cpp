#include <algorithm>
#include <cstring>
#include <new>

#include "pictures/dib.h"
#include "pictures/jpeg_color.h"
#include "pictures/jpeg_idct.h"
#include "pictures/jpeg_memory.h"
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
  NaturalOrderQuant(d.quant[fc.quantTable & 3], quant);
  const InverseDctFunction inverseDct = FastestInverseDct();
  uint8_t samples[64];
  for (int by = blockRowBegin; by < std::min(blockRowEnd, fc.blocksHigh); ++by) {
    const int16_t* storedRow = fc.coefficients.data() + static_cast<size_t>(by) * fc.gridWide * 64;
    if (d.IsGreyStream()) {
      // Handed over as they are, transformed on the writing thread.
      std::memcpy(GreyBandMaker::Coefficients(d.band[c], 0), storedRow, fc.blocksWide * 64 * sizeof(int16_t));
      std::memset(d.greyBands->DcOnlyFlags(d.band[c]), 0, static_cast<size_t>(fc.blocksWide));
      continue;
    }
    for (int bx = 0; bx < fc.blocksWide; ++bx) {
      const int16_t* stored = storedRow + static_cast<size_t>(bx) * 64;
      if (d.bandMode) {
        TransformStoredBlock(stored, quant, inverseDct, BandBlock(d, c, bx, by % fc.v), static_cast<int>(d.bandStride[c]));
      } else {
        TransformStoredBlock(stored, quant, inverseDct, samples, 8);
        PutBlock(d, c, bx, by, samples);
      }
    }
  }
}

// Band rows [top, bottom) into BGR rows laid out bottom-up, `lastRow`
// being the one at `rows`.
void ConvertBandRows(const DecoderState& d, int top, int bottom, uint8_t* rows, int lastRow) {
  auto outRow = [&](int y) { return rows + static_cast<size_t>(lastRow - y) * d.stride; };
  if (d.componentCount == 1) {
    for (int y = top; y < bottom; ++y) {
      d.rowConverters.grey(d.band[0] + static_cast<size_t>(y - top) * d.bandStride[0], outRow(y), d.width);
    }
    return;
  }
  int fx[3], fy[3];
  for (int c = 0; c < 3; ++c) {
    fx[c] = d.hMax / d.components[c].h;
    fy[c] = d.vMax / d.components[c].v;
  }
  bool plain = fx[0] == 1 && fx[1] == 1 && fx[2] == 1;
  bool halfChroma = fx[0] == 1 && fx[1] == 2 && fx[2] == 2;
  const ColorTables& t = InitColorTables();
  for (int y = top; y < bottom; ++y) {
    const uint8_t* row[3];
    for (int c = 0; c < 3; ++c) row[c] = d.band[c] + static_cast<size_t>((y - top) / fy[c]) * d.bandStride[c];
    uint8_t* out = outRow(y);
    if (plain || halfChroma) {
      d.rowConverters.ycc(row[0], row[1], row[2], halfChroma, out, d.width);
      continue;
    }
    for (int x = 0; x < d.width; ++x, out += 3) {
      int cb = row[1][x / fx[1]], cr = row[2][x / fx[2]];
      PutBgrPixel(row[0][x / fx[0]], t.cbBlue[cb], t.crGreen[cr] + t.cbGreen[cb], t.crRed[cr], out);
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

void StartBand(DecoderState& d) {
  for (int c = 0; c < d.componentCount; ++c) {
    const FrameComponent& fc = d.components[c];
    d.bandStride[c] = static_cast<size_t>(fc.gridWide) * 8;
    if (d.IsGreyStream()) {
      d.greyBands->SetQuantTable(d.quant[fc.quantTable & 3]);
      d.band[c] = d.file->BandRows();
    } else {
      d.bandStorage[c].assign(d.bandStride[c] * 8 * static_cast<size_t>(fc.v), 128);
      d.band[c] = d.bandStorage[c].data();
    }
  }
  d.bandMode = true;
}

void ConvertBand(DecoderState& d, int mcuRow) {
  int top = mcuRow * 8 * d.vMax, bottom = std::min(d.height, top + 8 * d.vMax);
  if (d.IsGreyStream()) {
    d.file->WriteRows(d.height - bottom, d.band[0], bottom - top);
    if (mcuRow + 1 < d.mcusHigh) d.band[0] = d.file->BandRows();
    return;
  }
  // Bottom-up either way: the band's own rows, or the whole picture's.
  uint8_t* const rows = d.streaming ? d.file->BandRows() : d.pixels.data();
  ConvertBandRows(d, top, bottom, rows, d.streaming ? bottom - 1 : d.height - 1);
  if (d.streaming) d.file->WriteRows(d.height - bottom, rows, bottom - top);
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
      if (!d.streaming) {
        ReserveLarge(d.pixels, std::max(bgrStride, d.stride) * rows);
        d.pixels.assign(d.stride * rows, 0);
      }
      if (d.componentCount == 1 || d.componentCount == 3) StartBand(d);
      // One band of MCU rows at a time, converted while still in the cache.
      for (int my = 0; my < d.mcusHigh; ++my) {
        for (int c = 0; c < d.componentCount; ++c) {
          int v = d.components[c].v;
          TransformCoefficients(d, c, my * v, (my + 1) * v);
        }
        if (d.bandMode) ConvertBand(d, my);
      }
      d.bandMode = false;
      for (auto& c : d.components) std::vector<int16_t>().swap(c.coefficients);
      d.rowsConverted = d.componentCount == 1 || d.componentCount == 3;
    }
    if (d.rowsConverted) {
      // The bands were converted to blue, green, red as they were decoded.
    } else if (d.componentCount == 3) {
      ConvertRows(d, 0, d.height);
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
    return kJpegPictureSizeUnusable;
  }
  d.stride = bgrStride;
  if (d.streaming) return 0;  // every row went to the file, padding zeroed
  // Row padding is zero, whatever the work layout left there.
  size_t used = static_cast<size_t>(d.width) * 3;
  for (size_t r = 0; r < rows && used < bgrStride; ++r) {
    std::fill(d.pixels.begin() + static_cast<std::ptrdiff_t>(r * bgrStride + used),
              d.pixels.begin() + static_cast<std::ptrdiff_t>((r + 1) * bgrStride), 0);
  }
  return 0;
}

}  // namespace kx::jpeg
