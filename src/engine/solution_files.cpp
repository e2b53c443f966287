#include "engine/solution_files.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace kx {

void AppendSolutionGrid(std::string& out, const PuzzleText& text) {
  out += "\r\n";
  for (int row = 0; row < 9; ++row) {
    for (int column = 0; column < 9; ++column) {
      char c = text[row * 9 + column];
      out.push_back(c >= '1' && c <= '9' ? c : '-');
      if (column % 3 == 2) out.push_back(' ');
    }
    out += "\r\n";
    if (row % 3 == 2) out += "\r\n";
  }
  out += "-----------\r\n";
}

void AppendRunHeader(std::string& out, const PuzzleText& puzzle) {
  out += "\r\nInit-Sudoko:\r\n";
  AppendQuotedLine(out, puzzle);
  out += "Solutions:\r\n";
}

void AppendQuotedLine(std::string& out, const PuzzleText& text) {
  out.push_back('"');
  out.append(text.data(), text.size());
  out += "\"\r\n";
}

namespace {

// Everything of a log line after its 16-character number or label.
void FillAfterLabel(char (&line)[kSolutionLineSize], const PuzzleText& text) {
  std::memcpy(line + 16, " : \"", 4);
  std::memcpy(line + 20, text.data(), text.size());
  std::memcpy(line + 101, "\"\r\n", 3);
}

// Eight upper-case hex digits of the low 32 bits, most significant first,
// a byte each at once instead of digit by digit: every line of a search
// that writes millions of them has its number.
void FormatHex8(char* out, uint64_t value) {
  // Nibble k into byte k, then the bytes in reading order.
  uint64_t x = value & 0xFFFFFFFF;
  x = (x | x << 16) & 0x0000FFFF0000FFFFull;
  x = (x | x << 8) & 0x00FF00FF00FF00FFull;
  x = (x | x << 4) & 0x0F0F0F0F0F0F0F0Full;
  if constexpr (std::endian::native == std::endian::little) x = __builtin_bswap64(x);
  // '0' + n, and 7 more for the letters: n + 6 carries into bit 4 from 10 on.
  const uint64_t letters = ((x + 0x0606060606060606ull) >> 4) & 0x0101010101010101ull;
  x += 0x3030303030303030ull + 7 * letters;
  std::memcpy(out, &x, 8);
}

}  // namespace

void FormatSolutionLine(char (&line)[kSolutionLineSize], uint64_t number, const PuzzleText& text) {
  FormatHex8(line, number >> 32);
  FormatHex8(line + 8, number);
  FillAfterLabel(line, text);
}

void FormatPuzzleLine(char (&line)[kSolutionLineSize], const PuzzleText& text) {
  std::memcpy(line, "Init - Soduku   ", 16);
  FillAfterLabel(line, text);
}

void AppendSolutionLine(std::string& out, uint64_t number, const PuzzleText& text) {
  char line[kSolutionLineSize];
  FormatSolutionLine(line, number, text);
  out.append(line, sizeof line);
}

int64_t AppendToFile(const char* path, std::string_view data) {
  std::FILE* file = std::fopen(path, "ab");
  if (!file) return -1;
  bool ok = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  long size = std::ftell(file);
  ok = std::fclose(file) == 0 && ok;
  return ok ? size : -1;
}

LogAppender::~LogAppender() {
  Flush();
  if (file_) std::fclose(file_);
}

int64_t LogAppender::Append(std::string_view data) {
  if (Write(data) < 0) return -1;
  return Flush();
}

int64_t LogAppender::Write(std::string_view data) {
  pending_.append(data);
  if (pending_.size() >= kPendingLimit) return Flush();
  return size_ + static_cast<int64_t>(pending_.size());
}

int64_t LogAppender::Flush() {
  if (pending_.empty()) return size_;
  if (!file_) {
    file_ = std::fopen(path_, "ab");
    if (!file_) {
      pending_.clear();
      return -1;
    }
    std::fseek(file_, 0, SEEK_END);
    size_ = std::ftell(file_);
  }
  const bool ok = std::fwrite(pending_.data(), 1, pending_.size(), file_) == pending_.size() &&
                  std::fflush(file_) == 0 && size_ >= 0;
  if (!ok) {
    std::fclose(file_);
    file_ = nullptr;
    pending_.clear();
    // No partial line stays behind for the deduplication to find.
    std::error_code ignored;
    if (size_ >= 0) std::filesystem::resize_file(path_, static_cast<uintmax_t>(size_), ignored);
    return -1;
  }
  size_ += static_cast<int64_t>(pending_.size());
  pending_.clear();
  return size_;
}

}  // namespace kx
