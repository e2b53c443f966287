#include "pictures/jpeg_grey_bands.h"

#include <cstring>

#include "pictures/jpeg_state.h"

namespace kx::jpeg {

GreyBandMaker::GreyBandMaker(int width, int blocksWide, RowConverters converters)
    : width_(width), blocksWide_(blocksWide), converters_(converters),
      samples_(static_cast<size_t>(blocksWide) * 64) {}

void GreyBandMaker::SetQuantTable(const uint16_t zigzag[64]) {
  NaturalOrderQuant(zigzag, quant_);
}

void GreyBandMaker::Make(const uint8_t* band, int count, uint8_t* rows, size_t stride) {
  const int sampleStride = blocksWide_ * 8;
  const uint8_t* dcOnly = band + static_cast<size_t>(blocksWide_) * kBlockBytes;
  for (int bx = 0; bx < blocksWide_; ++bx) {
    int16_t stored[64];
    std::memcpy(stored, band + static_cast<size_t>(bx) * kBlockBytes, sizeof stored);
    uint8_t* to = samples_.data() + static_cast<size_t>(bx) * 8;
    if (dcOnly[bx]) {
      PutFlatBlock(stored[0] * quant_[0], to, sampleStride);
    } else {
      TransformStoredBlock(stored, quant_, inverseDct_, to, sampleStride);
    }
  }
  // The band's top row is the file's last of the band.
  for (int r = 0; r < count; ++r) {
    converters_.grey(samples_.data() + static_cast<size_t>(r) * sampleStride,
                     rows + static_cast<size_t>(count - 1 - r) * stride, width_);
  }
}

}  // namespace kx::jpeg
