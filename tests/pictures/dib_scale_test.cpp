#include <gtest/gtest.h>

#include "pictures/dib_scale.h"

namespace kx {
namespace {

// A 24-bit picture whose pixel (x, y from the top) has blue x, green y and red f.
Dib Gradient(int width, int height, uint8_t red = 7) {
  Dib dib;
  dib.header = MakeHeader24(width, height);
  dib.pixels.assign(dib.header.sizeImage, 0);
  size_t stride = BitmapStride(width, 24);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* p = &dib.pixels[(height - 1 - y) * stride + x * 3];
      p[0] = static_cast<uint8_t>(x);
      p[1] = static_cast<uint8_t>(y);
      p[2] = red;
    }
  }
  return dib;
}

Dib Blank(int width, int height) {
  Dib dib;
  dib.header = MakeHeader24(width, height);
  dib.pixels.assign(dib.header.sizeImage, 0);
  return dib;
}

const uint8_t* At(const Dib& dib, int x, int yFromTop) {
  return &dib.pixels[(dib.header.height - 1 - yFromTop) * BitmapStride(dib.header.width, 24) + x * 3];
}

TEST(ScaleDib, ReductionAveragesRoundedUpBoxes) {
  Dib src = Gradient(384, 384), dest = Blank(100, 100);
  ASSERT_EQ(ScaleDib(dest, 0, 0, 100, 100, 0, 0, 384, 384, src), 384);
  // Pixel n ends its box at ceil(384 n / 100) and reaches back 4 columns.
  for (int n : {1, 2, 50, 100}) {
    int end = (384 * n + 99) / 100, sum = 0;
    for (int c = end - 4; c < end; ++c) sum += c % 256;  // the gradient wraps at 256
    EXPECT_EQ(At(dest, n - 1, 0)[0], sum / 4) << n;
    EXPECT_EQ(At(dest, 0, n - 1)[1], sum / 4) << n;
  }
  EXPECT_EQ(At(dest, 40, 70)[2], 7);
}

TEST(ScaleDib, EnlargementRepeatsPixelsAndMirrorsOnRequest) {
  Dib src = Gradient(10, 10), dest = Blank(30, 30);
  ASSERT_EQ(ScaleDib(dest, 0, 0, 30, 30, 0, 0, 10, 10, src), 10);
  for (int x = 0; x < 30; ++x) {
    for (int y = 0; y < 30; ++y) {
      ASSERT_EQ(At(dest, x, y)[0], x / 3);
      ASSERT_EQ(At(dest, x, y)[1], y / 3);
    }
  }

  Dib wide = Gradient(100, 4), half = Blank(50, 4);
  ASSERT_EQ(ScaleDib(half, 0, 0, -50, 4, 0, 0, 100, 4, wide), 4);
  EXPECT_EQ(At(half, 0, 0)[0], 98);  // (98 + 99) / 2
  EXPECT_EQ(At(half, 49, 0)[0], 0);
  Dib both = Blank(50, 4);
  ASSERT_EQ(ScaleDib(both, 0, 0, -50, 4, 0, 0, -100, 4, wide), 4);
  EXPECT_EQ(At(both, 0, 0)[0], 0);
  EXPECT_EQ(At(both, 49, 0)[0], 98);
  Dib flipped = Blank(100, 4);
  ASSERT_EQ(ScaleDib(flipped, 0, 0, 100, -4, 0, 0, 100, 4, wide), 4);
  EXPECT_EQ(At(flipped, 5, 0)[1], 3);
}

TEST(ScaleDib, RectanglesAndPalettePictures) {
  Dib src;  // 4-bit, two colours: bottom row index 0, top row index 1
  src.header = MakeHeader24(4, 2);
  src.header.bitCount = 4;
  src.header.sizeImage = 8;
  src.colorTable = {0, 0, 200, 0, 100, 0, 0, 0};
  src.pixels = {0x00, 0x00, 0, 0, 0x11, 0x11, 0, 0};
  Dib dest = Blank(10, 10);
  ASSERT_EQ(ScaleDib(dest, 3, 5, 2, 1, 1, 0, 2, 2, src), 2);
  EXPECT_EQ(At(dest, 3, 5)[0], 50);  // index 0 and 1 averaged down the column
  EXPECT_EQ(At(dest, 3, 5)[2], 100);
  EXPECT_EQ(At(dest, 4, 5)[0], 50);
  EXPECT_EQ(At(dest, 2, 5)[0], 0);  // nothing outside the rectangle
}

TEST(ScaleDib, ChecksComeInOrder) {
  Dib src = Gradient(8, 8), dest = Blank(8, 8);
  EXPECT_EQ(ScaleDib(dest, 0, 0, 0, 0, 0, 0, 0, 0, src), -1);
  EXPECT_EQ(ScaleDib(dest, 0, 0, 1, 0, 0, 0, 0, 0, src), -2);
  EXPECT_EQ(ScaleDib(dest, 0, 0, 1, 1, 0, 0, 0, 1, src), -3);
  EXPECT_EQ(ScaleDib(dest, 0, 0, 1, 1, 0, 0, 1, 0, src), -4);
  EXPECT_EQ(ScaleDib(dest, 0, 0, 1, 1, 4, 0, 5, 1, src), -5);
  EXPECT_EQ(ScaleDib(dest, 0, 0, 1, 1, 0, 4, 1, 5, src), -6);
  Dib packed = src;
  packed.header.compression = 1;
  EXPECT_EQ(ScaleDib(dest, 0, 0, 1, 1, 0, 0, 1, 1, packed), -7);
  Dib odd = src;
  odd.header.bitCount = 2;
  EXPECT_EQ(ScaleDib(dest, 0, 0, 1, 1, 0, 0, 1, 1, odd), -8);
  Dib cut = src;
  cut.pixels.resize(10);
  EXPECT_EQ(ScaleDib(dest, 0, 0, 1, 1, 0, 0, 1, 1, cut), -24);

  auto with = [&](auto change) {
    Dib d = dest;
    change(d);
    return ScaleDib(d, 0, 0, 8, 8, 0, 0, 8, 8, src);
  };
  EXPECT_EQ(with([](Dib& d) { d.header.size = 108; }), -15);
  EXPECT_EQ(with([](Dib& d) { d.header.width = 7; }), -16);
  EXPECT_EQ(with([](Dib& d) { d.header.height = 7; }), -17);
  EXPECT_EQ(with([](Dib& d) { d.header.planes = 2; }), -18);
  EXPECT_EQ(with([](Dib& d) { d.header.bitCount = 32; }), -19);
  EXPECT_EQ(with([](Dib& d) { d.header.compression = 1; }), -20);
  EXPECT_EQ(with([](Dib& d) { d.header.sizeImage = 1; }), -21);
  EXPECT_EQ(with([](Dib& d) { d.pixels.resize(5); }), -21);
  EXPECT_EQ(with([](Dib& d) { d.header.clrUsed = 2; }), -22);
  EXPECT_EQ(with([](Dib& d) { d.header.clrImportant = 2; }), -23);
}

}  // namespace
}  // namespace kx
