#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "pictures/jpeg_memory.h"

namespace kx::jpeg {

// A window on the file: the whole file, read in one go, when its size is
// known and at most kLargestWindow; else 8192 bytes. When the file is
// exhausted the two bytes of an EOI marker are appended, so that every
// parse meets an end marker.
class JpegInput {
 public:
  static constexpr size_t kSmallestWindow = 8192;
  static constexpr size_t kLargestWindow = size_t{64} << 20;

  explicit JpegInput(std::FILE* file);

  // Makes at least `n` bytes (n <= 1024) visible if the file still has them.
  void Ensure(size_t n) {
    if (end_ - pos_ < n && !exhausted_) Refill();
  }
  size_t Available() const { return end_ - pos_; }
  // Bytes of the file itself that are visible, without the appended EOI.
  size_t RealAvailable() const { return (exhausted_ ? realEnd_ : end_) - pos_; }
  bool Exhausted() const { return exhausted_; }
  bool ReadFailed() const { return readFailed_; }
  // True when the window position stands on the appended EOI.
  bool AtAppendedEnd() const { return exhausted_ && pos_ >= realEnd_; }

  // The next byte, or -1 when even the appended EOI is used up.
  int Byte() {
    Ensure(1);
    return pos_ < end_ ? buffer_[pos_++] : -1;
  }
  // Copies n bytes of the file itself; false when the file ends first.
  bool Read(uint8_t* to, size_t n);
  // Moves forward n bytes of the file without reading them: 0, 1 when that
  // passes the end of the file, 2 when the move fails.
  int Skip(size_t n);

  uint8_t* buffer_;
  size_t pos_ = 0, end_ = 0;

 private:
  void Refill();

  std::FILE* file_;
  size_t window_ = kSmallestWindow;
  static constexpr size_t kSlack = 16;  // room for the appended EOI
  ByteBlock storage_;
  size_t realEnd_ = 0;
  long long fileSize_ = -1, fileRead_ = 0;
  bool exhausted_ = false, readFailed_ = false;
};

// Bits taken from the stream and not used yet, left-aligned in `acc`.
struct BitWindow {
  uint64_t acc = 0;
  int bits = 0;

  unsigned Peek(int n) const { return static_cast<unsigned>(acc >> (64 - n)); }
  void Skip(int n) {
    acc <<= n;
    bits -= n;
  }
  unsigned Bits(int n) {  // 1 <= n <= 16, bits already ensured
    unsigned v = Peek(n);
    Skip(n);
    return v;
  }
  // A magnitude of `s` bits (T.81 F.2.2.1 EXTEND), s in 0..16.
  int Receive(int s) {
    if (s == 0) return 0;
    int v = static_cast<int>(Bits(s));
    return v < (1 << (s - 1)) ? v - (1 << s) + 1 : v;
  }
};

// The entropy-coded bit stream. A marker stops the reader; after it the
// buffer is filled with zero bits that are counted, so that a decode which
// used them can be told apart from one that only looked ahead.
//
// A hot loop takes the window into a local (Window), refills it with
// Filled and hands it back (SetWindow): passed by value, it stays in
// registers, where the reader's own fields would go back to memory at
// every coefficient stored.
class JpegBitReader {
 public:
  explicit JpegBitReader(JpegInput& input) : in_(input) {}

  // `w` topped up to at least 57 bits.
  BitWindow Filled(BitWindow w) {
    // Eight bytes at once when none of them is 0xFF (no stuffing, no
    // marker): the same bytes land where the loop below would put them.
    if (!marker_ && in_.end_ - in_.pos_ >= 8) {
      uint64_t word;
      std::memcpy(&word, in_.buffer_ + in_.pos_, 8);
      uint64_t inverted = ~word;
      if (((inverted - 0x0101010101010101u) & ~inverted & 0x8080808080808080u) == 0) {
        int bytes = (64 - w.bits) >> 3;
        uint64_t taken = __builtin_bswap64(word) & (~uint64_t{0} << (64 - 8 * bytes));
        w.acc |= taken >> w.bits;
        w.bits += 8 * bytes;
        in_.pos_ += static_cast<size_t>(bytes);
        return w;
      }
    }
    return FilledByteByByte(w);
  }
  void EnsureBits(BitWindow& w, int n) {
    if (w.bits < n) w = Filled(w);
  }
  BitWindow Window() const { return w_; }
  void SetWindow(BitWindow w) { w_ = w; }

  void EnsureBits(int n) { EnsureBits(w_, n); }
  unsigned Peek(int n) const { return w_.Peek(n); }
  void Skip(int n) { w_.Skip(n); }
  unsigned Bits(int n) { return w_.Bits(n); }
  int Receive(int s) { return w_.Receive(s); }
  // True when more bits were used than the data held before the marker.
  bool Overran() const { return w_.bits < fake_; }
  // Bits of real data still buffered.
  int RealBits() const { return w_.bits - fake_; }
  void Reset() {
    w_ = BitWindow{};
    fake_ = 0;
    marker_ = false;
  }

 private:
  // Near stuffed bytes, markers and the window's end; out of line, so that
  // the common case leaves the decoding loop its registers.
  [[gnu::noinline]] BitWindow FilledByteByByte(BitWindow w) {
    while (w.bits <= 56) {
      if (marker_) {
        w.bits += 8;
        fake_ += 8;
        continue;
      }
      if (in_.end_ - in_.pos_ < 2) {
        in_.Ensure(2);
        if (in_.end_ - in_.pos_ < 2) {
          marker_ = true;
          continue;
        }
      }
      uint8_t byte = in_.buffer_[in_.pos_];
      if (byte == 0xFF) {
        if (in_.buffer_[in_.pos_ + 1] != 0) {
          marker_ = true;
          continue;
        }
        in_.pos_ += 2;
      } else {
        in_.pos_ += 1;
      }
      w.acc |= uint64_t{byte} << (56 - w.bits);
      w.bits += 8;
    }
    return w;
  }

  JpegInput& in_;
  BitWindow w_;
  int fake_ = 0;
  bool marker_ = false;
};

}  // namespace kx::jpeg
