#include "engine/solution_files.h"

#include <cstdio>

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

void AppendQuotedLine(std::string& out, const PuzzleText& text) {
  out.push_back('"');
  out.append(text.data(), text.size());
  out += "\"\r\n";
}

void AppendSolutionLine(std::string& out, uint64_t number, const PuzzleText& text) {
  char prefix[20];
  std::snprintf(prefix, sizeof prefix, "%016llX", static_cast<unsigned long long>(number));
  out += prefix;
  out += " : ";
  AppendQuotedLine(out, text);
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
  if (file_) std::fclose(file_);
}

int64_t LogAppender::Append(std::string_view data) {
  if (!file_) {
    file_ = std::fopen(path_, "ab");
    if (!file_) return -1;
    std::fseek(file_, 0, SEEK_END);
    size_ = std::ftell(file_);
  }
  const bool ok = std::fwrite(data.data(), 1, data.size(), file_) == data.size() && std::fflush(file_) == 0;
  if (!ok || size_ < 0) {
    std::fclose(file_);
    file_ = nullptr;
    return -1;
  }
  size_ += static_cast<int64_t>(data.size());
  return size_;
}

void WriteWholeFile(const char* path, std::string_view data) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return;
  std::fwrite(data.data(), 1, data.size(), file);
  std::fclose(file);
}

}  // namespace kx
