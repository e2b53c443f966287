#include "help/help_format.h"

#include <cstring>

namespace kx {

namespace {

// Field-by-field writer and reader over a fixed-size record.
class Writer {
 public:
  explicit Writer(unsigned char* out) : at_(out) {}
  void U32(uint32_t value) {
    PutU32(at_, value);
    at_ += 4;
  }
  void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
  void Rect(const HelpRect& r) {
    I32(r.left);
    I32(r.top);
    I32(r.right);
    I32(r.bottom);
  }

 private:
  unsigned char* at_;
};

class Reader {
 public:
  explicit Reader(const unsigned char* in) : at_(in) {}
  uint32_t U32() {
    uint32_t value = GetU32(at_);
    at_ += 4;
    return value;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  HelpRect Rect() {
    HelpRect r;
    r.left = I32();
    r.top = I32();
    r.right = I32();
    r.bottom = I32();
    return r;
  }

 private:
  const unsigned char* at_;
};

}  // namespace

std::array<unsigned char, kHelpHeaderSize> HelpHeaderBytes() {
  std::array<unsigned char, kHelpHeaderSize> bytes{};
  std::memcpy(bytes.data(), kHelpHeaderText, sizeof kHelpHeaderText - 1);
  return bytes;
}

void EncodeWindowBlock(const HelpWindowBlock& block, unsigned char* out) {
  Writer w(out);
  w.I32(block.left);
  w.I32(block.top);
  w.I32(block.width);
  w.I32(block.height);
  w.U32(block.titleOffset);
  w.U32(block.style);
  w.U32(block.statusWord);
  w.U32(block.scroll.size);
  w.U32(block.scroll.mask);
  w.I32(block.scroll.minimum);
  w.I32(block.scroll.maximum);
  w.U32(block.scroll.page);
  w.I32(block.scroll.position);
  w.I32(block.scroll.trackPosition);
  w.U32(block.entryCount);
  w.U32(block.historyIndex);
  for (uint32_t position : block.history) w.U32(position);
}

HelpWindowBlock DecodeWindowBlock(const unsigned char* in) {
  Reader r(in);
  HelpWindowBlock block;
  block.left = r.I32();
  block.top = r.I32();
  block.width = r.I32();
  block.height = r.I32();
  block.titleOffset = r.U32();
  block.style = r.U32();
  block.statusWord = r.U32();
  block.scroll.size = r.U32();
  block.scroll.mask = r.U32();
  block.scroll.minimum = r.I32();
  block.scroll.maximum = r.I32();
  block.scroll.page = r.U32();
  block.scroll.position = r.I32();
  block.scroll.trackPosition = r.I32();
  block.entryCount = r.U32();
  block.historyIndex = r.U32();
  for (uint32_t& position : block.history) position = r.U32();
  return block;
}

void EncodeEntry(const HelpEntry& entry, unsigned char* out) {
  Writer w(out);
  w.U32(entry.flags);
  w.I32(entry.x);
  w.I32(entry.y);
  w.I32(entry.width);
  w.I32(entry.height);
  w.Rect(entry.firstLine);
  w.Rect(entry.bounds);
  w.Rect(entry.lastLine);
  w.U32(entry.link);
  w.U32(entry.textOffset);
  w.U32(entry.background);
  w.U32(entry.textColours);
  w.U32(entry.runTime);
}

HelpEntry DecodeEntry(const unsigned char* in) {
  Reader r(in);
  HelpEntry entry;
  entry.flags = r.U32();
  entry.x = r.I32();
  entry.y = r.I32();
  entry.width = r.I32();
  entry.height = r.I32();
  entry.firstLine = r.Rect();
  entry.bounds = r.Rect();
  entry.lastLine = r.Rect();
  entry.link = r.U32();
  entry.textOffset = r.U32();
  entry.background = r.U32();
  entry.textColours = r.U32();
  entry.runTime = r.U32();
  return entry;
}

}  // namespace kx
