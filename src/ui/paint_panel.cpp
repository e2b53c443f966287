#include <vector>

#include "game/symbol_sets.h"
#include "game/statistics.h"
#include "text/text_format.h"
#include "ui/paint.h"
#include "ui/paint_pictures.h"

namespace kx {

namespace {

Rect Inset(const Rect& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

// Green through yellow to red, column by column.
void PaintSliderRamp(Canvas& canvas, const Rect& r) {
  const int width = r.Width(), height = r.Height();
  const int half = std::max(1, (width * height) / 2);
  const int stride = (width * 3 + 3) & ~3;
  std::vector<uint8_t> pixels(static_cast<size_t>(stride) * height);
  int n = 0;
  for (int x = 0; x < width; ++x) {
    if (x == width / 2) n = 0;
    for (int y = 0; y < height; ++y, ++n) {
      const int ramp = std::min(255, n * 256 / half);
      const uint8_t red = x < width / 2 ? static_cast<uint8_t>(ramp) : 255;
      const uint8_t green = x < width / 2 ? 255 : static_cast<uint8_t>(std::max(0, 255 - ramp));
      uint8_t* p = &pixels[static_cast<size_t>(y) * stride + 3 * x];
      p[0] = 0;
      p[1] = green;
      p[2] = red;
    }
  }
  canvas.DrawImage({width, height, stride, false, pixels.data()}, r, BlitMode::Copy);
}

bool BlinksRed(unsigned blinkPhase) { return (blinkPhase & 1) == 0; }

}  // namespace

void PaintFunctionFields(const PaintContext& c) {
  const Program& p = c.program;
  c.canvas.SelectFont(c.fonts.small);
  for (int i = 0; i < p.fields.Count(); ++i) {
    const FunctionField& f = p.fields[i];
    const Rect r = c.layout.FieldRect(p.fields, i);
    if (r.Width() <= 0 || r.Height() <= 0) continue;  // parked below the layout
    const bool focused = f.commandId == c.window.interaction.focusCommand;
    const bool hovered = i == c.window.interaction.hoverField;
    c.canvas.FrameRect(r, kBlack);
    if (f.commandId == command::kSlider) {
      PaintSliderRamp(c.canvas, r);
      c.canvas.FrameRect(r, kBlack);
      if (focused) {
        c.canvas.FrameRect(Inset(r, -1), kBlack);
        c.canvas.FrameRect(Inset(r, -2), kBlack);
      }
    } else if (focused) {
      c.canvas.FillRect(r, hovered ? Rgb(240, 240, 208) : Rgb(224, 224, 192));
      c.canvas.FrameRect(r, kBlack);
      c.canvas.FrameRect(Inset(r, 1), kBlack);
    } else {
      c.canvas.FillRect(r, hovered ? Rgb(224, 224, 224) : Rgb(192, 192, 192));
      c.canvas.FrameRect(r, kBlack);
    }
    DrawCentredText(c.canvas, r, f.label, f.isTitle ? Rgb(255, 0, 0) : kBlack);
  }
}

void PaintDigitBlock(const PaintContext& c) {
  const WindowLayout& l = c.layout;
  const char* symbols = SymbolText(c.program.settings.SymbolSet());
  const int hovered = c.window.interaction.hoverDigitKey;
  c.canvas.SelectFont(SystemFont());
  for (int k = 0; k < 10; ++k) {
    if (k == 9) c.canvas.SelectFont(c.fonts.smallBold);
    const Rect& r = l.digitKeys[k];
    c.canvas.FillRect(r, k == hovered ? Rgb(192, 192, 0) : Rgb(255, 255, 0));
    c.canvas.FrameRect(r, kBlack);
    DrawCentredText(c.canvas, r, k == 9 ? std::string_view("Entfernen") : std::string_view(symbols + k, 1), kBlack);
  }
  PaintHoveredDigitPicture(c);
}

void PaintAmbiguityBadge(const PaintContext& c) {
  const Program& p = c.program;
  const bool contradiction = p.state.checkDifficulty == -1;
  if (!contradiction && p.solver.SolutionCount() <= 1) return;
  const char* text = contradiction ? "Widersprüche" : "Spiel mehrdeutig";
  const WindowLayout& l = c.layout;
  c.canvas.SelectFont(c.fonts.smallBold);
  const Size size = c.canvas.MeasureText(text);
  const int width = size.width + 10, height = size.height + 4;
  const int left = l.digitInner.right + (l.layoutRect.right - 15 - l.digitInner.right - width) / 2;
  const Rect badge{left, l.digitFrame.top, left + width, l.digitFrame.top + height};
  const bool red = BlinksRed(c.window.blinkPhase);
  c.canvas.FillRect(badge, red ? Rgb(255, 0, 0) : Rgb(255, 192, 192));
  c.canvas.DrawText(badge.left + 5, badge.top + 2, text, red ? Rgb(255, 255, 255) : Rgb(255, 0, 0));
  c.canvas.FrameRect(badge, kBlack);
}

void PaintCounterStrip(const PaintContext& c) {
  const WindowLayout& l = c.layout;
  const Rect& strip = l.strip;
  const GameState& s = c.program.state;
  int counts[10] = {};
  for (CellWord w : s.currentBoard) {
    const int d = DigitOf(w);
    if (d > 0) ++counts[d];
  }
  c.canvas.SelectFont(l.stripUsesSmall ? c.fonts.small : c.fonts.smallBold);
  c.canvas.FillRect(strip, Rgb(192, 192, 255));
  c.canvas.FrameRect(strip, kBlack);
  c.canvas.FrameRect(Inset(strip, 1), kBlack);
  c.canvas.DrawLine(strip.left, l.stripSplitY, strip.right, l.stripSplitY, 1, kBlack);
  const char* symbols = SymbolText(c.program.settings.SymbolSet());
  const int h = l.stripTextHeight;
  const bool red = BlinksRed(c.window.blinkPhase);
  for (int k = 0; k < 9; ++k) {
    const int x = strip.left + k * l.stripStep;
    c.canvas.DrawText(x + l.stripStep / 4, strip.top + h / 4, std::string_view(symbols + k, 1), Rgb(128, 64, 32));
    const int count = counts[k + 1];
    const int lowerY = strip.top + (5 * h) / 4;
    if (count <= 9) {
      // How many of this digit are still missing.
      const char left = count == 9 ? '-' : static_cast<char>('9' - count);
      c.canvas.DrawText(x + l.stripStep / 4, lowerY, std::string_view(&left, 1), kBlack);
    } else {
      // Placed too often: blinks.
      const std::string text = count >= 19 ? "X" : std::string(1, static_cast<char>('0' + count - 9));
      c.canvas.FillRect({x, l.stripSplitY + 1, x + l.stripStep, strip.bottom - 2}, red ? Rgb(255, 0, 0) : Rgb(255, 192, 192));
      c.canvas.DrawText(x + l.stripStep / 4, lowerY, text, red ? Rgb(255, 255, 255) : Rgb(255, 0, 0));
    }
    c.canvas.DrawLine(x, strip.top, x, strip.bottom, 1, kBlack);
  }
}

void PaintStatistics(const PaintContext& c) {
  const WindowLayout& l = c.layout;
  static constexpr Color kBackground[10] = {
      Rgb(192, 192, 192), Rgb(192, 192, 192), Rgb(192, 192, 192), Rgb(192, 192, 192), Rgb(192, 192, 192),
      Rgb(192, 192, 192), Rgb(192, 192, 192), Rgb(192, 192, 192), Rgb(192, 192, 192), Rgb(128, 32, 32)};
  static constexpr Color kValue[10] = {kBlack,          kBlack,          Rgb(255, 0, 0),     kBlack,
                                       Rgb(0, 0, 255),  Rgb(128, 128, 0), kBlack,            Rgb(0, 255, 255),
                                       Rgb(0, 0, 127),  Rgb(255, 255, 255)};
  c.canvas.SelectFont(l.stripUsesSmall ? c.fonts.small : c.fonts.smallBold);
  const std::vector<StatisticsRow> rows = StatisticsRows(c.program.state);
  int shown = 0;
  for (size_t i = 0; i < rows.size() && shown < l.statisticsRows; ++i) {
    // The play time always shows, even at 0 seconds.
    if (rows[i].value == 0 && !rows[i].isTime) continue;
    const int top = l.statistics.top + shown * l.statisticsRowHeight;
    const Rect r{l.statistics.left, top + 1, l.statistics.right, top + l.statisticsRowHeight - 1};
    c.canvas.FillRect(r, kBackground[i]);
    c.canvas.FrameRect(r, kBlack);
    const Color label = i == 9 ? Rgb(255, 255, 255) : kBlack;
    const int textTop = r.top + (r.Height() - l.stripTextHeight) / 2;
    c.canvas.DrawText(r.left + 5, textTop, rows[i].label, label);
    std::string value;
    if (rows[i].isTime) {
      const int32_t t = rows[i].value;
      value = std::to_string(t / 3600) + ":";
      AppendDecimal(value, t / 60 % 60, 2);
      value += ":";
      AppendDecimal(value, t % 60, 2);
    } else {
      AppendGroupedDecimal(value, rows[i].value < 0 ? 2147483647 : rows[i].value);
    }
    c.canvas.DrawText(r.right - 5 - c.canvas.MeasureText(value).width, textTop, value, kValue[i]);
    ++shown;
  }
}

}  // namespace kx
