#pragma once

namespace kx {

// What the main window remembers between paints beside the game itself
// (the field focus and hover are kept with the program, which resets them
// on a mode change).
struct MainWindowState {
  int hoverCell = -1;
  int hoverCandidate = -1;  // 0..8 in hoverCell's candidate row, -1 over the digit area
  int highlightDigit = 0;   // 1..9 while the right button is held
  int popupField = -1;
  int popupTicks = 0;
  unsigned blinkPhase = 0;
  int mouseX = 0, mouseY = 0;
};

}  // namespace kx
