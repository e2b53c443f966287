#include "pictures/bmp_rle.h"

#include "pictures/dib.h"

namespace kx {

namespace {

class RleTarget {
 public:
  RleTarget(int bits, int width, int height, const std::vector<uint8_t>& table, uint8_t* out, size_t stride)
      : width_(width), height_(height), rowPixels_(static_cast<int64_t>(BitmapStride(width, bits)) * 8 / bits),
        table_(table), out_(out), stride_(stride) {}

  // Whether `count` pixels from here stay inside the picture's pixel rows
  // as the file's format pads them to 4 bytes (encoders fill that padding
  // with runs too). A run that only overhangs its own row is cut at the
  // picture's edge; one that would pass the end of the last row is refused.
  bool Fits(unsigned count) const {
    return y_ >= 0 && y_ < height_ && x_ >= 0 && int64_t{y_} * rowPixels_ + x_ + count <= rowPixels_ * height_;
  }
  void Put(unsigned index) {
    if (x_ < width_) {
      uint8_t* p = out_ + static_cast<size_t>(y_) * stride_ + static_cast<size_t>(x_) * 3;
      size_t at = size_t{index} * 4;
      if (at + 3 <= table_.size()) {  // an index beyond the table stays black
        p[0] = table_[at];
        p[1] = table_[at + 1];
        p[2] = table_[at + 2];
      }
    }
    ++x_;
  }
  void EndLine() {
    x_ = 0;
    ++y_;
  }
  void Move(int dx, int dy) {
    x_ += dx;
    y_ += dy;
  }

 private:
  int width_, height_;
  int64_t rowPixels_;
  const std::vector<uint8_t>& table_;
  uint8_t* out_;
  size_t stride_;
  int x_ = 0, y_ = 0;  // rows counted from the bottom, as stored
};

}  // namespace

int DecodeBmpRle(const uint8_t* data, size_t size, int bits, int width, int height,
                 const std::vector<uint8_t>& colorTable, uint8_t* out, size_t stride) {
  RleTarget target(bits, width, height, colorTable, out, stride);
  size_t at = 0;
  while (at + 2 <= size) {
    unsigned count = data[at], value = data[at + 1];
    at += 2;
    if (count > 0) {
      if (!target.Fits(count)) return 1;
      for (unsigned i = 0; i < count; ++i) {
        target.Put(bits == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 15));
      }
      continue;
    }
    if (value == 0) {
      target.EndLine();
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (at + 2 > size) break;
      target.Move(data[at], data[at + 1]);
      at += 2;
    } else {
      size_t bytes = bits == 8 ? value : (value + 1) / 2;
      if (!target.Fits(value)) return 2;
      for (unsigned i = 0; i < value && at + i / (bits == 8 ? 1 : 2) < size; ++i) {
        uint8_t byte = data[at + (bits == 8 ? i : i / 2)];
        target.Put(bits == 8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 15));
      }
      at += (bytes + 1) & ~size_t{1};
    }
  }
  return 0;
}

}  // namespace kx
