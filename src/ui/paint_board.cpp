#include "game/symbol_sets.h"
#include "ui/paint.h"
#include "ui/paint_pictures.h"

namespace kx {

namespace {

constexpr Color kMarkCleared = Rgb(176, 144, 144);

void PaintGrid(const PaintContext& c) {
  const WindowLayout& l = c.layout;
  int y = l.boardTop, x = l.boardLeft;
  for (int i = 0; i <= 9; ++i) {
    const int w = i % 3 == 0 ? kThickLine : kThinLine;
    c.canvas.DrawLine(l.boardLeft + w / 2, y + w / 2, l.boardRight - kThickLine + w / 2, y + w / 2, w, kBlack);
    c.canvas.DrawLine(x + w / 2, l.boardTop + w / 2, x + w / 2, l.boardBottom - kThickLine + w / 2, w, kBlack);
    y += l.cellSize + w;
    x += l.cellSize + w;
  }
}

Color OriginColour(uint16_t cellStatus, unsigned blinkPhase) {
  switch (OriginOf(cellStatus)) {
    case OriginClass::Player: return kBlack;
    case OriginClass::Helped: return Rgb(0, 0, 255);
    case OriginClass::Given: return Rgb(255, 0, 0);
    case OriginClass::Automatic: return Rgb(128, 128, 0);
    case OriginClass::Corrected: return (blinkPhase & 1) ? Rgb(0, 255, 255) : Rgb(128, 128, 0);
  }
  return kBlack;
}

void PaintCandidateRow(const PaintContext& c, int i, const char* symbols) {
  const WindowLayout& l = c.layout;
  const Rect& cell = l.cells[i];
  const uint16_t status = c.program.state.statusBoard[i];
  const bool fixed = status & cell::kGiven;
  const bool hovered = i == c.window.hoverCell;
  c.canvas.SelectFont(c.fonts.small);
  for (int k = 0; k < 9; ++k) {
    const bool set = status & (1u << (k + 1));
    Color colour = set ? kBlack : kMarkCleared;
    if (!fixed && hovered && k == c.window.hoverCandidate) colour = set ? Rgb(255, 0, 0) : Rgb(255, 128, 128);
    c.canvas.DrawText(cell.left + l.candidateOffset + k * l.candidateStep, cell.bottom - l.textHeight + 1,
                      std::string_view(symbols + k, 1), colour);
  }
  const int y = cell.bottom - l.textHeight + 1;
  c.canvas.DrawLine(cell.left, y, cell.right, y, 1, i == c.program.state.selectedCell ? kBlack : Rgb(255, 255, 255));
}

}  // namespace

void PaintBoard(const PaintContext& c) {
  PaintGrid(c);
  const WindowLayout& l = c.layout;
  const GameState& s = c.program.state;
  const bool rowsShown = !c.program.settings.HideCandidateRows();
  const char* symbols = SymbolText(c.program.settings.SymbolSet());
  for (int i = 0; i < 81; ++i) {
    const Rect square = l.CellSquare(i);
    Color fill = Rgb(192, 192, 192);
    if (i == s.selectedCell) {
      fill = Rgb(255, 255, 255);
    } else if (i == c.window.hoverCell) {
      fill = Rgb(208, 208, 208);
    }
    c.canvas.FillRect(square, fill);
    const int d = DigitOf(s.currentBoard[i]);
    if (d > 0) {
      if (d == c.window.highlightDigit) c.canvas.FillRect(square, Rgb(255, 120, 160));
      const Color colour = OriginColour(s.statusBoard[i], c.window.blinkPhase);
      const std::string_view symbol(symbols + d - 1, 1);
      if (c.program.settings.IsPictureSet()) {
        int variant = 0;
        if (i == s.selectedCell || d == c.window.highlightDigit) {
          variant = 1;
        } else if (i == c.window.hoverCell) {
          variant = 2;
        }
        PaintPictureDigit(c, square, d, variant, symbol, colour);
      } else {
        c.canvas.SelectFont(c.fonts.big);
        const int x = square.left + (l.cellSize - l.bigCharSize.width) / 2;
        const int digitArea = rowsShown ? l.cellSize - l.textHeight : l.cellSize;
        const int y = square.top + (digitArea - l.bigCharSize.height) / 2;
        c.canvas.DrawText(x, y, symbol, colour);
      }
    }
    if (rowsShown) PaintCandidateRow(c, i, symbols);
  }
}

}  // namespace kx
