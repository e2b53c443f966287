#include "qt/progress_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "qt/qt_canvas.h"
#include "qt/qt_text.h"
#include "game/enumerate_command.h"
#include "ui/fonts.h"

namespace kx {

namespace {

// Handling events costs far more than finding a solution, so a pump call
// within this many milliseconds of the last one only checks for a cancel.
constexpr qint64 kEventIntervalMs = 15;

const QColor kBackground(0xE0, 0xE0, 0xFF);
const QColor kButton(0x40, 0x40, 0xFF);
const QColor kButtonHover(0x00, 0x00, 0xFF);
const QColor kButtonText(0xFF, 0xFF, 0x00);

// A 1-pixel frame inside the rectangle.
void Frame(QPainter& painter, const QRect& r, const QColor& color) {
  painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
  painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
  painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
  painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
}

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    // Closing the main window in the middle of the search would pull the
    // game away under it; the cancel button ends the search instead.
    case QEvent::Close:
      return true;
    default:
      return false;
  }
}

}  // namespace

QtProgressWindow::QtProgressWindow(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), mainWindow_(mainWindow) {
  setWindowTitle(ToQString("Ermittlung aller Sudoku-Lösungen"));
  setFixedSize(kWidth, kHeight);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QtProgressWindow::~QtProgressWindow() { SetFiltering(false); }

void QtProgressWindow::Show() {
  const QRect area = mainWindow_ ? mainWindow_->frameGeometry()
                     : screen()  ? screen()->availableGeometry()
                                 : QRect(0, 0, kWidth, kHeight);
  move(area.left() + (area.width() - kWidth) / 2, area.top() + (area.height() - kHeight) / 2);
  hover_ = false;
  SetFiltering(true);
  show();
  raise();
  activateWindow();
  sinceEvents_.invalidate();
}

void QtProgressWindow::Hide() {
  hide();
  SetFiltering(false);
}

void QtProgressWindow::SetFiltering(bool on) {
  if (on == filtering_ || !qApp) return;
  filtering_ = on;
  if (on) {
    qApp->installEventFilter(this);
  } else {
    qApp->removeEventFilter(this);
  }
}

void QtProgressWindow::ProcessEvents() {
  if (sinceEvents_.isValid() && sinceEvents_.elapsed() < kEventIntervalMs) return;
  sinceEvents_.restart();
  if (!isVisible()) Show();
  update();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtProgressWindow::DiscardPendingInput() {
  // The filter is still on, so what waits for the main window is dropped.
  if (filtering_) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool QtProgressWindow::eventFilter(QObject* watched, QEvent* event) {
  if (!IsInput(event->type())) return false;
  // Input for this window (or its pieces) passes; everything else is dropped.
  for (QObject* o = watched; o; o = o->parent()) {
    if (o == this) return false;
    if (auto* window = qobject_cast<QWindow*>(o); window && window == windowHandle()) return false;
  }
  return true;
}

void QtProgressWindow::RequestCancel() {
  hide();
  RequestStop(StopRequest::Cancel);
}

void QtProgressWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    RequestCancel();
    return;
  }
  QWidget::keyPressEvent(event);
}

void QtProgressWindow::mouseMoveEvent(QMouseEvent* event) {
  const bool inside = buttonRect_.contains(event->position().toPoint());
  if (inside != hover_) {
    hover_ = inside;
    update();
  }
}

void QtProgressWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && buttonRect_.contains(event->position().toPoint())) RequestCancel();
}

void QtProgressWindow::closeEvent(QCloseEvent* event) {
  if (closeAllowed_) {
    RequestStop(StopRequest::WindowClosed);
    event->accept();
  } else {
    event->ignore();
  }
}

void QtProgressWindow::Render() {
  const qreal ratio = devicePixelRatioF();
  if (image_.size() != size() * ratio) {
    image_ = QImage(size() * ratio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
  }
  QPainter painter(&image_);
  painter.fillRect(rect(), kBackground);
  const MappedFont& font = SharedFontMapper().FontFor(UiFonts{}.smallBold);
  painter.setFont(font.font);
  const QFontMetrics metrics(font.font);

  painter.setPen(Qt::black);
  painter.drawText(QRect(0, 0, width(), height() / 2), Qt::AlignCenter,
                   ToQString(ProgressText(Phase(), Counts())));

  const QString label = QStringLiteral("Abbruch");
  const int w = metrics.horizontalAdvance(label) + 8, h = font.height + 8;
  buttonRect_ = QRect((width() - w) / 2, height() / 2 + (height() / 2 - h) / 2, w, h);
  painter.fillRect(buttonRect_, hover_ ? kButtonHover : kButton);
  Frame(painter, buttonRect_, Qt::black);
  Frame(painter, buttonRect_.adjusted(1, 1, -1, -1), Qt::black);
  painter.setPen(kButtonText);
  painter.drawText(QRect(buttonRect_.left() + 5, buttonRect_.top() + 5, w, h), Qt::AlignLeft | Qt::AlignTop, label);
}

void QtProgressWindow::paintEvent(QPaintEvent*) {
  Render();
  QPainter(this).drawImage(0, 0, image_);
}

}  // namespace kx
