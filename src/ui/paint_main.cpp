#include "game/statistics.h"
#include "text/text_format.h"
#include "ui/paint.h"
#include "ui/paint_pictures.h"

namespace kx {

namespace {

void PaintBackground(const PaintContext& c) {
  const WindowLayout& l = c.layout;
  const Rect client{0, 0, l.clientWidth, l.clientHeight};
  // A spare pixel on either axis counts as a margin, so that no part of
  // the client keeps an older frame's pixels.
  if (l.layoutRect.Width() < l.clientWidth || l.layoutRect.Height() < l.clientHeight) {
    c.canvas.FillRect(client, Rgb(192, 64, 0));
    c.canvas.FillRect(l.layoutRect, Rgb(128, 128, 255));
    Rect frame = l.layoutRect;
    for (int i = 0; i < 3; ++i) {
      c.canvas.FrameRect(frame, kBlack);
      frame = {frame.left - 1, frame.top - 1, frame.right + 1, frame.bottom + 1};
    }
  } else {
    c.canvas.FillRect(l.layoutRect, Rgb(128, 128, 255));
  }
}

std::string StepCounterText(const History& history) {
  std::string text;
  if (history.Browsing()) {
    text = " Schritt ";
    AppendGroupedDecimal(text, history.StepIndex() + 1);
    text += " / ";
    AppendGroupedDecimal(text, history.StepCount());
  } else {
    text = "Bisher ";
    AppendGroupedDecimal(text, history.StepCount());
    text += history.StepCount() == 1 ? " Schritt" : " Schritte";
  }
  return text;
}

void PaintTitleLine(const PaintContext& c) {
  const WindowLayout& l = c.layout;
  c.canvas.SelectFont(SystemFont());
  const int y = l.layoutRect.top + (l.boardTop - l.layoutRect.top - l.systemCharSize.height) / 2;
  c.canvas.DrawText(l.boardLeft + kThickLine, y, StatisticsTitle(c.program.state), Rgb(0, 0, 96));
  c.canvas.DrawText(l.boardRight + kThickLine + 10, y, StepCounterText(c.program.history), Rgb(0, 0, 128));
}

void PaintWaitNotice(const PaintContext& c) {
  if (!c.program.state.Has(status::kBusySolving | status::kBusyGenerating)) return;
  const WindowLayout& l = c.layout;
  const char* text = "Bitte einen Moment warten!";
  c.canvas.SelectFont(c.fonts.big);
  const Size size = c.canvas.MeasureText(text);
  const int width = size.width + 10, height = size.height + 10;
  const int left = l.boardLeft + (l.boardSize - width) / 2;
  const int top = l.boardTop + (l.boardSize - size.height) / 4;
  const Rect box{left, top, left + width, top + height};
  c.canvas.FillRect(box, Rgb(255, 128, 0));
  c.canvas.FrameRect(box, kBlack);
  DrawCentredText(c.canvas, box, text, Rgb(0, 0, 255));
}

void PaintNotice(const PaintContext& c) {
  const GameState& s = c.program.state;
  if ((s.noticeTicks & notice::kOnScreen) == 0) return;
  const WindowLayout& l = c.layout;
  c.canvas.SelectFont(c.fonts.small);
  const Rect measured = c.canvas.DrawWrappedText({0, 0, l.clientWidth, l.clientHeight}, s.noticeText, {}, true);
  const int left = (l.clientWidth - measured.Width()) / 2, top = (l.clientHeight - measured.Height()) / 2;
  DrawNoticeBox(c.canvas, {left, top, left + measured.Width(), top + measured.Height()}, s.noticeText);
}

}  // namespace

void DrawCentredText(Canvas& canvas, const Rect& r, std::string_view text, Color color) {
  const Size size = canvas.MeasureText(text);
  canvas.DrawText(r.left + (r.Width() - size.width) / 2, r.top + (r.Height() - size.height) / 2, text, color);
}

void DrawNoticeBox(Canvas& canvas, const Rect& t, std::string_view text) {
  const Rect box{t.left - 3, t.top - 2, t.right + 3, t.bottom + 2};
  canvas.FillRect(box, Rgb(255, 255, 128));
  canvas.FrameRect(box, kBlack);
  canvas.FrameRect({box.left - 1, box.top - 1, box.right + 1, box.bottom + 1}, kBlack);
  canvas.DrawWrappedText(t, text, Rgb(0, 0, 255), false);
}

WindowLayout LayOutMainWindow(Canvas& canvas, Program& program, const UiFonts& fonts) {
  WindowLayout layout = ComputeLayout(canvas, fonts, canvas.Width(), canvas.Height(), program.fields);
  if (program.pictures.assign.Active() && program.settings.IsPictureSet()) {
    LayOutPictureAssignMode(canvas, program, fonts, layout);
  }
  PrepareDigitBitmaps(program, layout);
  return layout;
}

void PaintMainWindow(Canvas& canvas, const Program& program, const MainWindowState& window, const UiFonts& fonts,
                     const WindowLayout& layout) {
  const PaintContext c{canvas, program, window, fonts, layout};
  if (program.pictures.assign.Active() && program.settings.IsPictureSet()) {
    PaintPictureAssignMode(c);
    PaintNotice(c);
    return;
  }
  PaintBackground(c);
  PaintTitleLine(c);
  PaintBoard(c);
  PaintFunctionFields(c);
  PaintDigitBlock(c);
  PaintAmbiguityBadge(c);
  PaintCounterStrip(c);
  PaintStatistics(c);
  DrawFieldPopup(c);
  PaintWaitNotice(c);
  PaintLargePicture(c, 0, 0);
  PaintNotice(c);
}

}  // namespace kx
