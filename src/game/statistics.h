#pragma once

#include <string>
#include <vector>

#include "game/game_state.h"

namespace kx {

struct StatisticsRow {
  const char* label;
  int32_t value;
  bool isTime;  // shown as a time
};

// The ten rows of the statistics panel, in panel order.
std::vector<StatisticsRow> StatisticsRows(const GameState& state);

// The panel's title line: the mode's name and the difficulty class.
std::string StatisticsTitle(const GameState& state);

}  // namespace kx
