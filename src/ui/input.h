#pragma once

#include "game/commands.h"
#include "game/program.h"
#include "ui/layout.h"
#include "ui/main_window_state.h"

namespace kx {

// The program's own key codes; the window maps the platform's keys to them.
enum class Key { Tab, Enter, Escape, Home, End, PageUp, PageDown, F1, Backspace, Left, Right, Up, Down, Delete, Other };

// What the input handlers read and change. The layout is the one the last
// paint recorded.
struct InputContext {
  Program& program;
  MainWindowState& window;
  const WindowLayout& layout;
  const CommandHooks& hooks;
};

// Each returns whether the window should repaint.
bool OnKeyDown(InputContext& c, Key key);
// A typed character (or a digit-block click); `handled` tells the window
// whether the character was used.
bool OnChar(InputContext& c, char ch, bool* handled = nullptr);
bool OnLeftButtonDown(InputContext& c, int x, int y);
// `square`: Shift or Ctrl is held (a crop being dragged stays square).
bool OnLeftButtonUp(InputContext& c, int x, int y, bool square = false);
bool OnMouseMove(InputContext& c, int x, int y, bool square = false);
bool OnRightButtonDown(InputContext& c, int x, int y);
bool OnRightButtonUp(InputContext& c);
bool OnHalfSecondTick(InputContext& c);
bool OnSecondTick(InputContext& c);

// Hit tests against the last paint's rectangles, edges included: -1 for none.
int HitCell(const WindowLayout& l, int x, int y);
int HitCandidate(const WindowLayout& l, int cell, int x, int y);
int HitField(const WindowLayout& l, const FunctionFieldTable& fields, int x, int y);
int HitDigitKey(const WindowLayout& l, int x, int y);

}  // namespace kx
