#pragma once

#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../support/read_file.h"
#include "pictures/dib.h"

namespace kx::test {

using Bytes = std::vector<uint8_t>;

inline std::string PictureData(const std::string& name) { return std::string(KX_TEST_DATA_DIR) + "/pictures/" + name; }

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A reference picture from a binary PPM (P6) or PGM (P5), as top-down RGB.
struct RgbPicture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
};

inline RgbPicture ReadPnm(const std::string& path) {
  Bytes data = ReadFile<Bytes>(path);
  std::string text(data.begin(), data.end());
  std::istringstream in(text);
  std::string magic;
  int maxValue = 0;
  RgbPicture p;
  in >> magic >> p.width >> p.height >> maxValue;
  size_t at = static_cast<size_t>(in.tellg()) + 1;
  int channels = magic == "P6" ? 3 : 1;
  for (size_t i = 0; i < size_t(p.width) * p.height; ++i) {
    for (int c = 0; c < 3; ++c) {
      int value = data.at(at + i * channels + (channels == 3 ? c : 0));
      p.rgb.push_back(static_cast<uint8_t>(value * 255 / maxValue));  // imagemagick writes low depths as such
    }
  }
  return p;
}

// The same picture from a 24-bit bottom-up DIB.
inline RgbPicture FromDib(const Dib& dib) {
  RgbPicture p;
  p.width = dib.header.width;
  p.height = dib.header.height;
  size_t stride = BitmapStride(p.width, 24);
  for (int y = 0; y < p.height; ++y) {
    const uint8_t* row = dib.pixels.data() + (p.height - 1 - y) * stride;
    for (int x = 0; x < p.width; ++x) {
      p.rgb.push_back(row[x * 3 + 2]);
      p.rgb.push_back(row[x * 3 + 1]);
      p.rgb.push_back(row[x * 3]);
    }
  }
  return p;
}

struct Difference {
  int maximum = 0;
  double psnr = 99;
};

inline Difference Compare(const RgbPicture& a, const RgbPicture& b) {
  Difference d;
  EXPECT_EQ(a.width, b.width);
  EXPECT_EQ(a.height, b.height);
  if (a.rgb.size() != b.rgb.size() || a.rgb.empty()) return {255, 0};
  double squares = 0;
  for (size_t i = 0; i < a.rgb.size(); ++i) {
    int diff = std::abs(a.rgb[i] - b.rgb[i]);
    d.maximum = std::max(d.maximum, diff);
    squares += diff * diff;
  }
  double mse = squares / static_cast<double>(a.rgb.size());
  if (mse > 0) d.psnr = 10 * std::log10(255.0 * 255.0 / mse);
  return d;
}

}  // namespace kx::test
