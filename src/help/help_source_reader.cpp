#include "help/help_source_reader.h"

#include <algorithm>
#include <cstring>

#include "help/help_errors.h"

namespace kx {

namespace {

// What the error box shows of the text after a segment.
constexpr size_t kFollowingWanted = 512;

bool IsBlankTail(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
}

}  // namespace

HelpSourceReader::~HelpSourceReader() {
  if (file_ != nullptr) std::fclose(file_);
}

int HelpSourceReader::Open(const std::string& path, int readErrorShift) {
  errorShift_ = readErrorShift;
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) return kHelpSourceMissing;
  if (std::fseek(file_, 0, SEEK_END) != 0) return kHelpReadFailedSmall + errorShift_;
  long size = std::ftell(file_);
  if (size < 0 || std::fseek(file_, 0, SEEK_SET) != 0) return kHelpReadFailedSmall + errorShift_;
  fileSize_ = static_cast<uint64_t>(size);
  if (fileSize_ > 0xFFFFFFFFull) return kHelpSourceTooLarge;
  // A small source is read in one piece, with its own error codes.
  if (fileSize_ < kHelpReadWindow) {
    length_ = std::fread(window_, 1, fileSize_, file_);
    readSoFar_ = length_;
    if (std::ferror(file_)) return kHelpReadFailedSmall + errorShift_;
    if (length_ != fileSize_) return kHelpReadShortSmall + errorShift_;
    return 0;
  }
  return Refill();
}

int HelpSourceReader::Refill() {
  std::memmove(window_, window_ + pos_, length_ - pos_);
  length_ -= pos_;
  pos_ = 0;
  size_t wanted = static_cast<size_t>(std::min<uint64_t>(kHelpReadWindow - length_, fileSize_ - readSoFar_));
  if (wanted == 0) return 0;
  size_t got = std::fread(window_ + length_, 1, wanted, file_);
  length_ += got;
  readSoFar_ += got;
  if (std::ferror(file_)) return kHelpReadFailed + errorShift_;
  if (got != wanted) return kHelpReadShort + errorShift_;
  return 0;
}

int HelpSourceReader::PeekNext(int& error) {
  error = 0;
  if (pos_ + 1 >= length_ && !AtEnd()) {
    error = Refill();
    if (error != 0) return -2;
  }
  return pos_ + 1 < length_ ? window_[pos_ + 1] : -1;
}

int HelpSourceReader::Next(HelpSegment& segment) {
  segment = {};
  int error = 0;
  // Commentary up to the opening delimiter; "%%" is no delimiter.
  for (;;) {
    if (pos_ == length_) {
      if (AtEnd()) return 0;
      if ((error = Refill()) != 0) return error;
      continue;
    }
    if (window_[pos_] != '%') {
      ++pos_;
      continue;
    }
    int next = PeekNext(error);
    if (error != 0) return error;
    if (next == '%') {
      pos_ += 2;
      continue;
    }
    ++pos_;
    break;
  }
  // The segment up to its closing delimiter.
  segment_.clear();
  size_t consumed = 0;
  for (;;) {
    segment.text = segment_;
    if (pos_ == length_) {
      if (AtEnd()) return IsBlankTail(segment_) ? 0 : kHelpSegmentNotClosed;
      if ((error = Refill()) != 0) return error;
      continue;
    }
    unsigned char c = window_[pos_];
    if (c == '%') {
      int next = PeekNext(error);
      if (error != 0) return error;
      if (next != '%') {
        ++pos_;
        break;
      }
      pos_ += 2;
      consumed += 2;
    } else {
      ++pos_;
      ++consumed;
    }
    segment_.push_back(static_cast<char>(c));
    // The closing delimiter must still fit into the window.
    if (consumed >= kHelpReadWindow) {
      segment.text = segment_;
      return kHelpSegmentTooLong;
    }
  }
  if (length_ - pos_ < kFollowingWanted && !AtEnd() && (error = Refill()) != 0) return error;
  segment.text = segment_;
  segment.following = std::string_view(reinterpret_cast<const char*>(window_) + pos_, length_ - pos_);
  return 1;
}

}  // namespace kx
