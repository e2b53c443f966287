#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "help/help_file.h"
#include "platform/canvas.h"

namespace kx {

// Key codes of a help window, from the scan-code table: grey navigation
// keys only, so keypad arrows with Num Lock off have no code here.
namespace helpkey {
inline constexpr int kTab = 9, kEnter = 13, kEscape = 27;
inline constexpr int kHome = 160, kEnd = 161, kPageUp = 162, kPageDown = 163;
inline constexpr int kUp = 164, kDown = 165, kLeft = 166, kRight = 167;
inline constexpr int kDelete = 168, kInsert = 169;
inline constexpr int kFirstUnhandled = 240;
}  // namespace helpkey

// Behaviour bits of an entry's flags.
namespace helpflag {
inline constexpr uint32_t kTypeMask = 0x0F;
inline constexpr uint32_t kFocusFrame = 1u << 16, kMayWrap = 1u << 17, kFillOwn = 1u << 18;
inline constexpr uint32_t kCentreV = 1u << 19, kCentreH = 1u << 20, kEndOfPage = 1u << 21;
inline constexpr uint32_t kRgbColours = 1u << 22, kCloseAfter = 1u << 23, kCloseBefore = 1u << 24;
inline constexpr uint32_t kDoubleClick = 1u << 25, kAnyKey = 1u << 26, kSingleClick = 1u << 27;
inline constexpr uint32_t kEnterFollows = 1u << 28, kDisabled = 1u << 29, kSelectable = 1u << 30;
inline constexpr uint32_t kContinuation = 1u << 31;
}  // namespace helpflag

// Bits the viewer keeps in the window block's status word.
namespace helpstatus {
inline constexpr uint32_t kRepaint = 1, kRepaintAgain = 2, kPainting = 4, kTowardsStart = 8;
}

inline constexpr uint32_t kHelpLinkEnter = 0x4000000D, kHelpLinkEscape = 0x4000001B;

// One open help window without its platform window: the loaded file and
// the interaction state that painting and input share.
struct HelpView {
  LoadedHelp help;
  uint32_t current = 0;
  uint32_t hot = 0;
  uint32_t lastSelected = 0;
  uint32_t focusFrame = 0;
  uint32_t firstDrawn = 0;
  uint32_t drawnCount = 0;
  bool hasScrollBar = true;
  // Key-downs a link action posted to the window; the platform delivers
  // them later, one by one, so a link that presses Enter on itself loops
  // through the event queue instead of the stack.
  std::vector<int> postedKeys;

  uint32_t Count() const { return static_cast<uint32_t>(help.entries.size()); }
  HelpScrollInfo& Scroll() { return help.window.scroll; }
};

// What the platform window has to do after an input handler.
enum class HelpOutcome { Stay, Close };

// Start state of a freshly opened window: current entry, history, scrolling.
void ResetHelpView(HelpView& v, uint32_t startEntry);

void RequestRepaint(HelpView& v);
bool RepaintRequested(const HelpView& v);

// The 128-step ring of scroll positions. Back and Forward return whether
// the position changed.
void HistoryRecord(HelpView& v);
bool HistoryBack(HelpView& v);
bool HistoryForward(HelpView& v);

enum class HelpScroll { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Thumb };
// Returns whether the position changed (a repaint is then requested).
bool ScrollHelp(HelpView& v, HelpScroll action, int thumb = 0);

uint32_t HitTestEntry(const HelpView& v, int x, int y);
HelpOutcome FollowLink(HelpView& v, uint32_t link);
void SelectEntry(HelpView& v, uint32_t entry);

HelpOutcome OnHelpKeyDown(HelpView& v, int key);
HelpOutcome OnHelpLeftButtonDown(HelpView& v, int x, int y);
HelpOutcome OnHelpDoubleClick(HelpView& v, int x, int y);
void OnHelpWheel(HelpView& v, bool forward);
// Hot tracking, in windows without a scroll bar only.
void OnHelpMouseMove(HelpView& v, int x, int y);

// Palette and fonts of the help windows.
Color HelpPaletteColour(uint8_t index);
FontSpec HelpFont(int number);  // 1..7; others give the default font

// Lays out and paints the page from the scroll position into the canvas;
// records the entries' rectangles and sets the scroll page.
void PaintHelpWindow(HelpView& v, Canvas& canvas);

}  // namespace kx
