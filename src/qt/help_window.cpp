#include "qt/help_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QtMath>
#include <array>
#include <vector>

#include "help/cp1252.h"
#include "qt/qt_canvas.h"

namespace kx {

int HelpKeyFor(int qtKey, bool keypad) {
  using namespace helpkey;
  switch (qtKey) {
    case Qt::Key_Escape: return kEscape;
    case Qt::Key_Tab: return kTab;
    case Qt::Key_Return: return kEnter;
    default: break;
  }
  // The keypad's navigation keys and its Enter have codes of their own
  // that a help window does not use.
  if (keypad) return 0;
  switch (qtKey) {
    case Qt::Key_Home: return kHome;
    case Qt::Key_End: return kEnd;
    case Qt::Key_PageUp: return kPageUp;
    case Qt::Key_PageDown: return kPageDown;
    case Qt::Key_Up: return kUp;
    case Qt::Key_Down: return kDown;
    case Qt::Key_Left: return kLeft;
    case Qt::Key_Right: return kRight;
    case Qt::Key_Delete: return kDelete;
    case Qt::Key_Insert: return kInsert;
    default: return 0;
  }
}

HelpWindow::HelpWindow(HelpWindows& windows, int slot, QWidget* owner)
    : QWidget(owner, Qt::Window), windows_(windows), slot_(slot), scrollBar_(new QScrollBar(Qt::Vertical, this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setWindowTitle(QString::fromStdString(Cp1252ToUtf8(view().help.Title())));
  const HelpScrollInfo& s = view().Scroll();
  scrollBar_->setRange(s.minimum, s.maximum);
  scrollBar_->setFocusPolicy(Qt::NoFocus);
  scrollBar_->setVisible(view().hasScrollBar);
  setMouseTracking(!view().hasScrollBar);
  connect(scrollBar_, &QScrollBar::actionTriggered, this, &HelpWindow::OnScrollAction);
  connect(scrollBar_, &QScrollBar::sliderReleased, this, [this] { HistoryRecord(view()); });
  windows_.Opened(slot, this);
}

// A window closed by the player has let go of its slot already; one that
// goes down with its owner lets go here.
HelpWindow::~HelpWindow() {
  if (closed_) return;
  windows_.Closed(slot_, this);
  CloseHelpSlot(windows_.table(), slot_);
}

HelpView& HelpWindow::view() { return *windows_.table().views[slot_]; }

int HelpWindow::PageWidth() const { return std::max(1, width() - (scrollBar_->isVisibleTo(this) ? scrollBar_->width() : 0)); }

void HelpWindow::resizeEvent(QResizeEvent*) {
  const int w = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  scrollBar_->setGeometry(width() - w, 0, w, height());
  RequestRepaint(view());
}

void HelpWindow::PaintPage() {
  HelpView& v = view();
  // Painted in logical pixels into the screen's own, as the main window.
  const qreal ratio = devicePixelRatioF();
  const QSize pixels(qCeil(PageWidth() * ratio), qCeil(std::max(1, height()) * ratio));
  if (page_.size() != pixels || page_.devicePixelRatio() != ratio) {
    page_ = QImage(pixels, QImage::Format_RGB32);
    page_.setDevicePixelRatio(ratio);
  }
  {
    QtCanvas canvas(&page_);
    PaintHelpWindow(v, canvas);
  }
  const HelpScrollInfo& s = v.Scroll();
  const QSignalBlocker block(scrollBar_);
  scrollBar_->setRange(s.minimum, s.maximum);
  scrollBar_->setPageStep(static_cast<int>(s.page));
  if (!scrollBar_->isSliderDown()) scrollBar_->setValue(s.position);
  update(0, 0, PageWidth(), height());
}

void HelpWindow::paintEvent(QPaintEvent*) {
  // The page comes from the timer's paint; an expose only copies it.
  QPainter painter(this);
  if (page_.isNull()) {
    painter.fillRect(rect(), Qt::white);
    RequestRepaint(view());
    return;
  }
  painter.drawImage(0, 0, page_);
}

void HelpWindow::Apply(HelpOutcome outcome) {
  if (closed_) return;
  if (outcome == HelpOutcome::Close) {
    close();
    return;
  }
  // Posted key-downs arrive after the events already queued; a closed
  // window drops them. A key already on its way is not posted twice, so a
  // link that posts Enter on itself cannot flood the queue.
  std::vector<int> keys;
  keys.swap(view().postedKeys);
  for (int key : keys) {
    if (!keysInFlight_.insert(key).second) continue;
    QMetaObject::invokeMethod(
        this,
        [this, key] {
          keysInFlight_.erase(key);
          if (!closed_) Apply(OnHelpKeyDown(view(), key));
        },
        Qt::QueuedConnection);
  }
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  const int key = HelpKeyFor(event->key(), (event->modifiers() & Qt::KeypadModifier) != 0);
  if (key == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  Apply(OnHelpKeyDown(view(), key));
}

void HelpWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  Apply(OnHelpLeftButtonDown(view(), static_cast<int>(event->position().x()), static_cast<int>(event->position().y())));
}

void HelpWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  Apply(OnHelpDoubleClick(view(), static_cast<int>(event->position().x()), static_cast<int>(event->position().y())));
}

void HelpWindow::mouseMoveEvent(QMouseEvent* event) {
  OnHelpMouseMove(view(), static_cast<int>(event->position().x()), static_cast<int>(event->position().y()));
}

void HelpWindow::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta != 0) OnHelpWheel(view(), delta > 0);
  event->accept();
}

