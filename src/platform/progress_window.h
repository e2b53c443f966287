#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace kx {

// What the progress window shows: 0 while searching, 1 while removing repeats.
enum class ProgressPhase { Searching = 0, Deduplicating = 1 };

struct ProgressCounts {
  uint64_t solutionsFound = 0;
  uint64_t recordsWritten = 0;
  uint64_t recordsDistributed = 0;
};

// The line of text the window shows for a phase.
std::string ProgressText(ProgressPhase phase, const ProgressCounts& counts);

// The small window with the cancel button shown while all solutions of a
// puzzle are searched and the log is rewritten. The long work calls Pump()
// after every solution and every bucket; the window itself only ever sets
// the cancel state.
class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;

  virtual void Show() = 0;
  virtual void Hide() = 0;

  void SetPhase(ProgressPhase phase) { phase_ = phase; }
  ProgressPhase Phase() const { return phase_; }
  void SetCounts(const ProgressCounts& counts) { counts_ = counts; }
  const ProgressCounts& Counts() const { return counts_; }

  // 0 running; any other value stops the work: 1 from the cancel button,
  // -1 when the window was closed. Pump() takes it back to 0 either way.
  std::atomic<int> cancelState{0};

  // Keeps the program responsive. Returns 1 when a cancel was requested,
  // which it consumes (and hides the window), else 0.
  int Pump() {
    if (ConsumeCancel()) return 1;
    ProcessEvents();
    return ConsumeCancel() ? 1 : 0;
  }

 protected:
  // Shows the window on top, paints it and handles pending events; input
  // meant for the main window is dropped meanwhile.
  virtual void ProcessEvents() = 0;
  // Drops input for the main window that is still waiting.
  virtual void DiscardPendingInput() {}

 private:
  bool ConsumeCancel() {
    if (cancelState.load() == 0) return false;
    cancelState.store(0);
    DiscardPendingInput();
    Hide();
    return true;
  }

  ProgressPhase phase_ = ProgressPhase::Searching;
  ProgressCounts counts_;
};

}  // namespace kx
