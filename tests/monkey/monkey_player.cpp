#include "monkey_player.h"

#include <algorithm>

#include "game/symbol_sets.h"
#include "ui/layout.h"

namespace kx::monkey {

MonkeyPlayer::Point MonkeyPlayer::InRect(const Rect& r) {
  const int w = std::max(0, r.right - r.left), h = std::max(0, r.bottom - r.top);
  return {r.left + static_cast<int>(choices_.Below(static_cast<uint32_t>(w) + 1)),
          r.top + static_cast<int>(choices_.Below(static_cast<uint32_t>(h) + 1))};
}

MonkeyPlayer::Point MonkeyPlayer::Aim(const MonkeyDriver& driver) {
  const WindowLayout& l = driver.layout();
  const Program& p = driver.program();
  const PictureAssignState& a = p.pictures.assign;
  if (a.Active() && choices_.OneIn(3) && a.shownRect.Width() > 0) {
    const Rect& s = a.shownRect;
    return InRect({s.left - 8, s.top - 8, s.right + 8, s.bottom + 8});
  }
  switch (choices_.Weighted({25, 20, 30, 10, 15})) {
    case 0: {  // a cell's digit area, often one still empty
      int i = static_cast<int>(choices_.Below(81));
      for (int tries = choices_.Below(2) ? 81 : 0; tries > 0 && IsSolved(p.state.currentBoard[i]); --tries) i = (i + 1) % 81;
      const Rect square = l.CellSquare(i);
      return InRect({square.left, square.top, square.right, std::max(square.top, l.cells[i].top - 1)});
    }
    case 1: return InRect(l.cells[choices_.Below(81)]);  // from the candidate row down
    case 2: {
      // Saving and loading are seldom offered: when they are, often taken.
      for (int id : {command::kLoadGame, command::kSaveGame}) {
        const int at = p.fields.Find(id);
        if (at >= 0 && choices_.OneIn(10)) return InRect(l.FieldRect(p.fields, at));
      }
      if (p.fields.Count() > 0) return InRect(l.FieldRect(p.fields, static_cast<int>(choices_.Below(static_cast<uint32_t>(p.fields.Count())))));
      [[fallthrough]];
    }
    case 3: return InRect(l.digitKeys[choices_.Below(10)]);
    default: return InRect({-5, -5, l.clientWidth + 5, l.clientHeight + 5});
  }
}

char MonkeyPlayer::Symbol(const Program& p) {
  static constexpr const char* kSets[] = {"123456789", "abcdefghi", "ABCDEFGHI", "KX-SUDoku"};
  const char* symbols = SymbolText(p.settings.SymbolSet());
  const int sel = p.state.selectedCell;
  switch (choices_.Weighted({40, 20, 10, 5, 25})) {
    case 0: return symbols[choices_.Below(9)];
    case 1: return kSets[choices_.Below(4)][choices_.Below(9)];
    case 2: return ' ';
    case 3: return static_cast<char>(0x20 + choices_.Below(0x5F));
    default: {
      // A player who knows the answer: the solution's digit for the cell.
      const char answer = sel >= 0 && sel <= 80 ? p.state.solutionText[sel] : '0';
      return answer >= '1' && answer <= '9' ? symbols[answer - '1'] : symbols[0];
    }
  }
}

Event MonkeyPlayer::Next(const MonkeyDriver& driver) {
  if (!pending_.empty()) {
    Event e = pending_.front();
    pending_.pop_front();
    return e;
  }
  const Program& p = driver.program();
  const WindowLayout& l = driver.layout();
  Event e;
  switch (choices_.Weighted({250, 140, 240, 15, 160, 140, 20, 2, 1, 10})) {
    case 0:
      e.kind = Event::Type;
      e.ch = Symbol(p);
      break;
    case 1:
      e.kind = Event::KeyDown;
      // F1 loads the whole help: less often than the others.
      e.key = static_cast<Key>(choices_.Below(static_cast<uint32_t>(Key::Other) + 1));
      if (e.key == Key::F1 && !choices_.OneIn(4)) e.key = Key::Enter;
      break;
    case 2: {  // a click: press now, release next
      const Point at = Aim(driver);
      e = {Event::LeftDown, Key::Other, 0, at.x, at.y, false};
      pending_.push_back({Event::LeftUp, Key::Other, 0, at.x, at.y, choices_.OneIn(4)});
      break;
    }
    case 3: {
      const Point at = Aim(driver);
      e = {Event::RightDown, Key::Other, 0, at.x, at.y, false};
      for (int i = static_cast<int>(choices_.Below(3)); i > 0; --i) pending_.push_back({Event::Tick});
      pending_.push_back({Event::RightUp});
      break;
    }
    case 4: {
      const Point at = Aim(driver);
      e = {Event::MouseMove, Key::Other, 0, at.x, at.y, choices_.OneIn(4)};
      break;
    }
    case 5: e.kind = Event::Tick; break;
    case 6: {  // a drag, over the picture being cut when there is one
      const Point from = Aim(driver);
      const bool square = choices_.OneIn(3);
      e = {Event::LeftDown, Key::Other, 0, from.x, from.y, false};
      for (int i = 1 + static_cast<int>(choices_.Below(5)); i > 0; --i) {
        const Point to = Aim(driver);
        pending_.push_back({Event::MouseMove, Key::Other, 0, to.x, to.y, square});
      }
      const Point end = Aim(driver);
      pending_.push_back({Event::LeftUp, Key::Other, 0, end.x, end.y, square});
      break;
    }
    case 7:
      e.kind = Event::Resize;
      e.x = kMinWindowWidth + static_cast<int>(choices_.Below(2000 - kMinWindowWidth + 1));
      e.y = kMinWindowHeight + static_cast<int>(choices_.Below(1500 - kMinWindowHeight + 1));
      break;
    case 8:
      e.kind = Event::Restart;
      // Now and then with a saved game as the argument, as a double click.
      e.x = choices_.OneIn(3) ? static_cast<int>(choices_.Below(1000)) : -1;
      break;
    default: {  // a run of right answers, so that games get won
      const char* symbols = SymbolText(p.settings.SymbolSet());
      for (int i = 0, left = 5 + static_cast<int>(choices_.Below(30)); i < 81 && left > 0; ++i) {
        const char answer = p.state.solutionText[i];
        if (IsSolved(p.state.currentBoard[i]) || answer < '1' || answer > '9') continue;
        const Rect square = l.CellSquare(i);
        const Point at{square.left + 2, square.top + 2};
        pending_.push_back({Event::LeftDown, Key::Other, 0, at.x, at.y, false});
        pending_.push_back({Event::LeftUp, Key::Other, 0, at.x, at.y, false});
        pending_.push_back({Event::Type, Key::Other, symbols[answer - '1']});
        --left;
      }
      e.kind = Event::Tick;
      break;
    }
  }
  return e;
}

}  // namespace kx::monkey
