// Feeds arbitrary bytes to the BMP reader, and scales what it accepts.
#include <cstdint>
#include <cstdio>

#include "pictures/bmp_file.h"
#include "pictures/dib_scale.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!file) return 0;
  kx::Dib dib;
  int result = kx::ReadBmpStream(file, &dib);
  std::fclose(file);
  if (result != 0) return 0;
  if (dib.pixels.size() != dib.header.sizeImage) __builtin_trap();
  // Scaling costs time in proportion to the picture; a run-length file of a
  // few bytes can describe 100 megapixels, too slow to scale on every input.
  if (int64_t{dib.header.width} * dib.header.height > (int64_t{1} << 22)) return 0;
  kx::Dib cell;
  cell.header = kx::MakeHeader24(16, 16);
  cell.pixels.assign(cell.header.sizeImage, 0);
  int w = dib.header.width, h = dib.header.height;
  if (kx::ScaleDib(cell, 0, 0, 16, -16, 0, 0, w, h, dib) != h) __builtin_trap();
  if (kx::ScaleDib(cell, 2, 3, -5, 7, w / 3, h / 4, w - w / 3, h - h / 4, dib) != h - h / 4) __builtin_trap();
  return 0;
}
