#include "help/help_picture.h"

#include <algorithm>
#include <cmath>

#include "pictures/bmp_file.h"
#include "pictures/dib_scale.h"

namespace kx {

bool DrawHelpPicture(Canvas& canvas, const char* name, const Rect& box, uint32_t scaling, bool centreH, bool centreV) {
  if (!name || box.Width() <= 0 || box.Height() <= 0) return false;
  Dib image;
  if (ReadBmpFile(name, &image) != 0 || image.header.width <= 0 || image.header.height <= 0) return false;
  const double aspect = static_cast<double>(image.header.width) / image.header.height;
  int width = box.Width(), height = box.Height();
  switch (scaling) {
    case 1: height = std::max(1, static_cast<int>(std::lround(width / aspect))); break;
    case 2: width = std::max(1, static_cast<int>(std::lround(height * aspect))); break;
    case 3:
      if (aspect > static_cast<double>(box.Width()) / box.Height()) {
        height = std::max(1, static_cast<int>(std::lround(width / aspect)));
      } else {
        width = std::max(1, static_cast<int>(std::lround(height * aspect)));
      }
      break;
    default: break;  // stretched to the box
  }
  // A help page never needs a picture larger than a screen.
  if (static_cast<int64_t>(width) * height > 16'000'000) return false;
  Dib scaled;
  scaled.header = MakeHeader24(width, height);
  scaled.pixels.assign(scaled.header.sizeImage, 0);
  if (ScaleDib(&scaled, 0, 0, width, height, 0, 0, image.header.width, image.header.height, image) < 0) return false;
  const int left = centreH ? box.left + (box.Width() - width) / 2 : box.left;
  const int top = centreV ? box.top + (box.Height() - height) / 2 : box.top;
  const ImageView view{width, height, static_cast<int>(BitmapStride(width, 24)), true, scaled.pixels.data()};
  canvas.DrawImage(view, {left, top, left + width, top + height}, BlitMode::Copy);
  return true;
}

}  // namespace kx
