#pragma once

#include <cstdint>
#include <optional>

#include "engine/board.h"

namespace kx {

// What a solver run needs from the rest of the program. The defaults are
// those of a program without a window: no display, never busy, no cancel.
class SolverHost {
 public:
  virtual ~SolverHost() = default;

  // Shows a working board at once: cellIndex 0..80 marks that cell, a
  // negative index asks for the generator's noise picture instead.
  virtual void SearchDisplayHook(const Board& /*board*/, int /*cellIndex*/) {}
  virtual bool BusyEnumerating() const { return false; }
  virtual bool BusyGenerating() const { return false; }
  // The generator marks the game busy for its whole run (and repaints).
  virtual void SetBusyGenerating(bool /*busy*/) {}
  // Keeps the program responsive during an enumeration; 1 = cancel requested.
  virtual int PumpProgressWindow() { return 0; }
  // The game's status board is saved before a run and restored after it.
  virtual void SaveStatusBoard() {}
  virtual void RestoreStatusBoard() {}
  virtual void SetMarkedCell(int /*cell*/) {}
  virtual void WarningBeep() {}
  virtual uint32_t TickCount();
  // Bytes free for the caller on the working directory's drive.
  virtual std::optional<uint64_t> FreeDiskBytes();
};

// A found solution is shown on the board at most this often while all
// solutions are searched.
inline constexpr uint32_t kSolutionDisplayIntervalMs = 200;

// The log of a search may take a third of the free disk space, or nearly
// 4 GiB when the free space is unknown.
uint64_t LogDiskLimit(SolverHost& host);

// The host used when the caller passes none.
SolverHost& NullSolverHost();

}  // namespace kx
