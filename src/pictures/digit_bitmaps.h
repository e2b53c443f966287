#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "pictures/dib.h"

namespace kx {

// The picture of one digit at the size the board shows it, in three
// variants one after another: 0 plain, 1 brighter (selected and highlighted
// cells), 2 darker (the hovered cell).
struct DigitBitmap {
  BitmapInfoHeader header;       // width x height, 24 bits, bottom-up
  std::vector<uint8_t> pixels;   // 3 * header.sizeImage bytes
  bool fallbackColourUsed = false;

  uint8_t* Variant(int v) { return pixels.data() + static_cast<size_t>(v) * header.sizeImage; }
  const uint8_t* Variant(int v) const { return pixels.data() + static_cast<size_t>(v) * header.sizeImage; }
};

// The nine digit pictures of the active picture set, built for one size.
struct DigitBitmaps {
  std::array<DigitBitmap, 9> digits;  // digit 1..9 at index 0..8
  int pictureSet = -1;                // -1: not built
  int width = 0, height = 0;

  bool Matches(int set, int w, int h) const { return pictureSet == set && width == w && height == h; }
  void Discard() { *this = DigitBitmaps{}; }
};

// "KXSyx.BMP" / "KXSyx.JPG" for set y 0..3 and digit x 1..9.
std::string DigitBmpName(int pictureSet, int digit);
std::string DigitJpgName(int pictureSet, int digit);

// Builds the nine pictures of set 0..3 at w x h from the files in the
// working directory: KXSyx.BMP, else the player's KXSyx.JPG, else the
// built-in picture, else the digit's colour. A JPEG that was used is saved
// as KXSyx.BMP (at most 512 x 384) so that the next start reads the BMP.
// Result 0; -1 for a set or size out of range (nothing built).
int BuildDigitBitmaps(DigitBitmaps& out, int pictureSet, int width, int height);

// Fills variants 1 and 2 from variant 0 by raising and lowering luminance.
void DeriveVariants(DigitBitmap& bitmap);

// Luminance and chroma contributions of R, G and B, built once.
struct RgbToYccTables {
  uint32_t yr[256], yg[256], yb[256], cbr[256], cbg[256], crg[256], crb[256];
};
const RgbToYccTables& InitRgbToYccTables();

// Reads a BMP picture file under the picture-set rules (24-bit result).
// Result 0 or a negative code.
int ReadPictureBmp(const std::string& fileName, Dib* out);

// The largest size of ratio width/height that fits into the box, rounded.
struct FitSize {
  int width = 0, height = 0;
};
FitSize FitIntoBox(int width, int height, int boxWidth, int boxHeight);

// Reads a picture file and scales it to fit the client area, keeping its
// ratio. Result 0; anything else leaves `out` empty.
int LoadLargePicture(const std::string& fileName, int clientWidth, int clientHeight, Dib* out);

}  // namespace kx
