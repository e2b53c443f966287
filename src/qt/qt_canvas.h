#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <map>
#include <memory>

#include "platform/canvas.h"

namespace kx {

// A Qt font with the character cell the program asked for.
struct MappedFont {
  QFont font;
  int height = 0;  // the described cell height, as Windows reports it
  int ascent = 0;  // baseline below the cell's top
};

// Maps a font description to a Qt font: the family by pitch and family
// (swiss and default: Liberation Sans, roman: Liberation Serif, fixed or
// modern: Liberation Mono) and the largest pixel size whose ascent and
// descent fit the described cell height. Windows gives a font exactly the
// cell height asked for; where Qt's rounding leaves rows over, they become
// leading above the glyphs, so the layout gets the height it asked for.
class FontMapper {
 public:
  const MappedFont& FontFor(const FontSpec& spec);

 private:
  struct Key {
    FontSpec spec;
    bool operator<(const Key& o) const;
  };
  std::map<Key, MappedFont> cache_;
};
FontMapper& SharedFontMapper();

// The canvas over an image in memory; the screen, the tests and the
// printouts all paint through it. An image with a device pixel ratio
// (QImage::setDevicePixelRatio) is painted in its logical pixels.
class QtCanvas : public Canvas {
 public:
  explicit QtCanvas(QImage* image);
  // Over a painter of another device (a printer page): pixels read back white.
  QtCanvas(QPainter* painter, int width, int height);
  ~QtCanvas() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  double PixelRatio() const override { return ratio_; }
  void FillRect(const Rect& rect, Color color) override;
  void FrameRect(const Rect& rect, Color color) override;
  void DrawLine(int x1, int y1, int x2, int y2, int width, Color color) override;
  void SetPixel(int x, int y, Color color) override;
  Color GetPixel(int x, int y) const override;
  PixelBlock ReadPixels(const Rect& rect) const override;
  void WritePixels(const Rect& rect, const PixelBlock& block) override;
  void SelectFont(const FontSpec& spec) override;
  FontMetrics Metrics() override;
  Size MeasureText(std::string_view text) override;
  int FitCount(std::string_view text, int maxWidth) override;
  void DrawText(int x, int y, std::string_view text, Color color, std::optional<Color> background) override;
  Rect DrawWrappedText(const Rect& rect, std::string_view text, Color color, bool calcOnly) override;
  void DrawImage(const ImageView& image, const Rect& dest, BlitMode mode) override;

  QImage& image() { return *image_; }

 private:
  // The device pixels a canvas rectangle covers (those whose centres lie
  // inside it, as the painter fills them).
  QRect DeviceRect(const Rect& rect) const;

  QImage* image_;
  std::unique_ptr<QPainter> ownPainter_;
  QPainter* painter_;
  int width_ = 0, height_ = 0;
  double ratio_ = 1.0;
  MappedFont font_;
};

}  // namespace kx
