#pragma once

#include <QImage>
#include <functional>
#include <QTimer>
#include <QWidget>

#include "game/commands.h"
#include "game/program.h"
#include "ui/fonts.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/main_window_state.h"

namespace kx {

// Alt combinations, Alt alone and F10 belong to the window system (its
// menu keys): they neither enter digits nor count as "any other key".
bool IsSystemKey(int qtKey, Qt::KeyboardModifiers modifiers);

// The main window: paints the program through the canvas and hands every
// event to the input handlers with the program's own key codes. Layout and
// input work in logical pixels; frames are painted in the screen's own
// pixels, so the game looks the same on a dense screen, only sharper.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(Program& program);
  ~MainWindow() override;

  UiFonts& fonts() { return fonts_; }
  MainWindowState& state() { return state_; }
  const WindowLayout& layout() const { return layout_; }
  // Paints one frame into an image of the client size (also for tests).
  QImage PaintFrame();
  // Refits the fonts to the present client size.
  void FitFonts();
  // Called once, after the first frame reached the screen.
  std::function<void()> onFirstFrame;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void Handle(bool repaint);
  InputContext Context() { return {program_, state_, layout_, hooks_}; }

  Program& program_;
  UiFonts fonts_;
  MainWindowState state_;
  WindowLayout layout_;
  CommandHooks hooks_;
  QTimer secondTimer_, halfSecondTimer_;
  bool screenWatched_ = false;
};

}  // namespace kx