void HelpWindow::OnScrollAction(int action) {
  HelpView& v = view();
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: ScrollHelp(v, HelpScroll::LineUp); break;
    case QAbstractSlider::SliderSingleStepAdd: ScrollHelp(v, HelpScroll::LineDown); break;
    case QAbstractSlider::SliderPageStepSub: ScrollHelp(v, HelpScroll::PageUp); break;
    case QAbstractSlider::SliderPageStepAdd: ScrollHelp(v, HelpScroll::PageDown); break;
    case QAbstractSlider::SliderToMinimum: ScrollHelp(v, HelpScroll::Top); break;
    case QAbstractSlider::SliderToMaximum: ScrollHelp(v, HelpScroll::Bottom); break;
    case QAbstractSlider::SliderMove:
      // Thumb tracking: no history until the thumb is let go.
      ScrollHelp(v, HelpScroll::Thumb, scrollBar_->sliderPosition());
      return;
    default: return;
  }
  // The slider moves itself after this signal; the paint sets it right.
  HistoryRecord(v);
}

void HelpWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  closed_ = true;
  windows_.Closed(slot_, this);
  CloseHelpSlot(windows_.table(), slot_);
  deleteLater();
  windows_.ReturnFocusWhenAllClosed();
}

// Tab selects the next link, not the next widget.
bool HelpWindow::focusNextPrevChild(bool) { return false; }

HelpWindows::HelpWindows(HelpWindowTable& table, QWidget* owner) : table_(table), owner_(owner) {
  table_.captionHeight = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
  table_.createWindow = [this](int slot, int left, int top) {
    auto* window = new HelpWindow(*this, slot, owner_);
    const HelpWindowBlock& block = window->view().help.window;
    window->setGeometry(left, top, block.width, block.height);
    window->show();
    return true;
  };
  table_.usable = true;
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    RepaintHelpWindows(table_, [this](int slot) {
      if (HelpWindow* w = Of(slot)) w->PaintPage();
    });
  });
  timer_.start(100);
}

HelpWindows::~HelpWindows() {
  table_.usable = false;
  table_.createWindow = nullptr;
  for (HelpWindow* window : windows_) delete window;
}

HelpWindow* HelpWindows::Of(int slot) const {
  return slot >= 0 && slot < kHelpSlotCount ? windows_[slot] : nullptr;
}

void HelpWindows::Opened(int slot, HelpWindow* window) { windows_[slot] = window; }

void HelpWindows::Closed(int slot, HelpWindow* window) {
  if (windows_[slot] == window) windows_[slot] = nullptr;
}

void HelpWindows::ReturnFocusWhenAllClosed() {
  if (OpenHelpWindowCount(table_) != 0 || owner_ == nullptr) return;
  owner_->raise();
  owner_->activateWindow();
}

}  // namespace kx
