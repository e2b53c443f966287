#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"

namespace kx {

struct Color {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Color&) const = default;
};
constexpr Color Rgb(int r, int g, int b) {
  return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}
inline constexpr Color kBlack = Rgb(0, 0, 0);

struct Size {
  int width = 0, height = 0;
  bool operator==(const Size&) const = default;
};

// Pitch-and-family byte values of a font description.
namespace font {
inline constexpr int kDefaultPitch = 0x00, kFixedPitch = 0x01, kVariablePitch = 0x02;
inline constexpr int kRoman = 0x10, kSwiss = 0x20, kModern = 0x30, kScript = 0x40, kDecorative = 0x50;
}  // namespace font

// A font as the program describes it: the cell height in pixels (ascent
// plus descent), the average character width (0 = natural), the weight
// (400 normal, 700 bold), underline and the pitch-and-family byte.
struct FontSpec {
  int height = 16;
  int width = 0;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  int pitchAndFamily = font::kSwiss;
  std::string face;
  bool operator==(const FontSpec&) const = default;
};

// The font the program uses where a window's default font would be.
FontSpec SystemFont();

struct FontMetrics {
  int height = 0, ascent = 0, descent = 0;
};

// A 24-bit picture in memory: rows of blue, green, red bytes, each row
// padded to `stride` bytes. With `bottomUp` the first row in memory is the
// picture's bottom row, as in device-independent bitmaps.
struct ImageView {
  int width = 0, height = 0;
  int stride = 0;
  bool bottomUp = true;
  const uint8_t* bgr = nullptr;
};

enum class BlitMode { Copy, Xor };

// The pixels under a rectangle at the device's own resolution, row by row:
// on a screen of double density a rectangle has four times as many.
struct PixelBlock {
  int width = 0, height = 0;
  std::vector<Color> pixels;
};

// The drawing surface of one paint, with the semantics the layout relies
// on: rectangles exclude their right and bottom edges, a 1-pixel frame lies
// inside its rectangle, and shapes are drawn without anti-aliasing. Text
// is anti-aliased: the edges of its letters blend the text colour with
// what lies beneath, so a caller that needs two-colour text (an XOR mask)
// must reduce it to two colours itself. Text is UTF-8.
class Canvas {
 public:
  virtual ~Canvas() = default;

  // The size in canvas pixels, which are logical pixels of a 96-dpi screen.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Device pixels per canvas pixel: 2 on a screen of double density, where
  // text, lines and pictures are drawn at the device's resolution. Pixel
  // reads and writes address canvas pixels all the same.
  virtual double PixelRatio() const { return 1.0; }

  virtual void FillRect(const Rect& rect, Color color) = 0;
  virtual void FrameRect(const Rect& rect, Color color) = 0;
  // A solid pen of `width` from (x1, y1) to (x2, y2). A 1-pixel line
  // leaves out its end point; a wider horizontal or vertical line is the
  // band of `width` pixels starting width/2 above (or left of) the line.
  virtual void DrawLine(int x1, int y1, int x2, int y2, int width, Color color) = 0;
  virtual void SetPixel(int x, int y, Color color) = 0;
  virtual Color GetPixel(int x, int y) const = 0;
  // Effects that work pixel by pixel (XOR masks, inverted frames) read and
  // write whole blocks, so they keep the device's resolution. Pixels outside
  // the canvas read as black and are not written. The base class works per
  // canvas pixel through GetPixel and SetPixel.
  virtual PixelBlock ReadPixels(const Rect& rect) const;
  virtual void WritePixels(const Rect& rect, const PixelBlock& block);

  virtual void SelectFont(const FontSpec& spec) = 0;
  virtual FontMetrics Metrics() = 0;
  virtual Size MeasureText(std::string_view text) = 0;
  // How many characters (code points) of the text fit into maxWidth.
  virtual int FitCount(std::string_view text, int maxWidth) = 0;
  // Text with its cell's top-left at (x, y); with a background the cells
  // are filled first (opaque), else the text is drawn transparently.
  virtual void DrawText(int x, int y, std::string_view text, Color color,
                        std::optional<Color> background = std::nullopt) = 0;
  // Word-wrapped text in the rectangle, lines broken at blanks and at "\n".
  // With calcOnly nothing is drawn; either way the result is the rectangle
  // the text takes (left and top kept, width of the widest line, height of
  // all lines). Drawn text is clipped to the rectangle.
  virtual Rect DrawWrappedText(const Rect& rect, std::string_view text, Color color, bool calcOnly) = 0;

  // Draws a picture into dest, scaled when sizes differ.
  virtual void DrawImage(const ImageView& image, const Rect& dest, BlitMode mode) = 0;
};

// Replaces every device pixel of the rectangle by change(pixel).
template <class Change>
void ChangePixels(Canvas& canvas, const Rect& rect, Change change) {
  PixelBlock block = canvas.ReadPixels(rect);
  for (Color& c : block.pixels) c = change(c);
  canvas.WritePixels(rect, block);
}

}  // namespace kx
