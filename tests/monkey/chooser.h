#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace kx::monkey {

// Where the random player's decisions come from: a seeded generator for
// the long runs, or the bytes of a fuzzer's input.
class Chooser {
 public:
  virtual ~Chooser() = default;
  // A number in 0 .. bound-1 (bound > 0).
  virtual uint32_t Below(uint32_t bound) = 0;

  bool OneIn(uint32_t n) { return Below(n) == 0; }
  // An index into the weights, each chosen in proportion to its weight.
  int Weighted(std::initializer_list<int> weights) {
    uint32_t total = 0;
    for (int w : weights) total += static_cast<uint32_t>(w);
    uint32_t pick = Below(total);
    int index = 0;
    for (int w : weights) {
      if (pick < static_cast<uint32_t>(w)) return index;
      pick -= static_cast<uint32_t>(w);
      ++index;
    }
    return index - 1;
  }
};

// splitmix64: the same seed gives the same decisions on every machine.
class RandomChooser : public Chooser {
 public:
  explicit RandomChooser(uint64_t seed) : state_(seed) {}
  uint32_t Below(uint32_t bound) override { return static_cast<uint32_t>(Next() % bound); }

 private:
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint64_t state_;
};

// Decisions read from a byte string, as few bytes as the bound needs;
// once the bytes are used up every decision is 0.
class ByteChooser : public Chooser {
 public:
  ByteChooser(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint32_t Below(uint32_t bound) override {
    uint32_t value = 0;
    for (uint64_t range = 1; range < bound && at_ < size_; range <<= 8) value = value << 8 | data_[at_++];
    return value % bound;
  }
  bool Exhausted() const { return at_ >= size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// A random chooser that also writes its decisions as the bytes from which
// a ByteChooser makes the same ones: fuzzing starts from real play.
class RecordingChooser : public Chooser {
 public:
  explicit RecordingChooser(uint64_t seed) : random_(seed) {}
  uint32_t Below(uint32_t bound) override {
    const uint32_t value = random_.Below(bound);
    int bytes = 0;
    for (uint64_t range = 1; range < bound; range <<= 8) ++bytes;
    for (int k = bytes - 1; k >= 0; --k) recorded.push_back(static_cast<uint8_t>(value >> (8 * k)));
    return value;
  }
  std::vector<uint8_t> recorded;

 private:
  RandomChooser random_;
};

}  // namespace kx::monkey
