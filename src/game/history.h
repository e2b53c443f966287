#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/board.h"

namespace kx {

struct GameState;

// One snapshot of the game, 360 bytes on disk.
struct HistoryStep {
  static constexpr int kBytes = 360;
  static constexpr uint32_t kSizeInWords = 180;

  Board currentBoard{};
  std::array<uint16_t, 81> statusBoard{};
  int32_t selectedCell = -1;
  int32_t checkDifficulty = 0;
  uint32_t gameStatus = 0;
  uint32_t wrongEntries = 0;
  int32_t gameDifficulty = 0;
  uint32_t playTime = 0;
  uint32_t reserved[2] = {0, 0};

  // Little-endian, field by field. Parse takes exactly kBytes bytes and
  // refuses a record whose size field is not 180.
  void Serialize(uint8_t* out) const;
  bool Parse(const uint8_t* in);
};

// The recorded steps of the game and the one displayed.
class History {
 public:
  static constexpr int kMaxSteps = 100000;

  int StepCount() const { return static_cast<int>(steps_.size()); }
  int StepIndex() const { return stepIndex_; }
  bool Empty() const { return steps_.empty(); }
  // An earlier step than the newest is displayed (never without steps).
  bool Browsing() const { return !steps_.empty() && stepIndex_ + 1 != StepCount(); }

  HistoryStep& Step(int index) { return steps_[static_cast<size_t>(index)]; }
  const HistoryStep& Step(int index) const { return steps_[static_cast<size_t>(index)]; }
  HistoryStep& Newest() { return steps_.back(); }
  HistoryStep& Displayed() { return Step(stepIndex_); }

  // false when the limit is reached (nothing recorded).
  bool Append(const HistoryStep& step);
  void SetStepIndex(int index) { stepIndex_ = index; }
  // Keeps steps 0..count-1.
  void Truncate(int count);
  void Release();
  // Replaces the whole history (read from a file).
  void Assign(std::vector<HistoryStep> steps, int stepIndex);
  const std::vector<HistoryStep>& steps() const { return steps_; }

 private:
  std::vector<HistoryStep> steps_;
  int stepIndex_ = 0;
};

HistoryStep SnapshotOf(const GameState& state);
// Takes the boards and counters of a step back into the game (not the
// selection, the time or the mode, whose handling differs by caller).
void TakeBoardsAndCounters(GameState& state, const HistoryStep& step);

}  // namespace kx
