#pragma once

#include <deque>

#include "chooser.h"
#include "monkey_driver.h"

namespace kx::monkey {

// Makes up the next event from what the window shows now: keys of the key
// table, symbols of every set, clicks aimed at cells, candidate rows,
// fields, the slider and the digit block or anywhere, crop drags while a
// picture is cut, timer ticks, resizes and restarts.
class MonkeyPlayer {
 public:
  explicit MonkeyPlayer(Chooser& choices) : choices_(choices) {}
  Event Next(const MonkeyDriver& driver);

 private:
  struct Point {
    int x, y;
  };
  Point InRect(const Rect& r);
  Point Aim(const MonkeyDriver& driver);
  char Symbol(const Program& p);

  Chooser& choices_;
  // The rest of a gesture begun (a button's release, a drag's moves).
  std::deque<Event> pending_;
};

}  // namespace kx::monkey
