#pragma once

#include <functional>
#include <string>
#include <vector>

#include "chooser.h"
#include "platform/host.h"

namespace kx::monkey {

// A host whose player answers every message box at random and picks good,
// damaged, missing and wrongly named files in the file dialogs. The clock
// is set by the driver.
class MonkeyHost : public Host {
 public:
  // What the last file dialog handed out.
  enum class Choice { None, Cancelled, Good, Damaged, Missing, WrongName };

  explicit MonkeyHost(Chooser& choices) : choices_(choices) {}

  BoxAnswer ShowMessageBox(const MessageBoxRequest& request) override;
  void Beep(BeepKind) override { ++beeps; }
  uint32_t TickCount() override { return ticks; }
  LocalTime Now() override { return now; }
  std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) override;
  void RepaintNow() override {
    if (onRepaint) onRepaint();
  }
  void PostClose() override { closeRequested = true; }
  bool IsMainWindowForeground() override { return true; }
  std::string UserName() override { return "monkey"; }
  // A quarter of this is what the rewrite of the solution log sorts at once.
  uint64_t FreePhysicalMemory() override { return 64ull << 20; }
  // A third of this bounds the solution log: the search cannot run for long.
  std::optional<uint64_t> FreeDiskSpace() override { return 3ull << 20; }

  Choice lastChoice = Choice::None;
  uint32_t ticks = 0;
  LocalTime now{2026, 12, 8, 2, 14, 30, 15, 0};
  int boxes = 0, beeps = 0;
  bool closeRequested = false;
  std::function<void()> onRepaint;

 private:
  std::string ChooseSavedGame();
  std::string ChoosePicture();
  // A copy of `source` (or of nothing) with bytes cut, flipped or replaced.
  std::string Damaged(const std::string& source, const std::string& name);

  Chooser& choices_;
  int damagedFiles_ = 0;
};

// The saved games of the working directory, in name order, so that a seed
// always sees the same list.
std::vector<std::string> SavedGameNames();

// Copies the pictures the host offers into the working directory.
void PlaceMonkeyPictures();

}  // namespace kx::monkey
