#include "game/history.h"

#include "base/byte_order.h"
#include "game/game_state.h"

namespace kx {

void HistoryStep::Serialize(uint8_t* out) const {
  for (int i = 0; i < 81; ++i) {
    PutU16(out + 2 * i, currentBoard[i]);
    PutU16(out + 162 + 2 * i, statusBoard[i]);
  }
  PutU32(out + 324, kSizeInWords);
  PutU32(out + 328, static_cast<uint32_t>(selectedCell));
  PutU32(out + 332, static_cast<uint32_t>(checkDifficulty));
  PutU32(out + 336, gameStatus);
  PutU32(out + 340, wrongEntries);
  PutU32(out + 344, static_cast<uint32_t>(gameDifficulty));
  PutU32(out + 348, playTime);
  PutU32(out + 352, reserved[0]);
  PutU32(out + 356, reserved[1]);
}

bool HistoryStep::Parse(const uint8_t* in) {
  if (GetU32(in + 324) != kSizeInWords) return false;
  for (int i = 0; i < 81; ++i) {
    currentBoard[i] = GetU16(in + 2 * i);
    statusBoard[i] = GetU16(in + 162 + 2 * i);
  }
  selectedCell = static_cast<int32_t>(GetU32(in + 328));
  checkDifficulty = static_cast<int32_t>(GetU32(in + 332));
  gameStatus = GetU32(in + 336);
  wrongEntries = GetU32(in + 340);
  gameDifficulty = static_cast<int32_t>(GetU32(in + 344));
  playTime = GetU32(in + 348);
  reserved[0] = GetU32(in + 352);
  reserved[1] = GetU32(in + 356);
  return true;
}

bool History::Append(const HistoryStep& step) {
  if (StepCount() >= kMaxSteps) return false;
  steps_.push_back(step);
  stepIndex_ = StepCount() - 1;
  return true;
}

void History::Truncate(int count) {
  if (count < StepCount()) steps_.resize(static_cast<size_t>(count));
}

void History::Release() {
  steps_.clear();
  steps_.shrink_to_fit();
  stepIndex_ = 0;
}

void History::Assign(std::vector<HistoryStep> steps, int stepIndex) {
  steps_ = std::move(steps);
  stepIndex_ = stepIndex;
}

HistoryStep SnapshotOf(const GameState& state) {
  HistoryStep step;
  step.currentBoard = state.currentBoard;
  step.statusBoard = state.statusBoard;
  step.selectedCell = state.selectedCell;
  step.checkDifficulty = state.checkDifficulty;
  step.gameStatus = state.gameStatus;
  step.wrongEntries = state.wrongEntries;
  step.gameDifficulty = state.gameDifficulty;
  step.playTime = state.playTime;
  step.reserved[0] = state.reserved[0];
  step.reserved[1] = state.reserved[1];
  return step;
}

void TakeBoardsAndCounters(GameState& state, const HistoryStep& step) {
  state.currentBoard = step.currentBoard;
  state.statusBoard = step.statusBoard;
  state.checkDifficulty = step.checkDifficulty;
  state.wrongEntries = step.wrongEntries;
  state.gameDifficulty = step.gameDifficulty;
  state.reserved[0] = step.reserved[0];
  state.reserved[1] = step.reserved[1];
}

}  // namespace kx
