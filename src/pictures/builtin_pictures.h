#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kx {

// One JPEG built into the program, keyed by picture set * 16 + digit.
struct BuiltinPicture {
  int key;
  const uint8_t* bytes;
  size_t size;
};

extern const BuiltinPicture kBuiltinPictures[36];

// The built-in JPEG of set 0..3 and digit 1..9; empty for any other pair.
std::span<const uint8_t> BuiltinPictureFor(int pictureSet, int digit);

}  // namespace kx
