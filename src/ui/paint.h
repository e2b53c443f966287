#pragma once

#include "game/program.h"
#include "platform/canvas.h"
#include "ui/fonts.h"
#include "ui/layout.h"
#include "ui/main_window_state.h"

namespace kx {

// Everything one paint of the main window reads.
struct PaintContext {
  Canvas& canvas;
  const Program& program;
  const MainWindowState& window;
  const UiFonts& fonts;
  const WindowLayout& layout;
};

// Works out everything a frame shows before it is drawn: the geometry for
// the canvas's size with the field rectangles input hit-tests, the picture
// assignment's fields, source picture and crop, and the digit pictures at
// the frame's size.
WindowLayout LayOutMainWindow(Canvas& canvas, Program& program, const UiFonts& fonts);

// Draws the whole client area from that layout; it changes nothing else.
void PaintMainWindow(Canvas& canvas, const Program& program, const MainWindowState& window, const UiFonts& fonts,
                     const WindowLayout& layout);

// The parts of a paint, in the order they are drawn.
void PaintBoard(const PaintContext& c);
void PaintFunctionFields(const PaintContext& c);
void PaintDigitBlock(const PaintContext& c);
void PaintAmbiguityBadge(const PaintContext& c);
void PaintCounterStrip(const PaintContext& c);
void PaintStatistics(const PaintContext& c);
void DrawFieldPopup(const PaintContext& c);

// Whether the pop-up of a field is due (hovered, armed and counted).
bool PopupVisible(const Program& p, const MainWindowState& w);

// Writes text centred in a rectangle with the selected font.
void DrawCentredText(Canvas& canvas, const Rect& r, std::string_view text, Color color);
// A notice box: pale yellow, framed twice, word-wrapped blue text.
void DrawNoticeBox(Canvas& canvas, const Rect& textBox, std::string_view text);

}  // namespace kx
