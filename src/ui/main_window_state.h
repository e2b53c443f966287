#pragma once

namespace kx {

class Program;

// The pointer and keyboard focus over the function fields and the digit
// block; the game voids them on a mode change.
struct FieldInteraction {
  int focusCommand = -1;   // command id of the highlighted field (Enter runs it)
  int hoverField = -1;     // index of the field under the mouse
  int hoverDigitKey = -1;  // digit-block square under the mouse, 9 = "Entfernen"
};

// What the main window remembers between paints beside the game itself.
struct MainWindowState {
  FieldInteraction interaction;
  int hoverCell = -1;
  int hoverCandidate = -1;  // 0..8 in hoverCell's candidate row, -1 over the digit area
  int highlightDigit = 0;   // 1..9 while the right button is held
  int popupField = -1;
  int popupTicks = 0;
  unsigned blinkPhase = 0;
  int mouseX = 0, mouseY = 0;
};

// Lets the window's field interaction follow the game's resets; whoever
// owns the state unhooks it (p.resetFieldInteraction = nullptr) before
// the state goes.
void FollowFieldResets(Program& p, MainWindowState& w);

}  // namespace kx
