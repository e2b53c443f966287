#include "help/help_viewer.h"

#include <algorithm>

namespace kx {

namespace {

bool Has(const HelpEntry& e, uint32_t bit) { return (e.flags & bit) != 0; }

bool Selectable(const HelpEntry& e) { return Has(e, helpflag::kSelectable) && !Has(e, helpflag::kDisabled); }

void SetPosition(HelpView& v, int position) {
  if (v.Scroll().position == position) return;
  v.Scroll().position = position;
  RequestRepaint(v);
}

}  // namespace

void ResetHelpView(HelpView& v, uint32_t startEntry) {
  const uint32_t n = v.Count();
  v.current = startEntry < n ? startEntry : 0;
  if (v.current < n && Has(v.help.entries[v.current], helpflag::kDisabled)) {
    for (uint32_t i = 0; i < n; ++i) {
      const HelpEntry& e = v.help.entries[i];
      if (Has(e, helpflag::kEnterFollows) && !Has(e, helpflag::kDisabled)) {
        v.current = i;
        break;
      }
    }
  }
  v.hot = v.lastSelected = v.firstDrawn = v.drawnCount = 0;
  v.focusFrame = n;
  HelpWindowBlock& w = v.help.window;
  w.historyIndex = 0;
  w.history.fill(0);
  w.scroll.minimum = 0;
  w.scroll.maximum = n == 0 ? 0 : static_cast<int32_t>(n - 1);
  w.scroll.page = 1;
  w.scroll.position = 0;
  RequestRepaint(v);
}

void RequestRepaint(HelpView& v) { v.help.window.statusWord |= helpstatus::kRepaint | helpstatus::kRepaintAgain; }

bool RepaintRequested(const HelpView& v) { return (v.help.window.statusWord & helpstatus::kRepaint) != 0; }

void HistoryRecord(HelpView& v) {
  HelpWindowBlock& w = v.help.window;
  const uint32_t pos = static_cast<uint32_t>(w.scroll.position);
  if (w.history[w.historyIndex % kHelpHistorySize] == pos) return;
  w.historyIndex = (w.historyIndex + 1) % kHelpHistorySize;
  w.history[w.historyIndex] = pos;
}

static bool HistoryStep(HelpView& v, uint32_t delta) {
  HelpWindowBlock& w = v.help.window;
  const uint32_t slot = (w.historyIndex + delta) % kHelpHistorySize;
  const int32_t target = static_cast<int32_t>(w.history[slot]);
  if (target == w.scroll.position) return false;
  w.historyIndex = slot;
  w.scroll.position = target;
  RequestRepaint(v);
  return true;
}

bool HistoryBack(HelpView& v) { return HistoryStep(v, kHelpHistorySize - 1); }
bool HistoryForward(HelpView& v) { return HistoryStep(v, 1); }

bool ScrollHelp(HelpView& v, HelpScroll action, int thumb) {
  HelpScrollInfo& s = v.Scroll();
  const int old = s.position;
  const int page = s.page < 6 ? 5 : static_cast<int>(s.page);
  int pos = old;
  bool towardsStart = true;
  switch (action) {
    case HelpScroll::LineUp: pos = old - 1; break;
    case HelpScroll::LineDown: pos = old + 1; towardsStart = false; break;
    case HelpScroll::PageUp: pos = old - page; break;
    case HelpScroll::PageDown: pos = old + page; towardsStart = false; break;
    case HelpScroll::Top: pos = s.minimum; break;
    case HelpScroll::Bottom: pos = s.maximum; towardsStart = false; break;
    case HelpScroll::Thumb:
      if (thumb < s.minimum || thumb > s.maximum) return false;
      pos = thumb;
      towardsStart = old < pos;  // as the scrolling table has it
      break;
  }
  pos = std::clamp(pos, s.minimum, std::max(s.minimum, s.maximum));
  if (towardsStart)
    v.help.window.statusWord |= helpstatus::kTowardsStart;
  else
    v.help.window.statusWord &= ~helpstatus::kTowardsStart;
  SetPosition(v, pos);
  return pos != old;
}

uint32_t HitTestEntry(const HelpView& v, int x, int y) {
  const uint32_t end = std::min(v.Count(), v.firstDrawn + v.drawnCount);
  for (uint32_t i = v.firstDrawn; i < end; ++i) {
    const HelpEntry& e = v.help.entries[i];
    const HelpRect& b = e.bounds;
    if (!(x > b.left && x < b.right && y > b.top && y < b.bottom)) continue;
    const bool middle = y >= e.firstLine.bottom && y <= e.lastLine.top;
    const bool onLast = y >= e.lastLine.top && x < e.lastLine.right;
    const bool onFirst = y < e.firstLine.bottom && x >= e.firstLine.left;
    if (middle || onLast || onFirst) return i;
  }
  return v.Count();
}

void SelectEntry(HelpView& v, uint32_t entry) {
  if (entry >= v.Count() || !Selectable(v.help.entries[entry])) return;
  v.current = entry;
  if (entry != v.lastSelected) {
    v.lastSelected = entry;
    RequestRepaint(v);  // new colours and focus frame at the next paint
  }
}

HelpOutcome FollowLink(HelpView& v, uint32_t link) {
  if (link < 0x10000) {
    if (link < v.Count()) {
      v.Scroll().position = static_cast<int32_t>(link);
      v.current = link;
      v.Scroll().page = 1;
      RequestRepaint(v);
    }
    return HelpOutcome::Stay;
  }
  if (link == kHelpNoLink) return HelpOutcome::Stay;
  if (link == kHelpLinkEnter) {
    v.postedKeys.push_back(helpkey::kEnter);
    return HelpOutcome::Stay;
  }
  // Esc and every other code close the window; the reserved codes never
  // appear in help files.
  return HelpOutcome::Close;
}

// Follows an entry's link, honouring its close-before and close-after bits.
static HelpOutcome FollowEntry(HelpView& v, uint32_t index) {
  const HelpEntry& e = v.help.entries[index];
  const bool closes = Has(e, helpflag::kCloseBefore) || Has(e, helpflag::kCloseAfter);
  const HelpOutcome outcome = FollowLink(v, e.link);
  return closes ? HelpOutcome::Close : outcome;
}

HelpOutcome OnHelpKeyDown(HelpView& v, int key) {
  if (key >= helpkey::kFirstUnhandled || key <= 0) return HelpOutcome::Stay;
  const uint32_t n = v.Count();
  if (v.current < n) {
    const HelpEntry& e = v.help.entries[v.current];
    if (Has(e, helpflag::kAnyKey) && !Has(e, helpflag::kDisabled) && FollowEntry(v, v.current) == HelpOutcome::Close)
      return HelpOutcome::Close;
  }
  bool moved = false;
  switch (key) {
    case helpkey::kEscape: return HelpOutcome::Close;
    case helpkey::kEnter:
      if (v.current < n) {
        const HelpEntry& e = v.help.entries[v.current];
        if (Has(e, helpflag::kEnterFollows) && !Has(e, helpflag::kDisabled)) return FollowEntry(v, v.current);
      }
      return HelpOutcome::Stay;
    case helpkey::kTab:
      for (uint32_t step = 1; step <= n; ++step) {
        const uint32_t i = (v.current + step) % n;
        if (Selectable(v.help.entries[i])) {
          SelectEntry(v, i);
          break;
        }
      }
      return HelpOutcome::Stay;
    case helpkey::kInsert: HistoryBack(v); return HelpOutcome::Stay;
    case helpkey::kDelete: HistoryForward(v); return HelpOutcome::Stay;
    case helpkey::kUp:
    case helpkey::kLeft: moved = ScrollHelp(v, HelpScroll::LineUp); break;
    case helpkey::kDown:
    case helpkey::kRight: moved = ScrollHelp(v, HelpScroll::LineDown); break;
    case helpkey::kPageUp: moved = ScrollHelp(v, HelpScroll::PageUp); break;
    case helpkey::kPageDown: moved = ScrollHelp(v, HelpScroll::PageDown); break;
    case helpkey::kHome: moved = ScrollHelp(v, HelpScroll::Top); break;
    case helpkey::kEnd: moved = ScrollHelp(v, HelpScroll::Bottom); break;
    default: return HelpOutcome::Stay;
  }
  if (moved) HistoryRecord(v);
  return HelpOutcome::Stay;
}

HelpOutcome OnHelpLeftButtonDown(HelpView& v, int x, int y) {
  const uint32_t hit = HitTestEntry(v, x, y);
  v.hot = hit;
  HelpOutcome outcome = HelpOutcome::Stay;
  if (hit < v.Count()) {
    if (hit != v.current) SelectEntry(v, hit);
    const HelpEntry& e = v.help.entries[hit];
    if (!Has(e, helpflag::kDisabled) && (Has(e, helpflag::kAnyKey) || Has(e, helpflag::kSingleClick)))
      outcome = FollowEntry(v, hit);
  }
  RequestRepaint(v);  // the hot entry's colours
  if (outcome == HelpOutcome::Stay) HistoryRecord(v);
  return outcome;
}

HelpOutcome OnHelpDoubleClick(HelpView& v, int x, int y) {
  const uint32_t hit = HitTestEntry(v, x, y);
  HelpOutcome outcome = HelpOutcome::Stay;
  if (hit == v.hot && hit < v.Count()) {
    const HelpEntry& e = v.help.entries[hit];
    if (!Has(e, helpflag::kDisabled) && Has(e, helpflag::kDoubleClick)) outcome = FollowEntry(v, hit);
  }
  if (outcome == HelpOutcome::Stay) HistoryRecord(v);
  return outcome;
}

void OnHelpWheel(HelpView& v, bool forward) {
  ScrollHelp(v, forward ? HelpScroll::LineUp : HelpScroll::LineDown);
  HistoryRecord(v);
}

void OnHelpMouseMove(HelpView& v, int x, int y) {
  if (v.hasScrollBar) return;
  const uint32_t hit = HitTestEntry(v, x, y);
  if (hit == v.hot) return;
  v.hot = hit;
  RequestRepaint(v);
}

}  // namespace kx
