#include "game/game_state.h"

namespace kx {

OriginClass OriginOf(uint16_t cellStatus) {
  if (cellStatus & cell::kCorrected) return OriginClass::Corrected;
  const bool fixed = cellStatus & cell::kGiven, helped = cellStatus & cell::kHelped;
  if (fixed) return helped ? OriginClass::Automatic : OriginClass::Given;
  return helped ? OriginClass::Helped : OriginClass::Player;
}

PuzzleText GivensText(const GameState& state) {
  PuzzleText text;
  for (int i = 0; i < 81; ++i) {
    const int digit = DigitOf(state.currentBoard[i]);
    text[i] = (state.statusBoard[i] & cell::kGiven) && digit > 0 ? static_cast<char>('0' + digit) : ' ';
  }
  return text;
}

}  // namespace kx
