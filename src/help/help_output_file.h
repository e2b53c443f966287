#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace kx {

// The compiled file while it is written: each write is checked for failure
// and for its full length, with the error codes of the field written.
class HelpOutputFile {
 public:
  HelpOutputFile() = default;
  HelpOutputFile(const HelpOutputFile&) = delete;
  HelpOutputFile& operator=(const HelpOutputFile&) = delete;
  ~HelpOutputFile() { Close(); }

  bool Create(const std::string& path) {
    file_ = std::fopen(path.c_str(), "wb");
    return file_ != nullptr;
  }
  // 0, failedCode when nothing could be written, shortCode for a part.
  int Write(const void* data, size_t size, int failedCode, int shortCode) {
    if (file_ == nullptr) return failedCode;
    size_t written = std::fwrite(data, 1, size, file_);
    if (written == size) return 0;
    return written == 0 ? failedCode : shortCode;
  }
  // false when buffered data could not be written out.
  bool Close() {
    if (file_ == nullptr) return true;
    bool good = std::fflush(file_) == 0 && !std::ferror(file_);
    good = std::fclose(file_) == 0 && good;
    file_ = nullptr;
    return good;
  }

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace kx
