#pragma once

#include <QImage>

#include "../game/game_fixture.h"
#include "qt/qt_canvas.h"
#include "ui/input.h"
#include "ui/paint.h"

namespace kx::test {

// A program on a first start and a main window's state, painted offscreen.
class UiTest : public GameTest {
 protected:
  UiTest() { FollowFieldResets(p, window); }
  ~UiTest() override { p.resetFieldInteraction = nullptr; }

  QImage Paint(int width = 874, int height = 654) {
    QImage image(width, height, QImage::Format_RGB32);
    QtCanvas canvas(&image);
    layout = LayOutMainWindow(canvas, p, fonts);
    PaintMainWindow(canvas, p, window, fonts, layout);
    return image;
  }
  void FitFonts(int width, int height) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    QtCanvas measure(&scratch);
    FitFontsToClient(measure, fonts, width, height);
  }
  InputContext Input() { return {p, window, layout, hooks}; }
  static Color At(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
  }
  // A point inside cell i's digit area.
  std::pair<int, int> CellPoint(int i) const {
    const Rect square = layout.CellSquare(i);
    return {square.left + 3, square.top + 3};
  }

  UiFonts fonts;
  MainWindowState window;
  WindowLayout layout;
  CommandHooks hooks;
};

}  // namespace kx::test
