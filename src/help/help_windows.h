#pragma once

#include <array>
#include <functional>
#include <memory>

#include "help/help_viewer.h"

namespace kx {

inline constexpr int kHelpSlotCount = 8;
inline constexpr uint32_t kHelpStyleVerticalScrollBar = 0x00200000;

// The table of open help windows. The platform supplies the window: it
// is asked to create one for a filled slot and told when the slot empties.
struct HelpWindowTable {
  std::array<std::unique_ptr<HelpView>, kHelpSlotCount> views;
  bool usable = false;
  // Creates the platform window of a slot at the given position; false
  // when it cannot.
  std::function<bool(int slot, int left, int top)> createWindow;
  int captionHeight = 24;
  // Cascade offsets, shared by all help windows and never reset.
  int dx = 0, dy = 0;
  bool painting = false;
  bool destroying = false;
};

// Places the loaded help into the first free slot and has its window made.
// Every opening brings its own freshly loaded copy, so one copy is never
// shown twice. Returns the slot, or -2 when no slot is free (the help is
// then discarded) or the window could not be made.
int OpenHelpWindow(HelpWindowTable& table, LoadedHelp help, uint32_t startEntry);

// Frees a slot together with its loaded help.
void CloseHelpSlot(HelpWindowTable& table, int slot);
int OpenHelpWindowCount(const HelpWindowTable& table);

// One timer tick: calls paint for every slot with a repaint request,
// unless a paint or a destroy is under way.
void RepaintHelpWindows(HelpWindowTable& table, const std::function<void(int slot)>& paint);

}  // namespace kx
