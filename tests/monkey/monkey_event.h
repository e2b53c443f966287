#pragma once

#include <string>

#include "ui/input.h"

namespace kx::monkey {

// One thing the player or the system does to the main window.
struct Event {
  enum Kind { KeyDown, Type, LeftDown, LeftUp, RightDown, RightUp, MouseMove, Tick, Resize, Restart };
  Kind kind = Tick;
  Key key = Key::Other;  // KeyDown
  char ch = 0;           // Type: a key with this text
  int x = 0, y = 0;      // the pointer, or the new client size
  bool square = false;   // Shift or Ctrl held (a crop being dragged)
};

// "key PageUp", "type 'a'", "left down 120,300", ...: one line to print.
std::string Describe(const Event& event);

}  // namespace kx::monkey
