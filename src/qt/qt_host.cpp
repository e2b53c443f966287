#include "qt/qt_host.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "qt/qt_text.h"
#include "system/free_resources.h"
#include "system/login_name.h"

namespace kx {

namespace {

QMessageBox::Icon IconFor(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Question: return QMessageBox::Question;
    case BoxIcon::Exclamation: return QMessageBox::Warning;
    case BoxIcon::Stop: return QMessageBox::Critical;
    case BoxIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

BoxAnswer Show(QWidget* owner, const MessageBoxRequest& request) {
  QMessageBox box(IconFor(request.icon), ToQString(request.title), ToQString(request.text), QMessageBox::NoButton,
                  request.ownedByMainWindow ? owner : nullptr);
  std::vector<std::pair<QPushButton*, BoxAnswer>> buttons;
  auto add = [&](const char* label, QMessageBox::ButtonRole role, BoxAnswer answer) {
    buttons.emplace_back(box.addButton(QString::fromUtf8(label), role), answer);
  };
  switch (request.buttons) {
    case BoxButtons::Ok: add("OK", QMessageBox::AcceptRole, BoxAnswer::Ok); break;
    case BoxButtons::YesNo:
      add("&Ja", QMessageBox::YesRole, BoxAnswer::Yes);
      add("&Nein", QMessageBox::NoRole, BoxAnswer::No);
      break;
    case BoxButtons::YesNoCancel:
      add("&Ja", QMessageBox::YesRole, BoxAnswer::Yes);
      add("&Nein", QMessageBox::NoRole, BoxAnswer::No);
      add("Abbrechen", QMessageBox::RejectRole, BoxAnswer::Cancel);
      break;
  }
  const size_t defaultIndex = std::min<size_t>(static_cast<size_t>(std::max(0, request.defaultButton)), buttons.size() - 1);
  box.setDefaultButton(buttons[defaultIndex].first);
  box.setEscapeButton(buttons.back().first);
  if (request.foreground) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.raise();
    box.activateWindow();
  }
  box.exec();
  for (const auto& [button, answer] : buttons)
    if (box.clickedButton() == button) return answer;
  // Closed by the window frame: as the escape button.
  return buttons.back().second;
}

}  // namespace

BoxAnswer ShowStandaloneMessageBox(const MessageBoxRequest& request) {
  MessageBoxRequest unowned = request;
  unowned.ownedByMainWindow = false;
  return Show(nullptr, unowned);
}

QtHost::QtHost() { clock_.start(); }

BoxAnswer QtHost::ShowMessageBox(const MessageBoxRequest& request) { return Show(window_, request); }

void QtHost::Beep(BeepKind) { QApplication::beep(); }

uint32_t QtHost::TickCount() { return static_cast<uint32_t>(clock_.elapsed()); }

LocalTime QtHost::Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  return {d.year(), d.month(), d.day(), d.dayOfWeek() % 7, t.hour(), t.minute(), t.second(), t.msec()};
}

std::optional<std::string> QtHost::ChooseFileToOpen(const OpenFileRequest& request) {
  const QString start = QDir::current().filePath(ToQString(request.initialName));
  const QString filter = ToQString(request.filter);
  const QString chosen = QFileDialog::getOpenFileName(window_, ToQString(request.title), start, filter);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

void QtHost::RepaintNow() {
  if (window_) window_->repaint();
}

void QtHost::PostClose() {
  if (window_) QMetaObject::invokeMethod(window_, "close", Qt::QueuedConnection);
}

bool QtHost::IsMainWindowForeground() { return window_ && window_->isActiveWindow(); }

std::string QtHost::UserName() { return LoginName(); }

uint64_t QtHost::FreePhysicalMemory() { return kx::FreePhysicalMemory(); }

std::optional<uint64_t> QtHost::FreeDiskSpace() { return kx::FreeDiskSpace(); }

}  // namespace kx
