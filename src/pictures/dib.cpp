#include "pictures/dib.h"

#include "base/byte_order.h"

namespace kx {

size_t BitmapStride(int64_t width, int bitCount) {
  if (width <= 0 || bitCount <= 0) return 0;
  uint64_t bytes = (static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount) + 7) / 8;
  return static_cast<size_t>((bytes + 3) & ~uint64_t{3});
}

BitmapInfoHeader MakeHeader24(int32_t width, int32_t height) {
  BitmapInfoHeader header;
  header.width = width;
  header.height = height;
  header.sizeImage = static_cast<uint32_t>(BitmapStride(width, 24) * static_cast<uint64_t>(height < 0 ? -int64_t{height} : height));
  return header;
}

void StoreInfoHeader(const BitmapInfoHeader& h, uint8_t out[kInfoHeaderBytes]) {
  PutU32(out + 0, h.size);
  PutU32(out + 4, static_cast<uint32_t>(h.width));
  PutU32(out + 8, static_cast<uint32_t>(h.height));
  PutU16(out + 12, h.planes);
  PutU16(out + 14, h.bitCount);
  PutU32(out + 16, h.compression);
  PutU32(out + 20, h.sizeImage);
  PutU32(out + 24, static_cast<uint32_t>(h.xPelsPerMeter));
  PutU32(out + 28, static_cast<uint32_t>(h.yPelsPerMeter));
  PutU32(out + 32, h.clrUsed);
  PutU32(out + 36, h.clrImportant);
}

BitmapInfoHeader LoadInfoHeader(const uint8_t in[kInfoHeaderBytes]) {
  BitmapInfoHeader h;
  h.size = GetU32(in + 0);
  h.width = static_cast<int32_t>(GetU32(in + 4));
  h.height = static_cast<int32_t>(GetU32(in + 8));
  h.planes = GetU16(in + 12);
  h.bitCount = GetU16(in + 14);
  h.compression = GetU32(in + 16);
  h.sizeImage = GetU32(in + 20);
  h.xPelsPerMeter = static_cast<int32_t>(GetU32(in + 24));
  h.yPelsPerMeter = static_cast<int32_t>(GetU32(in + 28));
  h.clrUsed = GetU32(in + 32);
  h.clrImportant = GetU32(in + 36);
  return h;
}

}  // namespace kx
