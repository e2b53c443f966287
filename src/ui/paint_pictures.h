#pragma once

#include "ui/paint.h"

namespace kx {

// The size of a digit picture in a board cell: the whole cell without the
// candidate row, else the digit area less a strip for the symbol.
Size DigitPictureSize(const WindowLayout& l, bool rowsShown);

// The size the frame's digit pictures have: a board cell's picture, or the
// whole cell in the picture assignment.
Size FrameDigitPictureSize(const Program& p, const WindowLayout& l);
// Builds the active picture set's digit pictures at that size in the
// screen's pixels, unless they are there already (nothing in a text set).
void PrepareDigitBitmaps(Program& p, const WindowLayout& l);
// The prepared digit pictures, or null in a text set.
const DigitBitmaps* DigitBitmapsFor(const PaintContext& c);

// One board cell's picture: variant 0 plain, 1 brighter, 2 darker.
void PaintPictureDigit(const PaintContext& c, const Rect& square, int digit, int variant, std::string_view symbol,
                       Color originColour);
// The hovered digit-block square's picture right of the block.
void PaintHoveredDigitPicture(const PaintContext& c);
// The right button's full-size picture.
void PaintLargePicture(const PaintContext& c, int left, int top);
void DrawDib(Canvas& canvas, const Dib& dib, int left, int top);

// The arrangement of the picture assignment, shown instead of the game: the
// layout's cells become the nine pictures, its fields the mode's three, and
// the source picture is fitted into the space beside them.
void LayOutPictureAssignMode(Canvas& canvas, Program& p, const UiFonts& fonts, WindowLayout& layout);
void PaintPictureAssignMode(const PaintContext& c);

}  // namespace kx
