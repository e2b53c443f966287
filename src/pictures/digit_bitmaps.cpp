#include "pictures/digit_bitmaps.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "pictures/bmp_file.h"
#include "pictures/builtin_pictures.h"
#include "pictures/dib_scale.h"
#include "pictures/jpeg_color.h"
#include "pictures/jpeg_decoder.h"
#include "pictures/jpeg_idct.h"
#include "pictures/picture_file_lookup.h"

namespace kx {

namespace {

constexpr uint8_t kFallbackRgb[9][3] = {{255, 0, 0},   {0, 255, 0},     {0, 0, 255},     {255, 255, 0},  {255, 0, 255},
                                        {0, 255, 255}, {255, 128, 128}, {128, 255, 128}, {128, 128, 255}};

constexpr int kMaxSavedWidth = 512;
constexpr int kMaxSavedHeight = 384;

std::string PictureName(int pictureSet, int digit, const char* extension) {
  std::string name = "KXS__.";
  name[3] = static_cast<char>('0' + pictureSet);
  name[4] = static_cast<char>('0' + digit);
  return name + extension;
}

int Round(double v) { return static_cast<int>(std::lround(v)); }

bool WriteBytes(std::FILE* f, std::span<const uint8_t> bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
}

// The built-in picture goes through its KXSyx.JPG name as the files of the
// player do; a player's file of that name (undecodable, or we would not be
// here) is left alone and the built-in picture is decoded from a scratch file.
int DecodeBuiltin(int pictureSet, int digit, const std::string& jpgName, Dib* out) {
  const auto bytes = BuiltinPictureFor(pictureSet, digit);
  if (bytes.empty()) return -1;
  std::error_code ec;
  if (std::filesystem::exists(jpgName, ec) || ec) {
    std::FILE* scratch = std::tmpfile();
    if (!scratch) return -1;
    int result = WriteBytes(scratch, bytes) ? 0 : -1;
    if (result == 0) {
      std::rewind(scratch);
      result = DecodeJpegStream(scratch, out);
    }
    std::fclose(scratch);
    return result;
  }
  std::FILE* f = std::fopen(jpgName.c_str(), "wb");
  if (!f) return -1;
  bool written = WriteBytes(f, bytes);
  written = std::fclose(f) == 0 && written;  // the end may only fail here
  const int result = written ? DecodeJpegFile(jpgName, out) : -1;
  std::filesystem::remove(jpgName, ec);
  return result;
}

// Pictures saved for the next start are at most 512 x 384.
bool ShrinkForSaving(Dib& picture) {
  const int w = picture.header.width, h = picture.header.height;
  if (w <= kMaxSavedWidth && h <= kMaxSavedHeight) return true;
  const double ratio = static_cast<double>(w) / h;
  int newW, newH;
  if (ratio <= 1.333333) {
    newH = kMaxSavedHeight;
    newW = std::max(1, Round(kMaxSavedHeight * ratio));
  } else {
    newW = kMaxSavedWidth;
    newH = std::max(1, Round(kMaxSavedWidth / ratio));
  }
  Dib small;
  small.header = MakeHeader24(newW, newH);
  small.pixels.assign(small.header.sizeImage, 0);
  if (ScaleDib(small, 0, 0, newW, newH, 0, 0, w, h, picture) < 0) return false;
  picture = std::move(small);
  return true;
}

bool ScaleIntoVariant0(DigitBitmap& bitmap, const Dib& source) {
  Dib scaled;
  scaled.header = bitmap.header;
  scaled.pixels.assign(bitmap.header.sizeImage, 0);
  if (ScaleDib(scaled, 0, 0, bitmap.header.width, bitmap.header.height, 0, 0, source.header.width,
               source.header.height, source) < 0) {
    return false;
  }
  std::copy(scaled.pixels.begin(), scaled.pixels.end(), bitmap.Variant(0));
  return true;
}

// The JPEG steps of the chain: player's file, else the built-in picture;
// shrunk, saved as the BMP for next time, scaled into variant 0.
bool BuildFromJpeg(DigitBitmap& bitmap, int pictureSet, int digit) {
  const std::string jpgName = DigitJpgName(pictureSet, digit);
  Dib decoded;
  if (DecodeJpegFile(ExistingNameIgnoringCase(jpgName), &decoded) != 0) {
    decoded = Dib{};
    if (DecodeBuiltin(pictureSet, digit, jpgName, &decoded) != 0) return false;
  }
  if (!ShrinkForSaving(decoded)) return false;
  // A BMP that cannot be written only costs the next start some time.
  WriteBmpFile(DigitBmpName(pictureSet, digit), decoded);
  return ScaleIntoVariant0(bitmap, decoded);
}

void FillFallback(DigitBitmap& bitmap, int digit) {
  const uint8_t* rgb = kFallbackRgb[digit - 1];
  const size_t stride = BitmapStride(bitmap.header.width, 24);
  uint8_t* p = bitmap.Variant(0);
  for (int y = 0; y < bitmap.header.height; ++y, p += stride) {
    for (int x = 0; x < bitmap.header.width; ++x) {
      p[3 * x] = rgb[2];
      p[3 * x + 1] = rgb[1];
      p[3 * x + 2] = rgb[0];
    }
  }
  bitmap.fallbackColourUsed = true;
}

// t biased away from zero, taken as 16 bits, divided with truncation.
int ChromaOf(int t) {
  t = t < 0 ? t - 128 : t + 127;
  return static_cast<int16_t>(t) / 256 + 128;
}

}  // namespace

std::span<const uint8_t> BuiltinPictureFor(int pictureSet, int digit) {
  for (const BuiltinPicture& p : kBuiltinPictures) {
    if (p.key == pictureSet * 16 + digit) return {p.bytes, p.size};
  }
  return {};
}

std::string DigitBmpName(int pictureSet, int digit) { return PictureName(pictureSet, digit, "BMP"); }
std::string DigitJpgName(int pictureSet, int digit) { return PictureName(pictureSet, digit, "JPG"); }

const RgbToYccTables& InitRgbToYccTables() {
  static const RgbToYccTables tables = [] {
    RgbToYccTables t{};
    auto entry = [](uint32_t v, uint32_t k) { return (v * k + 128) / 256; };
    for (uint32_t v = 0; v < 256; ++v) {
      t.yr[v] = entry(v, 19595);
      t.yg[v] = entry(v, 38469);
      t.yb[v] = entry(v, 7471);
      t.cbr[v] = entry(v, 11058);
      t.cbg[v] = entry(v, 21709);
      t.crg[v] = entry(v, 27439);
      t.crb[v] = entry(v, 5328);
    }
    return t;
  }();
  return tables;
}

void DeriveVariants(DigitBitmap& bitmap) {
  const RgbToYccTables& to = InitRgbToYccTables();
  const jpeg::ColorTables& from = jpeg::InitColorTables();
  const uint8_t* limit = jpeg::RangeLimitTable;
  const size_t stride = BitmapStride(bitmap.header.width, 24);
  for (int y = 0; y < bitmap.header.height; ++y) {
    const uint8_t* src = bitmap.Variant(0) + y * stride;
    uint8_t* bright = bitmap.Variant(1) + y * stride;
    uint8_t* dark = bitmap.Variant(2) + y * stride;
    for (int x = 0; x < bitmap.header.width; ++x) {
      const int b = src[3 * x], g = src[3 * x + 1], r = src[3 * x + 2];
      // Only the low 16 bits of the chroma tables take part.
      const int cb = ChromaOf(128 * b - static_cast<int>(to.cbr[r] & 0xFFFF) - static_cast<int>(to.cbg[g] & 0xFFFF));
      const int cr = ChromaOf(128 * r - static_cast<int>(to.crg[g] & 0xFFFF) - static_cast<int>(to.crb[b] & 0xFFFF));
      const int y16 = static_cast<int>((to.yr[r] + to.yg[g] + to.yb[b] + 128) / 16);
      const int levels[2] = {y16 + y16 / 4, y16 - y16 / 4};
      uint8_t* outs[2] = {bright + 3 * x, dark + 3 * x};
      for (int v = 0; v < 2; ++v) {
        const int yy = levels[v];
        outs[v][0] = limit[((yy + from.cbBlue[cb] + 8) >> 4) & 0x3FF];
        outs[v][1] = limit[((yy - from.crGreen[cr] - from.cbGreen[cb] + 8) >> 4) & 0x3FF];
        outs[v][2] = limit[((yy + from.crRed[cr] + 8) >> 4) & 0x3FF];
      }
    }
  }
}

int ReadPictureBmp(const std::string& fileName, Dib* out) {
  *out = Dib{};
  std::FILE* f = std::fopen(fileName.c_str(), "rb");
  if (!f) return -1;
  uint8_t head[14 + kInfoHeaderBytes];
  const bool complete = std::fread(head, 1, sizeof head, f) == sizeof head;
  std::fclose(f);
  if (!complete || head[0] != 'B' || head[1] != 'M') return -2;
  const BitmapInfoHeader h = LoadInfoHeader(head + 14);
  if (h.size != 40 || h.planes != 1 || h.compression != 0) return -3;
  switch (h.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return -4;
  }
  if (h.sizeImage != 0 && h.sizeImage != std::abs(static_cast<int64_t>(h.height)) * BitmapStride(h.width, h.bitCount)) {
    return -5;
  }
  const int result = ReadBmpFile(fileName, out);
  if (result != 0) *out = Dib{};
  return result;
}

FitSize FitIntoBox(int width, int height, int boxWidth, int boxHeight) {
  if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return {};
  const double ratio = static_cast<double>(width) / height;
  if (ratio <= static_cast<double>(boxWidth) / boxHeight) return {std::max(1, Round(boxHeight * ratio)), boxHeight};
  return {boxWidth, std::max(1, Round(boxWidth / ratio))};
}

int BuildDigitBitmaps(DigitBitmaps& out, int pictureSet, int width, int height) {
  out.Discard();
  if (pictureSet < 0 || pictureSet > 3 || width <= 0 || height <= 0 || int64_t{width} * height > 4'000'000) return -1;
  out.pictureSet = pictureSet;
  out.width = width;
  out.height = height;
  for (int digit = 1; digit <= 9; ++digit) {
    DigitBitmap& bitmap = out.digits[digit - 1];
    bitmap.header = MakeHeader24(width, height);
    bitmap.pixels.assign(3 * size_t{bitmap.header.sizeImage}, 0);
    Dib file;
    if (ReadPictureBmp(ExistingNameIgnoringCase(DigitBmpName(pictureSet, digit)), &file) == 0 &&
        ScaleIntoVariant0(bitmap, file)) {
      continue;
    }
    if (!BuildFromJpeg(bitmap, pictureSet, digit)) FillFallback(bitmap, digit);
  }
  for (DigitBitmap& bitmap : out.digits) DeriveVariants(bitmap);
  return 0;
}

int LoadLargePicture(const std::string& fileName, int clientWidth, int clientHeight, Dib* out) {
  *out = Dib{};
  Dib file;
  if (ReadPictureBmp(fileName, &file) != 0) return -1;
  const FitSize fit = FitIntoBox(file.header.width, file.header.height, clientWidth, clientHeight);
  if (fit.width <= 0) return -2;
  Dib scaled;
  scaled.header = MakeHeader24(fit.width, fit.height);
  scaled.pixels.assign(scaled.header.sizeImage, 0);
  if (ScaleDib(scaled, 0, 0, fit.width, fit.height, 0, 0, file.header.width, file.header.height, file) < 0) return -3;
  *out = std::move(scaled);
  return 0;
}

}  // namespace kx
