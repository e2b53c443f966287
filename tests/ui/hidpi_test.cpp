// The main window on a dense screen (run with QT_SCALE_FACTOR 2 and 1.5):
// the layout of 1x in logical pixels, frames in the screen's pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QtMath>

#include "qt/main_window.h"
#include "qt/qt_canvas.h"
#include "ui_fixture.h"

namespace kx {
namespace {

class HiDpiTest : public test::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ratio = qApp->devicePixelRatio();
    ASSERT_GT(ratio, 1.0) << "run with QT_SCALE_FACTOR set";
    main = std::make_unique<MainWindow>(p);
    main->resize(874, 654);
    main->FitFonts();
  }
  qreal ratio = 1;
  std::unique_ptr<MainWindow> main;
};

TEST_F(HiDpiTest, LayoutFontsAndClicksAreThoseOfOneX) {
  const QImage frame = main->PaintFrame();
  EXPECT_EQ(frame.width(), qCeil(874 * ratio));
  EXPECT_EQ(frame.height(), qCeil(654 * ratio));

  FitFonts(874, 654);
  Paint();
  const WindowLayout& dense = main->layout();
  EXPECT_EQ(main->fonts().small.height, fonts.small.height);
  EXPECT_EQ(main->fonts().big.height, fonts.big.height);
  EXPECT_EQ(dense.cellSize, layout.cellSize);
  for (int i = 0; i < 81; ++i) ASSERT_EQ(dense.cells[i], layout.cells[i]) << "cell " << i;
  for (int k = 0; k < 10; ++k) EXPECT_EQ(dense.digitKeys[k], layout.digitKeys[k]) << "key " << k;
  EXPECT_EQ(dense.strip, layout.strip);
  EXPECT_EQ(dense.statistics, layout.statistics);
  // The state file keeps the logical size.
  EXPECT_EQ(p.window.width, layout.neededWidth);
  EXPECT_EQ(p.window.height, layout.neededHeight);

  // A click at a logical point selects the cell it selects at 1x.
  const auto [x, y] = CellPoint(40);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(x + 0.5, y + 0.5), QPointF(x + 0.5, y + 0.5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(main.get(), &press);
  EXPECT_EQ(p.state.selectedCell, 40);
}

TEST_F(HiDpiTest, LargePictureHasTheScreensPixels) {
  main->PaintFrame();
  const WindowLayout& l = main->layout();
  InputContext c{p, main->state(), l, hooks};
  OnRightButtonDown(c, l.digitKeys[2].left + 2, l.digitKeys[2].top + 2);
  EXPECT_EQ(p.pictures.largePicture.header.height, qRound(l.clientHeight * ratio));  // fitted by height
}

TEST_F(HiDpiTest, FrameScaledDownIsTheOneXFrame) {
  const QImage dense = main->PaintFrame().scaled(874, 654, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  FitFonts(874, 654);
  const QImage plain = Paint();
  int differing = 0;
  for (int y = 0; y < 654; ++y)
    for (int x = 0; x < 874; ++x) {
      const QRgb a = dense.pixel(x, y), b = plain.pixel(x, y);
      differing += std::abs(qRed(a) - qRed(b)) > 64 || std::abs(qGreen(a) - qGreen(b)) > 64 ||
                   std::abs(qBlue(a) - qBlue(b)) > 64;
    }
  EXPECT_LT(differing, 874 * 654 * 8 / 100);
}

TEST_F(HiDpiTest, PixelEffectsChangeEachDevicePixel) {
  // XOR masks, crop outlines and focus frames change pixel by pixel; each
  // device pixel whose centre lies in the rectangle changes, by itself.
  QImage image(qCeil(100 * ratio), qCeil(40 * ratio), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  QtCanvas qt(&image);
  Canvas& canvas = qt;
  canvas.SelectFont(fonts.big);
  canvas.DrawText(3, 0, "Kg", Rgb(0, 0, 128));
  const QImage before = image.copy();
  const Rect box{1, 1, 61, 37};
  ChangePixels(canvas, box, [](Color c) { return Rgb(255 - c.r, 255 - c.g, 255 - c.b); });
  int wrong = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const double cx = (x + 0.5) / ratio, cy = (y + 0.5) / ratio;
      const bool inside = cx >= box.left && cx < box.right && cy >= box.top && cy < box.bottom;
      const QRgb was = before.pixel(x, y);
      wrong += image.pixel(x, y) != (inside ? qRgb(255 - qRed(was), 255 - qGreen(was), 255 - qBlue(was)) : was);
    }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace kx
