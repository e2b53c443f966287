#pragma once

namespace kx {

// A rectangle with exclusive right and bottom edges, as the layout uses.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

}  // namespace kx
