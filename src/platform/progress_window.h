#pragma once

#include <cstdint>

namespace kx {

// What the progress window shows: 0 while searching, 1 while removing repeats.
enum class ProgressPhase { Searching = 0, Deduplicating = 1 };

struct ProgressCounts {
  uint64_t solutionsFound = 0;
  uint64_t recordsWritten = 0;
  uint64_t recordsDistributed = 0;
};

// Why the work should stop: the cancel button (or Escape), or the window
// was closed.
enum class StopRequest { None, Cancel, WindowClosed };

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

  // Any request but None stops the work; Pump() takes it back to None.
  void RequestStop(StopRequest request) { stopRequest_ = request; }
  StopRequest PendingStop() const { return stopRequest_; }

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
    if (stopRequest_ == StopRequest::None) return false;
    stopRequest_ = StopRequest::None;
    DiscardPendingInput();
    Hide();
    return true;
  }

  ProgressPhase phase_ = ProgressPhase::Searching;
  ProgressCounts counts_;
  StopRequest stopRequest_ = StopRequest::None;
};

}  // namespace kx
