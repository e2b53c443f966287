#include "platform/canvas.h"

#include <algorithm>

namespace kx {

// A bold sans-serif face in the size of a classic system font: the title
// line, the step counter and the digit block use it.
FontSpec SystemFont() { return FontSpec{16, 0, 700, false, false, font::kSwiss, "System"}; }

PixelBlock Canvas::ReadPixels(const Rect& r) const {
  PixelBlock block{std::max(0, r.Width()), std::max(0, r.Height()), {}};
  block.pixels.reserve(static_cast<size_t>(block.width) * block.height);
  for (int y = r.top; y < r.top + block.height; ++y)
    for (int x = r.left; x < r.left + block.width; ++x) block.pixels.push_back(GetPixel(x, y));
  return block;
}

void Canvas::WritePixels(const Rect& r, const PixelBlock& block) {
  auto next = block.pixels.begin();
  for (int y = r.top; y < r.top + block.height; ++y)
    for (int x = r.left; x < r.left + block.width; ++x) SetPixel(x, y, *next++);
}

}  // namespace kx
