#include "help/help_windows.h"

namespace kx {

int OpenHelpWindow(HelpWindowTable& table, LoadedHelp help, uint32_t startEntry) {
  if (!table.usable || !table.createWindow) return -2;
  int slot = -1;
  for (int i = 0; i < kHelpSlotCount; ++i) {
    if (!table.views[i]) {
      slot = i;
      break;
    }
  }
  if (slot < 0) return -2;
  auto view = std::make_unique<HelpView>();
  view->help = std::move(help);
  view->help.window.statusWord = 0;
  view->hasScrollBar = (view->help.window.style & kHelpStyleVerticalScrollBar) != 0;
  ResetHelpView(*view, startEntry);
  const int left = view->help.window.left + table.dx, top = view->help.window.top + table.dy;
  table.views[slot] = std::move(view);
  if (!table.createWindow(slot, left, top)) {
    table.views[slot].reset();
    return -2;
  }
  table.dx += table.captionHeight;
  table.dy += table.captionHeight;
  if (table.dx >= 161) table.dx = 0;
  if (table.dy >= 81) table.dy = 0;
  return slot;
}

void CloseHelpSlot(HelpWindowTable& table, int slot) {
  if (slot < 0 || slot >= kHelpSlotCount) return;
  table.destroying = true;
  table.views[slot].reset();
  table.destroying = false;
}

int OpenHelpWindowCount(const HelpWindowTable& table) {
  int n = 0;
  for (const auto& s : table.views) n += s ? 1 : 0;
  return n;
}

void RepaintHelpWindows(HelpWindowTable& table, const std::function<void(int slot)>& paint) {
  if (table.painting || table.destroying) return;
  table.painting = true;
  for (int i = 0; i < kHelpSlotCount; ++i) {
    HelpView* v = table.views[i].get();
    if (!v || !RepaintRequested(*v)) continue;
    paint(i);
  }
  table.painting = false;
}

}  // namespace kx
