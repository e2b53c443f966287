#pragma once

#include <QImage>
#include <QScrollBar>
#include <QWidget>
#include <set>

#include "help/help_windows.h"

namespace kx {

// Maps a Qt key to the help window's key code; 0 for keys without one
// (keypad navigation keys among them).
int HelpKeyFor(int qtKey, bool keypad);

// The window of one help slot: shows the page painted by the 100 ms timer
// in one copy and hands every event to the viewer.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow(HelpWindowTable& table, int slot, QWidget* owner);
  ~HelpWindow() override;

  // Paints the page into the window's image (the timer calls it).
  void PaintPage();
  const QImage& page() const { return page_; }
  HelpView& view() { return *table_.views[slot_]; }
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

  HelpWindowTable& table_;
  int slot_;
  QScrollBar* scrollBar_;
  QImage page_;
  bool closed_ = false;
  std::set<int> keysInFlight_;  // posted key-downs not yet delivered
};

// Sets up the help windows at start-up: the slot table's window maker and
// the 100 ms repaint timer. Windows are owned by `owner`.
void InitHelpWindows(QWidget* owner);

// The window of a slot, or nullptr.
HelpWindow* HelpWindowOf(int slot);

}  // namespace kx
