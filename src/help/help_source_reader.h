#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace kx {

// The reading window of the help source; a segment must fit into it
// together with its closing "%".
inline constexpr size_t kHelpReadWindow = 1024;

// One segment of the help source: the text between two counted "%"
// delimiters with every "%%" folded to "%", and the source text that follows
// its closing delimiter up to the end of what has been read.
struct HelpSegment {
  std::string_view text;
  std::string_view following;
};

// Reads the help source through the window and hands out its segments in
// order. Commentary between segments may be of any length.
class HelpSourceReader {
 public:
  HelpSourceReader() = default;
  HelpSourceReader(const HelpSourceReader&) = delete;
  HelpSourceReader& operator=(const HelpSourceReader&) = delete;
  ~HelpSourceReader();

  // 0, or kHelpSourceMissing / kHelpSourceTooLarge. readErrorShift moves the
  // read errors -9..-12 to the codes of a later reading.
  int Open(const std::string& path, int readErrorShift = 0);
  // 1 with the next segment, 0 at the end of the source, or an error. After
  // an error `segment` holds the text gathered so far.
  int Next(HelpSegment& segment);

 private:
  // Moves the unconsumed rest to the front and reads on; 0 or an error.
  int Refill();
  bool AtEnd() const { return readSoFar_ == fileSize_; }
  // The byte after the one at pos_, reading on when it lies beyond the
  // window; -1 at the end of the source, or below -1 for a read error.
  int PeekNext(int& error);

  std::FILE* file_ = nullptr;
  uint64_t fileSize_ = 0;
  uint64_t readSoFar_ = 0;
  int errorShift_ = 0;
  unsigned char window_[kHelpReadWindow] = {};
  size_t length_ = 0;
  size_t pos_ = 0;
  std::string segment_;
};

}  // namespace kx
