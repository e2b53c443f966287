#pragma once

#include <QImage>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <array>
#include <set>

#include "help/help_windows.h"

namespace kx {

// Maps a Qt key to the help window's key code; 0 for keys without one
// (keypad navigation keys among them).
int HelpKeyFor(int qtKey, bool keypad);

class HelpWindows;

// The window of one help slot: shows the page painted by the 100 ms timer
// in one copy and hands every event to the viewer.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow(HelpWindows& windows, int slot, QWidget* owner);
  ~HelpWindow() override;

  // Paints the page into the window's image (the timer calls it).
  void PaintPage();
  const QImage& page() const { return page_; }
  HelpView& view();
  QScrollBar* scrollBar() { return scrollBar_; }
  // The outcome of an input handler: close the window or keep it.
  void Apply(HelpOutcome outcome);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void OnScrollAction(int action);
  int PageWidth() const;

  HelpWindows& windows_;
  int slot_;
  QScrollBar* scrollBar_;
  QImage page_;
  bool closed_ = false;
  std::set<int> keysInFlight_;  // posted key-downs not yet delivered
};

// The help windows of a program's slot table on the screen: makes the
// window of every slot the table fills, repaints them on a 100 ms timer and
// gives the focus back to `owner` when the last one closes. The windows are
// children of `owner`; the table is usable while this lives, and windows
// still open when it goes are destroyed with it.
class HelpWindows {
 public:
  HelpWindows(HelpWindowTable& table, QWidget* owner);
  ~HelpWindows();
  HelpWindows(const HelpWindows&) = delete;
  HelpWindows& operator=(const HelpWindows&) = delete;

  HelpWindowTable& table() { return table_; }
  // The window of a slot, or nullptr.
  HelpWindow* Of(int slot) const;

 private:
  friend class HelpWindow;
  void Opened(int slot, HelpWindow* window);
  void Closed(int slot, HelpWindow* window);
  void ReturnFocusWhenAllClosed();

  HelpWindowTable& table_;
  QWidget* owner_;
  std::array<HelpWindow*, kHelpSlotCount> windows_{};
  QTimer timer_;
};

}  // namespace kx
