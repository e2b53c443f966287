// Feeds arbitrary bytes to the JPEG decoder through a memory stream.
#include <cstdint>
#include <cstdio>

#include "pictures/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!file) return 0;
  kx::Dib dib;
  int result = kx::DecodeJpegStream(file, &dib);
  std::fclose(file);
  if (result == 0 && dib.pixels.size() != dib.header.sizeImage) __builtin_trap();
  return 0;
}
