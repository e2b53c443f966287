#include "ui/input.h"

#include <cctype>
#include <cstring>

#include "game/difficulty_slider.h"
#include "game/cell_operations.h"
#include "game/symbol_sets.h"
#include "game/game_clock.h"
#include "game/game_end.h"
#include "game/history_navigation.h"
#include "game/printouts.h"

namespace kx {

namespace {

bool Inside(const Rect& r, int x, int y) { return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom; }

bool IsFixed(const Program& p, int cell) { return p.state.statusBoard[cell] & cell::kGiven; }

// In the selection, with play started only by its field, cells ignore keys and clicks.
bool CellsIgnored(const Program& p) {
  return p.state.Mode() == status::kSelect && !p.settings.PlayByTypingInSelection();
}

// The slider's label and range follow the pointer.
void TrackSlider(InputContext& c, int fieldIndex, int x, int y) {
  Program& p = c.program;
  const Rect r = c.layout.FieldRect(p.fields, fieldIndex);
  p.sliderRange = SliderToRange(static_cast<uint32_t>(x), static_cast<uint32_t>(y),
                                SliderField{r.left, r.top, r.right, r.bottom});
  p.fields[fieldIndex].label = SliderFieldLabel(p.sliderRange);
}

void RunFieldCommand(InputContext& c, int commandId) { RunCommand(c.program, commandId, c.hooks); }

int MoveSelection(const Program& p, int sel, Key key) {
  if (!p.settings.FixedCellsUnreachable()) {
    const int row = sel / 9, col = sel % 9;
    switch (key) {
      case Key::Left: return col > 0 ? sel - 1 : sel;
      case Key::Right: return col < 8 ? sel + 1 : sel;
      case Key::Up: return row > 0 ? sel - 9 : sel;
      default: return row < 8 ? sel + 9 : sel;
    }
  }
  auto freeCell = [&](int i) { return !IsFixed(p, i); };
  switch (key) {
    case Key::Left:
      for (int i = sel - 1; i >= 0; --i)
        if (freeCell(i)) return i;
      for (int i = 0; i < 81; ++i)
        if (freeCell(i)) return i;
      return sel;
    case Key::Right:
      for (int i = sel + 1; i < 81; ++i)
        if (freeCell(i)) return i;
      for (int i = 80; i >= 0; --i)
        if (freeCell(i)) return i;
      return sel;
    case Key::Up:
      for (int i = sel - 9; i >= 0; i -= 9)
        if (freeCell(i)) return i;
      return sel;
    default:
      for (int i = sel + 9; i < 81; i += 9)
        if (freeCell(i)) return i;
      return sel;
  }
}

}  // namespace

int HitCell(const WindowLayout& l, int x, int y) {
  for (int i = 0; i < 81; ++i) {
    const Rect& e = l.cells[i];
    if (Inside({e.left, e.bottom - (e.right - e.left), e.right, e.bottom}, x, y)) return i;
  }
  return -1;
}

int HitCandidate(const WindowLayout& l, int cell, int x, int y) {
  if (cell < 0) return -1;
  const Rect& e = l.cells[cell];
  if (y < e.top) return -1;
  const int step = std::max(1, (e.right - e.left) / 9);
  return std::min((x - e.left) / step, 8);
}

int HitField(const WindowLayout& l, const FunctionFieldTable& fields, int x, int y) {
  for (int i = 0; i < fields.Count(); ++i)
    if (Inside(l.FieldRect(fields, i), x, y)) return i;
  return -1;
}

int HitDigitKey(const WindowLayout& l, int x, int y) {
  for (int k = 0; k < 10; ++k)
    if (Inside(l.digitKeys[k], x, y)) return k;
  return -1;
}

bool OnKeyDown(InputContext& c, Key key) {
  Program& p = c.program;
  GameState& s = p.state;
  DropLargePicture(p);
  if (p.pictures.assign.Active()) {
    if (key == Key::Escape) {
      RunFieldCommand(c, command::kEndPictureAssignment);
      return true;
    }
    // The board's keys would treat the marked picture as a cell.
    const bool everyMode = key == Key::Tab || key == Key::Enter || key == Key::Home || key == Key::End ||
                           key == Key::PageUp || key == Key::PageDown || key == Key::F1;
    if (!everyMode) return true;
  }
  switch (key) {
    case Key::Tab: {
      // From the last field of the focused id: two title fields (browsing
      // the settings) share one and would hold Tab between them.
      int index = -1;
      for (int i = 0; i < p.fields.Count(); ++i)
        if (p.fields[i].commandId == c.window.interaction.focusCommand) index = i;
      const int next = (index < 0 || index + 1 >= p.fields.Count()) ? 0 : index + 1;
      c.window.interaction.focusCommand = p.fields.Count() > 0 ? p.fields[next].commandId : -1;
      return true;
    }
    case Key::Enter: {
      const int id = c.window.interaction.focusCommand;
      if (id < 0) return true;
      if (IsKnownCommand(id)) RunFieldCommand(c, id);
      c.window.interaction.focusCommand = id;
      return true;
    }
    case Key::Home: HistoryFirstStep(p); return true;
    case Key::End: HistoryLastStep(p); return true;
    case Key::PageUp: HistoryStepBack(p); return true;
    case Key::PageDown: HistoryStepForward(p); return true;
    case Key::F1: ShowHelp(p); return false;
    default: break;
  }
  if (key == Key::Backspace && s.Has(status::kManualEntry) && s.selectedCell >= 0) ManualEntryBackspace(p);
  if (CellsIgnored(p)) return true;
  if (s.selectedCell >= 0 && s.selectedCell <= 80) {
    if (key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down) {
      s.selectedCell = MoveSelection(p, s.selectedCell, key);
    } else if (key == Key::Delete) {
      ClearSelectedCell(p);
    }
    return true;
  }
  // No selection yet: any key selects the first cell the player can fill.
  s.selectedCell = 0;
  for (int i = 0; i < 81; ++i) {
    if (!IsFixed(p, i)) {
      s.selectedCell = i;
      break;
    }
  }
  return true;
}

bool OnChar(InputContext& c, char ch, bool* handled) {
  if (c.program.pictures.assign.Active()) {
    if (handled) *handled = false;
    return false;
  }
  const char* symbols = SymbolText(c.program.settings.SymbolSet());
  if (std::isalpha(static_cast<unsigned char>(ch))) {
    int matches = 0, at = -1;
    for (int k = 0; k < 9; ++k) {
      if (std::tolower(static_cast<unsigned char>(symbols[k])) == std::tolower(static_cast<unsigned char>(ch))) {
        ++matches;
        at = k;
      }
    }
    if (matches == 1) ch = symbols[at];
  }
  const char* found = ch != '\0' ? std::strchr(symbols, ch) : nullptr;
  if (found && found - symbols < 9) {
    ch = static_cast<char>('1' + (found - symbols));
  } else if (ch >= '1' && ch <= '9') {
    if (handled) *handled = false;  // a digit this symbol set does not use
    return false;
  }
  const bool used = EnterDigit(c.program, ch);
  if (handled) *handled = used;
  return used;
}

bool OnLeftButtonDown(InputContext& c, int x, int y) {
  Program& p = c.program;
  GameState& s = p.state;
  DropLargePicture(p);
  const bool assigning = p.pictures.assign.Active();
  if (assigning) {
    if (CropPress(p.pictures.assign, x, y)) return true;
    const int picture = HitCell(c.layout, x, y);
    if (picture >= 0 && picture < 9) {
      s.selectedCell = picture;
      return true;
    }
  } else if (!CellsIgnored(p)) {
    const int cellIndex = HitCell(c.layout, x, y);
    if (cellIndex >= 0) {
      if (IsFixed(p, cellIndex) && p.settings.FixedCellsUnreachable()) return true;
      s.selectedCell = cellIndex;
      const int k = HitCandidate(c.layout, cellIndex, x, y);
      if (!p.settings.HideCandidateRows() && k >= 0 && !IsFixed(p, cellIndex)) {
        return ToggleCandidateMark(p, cellIndex, k + 1) == 0;
      }
      return true;
    }
  }
  const int fieldIndex = HitField(c.layout, p.fields, x, y);
  if (fieldIndex >= 0) {
    const int id = p.fields[fieldIndex].commandId;
    if (!IsKnownCommand(id)) {
      c.window.interaction.focusCommand = -1;
      RefuseBeep(p);
      return true;
    }
    c.window.interaction.focusCommand = id;
    if (id == command::kSlider) TrackSlider(c, fieldIndex, x, y);
    RunFieldCommand(c, id);
    return true;
  }
  const int key = HitDigitKey(c.layout, x, y);
  if (key >= 0 && !assigning) {
    OnChar(c, key == 9 ? ' ' : SymbolText(p.settings.SymbolSet())[key]);
    return true;
  }
  // A miss: the picture assignment keeps its marked picture.
  if (assigning || !CellsIgnored(p)) {
    if (!assigning) s.selectedCell = -1;
    c.window.interaction.focusCommand = -1;
  }
  return true;
}

bool OnLeftButtonUp(InputContext& c, int x, int y, bool square) {
  PictureAssignState& a = c.program.pictures.assign;
  if (a.cropState != CropState::Dragging) return false;
  CropRelease(a, x, y, square);
  return true;
}

bool OnMouseMove(InputContext& c, int x, int y, bool square) {
  Program& p = c.program;
  MainWindowState& w = c.window;
  bool changed = false;
  if ((p.state.noticeTicks & notice::kSecondsLeft) == 0 && (p.state.noticeTicks & notice::kOnScreen) != 0) {
    p.state.noticeTicks &= ~notice::kOnScreen;
    changed = true;
  }
  w.mouseX = x;
  w.mouseY = y;
  if (p.pictures.assign.cropState == CropState::Dragging) {
    CropMove(p.pictures.assign, x, y, square);
    changed = true;
  }

  const int cellIndex = HitCell(c.layout, x, y);
  const int candidate = HitCandidate(c.layout, cellIndex, x, y);
  if (cellIndex != w.hoverCell || candidate != w.hoverCandidate) {
    w.hoverCell = cellIndex;
    w.hoverCandidate = candidate;
    return true;
  }

  const int fieldIndex = HitField(c.layout, p.fields, x, y);
  if (fieldIndex >= 0 && p.fields[fieldIndex].commandId == command::kSlider) {
    TrackSlider(c, fieldIndex, x, y);
    changed = true;
  }
  if (fieldIndex != w.interaction.hoverField) {
    w.interaction.hoverField = fieldIndex;
    if (fieldIndex < 0) w.popupField = -1;
    return true;
  }
  if (fieldIndex >= 0 && p.settings.HoverPopups() && w.popupTicks > 6) w.popupTicks = 6;

  const int key = HitDigitKey(c.layout, x, y);
  if (key != w.interaction.hoverDigitKey) {
    w.interaction.hoverDigitKey = key;
    changed = true;
  }
  return changed;
}

bool OnRightButtonDown(InputContext& c, int x, int y) {
  Program& p = c.program;
  MainWindowState& w = c.window;
  w.highlightDigit = 0;
  const int fieldIndex = HitField(c.layout, p.fields, x, y);
  if (fieldIndex >= 0) {
    w.interaction.hoverField = w.popupField = fieldIndex;
    w.popupTicks = 6;
    return true;
  }
  const int key = HitDigitKey(c.layout, x, y);
  const int cellIndex = HitCell(c.layout, x, y);
  if (p.settings.IsPictureSet()) {
    // The picture fits the client area in the screen's own pixels.
    const int client[2] = {c.layout.DevicePixels(c.layout.clientWidth), c.layout.DevicePixels(c.layout.clientHeight)};
    if (p.pictures.assign.Active()) {
      if (cellIndex >= 0 && cellIndex < 9 && p.pictures.largePictureIndex != cellIndex) {
        ShowLargePicture(p, cellIndex + 1, cellIndex, client[0], client[1]);
      }
      return true;
    }
    if (key >= 0 && key < 9) {
      ShowLargePicture(p, key + 1, key, client[0], client[1]);
      return true;
    }
    if (cellIndex < 0 || DigitOf(p.state.currentBoard[cellIndex]) <= 0) {
      DropLargePicture(p);
      return true;
    }
  } else {
    DropLargePicture(p);
    if (key >= 0 && key < 9) w.highlightDigit = key + 1;
  }
  if (cellIndex >= 0) {
    const int d = DigitOf(p.state.currentBoard[cellIndex]);
    if (d > 0) {
      w.highlightDigit = d;
      // With pictures the selection's brighter variant would hide the highlight.
      if (p.settings.IsPictureSet() && p.state.selectedCell >= 0 &&
          DigitOf(p.state.currentBoard[p.state.selectedCell]) == d) {
        p.state.selectedCell = -1;
      }
    }
  }
  return true;
}

bool OnRightButtonUp(InputContext& c) {
  c.window.highlightDigit = 0;
  DropLargePicture(c.program);
  return true;
}

bool OnHalfSecondTick(InputContext& c) {
  Program& p = c.program;
  MainWindowState& w = c.window;
  ++w.blinkPhase;
  if (w.interaction.hoverField != -1 && w.interaction.hoverField == w.popupField && p.host.IsMainWindowForeground()) {
    ++w.popupTicks;
  } else if (p.settings.HoverPopups()) {
    w.popupField = w.interaction.hoverField;
    w.popupTicks = 0;
  }
  AdvanceClock(p);
  return true;
}

bool OnSecondTick(InputContext& c) {
  NoticeTick(c.program);
  return true;
}

}  // namespace kx
