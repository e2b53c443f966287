#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/host.h"

namespace kx::test {

// A host without a display: message boxes are recorded and answered from a
// queue (default: the box's default button), beeps are recorded, the clock
// is set by the test.
class ScriptedHost : public Host {
 public:
  BoxAnswer ShowMessageBox(const MessageBoxRequest& request) override {
    boxes.push_back(request);
    if (!answers.empty()) {
      BoxAnswer answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return DefaultBoxAnswer(request);
  }
  void Beep(BeepKind kind) override { beeps.push_back(kind); }
  uint32_t TickCount() override { return ticks; }
  LocalTime Now() override { return now; }
  std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) override {
    fileRequests.push_back(request);
    if (fileChoices.empty()) return std::nullopt;
    std::string choice = fileChoices.front();
    fileChoices.pop_front();
    return choice;
  }
  void RepaintNow() override { ++repaints; }
  void PostClose() override { ++closesPosted; }
  bool IsMainWindowForeground() override { return foreground; }
  std::string UserName() override { return userName; }
  uint64_t FreePhysicalMemory() override { return freeMemory; }
  std::optional<uint64_t> FreeDiskSpace() override { return freeDisk; }

  std::deque<BoxAnswer> answers;
  std::vector<MessageBoxRequest> boxes;
  std::vector<BeepKind> beeps;
  std::deque<std::string> fileChoices;  // empty: the dialog is cancelled
  std::vector<OpenFileRequest> fileRequests;
  uint32_t ticks = 0;
  LocalTime now{2026, 12, 8, 2, 14, 30, 15, 0};
  int repaints = 0, closesPosted = 0;
  bool foreground = true;
  std::string userName = "tester";
  uint64_t freeMemory = 8ull << 30;
  std::optional<uint64_t> freeDisk = 100ull << 30;
};

}  // namespace kx::test
