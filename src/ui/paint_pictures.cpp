#include <algorithm>

#include "game/symbol_sets.h"
#include "ui/paint.h"
#include "ui/paint_pictures.h"

namespace kx {

namespace {

ImageView ViewOf(const DigitBitmap& b, int variant) {
  return {b.header.width, b.header.height, static_cast<int>(BitmapStride(b.header.width, 24)), true,
          b.Variant(variant)};
}

// The symbol character XORed over a picture, so that it shows on any
// picture: grey on black, drawn once onto the canvas and read back. The
// letters' blended edges are reduced to the grey or black first; XORed,
// any shade between them would leave coloured fringes.
void XorDigitCharacter(const PaintContext& c, int x, int y, std::string_view symbol) {
  const Size size = c.layout.bigCharSize;
  const Rect box{x, y, x + size.width, y + size.height};
  const PixelBlock under = c.canvas.ReadPixels(box);
  c.canvas.FillRect(box, kBlack);
  c.canvas.SelectFont(c.fonts.big);
  c.canvas.DrawText(x, y, symbol, Rgb(128, 128, 128));
  PixelBlock mixed = c.canvas.ReadPixels(box);
  for (size_t i = 0; i < mixed.pixels.size(); ++i) {
    const Color drawn = mixed.pixels[i], b = under.pixels[i];
    const uint8_t mask = std::max({drawn.r, drawn.g, drawn.b}) >= 64 ? 128 : 0;
    mixed.pixels[i] = Rgb(mask ^ b.r, mask ^ b.g, mask ^ b.b);
  }
  c.canvas.WritePixels(box, mixed);
}

ImageView DibView(const Dib& dib) {
  return {dib.header.width, dib.header.height, static_cast<int>(BitmapStride(dib.header.width, 24)), true,
          dib.pixels.data()};
}

}  // namespace

Size DigitPictureSize(const WindowLayout& l, bool rowsShown) {
  if (!rowsShown) return {l.cellSize, l.cellSize};
  const int ph = l.cellSize - l.textHeight;
  return {(1000 * ph) / l.cellSize * l.cellSize / 1000 + 1, ph};
}

Size FrameDigitPictureSize(const Program& p, const WindowLayout& l) {
  if (p.pictures.assign.Active()) return {l.cellSize, l.cellSize};
  return DigitPictureSize(l, !p.settings.HideCandidateRows());
}

void PrepareDigitBitmaps(Program& p, const WindowLayout& l) {
  const Size size = FrameDigitPictureSize(p, l);
  if (!p.settings.IsPictureSet() || size.width <= 0 || size.height <= 0) return;
  DigitBitmaps& bitmaps = p.pictures.digitBitmaps;
  const int set = p.settings.SymbolSet() - 4;
  // Scaled from their files straight to the screen's pixels, so that a
  // dense screen shows them as sharp as it can.
  const int width = l.DevicePixels(size.width), height = l.DevicePixels(size.height);
  if (!bitmaps.Matches(set, width, height)) BuildDigitBitmaps(bitmaps, set, width, height);
}

const DigitBitmaps* DigitBitmapsFor(const PaintContext& c) {
  const Program& p = c.program;
  const Size size = FrameDigitPictureSize(p, c.layout);
  const DigitBitmaps& bitmaps = p.pictures.digitBitmaps;
  const bool prepared = p.settings.IsPictureSet() && size.width > 0 && size.height > 0 &&
                        bitmaps.Matches(p.settings.SymbolSet() - 4, c.layout.DevicePixels(size.width),
                                        c.layout.DevicePixels(size.height));
  return prepared ? &bitmaps : nullptr;
}

void PaintPictureDigit(const PaintContext& c, const Rect& square, int digit, int variant, std::string_view symbol,
                       Color originColour) {
  const bool rowsShown = !c.program.settings.HideCandidateRows();
  const Size size = DigitPictureSize(c.layout, rowsShown);
  const DigitBitmaps* bitmaps = DigitBitmapsFor(c);
  if (!bitmaps) return;
  c.canvas.DrawImage(ViewOf(bitmaps->digits[digit - 1], variant),
                     {square.left, square.top, square.left + size.width, square.top + size.height}, BlitMode::Copy);
  const WindowLayout& l = c.layout;
  if (rowsShown) {
    c.canvas.SelectFont(c.fonts.small);
    DrawCentredText(c.canvas, {square.left + size.width, square.top, square.right, square.top + size.height}, symbol,
                    originColour);
  } else if (variant != 0) {
    XorDigitCharacter(c, square.left + (l.cellSize - l.bigCharSize.width) / 2,
                      square.top + (l.cellSize - l.bigCharSize.height) / 2, symbol);
  }
}

void PaintHoveredDigitPicture(const PaintContext& c) {
  const int key = c.window.interaction.hoverDigitKey;
  if (key < 0 || key > 8) return;
  const Size size = DigitPictureSize(c.layout, !c.program.settings.HideCandidateRows());
  const DigitBitmaps* bitmaps = DigitBitmapsFor(c);
  if (!bitmaps) return;
  const int left = c.layout.digitInner.right + 5, top = c.layout.digitInner.top + 1;
  const Rect r{left, top, left + size.width, top + size.height};
  c.canvas.DrawImage(ViewOf(bitmaps->digits[key], 0), r, BlitMode::Copy);
  c.canvas.FrameRect({r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}, kBlack);
}

void PaintLargePicture(const PaintContext& c, int left, int top) {
  const SymbolPictures& pictures = c.program.pictures;
  const Dib& picture = pictures.largePicture;
  if (!c.program.settings.IsPictureSet() || pictures.largePictureIndex < 0 || pictures.largePictureIndex > 80 ||
      picture.pixels.empty()) {
    return;
  }
  // Loaded in the device's pixels: shown at its size in layout pixels.
  const double ratio = c.layout.pixelRatio;
  const Rect r{left, top, left + static_cast<int>(picture.header.width / ratio + 0.5),
               top + static_cast<int>(picture.header.height / ratio + 0.5)};
  c.canvas.DrawImage(DibView(picture), r, BlitMode::Copy);
}

void DrawDib(Canvas& canvas, const Dib& dib, int left, int top) {
  canvas.DrawImage(DibView(dib), {left, top, left + dib.header.width, top + dib.header.height}, BlitMode::Copy);
}

}  // namespace kx
