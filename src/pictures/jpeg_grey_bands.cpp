#include "pictures/jpeg_grey_bands.h"

#include <cstring>

#include "pictures/jpeg_state.h"

namespace kx::jpeg {

GreyBandMaker::GreyBandMaker(int width, int blocksWide, RowConverters converters)
    : width_(width), blocksWide_(blocksWide), converters_(converters),
      samples_(static_cast<size_t>(blocksWide) * 64) {}

void GreyBandMaker::SetQuantTable(const uint16_t zigzag[64]) {
  for (int k = 0; k < 64; ++k) quant_[kZigzagToNatural[k]] = zigzag[k];
}

void GreyBandMaker::Make(const uint8_t* band, int count, uint8_t* rows, size_t stride) {
  const int sampleStride = blocksWide_ * 8;
  const uint8_t* dcOnly = band + static_cast<size_t>(blocksWide_) * kBlockBytes;
  alignas(16) int32_t block[64];
  for (int bx = 0; bx < blocksWide_; ++bx) {
    int16_t stored[64];
    std::memcpy(stored, band + static_cast<size_t>(bx) * kBlockBytes, sizeof stored);
    uint8_t* to = samples_.data() + static_cast<size_t>(bx) * 8;
    if (dcOnly[bx]) {
      const uint8_t value = FlatBlockValue(stored[0] * quant_[0]);
      for (int r = 0; r < 8; ++r) std::memset(to + r * sampleStride, value, 8);
      continue;
    }
    for (int n = 0; n < 64; ++n) block[n] = stored[n] * quant_[n];
    inverseDct_(block, to, sampleStride);
  }
  // The band's top row is the file's last of the band.
  for (int r = 0; r < count; ++r) {
    converters_.grey(samples_.data() + static_cast<size_t>(r) * sampleStride,
                     rows + static_cast<size_t>(count - 1 - r) * stride, width_);
  }
}

}  // namespace kx::jpeg
