#include <cstdio>

#include "pictures/bmp_file.h"
#include "base/byte_order.h"

namespace kx {

int WriteBmpFile(const std::string& fileName, const Dib& dib) {
  const BitmapInfoHeader& h = dib.header;
  size_t stride = BitmapStride(h.width, 24);
  if (h.bitCount != 24 || h.compression != 0 || h.width <= 0 || h.height <= 0) return -2;
  uint64_t imageSize = uint64_t{stride} * static_cast<uint64_t>(h.height);
  if (dib.pixels.size() < imageSize || imageSize + 54 > UINT32_MAX) return -2;

  uint8_t head[54] = {'B', 'M'};
  PutU32(head + 2, static_cast<uint32_t>(imageSize + 54));
  PutU32(head + 10, 54);
  BitmapInfoHeader info = MakeHeader24(h.width, h.height);
  info.xPelsPerMeter = h.xPelsPerMeter;
  info.yPelsPerMeter = h.yPelsPerMeter;
  StoreInfoHeader(info, head + 14);

  std::remove(fileName.c_str());
  std::FILE* file = std::fopen(fileName.c_str(), "wb");
  if (!file) return -1;
  bool ok = std::fwrite(head, 1, sizeof head, file) == sizeof head &&
            std::fwrite(dib.pixels.data(), 1, imageSize, file) == imageSize;
  ok = std::fclose(file) == 0 && ok;
  // A cut file would only be refused later; none is better.
  if (!ok) std::remove(fileName.c_str());
  return ok ? 0 : -1;
}

}  // namespace kx
