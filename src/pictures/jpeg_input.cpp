#include "pictures/jpeg_input.h"

#include <algorithm>
#include <cstring>

namespace kx::jpeg {

JpegInput::JpegInput(std::FILE* file) : file_(file) {
  if (std::fseek(file, 0, SEEK_END) == 0) {
    fileSize_ = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
  }
  if (fileSize_ >= 0 && static_cast<unsigned long long>(fileSize_) <= kLargestWindow) {
    window_ = std::max(window_, static_cast<size_t>(fileSize_));
  }
  storage_ = AllocateBytes(window_ + kSlack);
  // Never read as data, but defined, like every byte a reader may look at.
  std::memset(storage_.get() + window_, 0, kSlack);
  buffer_ = storage_.get();
}

void JpegInput::Refill() {
  size_t left = end_ - pos_;
  std::memmove(buffer_, buffer_ + pos_, left);
  pos_ = 0;
  end_ = left;
  size_t got = std::fread(buffer_ + end_, 1, window_ - end_, file_);
  end_ += got;
  fileRead_ += static_cast<long long>(got);
  if (got == 0) {
    if (std::ferror(file_)) readFailed_ = true;
    realEnd_ = end_;
    buffer_[end_++] = 0xFF;
    buffer_[end_++] = 0xD9;
    exhausted_ = true;
  }
}

bool JpegInput::Read(uint8_t* to, size_t n) {
  while (n > 0) {
    Ensure(1024);
    size_t take = RealAvailable() < n ? RealAvailable() : n;
    if (take == 0) return false;
    std::memcpy(to, buffer_ + pos_, take);
    pos_ += take;
    to += take;
    n -= take;
  }
  return true;
}

int JpegInput::Skip(size_t n) {
  size_t inWindow = RealAvailable() < n ? RealAvailable() : n;
  pos_ += inWindow;
  n -= inWindow;
  if (n == 0) return 0;
  if (exhausted_) return 1;
  if (fileSize_ >= 0 && fileRead_ + static_cast<long long>(n) > fileSize_) return 1;
  if (std::fseek(file_, static_cast<long>(n), SEEK_CUR) != 0) return 2;
  fileRead_ += static_cast<long long>(n);
  pos_ = end_ = 0;
  return 0;
}

}  // namespace kx::jpeg
