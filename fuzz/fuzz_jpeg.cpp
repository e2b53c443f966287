// Feeds arbitrary bytes to the JPEG decoder through a memory stream, and
// as a file to the conversion that writes the BMP file band by band: that
// must give the same result and the same file as the decoded picture
// written whole, and leave no working file behind.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "pictures/bmp_file.h"
#include "pictures/jpeg_decoder.h"

namespace {

std::string ReadAll(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& name) { return std::ifstream(name).good(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!file) return 0;
  kx::Dib dib;
  int result = kx::DecodeJpegStream(file, &dib);
  std::fclose(file);
  if (result == 0 && dib.pixels.size() != dib.header.sizeImage) __builtin_trap();

  static const std::string base = "fuzz_jpeg_" + std::to_string(getpid());
  static const std::string in = base + ".jpg", whole = base + "_whole.bmp", bands = base + "_bands.bmp";
  if (std::FILE* f = std::fopen(in.c_str(), "wb")) {
    const bool written = std::fwrite(data, 1, size, f) == size;
    if (std::fclose(f) == 0 && written) {
      std::remove(bands.c_str());
      const int converted = kx::ConvertJpegToBmpFile(in, bands);
      if (converted != result || Exists(bands + ".kx-part")) __builtin_trap();
      if (result == 0 && kx::WriteBmpFile(whole, dib) == 0 && ReadAll(whole) != ReadAll(bands)) __builtin_trap();
    }
  }
  return 0;
}
