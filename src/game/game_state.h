#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/board.h"
#include "platform/host.h"

namespace kx {

// Mode word values (GameStatus).
namespace status {
inline constexpr uint32_t kAutoSolved = 1;
inline constexpr uint32_t kManualEntry = 2;
inline constexpr uint32_t kSolved = 4;
inline constexpr uint32_t kAbortConfirmed = 8;
inline constexpr uint32_t kSelect = 16;
inline constexpr uint32_t kGameSaved = 32;
inline constexpr uint32_t kSettings = 0x100;
inline constexpr uint32_t kBusySolving = 0x1000;
inline constexpr uint32_t kBusyEnumerating = 0x2000;
inline constexpr uint32_t kBusyGenerating = 0x8000;
inline constexpr uint32_t kModeMask = 0x17;  // 0 play, 1, 2, 4, 16
}  // namespace status

// GameFlags.
namespace flags {
inline constexpr uint32_t kFinished = 1;
inline constexpr uint32_t kSavedToFile = 2;
}  // namespace flags

// The notice over the board (the congratulation on a won game) in
// noticeTicks: up while kShown is set; the low byte counts down the seconds
// it stays at least, after which a mouse move takes it away.
namespace notice {
inline constexpr uint32_t kSecondsLeft = 0xFF;
inline constexpr uint32_t kShown = 0x100;
inline constexpr uint32_t kOnScreen = kShown | kSecondsLeft;
inline constexpr uint32_t kWinSeconds = 2;
}  // namespace notice

// CellStatus bits beside the candidate marks 1..9.
namespace cell {
inline constexpr uint16_t kHelped = 0x4000;
inline constexpr uint16_t kCorrected = 0x2000;
}  // namespace cell

// Where a digit on the board came from, read from bits 15..13 of its status.
enum class OriginClass { Player, Given, Helped, Automatic, Corrected };
OriginClass OriginOf(uint16_t cellStatus);

// The one game in progress.
struct GameState {
  Board currentBoard{};
  std::array<uint16_t, 81> statusBoard{};
  PuzzleText solutionText{};
  PuzzleText startPuzzleText{};
  int32_t selectedCell = -1;
  uint32_t gameStatus = 0;
  uint32_t gameFlags = 0;
  int32_t gameDifficulty = 0;
  int32_t checkDifficulty = 0;
  uint32_t wrongEntries = 0;
  uint32_t playTime = 0;
  uint32_t browseTime = 0;
  uint32_t lastClockTick = 0;
  LocalTime gameStartTime{};
  uint32_t reserved[2] = {0, 0};
  std::string noticeText;
  uint32_t noticeTicks = 0;

  uint32_t Mode() const { return gameStatus & status::kModeMask; }
  bool Has(uint32_t bits) const { return (gameStatus & bits) != 0; }
  bool IsFinished() const { return (gameFlags & flags::kFinished) != 0; }
};

// The givens text: the digit of every fixed cell, a space elsewhere.
PuzzleText GivensText(const GameState& state);

// Writes digit 1..9 into a cell word (keeping bit 0 and bits 10..15).
inline CellWord WithDigit(CellWord word, int digit) {
  return static_cast<CellWord>((word & ~kAllCandidates) | (1u << digit));
}
inline CellWord Cleared(CellWord word) { return static_cast<CellWord>(word | kAllCandidates); }

}  // namespace kx
