#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kx {

// The 40-byte header of a device-independent bitmap, field by field.
struct BitmapInfoHeader {
  uint32_t size = 40;
  int32_t width = 0;
  int32_t height = 0;  // positive: rows stored bottom-up
  uint16_t planes = 1;
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  uint32_t sizeImage = 0;  // height * BitmapStride(width, bitCount)
  int32_t xPelsPerMeter = 0;
  int32_t yPelsPerMeter = 0;
  uint32_t clrUsed = 0;
  uint32_t clrImportant = 0;
};

inline constexpr size_t kInfoHeaderBytes = 40;

// A picture in memory: the header, the colour table that follows it in a
// file (blue, green, red, reserved per entry; empty for 24 bits) and the
// pixel rows, bottom-up, each padded to a multiple of 4 bytes.
// Every reader and decoder here delivers 24 bits per pixel (blue, green, red).
struct Dib {
  BitmapInfoHeader header;
  std::vector<uint8_t> colorTable;
  std::vector<uint8_t> pixels;
};

// Bytes per row: (width * bitCount + 7) / 8 rounded up to a multiple of 4.
// Zero for a negative width.
size_t BitmapStride(int64_t width, int bitCount);

// A fresh 24-bit header for width x height with sizeImage filled in.
BitmapInfoHeader MakeHeader24(int32_t width, int32_t height);

// Little-endian encoding of the header, as it stands in a file.
void StoreInfoHeader(const BitmapInfoHeader& header, uint8_t out[kInfoHeaderBytes]);
BitmapInfoHeader LoadInfoHeader(const uint8_t in[kInfoHeaderBytes]);

// Pictures larger than this are refused by every reader: the pixel block
// would be more than the machine should be asked for.
inline constexpr int64_t kMaxPicturePixels = 100'000'000;

}  // namespace kx
