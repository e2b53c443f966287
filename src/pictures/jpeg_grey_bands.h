#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/jpeg_color.h"
#include "pictures/jpeg_idct.h"

namespace kx::jpeg {

// A grey picture written to a file band by band, its work split in two:
// the decoding thread hands over each band's quantized coefficients, and
// the file's writing thread dequantizes, transforms and widens them to
// blue = green = red. Band room: the blocks' coefficients in natural order,
// then one byte per block, set where the DC term is the only one.
class GreyBandMaker {
 public:
  GreyBandMaker(int width, int blocksWide, RowConverters converters);

  size_t BandBytes() const { return static_cast<size_t>(blocksWide_) * (kBlockBytes + 1); }
  static int16_t* Coefficients(uint8_t* band, int bx) {
    return reinterpret_cast<int16_t*>(band + static_cast<size_t>(bx) * kBlockBytes);
  }
  uint8_t* DcOnlyFlags(uint8_t* band) const { return band + static_cast<size_t>(blocksWide_) * kBlockBytes; }

  // The table the bands are dequantized with, zigzag order as in the file;
  // set before the first band is handed over.
  void SetQuantTable(const uint16_t zigzag[64]);
  // The band's first `count` sample rows into BGR rows, bottom-up, `stride`
  // bytes apart; row padding is left alone.
  void Make(const uint8_t* band, int count, uint8_t* rows, size_t stride);

 private:
  static constexpr size_t kBlockBytes = 64 * sizeof(int16_t);

  const int width_, blocksWide_;
  const InverseDctFunction inverseDct_ = FastestInverseDct();
  const RowConverters converters_;
  int32_t quant_[64] = {};  // natural order
  std::vector<uint8_t> samples_;  // one band of grey rows
};

}  // namespace kx::jpeg
