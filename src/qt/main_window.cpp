#include "qt/main_window.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWindow>
#include <QtMath>
#include <utility>

#include "qt/qt_canvas.h"
#include "ui/paint.h"

namespace kx {

namespace {

Key KeyFor(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Tab: case Qt::Key_Backtab: return Key::Tab;  // Shift+Tab as Tab
    case Qt::Key_Return: case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_Escape: return Key::Escape;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_End: return Key::End;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_F1: return Key::F1;
    case Qt::Key_Backspace: return Key::Backspace;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Delete: return Key::Delete;
    default: return Key::Other;
  }
}

}  // namespace

MainWindow::~MainWindow() { program_.resetFieldInteraction = nullptr; }

bool IsSystemKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::AltModifier) || qtKey == Qt::Key_Alt || qtKey == Qt::Key_F10;
}

MainWindow::MainWindow(Program& program) : program_(program) {
  setWindowTitle("KX-Sudoku V." KX_VERSION);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(kMinWindowWidth, kMinWindowHeight);
  fonts_.SetSmallHeight(program.window.smallFontHeight);
  hooks_.symbolSetChanged = [this] { FitFonts(); };
  FollowFieldResets(program_, state_);

  connect(&secondTimer_, &QTimer::timeout, this, [this] {
    InputContext c = Context();
    Handle(OnSecondTick(c));
  });
  connect(&halfSecondTimer_, &QTimer::timeout, this, [this] {
    InputContext c = Context();
    Handle(OnHalfSecondTick(c));
  });
  secondTimer_.start(1000);
  halfSecondTimer_.start(500);
}

QImage MainWindow::PaintFrame() {
  // The layout works in logical pixels, as at 1x; the frame has the
  // screen's own pixels, so that everything is drawn at its resolution.
  const qreal ratio = devicePixelRatioF();
  QImage frame(qCeil(width() * ratio), qCeil(height() * ratio), QImage::Format_RGB32);
  frame.setDevicePixelRatio(ratio);
  {
    QtCanvas canvas(&frame);
    layout_ = LayOutMainWindow(canvas, program_, fonts_);
    PaintMainWindow(canvas, program_, state_, fonts_, layout_);
  }
  // The state file keeps the size the layout needs, not the one dragged.
  program_.window.width = layout_.neededWidth;
  program_.window.height = layout_.neededHeight;
  program_.window.smallFontHeight = fonts_.small.height;
  if (layout_.windowTooSmall) {
    QMetaObject::invokeMethod(this, [this] {
      resize(std::max(width(), program_.window.width), std::max(height(), program_.window.height));
    }, Qt::QueuedConnection);
  }
  return frame;
}

void MainWindow::FitFonts() {
  QImage scratch(1, 1, QImage::Format_RGB32);
  QtCanvas measure(&scratch);
  FitFontsToClient(measure, fonts_, width(), height());
}

void MainWindow::paintEvent(QPaintEvent*) {
  const QImage frame = PaintFrame();
  QPainter(this).drawImage(0, 0, frame);
  if (onFirstFrame) {
    auto once = std::move(onFirstFrame);
    onFirstFrame = nullptr;
    once();
  }
}

void MainWindow::resizeEvent(QResizeEvent*) { FitFonts(); }

void MainWindow::showEvent(QShowEvent*) {
  // On a screen of another density the next frame takes its pixels; the
  // layout, in logical pixels, stays as it is.
  if (windowHandle() && !screenWatched_) {
    screenWatched_ = true;
    connect(windowHandle(), &QWindow::screenChanged, this, [this] { update(); });
  }
}

void MainWindow::Handle(bool repaint) {
  if (repaint) update();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (IsSystemKey(event->key(), event->modifiers())) {
    QWidget::keyPressEvent(event);
    return;
  }
  InputContext c = Context();
  const Key key = KeyFor(event->key());
  bool repaint = OnKeyDown(c, key);
  const QString text = event->text();
  if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x7F) {
    bool handled = false;
    repaint = OnChar(c, static_cast<char>(text[0].unicode()), &handled) || repaint;
  }
  Handle(repaint);
}

namespace {

// Shift or Ctrl keeps a dragged picture crop square.
bool SquareCropHeld(Qt::KeyboardModifiers m) { return m & (Qt::ShiftModifier | Qt::ControlModifier); }

// The logical pixel under the pointer (a dense screen gives fractions).
std::pair<int, int> LogicalPoint(const QMouseEvent* event) {
  return {qFloor(event->position().x()), qFloor(event->position().y())};
}

}  // namespace

void MainWindow::mousePressEvent(QMouseEvent* event) {
  InputContext c = Context();
  const auto [x, y] = LogicalPoint(event);
  if (event->button() == Qt::LeftButton) Handle(OnLeftButtonDown(c, x, y));
  if (event->button() == Qt::RightButton) Handle(OnRightButtonDown(c, x, y));
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  InputContext c = Context();
  if (event->button() == Qt::RightButton) Handle(OnRightButtonUp(c));
  if (event->button() == Qt::LeftButton) {
    const auto [x, y] = LogicalPoint(event);
    Handle(OnLeftButtonUp(c, x, y, SquareCropHeld(event->modifiers())));
  }
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  InputContext c = Context();
  const auto [x, y] = LogicalPoint(event);
  Handle(OnMouseMove(c, x, y, SquareCropHeld(event->modifiers())));
}

void MainWindow::wheelEvent(QWheelEvent* event) { event->accept(); }

// Tab belongs to the function fields, not to Qt's focus chain.
bool MainWindow::focusNextPrevChild(bool) { return false; }

}  // namespace kx
