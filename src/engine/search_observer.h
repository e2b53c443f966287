#pragma once

#include <cstdint>
#include <optional>

#include "engine/board.h"

namespace kx {

// What a solver run tells the rest of the program while it works, and the
// little it asks of it. The defaults are those of a program without a
// window: nothing shown, never busy, no cancel.
class SearchObserver {
 public:
  virtual ~SearchObserver() = default;

  // Frame every run: what the run showed through SearchDisplayHook is the
  // observer's to undo when it ends. `noSolution`: the run found none (a
  // run whose log could not be written found out nothing).
  virtual void RunStarted() {}
  virtual void RunEnded(bool /*noSolution*/) {}
  // Shows a working board at once: cellIndex 0..80 marks that cell, a
  // negative index asks for the generator's noise picture instead.
  virtual void SearchDisplayHook(const Board& /*board*/, int /*cellIndex*/) {}
  virtual bool BusyEnumerating() const { return false; }
  virtual bool BusyGenerating() const { return false; }
  // The generator marks the game busy for its whole run (and repaints).
  virtual void SetBusyGenerating(bool /*busy*/) {}
  // After every solution a logging search wrote, with the number of
  // guesses the search stands on; true cancels the search.
  virtual bool SolutionLogged(int /*depth*/) { return false; }
  virtual uint32_t TickCount();
  // Bytes free for the caller on the working directory's drive.
  virtual std::optional<uint64_t> FreeDiskBytes();
};

// A found solution is shown on the board at most this often while all
// solutions are searched.
inline constexpr uint32_t kSolutionDisplayIntervalMs = 200;

// The log of a search may take a third of the free disk space, or nearly
// 4 GiB when the free space is unknown.
uint64_t LogDiskLimit(SearchObserver& observer);

// The observer used when the caller passes none.
SearchObserver& NullSearchObserver();

}  // namespace kx
