#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QRect>
#include <QWidget>

#include "platform/progress_window.h"

namespace kx {

// The progress window on Qt. It lives on the GUI thread like every widget:
// the search calls Pump(), which lets Qt handle the pending events, so the
// window paints and takes Esc and clicks while the search runs.
class QtProgressWindow : public QWidget, public ProgressWindow {
  Q_OBJECT

 public:
  static constexpr int kWidth = 280;
  static constexpr int kHeight = 90;

  // The window is centred over `mainWindow` (or the screen without one).
  explicit QtProgressWindow(QWidget* mainWindow = nullptr);
  ~QtProgressWindow() override;

  void Show() override;
  void Hide() override;

  // Lets the window close (when the program shuts down).
  void AllowClose() { closeAllowed_ = true; }
  // The "Abbruch" button as last painted.
  QRect ButtonRect() const { return buttonRect_; }

 protected:
  void ProcessEvents() override;
  void DiscardPendingInput() override;

  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RequestCancel();
  void Render();
  void SetFiltering(bool on);

  QWidget* mainWindow_;
  QImage image_;
  QRect buttonRect_;
  bool hover_ = false;
  bool closeAllowed_ = false;
  bool filtering_ = false;
  QElapsedTimer sinceEvents_;
};

}  // namespace kx
