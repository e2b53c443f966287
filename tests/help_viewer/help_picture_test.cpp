#include <gtest/gtest.h>

#include <QImage>

#include "../support/temp_dir.h"
#include "help/help_picture.h"
#include "pictures/bmp_file.h"
#include "platform/qt/qt_canvas.h"

namespace kx {
namespace {

class HelpPictureTest : public test::TempDirTest {
 protected:
  // A 20 x 10 picture: left half red, right half blue.
  void WritePicture() {
    Dib dib;
    dib.header = MakeHeader24(20, 10);
    dib.pixels.assign(dib.header.sizeImage, 0);
    const size_t stride = BitmapStride(20, 24);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 20; ++x) dib.pixels[y * stride + 3 * x + (x < 10 ? 2 : 0)] = 255;
    ASSERT_EQ(WriteBmpFile("pic.bmp", dib), 0);
  }
  Color At(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
  }
};

TEST_F(HelpPictureTest, FittedAndCentredInItsBox) {
  WritePicture();
  QImage image(100, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QtCanvas canvas(&image);
    ASSERT_TRUE(DrawHelpPicture(canvas, "pic.bmp", {0, 0, 100, 100}, 3, true, true));
  }
  // Fitted: 100 x 50, centred vertically from 25 to 75.
  EXPECT_EQ(At(image, 10, 50), Rgb(255, 0, 0));
  EXPECT_EQ(At(image, 90, 50), Rgb(0, 0, 255));
  EXPECT_EQ(At(image, 50, 10), Rgb(255, 255, 255));
  EXPECT_EQ(At(image, 50, 90), Rgb(255, 255, 255));
}

TEST_F(HelpPictureTest, MissingOrDamagedFilesDrawNothing) {
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  QtCanvas canvas(&image);
  EXPECT_FALSE(DrawHelpPicture(canvas, "missing.bmp", {0, 0, 40, 40}, 0, false, false));
  std::FILE* f = std::fopen("bad.bmp", "wb");
  std::fputs("BMnot a picture", f);
  std::fclose(f);
  EXPECT_FALSE(DrawHelpPicture(canvas, "bad.bmp", {0, 0, 40, 40}, 0, false, false));
  EXPECT_EQ(At(image, 20, 20), Rgb(255, 255, 255));
}

}  // namespace
}  // namespace kx
