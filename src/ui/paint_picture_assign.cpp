#include "game/symbol_sets.h"
#include "ui/paint_pictures.h"

namespace kx {

namespace {

// The crop outline changes colour with the blink phase so that it shows
// on any picture.
Color BlinkOutline(Color c, unsigned phase) {
  switch (phase % 16) {
    case 1: return Rgb(c.r, c.g, 0);
    case 3: return Rgb(c.r, c.g, 255);
    case 5: return Rgb(c.r, 0, c.b);
    case 7: return Rgb(c.r, 255, c.b);
    case 9: return Rgb(0, c.g, c.b);
    case 11: return Rgb(255, c.g, c.b);
    case 13: return Rgb(0, 0, c.b);
    case 15: return Rgb(255, 255, c.b);
    default: return Rgb(255 - c.r, 255 - c.g, 255 - c.b);
  }
}

void DrawCropOutline(Canvas& canvas, const Rect& r, unsigned phase) {
  auto change = [&](const Rect& line) {
    ChangePixels(canvas, line, [phase](Color c) { return BlinkOutline(c, phase); });
  };
  change({r.left, r.top, r.right, r.top + 1});
  if (r.bottom != r.top) change({r.left, r.bottom, r.right, r.bottom + 1});
  change({r.left, r.top + 1, r.left + 1, r.bottom});
  if (r.right != r.left) change({r.right, r.top + 1, r.right + 1, r.bottom});
}

void FrameTwice(Canvas& canvas, const Rect& r, Color colour) {
  canvas.FrameRect({r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}, colour);
  canvas.FrameRect({r.left - 2, r.top - 2, r.right + 2, r.bottom + 2}, colour);
}

}  // namespace

namespace {

// The nine pictures stand in a column right of their symbols.
int PictureColumn(const WindowLayout& l) { return l.bigCharSize.width + 10; }

Rect PictureSquare(const WindowLayout& l, int i) {
  const int size = l.cellSize, gap = (l.clientHeight - 9 * size) / 10, column = PictureColumn(l);
  return {column, gap + i * (size + gap), column + size, gap + i * (size + gap) + size};
}

}  // namespace

void LayOutPictureAssignMode(Canvas& canvas, Program& p, const UiFonts& fonts, WindowLayout& l) {
  for (Rect& r : l.cells) r = {-1, -1, -1, -1};
  for (Rect& r : l.digitKeys) r = {-1, -1, -1, -1};
  l.digitFrame = l.digitInner = {-1, -1, -1, -1};
  for (int i = 0; i < 9; ++i) {
    const Rect r = PictureSquare(l, i);
    l.cells[i] = {r.left - l.bigCharSize.width, r.top, r.right, r.bottom};
  }

  // The three fields of this mode in one row at the top.
  p.fields.Clear();
  l.fieldRects.clear();
  canvas.SelectFont(fonts.small);
  int x = PictureColumn(l) + l.cellSize + 10;
  const int fieldTop = 5;
  int fieldBottom = fieldTop;
  for (int id : {command::kChoosePictureSource, command::kAssignPicture, command::kEndPictureAssignment}) {
    const std::string label = FieldLabel(id, p.settings);
    p.fields.AddFunctionField(label, false, nullptr, id);
    const Size text = canvas.MeasureText(label);
    const Rect r{x, fieldTop, x + text.width + 10, fieldTop + text.height + 4};
    l.fieldRects.push_back(r);
    x = r.right + 10;
    fieldBottom = r.bottom;
  }
  l.fieldsGeneration = p.fields.Generation();

  const Rect area{PictureColumn(l) + l.cellSize + 10, fieldBottom + 5, l.clientWidth - 5, l.clientHeight - 5};
  LoadSourcePicture(p, area);
  PictureAssignState& a = p.pictures.assign;
  if (!a.shownPicture.pixels.empty() && a.cropState == CropState::WholePicture) a.cropRect = a.shownRect;
}

void PaintPictureAssignMode(const PaintContext& c) {
  const Program& p = c.program;
  const WindowLayout& l = c.layout;
  Canvas& canvas = c.canvas;
  canvas.FillRect({0, 0, l.clientWidth, l.clientHeight}, Rgb(128, 128, 255));

  const DigitBitmaps* bitmaps = DigitBitmapsFor(c);
  const char* symbols = SymbolText(p.settings.SymbolSet());
  canvas.SelectFont(c.fonts.big);
  for (int i = 0; i < 9; ++i) {
    const Rect r = PictureSquare(l, i);
    if (bitmaps) {
      const DigitBitmap& b = bitmaps->digits[i];
      canvas.DrawImage({b.header.width, b.header.height, static_cast<int>(BitmapStride(b.header.width, 24)), true,
                        b.Variant(0)},
                       r, BlitMode::Copy);
    }
    const Color colour = i == p.state.selectedCell ? Rgb(255, 255, 0) : Rgb(96, 96, 224);
    FrameTwice(canvas, r, colour);
    canvas.DrawText(r.left - l.bigCharSize.width - 3, r.top + (l.cellSize - l.bigCharSize.height) / 2,
                    std::string_view(symbols + i, 1), colour);
  }

  canvas.SelectFont(c.fonts.small);
  for (int i = 0; i < p.fields.Count(); ++i) {
    const FunctionField& f = p.fields[i];
    const Rect r = l.FieldRect(p.fields, i);
    const bool hovered = c.window.interaction.hoverField == i;
    canvas.FillRect(r, hovered ? Rgb(240, 240, 208) : Rgb(224, 224, 192));
    canvas.FrameRect(r, kBlack);
    canvas.DrawText(r.left + 5, r.top + 2, f.label, kBlack);
  }

  const PictureAssignState& a = p.pictures.assign;
  if (!a.shownPicture.pixels.empty()) {
    DrawDib(canvas, a.shownPicture, a.shownRect.left, a.shownRect.top);
    FrameTwice(canvas, a.shownRect, kBlack);
    if (a.UserCrop()) {
      Rect r = a.cropRect;
      if (r.left > r.right) std::swap(r.left, r.right);
      if (r.top > r.bottom) std::swap(r.top, r.bottom);
      DrawCropOutline(canvas, r, c.window.blinkPhase);
    }
  }
  PaintLargePicture(c, PictureColumn(l) + l.cellSize + 10, 0);
}

}  // namespace kx
