#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

namespace kx {

// Finds the records in the bytes of a solution log: a double quote,
// exactly 81 characters each '1'..'9' or a space, and a double quote.
// Everything else is skipped, so any bytes are safe. The file is read in
// chunks into ChunkArea(); a record cut by the end of a chunk is carried
// to the front of the buffer and completed by the next one.
class SolutionScanner {
 public:
  static constexpr size_t kRecordSpan = 83;  // the two quotes and 81 characters

  explicit SolutionScanner(size_t chunkBytes) : buffer_(kRecordSpan + chunkBytes), chunkBytes_(chunkBytes) {}

  char* ChunkArea() { return buffer_.data() + carry_; }
  size_t ChunkCapacity() const { return chunkBytes_; }

  // Scans the carried bytes plus `size` new bytes at ChunkArea() and calls
  // onRecord(const char* text) with the 81 characters of each record.
  template <typename OnRecord>
  void Scan(size_t size, OnRecord&& onRecord) {
    char* data = buffer_.data();
    const size_t length = carry_ + size;
    size_t i = 0;
    carry_ = 0;
    for (;;) {
      const void* quote = i < length ? std::memchr(data + i, '"', length - i) : nullptr;
      if (!quote) return;
      const size_t at = static_cast<size_t>(static_cast<const char*>(quote) - data);
      if (length - at < kRecordSpan) {
        carry_ = length - at;
        std::memmove(data, data + at, carry_);
        return;
      }
      if (IsRecordAt(data + at)) {
        onRecord(static_cast<const char*>(data + at + 1));
        i = at + kRecordSpan;
      } else {
        i = at + 1;
      }
    }
  }

  static bool IsRecordAt(const char* quote) {
    if (quote[kRecordSpan - 1] != '"') return false;
    for (size_t k = 1; k <= 81; ++k) {
      const char c = quote[k];
      if (c != ' ' && (c < '1' || c > '9')) return false;
    }
    return true;
  }

 private:
  std::vector<char> buffer_;
  size_t chunkBytes_;
  size_t carry_ = 0;
};

}  // namespace kx
