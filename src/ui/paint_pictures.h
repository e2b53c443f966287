#pragma once

#include "ui/paint.h"

namespace kx {

// The size of a digit picture in a board cell: the whole cell without the
// candidate row, else the digit area less a strip for the symbol.
Size DigitPictureSize(const WindowLayout& l, bool rowsShown);

// The digit pictures at that size for the active picture set, built when
// missing or of another size; null in a text set.
const DigitBitmaps* DigitBitmapsFor(const PaintContext& c, Size size);

// One board cell's picture: variant 0 plain, 1 brighter, 2 darker.
void PaintPictureDigit(const PaintContext& c, const Rect& square, int digit, int variant, std::string_view symbol,
                       Color originColour);
// The hovered digit-block square's picture right of the block.
void PaintHoveredDigitPicture(const PaintContext& c);
// The right button's full-size picture.
void PaintLargePicture(const PaintContext& c, int left, int top);
void DrawDib(Canvas& canvas, const Dib& dib, int left, int top);

// The arrangement of the picture assignment, drawn instead of the game;
// `layout` is the paint's own (c.layout), whose cells become the pictures.
void PaintPictureAssignMode(const PaintContext& c, WindowLayout& layout);

}  // namespace kx
