#include "ui/paint.h"

namespace kx {

bool PopupVisible(const Program& p, const MainWindowState& w) {
  return w.interaction.hoverField != -1 && w.interaction.hoverField == w.popupField && w.popupTicks >= 6 &&
         w.popupTicks < 46 && w.popupField < p.fields.Count();
}

void DrawFieldPopup(const PaintContext& c) {
  if (!PopupVisible(c.program, c.window)) return;
  const FunctionField& field = c.program.fields[c.window.popupField];
  const WindowLayout& l = c.layout;
  const Rect fieldRect = l.FieldRect(c.program.fields, c.window.popupField);
  if (!field.helpText || fieldRect.Width() <= 0) return;
  c.canvas.SelectFont(c.fonts.small);
  const Rect measured = c.canvas.DrawWrappedText({0, 0, 5 * l.cellSize, 8 * l.cellSize}, field.helpText, {}, true);
  int top = fieldRect.top, bottom = top + measured.Height();
  const int limit = l.layoutRect.bottom - 5;
  if (bottom > limit) {
    top -= bottom - limit;
    bottom = limit;
  }
  if (top < 5) top = 5;
  const int right = fieldRect.left - 5;
  DrawNoticeBox(c.canvas, {right - measured.Width(), top, right, bottom}, field.helpText);
}

}  // namespace kx
