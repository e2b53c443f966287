#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/background_writer.h"
#include "pictures/dib.h"

namespace kx {

// Reads a BMP file of 1, 4, 8, 16 (5-5-5), 24 or 32 bits per pixel, plain or
// run-length coded (8 and 4 bits), into a 24-bit bottom-up picture. The
// header is rewritten to describe the result (24 bits, 1 plane, no
// compression, no colour counts, sizeImage = height * stride); the file's
// colour table is kept in `colorTable`. Top-down files come back bottom-up.
//
// Result 0, or a negative code; on failure `out` is left empty:
//  -12 cannot open            -13/-14 file header read error / too short
//  -15 type not "BM"          -16/-17 reserved fields not 0
//  -18 pixel offset beyond a 40-byte header and a 1024-byte colour table
//  -19/-20 info header read error / too short   -21 header size not 40
//  -22 planes not 1
//  plain pixels: -31/-33/-34 too large / read error / short (24 bits: -39/-41/-42),
//                -47 bit count not 1, 4, 8, 16, 24 or 32
//  8-bit runs:  -48 bit count not 8, -49 too large, -51/-53 data cannot be held / read,
//               -56 run or -57 absolute run past the last row
//  4-bit runs:  -58 bit count not 4, -59 too large, -61/-62 data cannot be held / read,
//               -63 run or -64 absolute run past the last row
//  -68/-69 bit fields (-69 for 16 and 32 bits), -70 other compression
// "Too large" means no positive width, no rows, or more than kMaxPicturePixels.
int ReadBmpFile(const std::string& fileName, Dib* out);
// The same from an open stream positioned at the file's first byte.
int ReadBmpStream(std::FILE* file, Dib* out);

// Writes a 24-bit picture as a 54-byte-header BMP file, replacing any file of
// that name. The resolution fields come from the picture's header.
// Result 0; -1 the file cannot be written (nothing of it is left); -2 the picture is not a 24-bit
// bottom-up bitmap whose pixel block holds height * stride bytes.
int WriteBmpFile(const std::string& fileName, const Dib& dib);

// The bytes before the pixels in a file WriteBmpFile writes.
inline constexpr size_t kBmpHeadBytes = 54;

// Bands handed to a BmpFileStream in the caller's own form, `bandBytes`
// each, and made into the band's `count` BGR rows on the writing thread:
// bottom-up, `stride` bytes apart, padding left as it is (zero).
struct BmpBandMaker {
  size_t bandBytes = 0;
  std::function<void(const uint8_t* band, int count, uint8_t* rows, size_t stride)> make;
};

// A 24-bit BMP file written band by band, in any order, for pictures made a
// band at a time: the whole pixel block never has to be in memory. It is
// written under a working name (the file's name + ".kx-part") that becomes
// the file's name only when Finish succeeds; until then a file of that name
// stays as it was, and a stream given up removes what it wrote.
class BmpFileStream {
 public:
  explicit BmpFileStream(std::string fileName);
  ~BmpFileStream();
  BmpFileStream(const BmpFileStream&) = delete;
  BmpFileStream& operator=(const BmpFileStream&) = delete;

  // Creates the working file for a width x height picture made in bands of
  // up to `bandRows` rows, of BGR rows or else of `maker`'s form; false when
  // it cannot be created, or already exists.
  bool Open(int32_t width, int32_t height, int bandRows, BmpBandMaker maker = {});
  bool IsOpen() const { return file_ != nullptr; }
  // Whether a picture of that size is written on a helper thread.
  static bool WritesOnHelperThread(int32_t width, int32_t height);
  // Room for the rows of one band: BGR rows bottom-up as in the file, their
  // padding zero, or one band in the maker's form. Large pictures are
  // written on a helper thread while the next bands are made, so each band
  // gets room of its own.
  uint8_t* BandRows();
  // `count` rows of room from BandRows, the lowest of them with `rowsBelow`
  // rows under it in the file. A failure is kept for Finish.
  void WriteRows(int rowsBelow, uint8_t* rows, int count);
  // Writes the headers and gives the file its name. WriteBmpFile's results.
  int Finish(const BitmapInfoHeader& header);

 private:
  std::string fileName_, partName_;
  std::FILE* file_ = nullptr;
  BmpBandMaker maker_;
  std::vector<uint8_t> made_;  // a band the maker made, as written
  std::unique_ptr<BackgroundWriter> writer_;  // last: its thread uses the two above
  size_t stride_ = 0;
  int height_ = 0, bandRows_ = 0;
  bool failed_ = false;

  std::span<const uint8_t> MakeBand(const uint8_t* band, size_t bytes);
};

}  // namespace kx
