#include "help/help_picture.h"

#include <algorithm>
#include <cmath>

#include "pictures/bmp_file.h"
#include "pictures/dib_scale.h"

namespace kx {

bool LoadHelpPicture(const char* name, Dib* image) {
  if (!name || ReadBmpFile(name, image) != 0) return false;
  return image->header.width > 0 && image->header.height > 0;
}

Size HelpPictureSize(const Dib& image, const Rect& box, uint32_t scaling) {
  const double aspect = static_cast<double>(image.header.width) / image.header.height;
  int width = box.Width(), height = box.Height();
  auto heightOf = [&](int w) { return std::max(1, static_cast<int>(std::lround(w / aspect))); };
  auto widthOf = [&](int h) { return std::max(1, static_cast<int>(std::lround(h * aspect))); };
  switch (scaling) {
    case 1: height = heightOf(width); break;
    case 2: width = widthOf(height); break;
    case 3:
      if (aspect > static_cast<double>(box.Width()) / box.Height()) {
        height = heightOf(width);
      } else {
        width = widthOf(height);
      }
      break;
    default: break;  // stretched to the box
  }
  return {width, height};
}

Rect DrawHelpPicture(Canvas& canvas, const Dib& image, const Rect& box, uint32_t scaling, bool centreH, bool centreV) {
  if (box.Width() <= 0 || box.Height() <= 0 || image.header.width <= 0 || image.header.height <= 0) return {};
  const Size size = HelpPictureSize(image, box, scaling);
  // A help page never needs a picture larger than a screen.
  if (static_cast<int64_t>(size.width) * size.height > 16'000'000) return {};
  Dib scaled;
  scaled.header = MakeHeader24(size.width, size.height);
  scaled.pixels.assign(scaled.header.sizeImage, 0);
  if (ScaleDib(scaled, 0, 0, size.width, size.height, 0, 0, image.header.width, image.header.height, image) < 0) {
    return {};
  }
  const int left = centreH ? box.left + (box.Width() - size.width) / 2 : box.left;
  const int top = centreV ? box.top + (box.Height() - size.height) / 2 : box.top;
  const Rect drawn{left, top, left + size.width, top + size.height};
  const ImageView view{size.width, size.height, static_cast<int>(BitmapStride(size.width, 24)), true,
                       scaled.pixels.data()};
  canvas.DrawImage(view, drawn, BlitMode::Copy);
  return drawn;
}

}  // namespace kx
