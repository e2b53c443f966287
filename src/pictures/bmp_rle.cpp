#include "pictures/bmp_rle.h"

namespace kx {

namespace {

class RleTarget {
 public:
  RleTarget(int width, int height, const std::vector<uint8_t>& table, uint8_t* out, size_t stride)
      : width_(width), height_(height), table_(table), out_(out), stride_(stride) {}

  bool InRows() const { return y_ < height_; }
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
  const std::vector<uint8_t>& table_;
  uint8_t* out_;
  size_t stride_;
  int x_ = 0, y_ = 0;  // rows counted from the bottom, as stored
};

}  // namespace

int DecodeBmpRle(const uint8_t* data, size_t size, int bits, int width, int height,
                 const std::vector<uint8_t>& colorTable, uint8_t* out, size_t stride) {
  RleTarget target(width, height, colorTable, out, stride);
  size_t at = 0;
  while (at + 2 <= size) {
    unsigned count = data[at], value = data[at + 1];
    at += 2;
    if (count > 0) {
      if (!target.InRows()) return 1;
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
      if (!target.InRows()) return 2;
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
