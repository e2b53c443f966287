#pragma once

#include <chrono>
#include <ctime>
#include <ostream>

#include "platform/host.h"
#include "system/free_resources.h"
#include "system/login_name.h"

namespace kx {

// A host for command-line tools: message boxes are written to a stream and
// answered with their default button; there is no window to repaint. The
// system's questions get the system's answers.
class StreamHost : public Host {
 public:
  explicit StreamHost(std::ostream& out) : out_(out) {}

  BoxAnswer ShowMessageBox(const MessageBoxRequest& request) override {
    for (char c : request.text) {
      if (c != '\r') out_ << c;
    }
    if (!request.text.empty() && request.text.back() != '\n') out_ << '\n';
    return DefaultBoxAnswer(request);
  }
  void Beep(BeepKind) override {}
  uint32_t TickCount() override {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }
  LocalTime Now() override {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_wday, tm.tm_hour, tm.tm_min, tm.tm_sec, 0};
  }
  std::optional<std::string> ChooseFileToOpen(const OpenFileRequest&) override { return std::nullopt; }
  void RepaintNow() override {}
  void PostClose() override {}
  bool IsMainWindowForeground() override { return true; }
  std::string UserName() override { return LoginName(); }
  uint64_t FreePhysicalMemory() override { return kx::FreePhysicalMemory(); }
  std::optional<uint64_t> FreeDiskSpace() override { return kx::FreeDiskSpace(); }

 private:
  std::ostream& out_;
};

}  // namespace kx
