#include <gtest/gtest.h>

#include "ui_fixture.h"

namespace kx {
namespace {

using test::UiTest;

TEST_F(UiTest, FontFitUsesTheClientAndSmallClientsKeepTheSmallestFont) {
  FitFonts(874, 654);
  Paint(874, 654);
  EXPECT_LE(layout.neededWidth, 874);
  EXPECT_LE(layout.neededHeight, 654);
  EXPECT_GT(fonts.small.height, 8);
  EXPECT_GE(fonts.big.height, 3 * fonts.small.height);
  EXPECT_EQ(layout.textHeight, fonts.small.height);

  FitFonts(200, 150);
  EXPECT_EQ(fonts.small.height, 8);
  Paint(200, 150);
  EXPECT_TRUE(layout.windowTooSmall);
  // Qt has no size of this face whose ascent and descent make 8 rows; the
  // text still gets the 8 rows the layout asked for.
  EXPECT_EQ(layout.textHeight, 8);
}

TEST_F(UiTest, BoardGrowsOnePixelPerCellPerNineSparePixels) {
  FitFonts(874, 654);
  Paint(100, 100);  // too small: the base geometry, unstretched
  const int baseCell = layout.cellSize, baseW = layout.neededWidth, baseH = layout.neededHeight;
  for (int s : {0, 1, 2, 5, 11}) {
    Paint(baseW + 9 * s + 8, baseH + 9 * s + 30);
    SCOPED_TRACE(s);
    EXPECT_EQ(layout.cellSize, baseCell + s);
    EXPECT_EQ(layout.candidateOffset, (s % 9) / 2);
    EXPECT_EQ(layout.neededWidth, baseW + 9 * s);
  }
  // Fewer than 9 spare pixels in one direction: no growth.
  Paint(baseW + 100, baseH + 8);
  EXPECT_EQ(layout.cellSize, baseCell);
}

TEST_F(UiTest, MarginOnlyWhenTheLayoutIsSmallerThanTheClient) {
  FitFonts(874, 654);
  Paint(100, 100);
  const int w = layout.neededWidth, h = layout.neededHeight;
  QImage exact = Paint(w, h);
  EXPECT_EQ(At(exact, 0, 0), Rgb(128, 128, 255));
  QImage wider = Paint(w + 6, h);
  EXPECT_EQ(At(wider, 0, 0), Rgb(192, 64, 0));
  EXPECT_EQ(At(wider, layout.layoutRect.left - 1, h / 2), Rgb(0, 0, 0));  // the outer frames

  // One spare pixel: the margin rule still paints it, no stale pixels stay.
  for (const auto& [dw, dh] : {std::pair{1, 0}, std::pair{0, 1}}) {
    QImage image(w + dw, h + dh, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QtCanvas canvas(&image);
    layout = LayOutMainWindow(canvas, p, fonts);
    PaintMainWindow(canvas, p, window, fonts, layout);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) ASSERT_NE(image.pixel(x, y), qRgb(255, 0, 255)) << x << "," << y;
  }
}

TEST(LimitSizing, KeepsTheMinimumFromTheDraggedEdge) {
  Rect r{100, 50, 600, 500};  // 500 wide: too narrow
  LimitSizing(SizingEdge::Left, r, 0);
  EXPECT_EQ(r, (Rect{50, 50, 600, 500}));
  r = {100, 50, 600, 200};
  LimitSizing(SizingEdge::BottomRight, r, 20);
  EXPECT_EQ(r, (Rect{100, 50, 650, 458}));
  r = {0, 0, 900, 700};
  LimitSizing(SizingEdge::TopLeft, r, 20);
  EXPECT_EQ(r, (Rect{0, 0, 900, 700}));
}

}  // namespace
}  // namespace kx
