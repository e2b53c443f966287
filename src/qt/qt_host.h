#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include "platform/host.h"

namespace kx {

// The host on Qt: message boxes with German buttons owned by the main
// window, the open-file dialog, the beep and the clocks.
class QtHost : public Host {
 public:
  QtHost();
  void SetMainWindow(QWidget* window) { window_ = window; }

  BoxAnswer ShowMessageBox(const MessageBoxRequest& request) override;
  void Beep(BeepKind kind) override;
  uint32_t TickCount() override;
  LocalTime Now() override;
  std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) override;
  void RepaintNow() override;
  void PostClose() override;
  bool IsMainWindowForeground() override;
  std::string UserName() override;
  uint64_t FreePhysicalMemory() override;
  std::optional<uint64_t> FreeDiskSpace() override;

 private:
  QPointer<QWidget> window_;
  QElapsedTimer clock_;
};

// A message box without the main window (start-up errors).
BoxAnswer ShowStandaloneMessageBox(const MessageBoxRequest& request);

}  // namespace kx
