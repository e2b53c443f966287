// Building the digit pictures from BMP, player JPEG, built-in picture or
// colour, and the brighter and darker variants.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "../support/temp_dir.h"
#include "pictures/bmp_file.h"
#include "pictures/digit_bitmaps.h"
#include "pictures/picture_file_lookup.h"

namespace kx::test {
namespace {

namespace fs = std::filesystem;

const std::string kPhoto = std::string(KX_TEST_DATA_DIR) + "/symbols/photo_1024x768.jpg";

void WriteGarbage(const std::string& name) {
  std::ofstream(name, std::ios::binary) << "BM this is no picture at all";
}

BitmapInfoHeader HeaderOf(const std::string& bmp) {
  Dib dib;
  EXPECT_EQ(ReadBmpFile(bmp, &dib), 0) << bmp;
  return dib.header;
}

using DigitBitmapsTest = TempDirTest;

TEST_F(DigitBitmapsTest, FirstStartWritesEveryBmpFromTheBuiltInPictures) {
  DigitBitmaps b;
  ASSERT_EQ(BuildDigitBitmaps(b, 1, 40, 36), 0);
  for (int d = 1; d <= 9; ++d) {
    EXPECT_FALSE(b.digits[d - 1].fallbackColourUsed) << d;
    EXPECT_EQ(fs::file_size(DigitBmpName(1, d)), 442422u) << d;
    EXPECT_FALSE(fs::exists(DigitJpgName(1, d))) << "the scratch JPEG stays behind for " << d;
    EXPECT_EQ(b.digits[d - 1].pixels.size(), 3u * 36 * BitmapStride(40, 24));
  }
  EXPECT_TRUE(b.Matches(1, 40, 36));

  // A deleted file comes back on the next build.
  fs::remove("KXS12.BMP");
  ASSERT_EQ(BuildDigitBitmaps(b, 1, 40, 36), 0);
  EXPECT_EQ(fs::file_size("KXS12.BMP"), 442422u);

  // The one shorter built-in picture keeps its size.
  ASSERT_EQ(BuildDigitBitmaps(b, 0, 20, 20), 0);
  const BitmapInfoHeader h = HeaderOf("KXS03.BMP");
  EXPECT_EQ(h.width, 384);
  EXPECT_EQ(h.height, 382);
}

TEST_F(DigitBitmapsTest, PlayerJpegIsShrunkSavedAndKept) {
  fs::copy_file(kPhoto, "KXS25.JPG");
  DigitBitmaps b;
  ASSERT_EQ(BuildDigitBitmaps(b, 2, 30, 30), 0);
  const BitmapInfoHeader h = HeaderOf("KXS25.BMP");
  EXPECT_EQ(h.width, 512);
  EXPECT_EQ(h.height, 384);
  EXPECT_TRUE(fs::exists("KXS25.JPG"));
  // The photo's left half is red: so is the left of the scaled digit.
  const uint8_t* px = b.digits[4].Variant(0) + 15 * BitmapStride(30, 24) + 3 * 2;
  EXPECT_GT(px[2], 200);
  EXPECT_LT(px[0], 60);
}

TEST_F(DigitBitmapsTest, PictureFilesOfAnyCaseAreFound) {
  // A player's "kxs25.jpg" is used and saved as the capital "KXS25.BMP".
  fs::copy_file(kPhoto, "kxs25.jpg");
  // A player's "Kxs26.bmp": one plain blue picture.
  Dib blue;
  blue.header = MakeHeader24(8, 8);
  blue.pixels.assign(blue.header.sizeImage, 0);
  for (size_t i = 0; i < blue.pixels.size(); i += 3) blue.pixels[i] = 255;
  ASSERT_EQ(WriteBmpFile("Kxs26.bmp", blue), 0);
  DigitBitmaps b;
  ASSERT_EQ(BuildDigitBitmaps(b, 2, 30, 30), 0);
  EXPECT_EQ(HeaderOf("KXS25.BMP").width, 512);
  EXPECT_TRUE(fs::exists("kxs25.jpg"));
  const uint8_t* px = b.digits[5].Variant(0) + 15 * BitmapStride(30, 24) + 3 * 15;
  EXPECT_EQ(px[0], 255);
  EXPECT_EQ(px[2], 0);
  EXPECT_FALSE(fs::exists("KXS26.BMP"));  // nothing rewritten over it
  EXPECT_EQ(ExistingNameIgnoringCase("KXS26.BMP"), "Kxs26.bmp");
  EXPECT_EQ(ExistingNameIgnoringCase("KXS27.BMP"), "KXS27.BMP");

  // An exact name wins over another spelling.
  ASSERT_EQ(WriteBmpFile("KXS26.BMP", blue), 0);
  EXPECT_EQ(ExistingNameIgnoringCase("KXS26.BMP"), "KXS26.BMP");
  Dib large;
  EXPECT_EQ(LoadLargePicture(ExistingNameIgnoringCase("kxs26.BMP"), 100, 100, &large), 0);
}

TEST_F(DigitBitmapsTest, DamagedFilesFallBackSilently) {
  WriteGarbage("KXS37.BMP");
  WriteGarbage("KXS37.JPG");
  DigitBitmaps b;
  ASSERT_EQ(BuildDigitBitmaps(b, 3, 24, 24), 0);
  EXPECT_FALSE(b.digits[6].fallbackColourUsed);
  EXPECT_EQ(HeaderOf("KXS37.BMP").width, 384);
  // The player's own file is left as it was, even unreadable.
  EXPECT_EQ(fs::file_size("KXS37.JPG"), 28u);

  // A BMP with a header that claims a wrong image size is refused too.
  Dib small;
  small.header = MakeHeader24(4, 4);
  small.pixels.assign(small.header.sizeImage, 0);
  ASSERT_EQ(WriteBmpFile("KXS31.BMP", small), 0);
  std::fstream f("KXS31.BMP", std::ios::in | std::ios::out | std::ios::binary);
  f.seekp(34);
  f.put(static_cast<char>(0x7F));
  f.close();
  ASSERT_EQ(BuildDigitBitmaps(b, 3, 24, 24), 0);
  EXPECT_EQ(HeaderOf("KXS31.BMP").width, 384);
}

TEST_F(DigitBitmapsTest, UnusableSizesBuildNothing) {
  DigitBitmaps b;
  EXPECT_EQ(BuildDigitBitmaps(b, 4, 20, 20), -1);
  EXPECT_EQ(BuildDigitBitmaps(b, 0, 0, 20), -1);
  EXPECT_EQ(b.pictureSet, -1);
}

// Luminance raised and lowered by a quarter, colour kept: compared with the
// JFIF conversion in floating point.
TEST(DigitVariantsTest, BrighterAndDarkerKeepTheColour) {
  const int samples[][3] = {{200, 100, 50}, {100, 100, 100}, {10, 200, 240}, {255, 255, 255}, {0, 0, 0}};
  for (const auto& rgb : samples) {
    DigitBitmap b;
    b.header = MakeHeader24(1, 1);
    b.pixels.assign(3 * b.header.sizeImage, 0);
    b.pixels[0] = static_cast<uint8_t>(rgb[2]);
    b.pixels[1] = static_cast<uint8_t>(rgb[1]);
    b.pixels[2] = static_cast<uint8_t>(rgb[0]);
    DeriveVariants(b);
    const double r = rgb[0], g = rgb[1], bl = rgb[2];
    const double y = 0.299 * r + 0.587 * g + 0.114 * bl;
    const double cb = -0.16874 * r - 0.33126 * g + 0.5 * bl, cr = 0.5 * r - 0.41869 * g - 0.08131 * bl;
    for (int v = 1; v <= 2; ++v) {
      const double yy = v == 1 ? y * 1.25 : y * 0.75;
      auto clamp = [](double c) { return std::min(255.0, std::max(0.0, c)); };
      const double want[3] = {clamp(yy + 1.772 * cb), clamp(yy - 0.34414 * cb - 0.71414 * cr), clamp(yy + 1.402 * cr)};
      for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(b.Variant(v)[c], want[c], 2.5) << rgb[0] << "," << rgb[1] << "," << rgb[2] << " variant " << v;
      }
    }
  }
}

TEST_F(DigitBitmapsTest, LargePictureFitsTheClientKeepingItsRatio) {
  Dib wide;
  wide.header = MakeHeader24(400, 100);
  wide.pixels.assign(wide.header.sizeImage, 90);
  ASSERT_EQ(WriteBmpFile("wide.bmp", wide), 0);
  Dib large;
  ASSERT_EQ(LoadLargePicture("wide.bmp", 800, 600, &large), 0);
  EXPECT_EQ(large.header.width, 800);
  EXPECT_EQ(large.header.height, 200);
  ASSERT_EQ(LoadLargePicture("wide.bmp", 100, 600, &large), 0);
  EXPECT_EQ(large.header.width, 100);
  EXPECT_EQ(large.header.height, 25);
  EXPECT_NE(LoadLargePicture("missing.bmp", 800, 600, &large), 0);
  EXPECT_TRUE(large.pixels.empty());
}

}  // namespace
}  // namespace kx::test
