#include "help/help_compiler.h"

#include <cstdio>
#include <new>
#include <string_view>

#include "help/compile_error_box.h"
#include "help/help_compilation.h"
#include "help/help_errors.h"
#include "help/help_format.h"
#include "help/help_output_file.h"
#include "help/help_source_reader.h"

namespace kx {

namespace {

class Compiler {
 public:
  Compiler(Host& host, const std::string& sourceName, const std::string& helpName)
      : host_(host), sourceName_(sourceName), helpName_(helpName), tempName_(helpName + ".tmp") {}

  int Run(const std::string& title, const HelpWindowBlock& window, uint32_t options) {
    int result = Compile(title, window, options);
    if (result < 0) {
      out_.Close();
      std::remove(tempName_.c_str());
    }
    return result;
  }

 private:
  int Fail(int code, const HelpSegment& segment = {}) {
    ShowCompileError(host_, code, segment.text, segment.following, compilation_.errorName());
    return code;
  }

  // Runs `pass` over every segment of a fresh reading of the source.
  template <typename Pass>
  int ForEachSegment(int readErrorShift, Pass pass) {
    HelpSourceReader reader;
    if (int error = reader.Open(sourceName_, readErrorShift)) return Fail(error);
    HelpSegment segment;
    int status;
    while ((status = reader.Next(segment)) > 0) {
      if (int error = pass(segment.text); error < 0) return Fail(error, segment);
    }
    return status < 0 ? Fail(status, segment) : 0;
  }

  int Write(const void* data, size_t size, int failedCode) {
    int error = out_.Write(data, size, failedCode, failedCode - 1);
    return error != 0 ? Fail(error) : 0;
  }

  int WriteU32(uint32_t value, int failedCode) {
    unsigned char bytes[4];
    PutU32(bytes, value);
    return Write(bytes, sizeof bytes, failedCode);
  }

  int Compile(const std::string& title, HelpWindowBlock window, uint32_t options) {
    uint64_t poolBytes = 0;
    if (int error = ForEachSegment(0, [&](std::string_view text) {
          int added = compilation_.Run1(text);
          if (added > 0) poolBytes += static_cast<uint64_t>(added);
          return added;
        })) {
      return error;
    }
    if (poolBytes != compilation_.textPool().size()) return Fail(kHelpPoolSizeMismatch);
    if (int error = compilation_.IndexLabels((options & kHelpAllowDuplicates) != 0)) return Fail(error);

    const uint32_t n = compilation_.entryCount();
    const auto t = static_cast<uint32_t>(compilation_.textPool().size());
    if (!out_.Create(tempName_)) return Fail(kHelpCannotCreate);
    auto header = HelpHeaderBytes();
    if (int error = Write(header.data(), header.size(), -16)) return error;
    if (int error = WriteU32(n, -20)) return error;
    if (int error = WriteU32(t, -22)) return error;
    if (int error = WriteU32(static_cast<uint32_t>(kHelpEntriesOffset + kHelpEntrySize * n), -24)) return error;
    window.titleOffset = t;
    window.scroll.maximum = static_cast<int32_t>(n - 1);
    window.entryCount = n;
    unsigned char block[kHelpWindowBlockSize];
    EncodeWindowBlock(window, block);
    if (int error = Write(block, sizeof block, -26)) return error;

    if (int error = ForEachSegment(kHelpSecondReadShift,
                                   [&](std::string_view text) { return compilation_.Run2(text, out_); })) {
      return error;
    }
    if (compilation_.entriesWritten() != n) return Fail(kHelpEntryCountMismatch);
    if (int error = Write(compilation_.textPool().data(), t, -33)) return error;
    // Always NUL-terminated, so that a reader can never run past the title.
    unsigned char titleBytes[kHelpTitleSize] = {};
    title.copy(reinterpret_cast<char*>(titleBytes), kHelpTitleSize - 1);
    if (int error = Write(titleBytes, sizeof titleBytes, -35)) return error;
    if (!out_.Close()) return Fail(-36);
    if (n > kHelpMaxEntries) return Fail(kHelpTooManyEntries);
    if (std::rename(tempName_.c_str(), helpName_.c_str()) != 0) return Fail(kHelpCannotCreate);
    return 0;
  }

  Host& host_;
  const std::string& sourceName_;
  const std::string& helpName_;
  std::string tempName_;
  HelpCompilation compilation_;
  HelpOutputFile out_;
};

}  // namespace

int CompileHelp(Host& host, const std::string& sourceName, const std::string& helpName, const std::string& title,
                uint32_t statusWord, int32_t left, int32_t top, int32_t width, int32_t height, uint32_t options) {
  HelpWindowBlock window;
  window.left = left;
  window.top = top;
  window.width = width;
  window.height = height;
  window.statusWord = statusWord;
  try {
    return Compiler(host, sourceName, helpName).Run(title, window, options);
  } catch (const std::bad_alloc&) {
    // The tables and pools could not grow.
    ShowCompileError(host, -3, {}, {}, {});
    return -3;
  }
}

}  // namespace kx
