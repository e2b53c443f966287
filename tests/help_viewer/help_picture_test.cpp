#include <gtest/gtest.h>

#include <QImage>

#include "../support/temp_dir.h"
#include "help/help_picture.h"
#include "help_page.h"
#include "pictures/bmp_file.h"
#include "qt/qt_canvas.h"

namespace kx {
namespace {

using test::HelpPage;

constexpr uint32_t kPicture = 15 | helpflag::kSelectable;
constexpr uint32_t kYellowPaper = 0xB3B3B3B3;  // RGB(255, 255, 204)
constexpr uint32_t kGreenPaper = 0xB1B1B1B1;   // RGB(153, 255, 204)

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
  // A picture entry: box at (x, y), width by height, with a scaling mode.
  static uint32_t AddPicture(HelpPage& page, uint32_t flags, int x, int y, int width, int height, uint32_t scaling,
                             const char* file = "pic.bmp") {
    const uint32_t i = page.Add(flags, x, y, file, kHelpNoLink, scaling, kGreenPaper);
    page.help.entries[i].width = width;
    page.help.entries[i].height = height;
    return i;
  }
};

TEST_F(HelpPictureTest, FittedAndCentredInItsBox) {
  WritePicture();
  Dib picture;
  ASSERT_TRUE(LoadHelpPicture("pic.bmp", &picture));
  QImage image(100, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  Rect drawn;
  {
    QtCanvas canvas(&image);
    drawn = DrawHelpPicture(canvas, picture, {0, 0, 100, 100}, 3, true, true);
  }
  // Fitted: 100 x 50, centred vertically from 25 to 75.
  EXPECT_EQ(drawn, (Rect{0, 25, 100, 75}));
  EXPECT_EQ(At(image, 10, 50), Rgb(255, 0, 0));
  EXPECT_EQ(At(image, 90, 50), Rgb(0, 0, 255));
  EXPECT_EQ(At(image, 50, 10), Rgb(255, 255, 255));
  EXPECT_EQ(At(image, 50, 90), Rgb(255, 255, 255));
  EXPECT_EQ(HelpPictureSize(picture, {0, 0, 100, 100}, 1), (Size{100, 50}));
  EXPECT_EQ(HelpPictureSize(picture, {0, 0, 100, 100}, 2), (Size{200, 100}));
  EXPECT_EQ(HelpPictureSize(picture, {0, 0, 100, 100}, 0), (Size{100, 100}));
}

TEST_F(HelpPictureTest, MissingOrDamagedFilesAreNotPictures) {
  Dib picture;
  EXPECT_FALSE(LoadHelpPicture("missing.bmp", &picture));
  std::FILE* f = std::fopen("bad.bmp", "wb");
  std::fputs("BMnot a picture", f);
  std::fclose(f);
  EXPECT_FALSE(LoadHelpPicture("bad.bmp", &picture));
  EXPECT_FALSE(LoadHelpPicture(nullptr, &picture));
}

// On a page: bit 18 fills the rest of the box, but a missing file leaves
// the box unpainted; the pen moves on from the picture, not from its box.
TEST_F(HelpPictureTest, PageFillsAroundThePictureAndThePenFollowsIt) {
  WritePicture();
  HelpPage page;
  page.Add(0x52000005, 0, 0, "", kHelpNoLink, 0, kYellowPaper);
  const uint32_t fitted = AddPicture(page, kPicture | helpflag::kFillOwn, 10, 1, 200, 50, 3);
  const uint32_t next = AddPicture(page, kPicture, -4, 0, 40, 20, 0);
  const uint32_t missing = AddPicture(page, kPicture | helpflag::kFillOwn, 300, 1, 60, 60, 0, "fehlt.bmp");
  HelpView v = page.View();
  const QImage image = test::Paint(v);
  const HelpRect box = v.help.entries[fitted].bounds;
  ASSERT_EQ(box.right - box.left, 200);
  // Fitted 100 x 50 at the box's left; the rest of the box is green.
  EXPECT_EQ(At(image, box.left + 20, box.top + 25), Rgb(255, 0, 0));
  EXPECT_EQ(At(image, box.left + 80, box.top + 25), Rgb(0, 0, 255));
  EXPECT_EQ(At(image, box.left + 150, box.top + 25), Rgb(153, 255, 204));
  EXPECT_EQ(v.help.entries[next].bounds.left, box.left + 100 + 1 + 4);
  // The missing picture: its box keeps the page's yellow.
  EXPECT_EQ(At(image, 330, 80), Rgb(255, 255, 204));
  EXPECT_EQ(v.help.entries[missing].bounds.right, 0);
}

TEST_F(HelpPictureTest, WidthFromTheHeightMayMoveThePictureToANewRow) {
  WritePicture();
  HelpPage page;
  page.Add(0x52000005, 0, 0, "Bild:");
  // The box fits beside the text, the picture (twice as wide as high) not.
  const uint32_t picture = AddPicture(page, kPicture | helpflag::kMayWrap, -10, 0, 100, 200, 2);
  HelpView v = page.View();
  test::Paint(v, 400, 600);
  const HelpEntry& text = v.help.entries[0];
  const HelpEntry& e = v.help.entries[picture];
  EXPECT_EQ(e.bounds.left, 10);
  EXPECT_EQ(e.bounds.top, text.bounds.bottom + 10 + 1);
}

}  // namespace
}  // namespace kx
