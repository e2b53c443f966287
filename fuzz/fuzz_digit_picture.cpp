// A player's picture file for one digit, as BMP and as JPEG: building the
// digit pictures must fall back and never crash, whatever the bytes.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "pictures/digit_bitmaps.h"

namespace {

void WriteFile(const std::string& name, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  if (!f) return;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool inScratch = [] {
    const auto dir = std::filesystem::temp_directory_path() / ("kx_fuzz_digit_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    return true;
  }();
  (void)inScratch;
  // The first byte picks the file: BMP (read, scaled) or JPEG (decoded,
  // shrunk, saved, scaled).
  if (size < 1) return 0;
  const bool asBmp = data[0] & 1;
  std::filesystem::remove("KXS01.BMP");
  std::filesystem::remove("KXS01.JPG");
  WriteFile(asBmp ? "KXS01.BMP" : "KXS01.JPG", data + 1, size - 1);
  kx::DigitBitmaps bitmaps;
  kx::BuildDigitBitmaps(bitmaps, 0, 17, 13);
  kx::Dib large;
  if (asBmp) kx::LoadLargePicture("KXS01.BMP", 31, 29, &large);
  return 0;
}
