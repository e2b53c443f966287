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

namespace {

// What a step keeps of the game and gives back when it is shown: the boards
// and the counters.
template <typename From, typename To>
void CopyBoardsAndCounters(const From& from, To& to) {
  to.currentBoard = from.currentBoard;
  to.statusBoard = from.statusBoard;
  to.checkDifficulty = from.checkDifficulty;
  to.wrongEntries = from.wrongEntries;
  to.gameDifficulty = from.gameDifficulty;
  to.reserved[0] = from.reserved[0];
  to.reserved[1] = from.reserved[1];
}

}  // namespace

HistoryStep SnapshotOf(const GameState& state) {
  HistoryStep step;
  CopyBoardsAndCounters(state, step);
  step.selectedCell = state.selectedCell;
  step.gameStatus = state.gameStatus;
  step.playTime = state.playTime;
  return step;
}

void TakeBoardsAndCounters(GameState& state, const HistoryStep& step) { CopyBoardsAndCounters(step, state); }

}  // namespace kx
