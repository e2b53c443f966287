#include "help/open_help.h"

#include <cstdio>
#include <filesystem>

#include "help/builtin_help.h"
#include "help/help_compiler.h"
#include "help/help_format.h"

namespace kx {

namespace {

class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningFlag() { flag_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& flag_;
};

// Writes the built-in copy under a temporary name and moves it into place,
// so that an interrupted write never leaves a half file behind.
void WriteBuiltinCopy(const std::string& helpName) {
  std::string temp = helpName + ".tmp";
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (file == nullptr) return;
  auto bytes = BuiltinHelpFile();
  bool good = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  good = std::fclose(file) == 0 && good;
  if (!good || std::rename(temp.c_str(), helpName.c_str()) != 0) std::remove(temp.c_str());
}

}  // namespace

std::optional<LoadedHelp> OpenHelp(Host& host, HelpOpenState& state, const std::string& sourceName,
                                   const std::string& helpName, const std::string& title) {
  if (state.running) return std::nullopt;
  RunningFlag running(state.running);
  for (bool compiled = false;; compiled = true) {
    std::error_code error;
    if (helpName == kDefaultHelpFile && !std::filesystem::exists(helpName, error)) WriteBuiltinCopy(helpName);
    LoadedHelp help;
    if (LoadHelpFile(helpName, help)) return help;
    if (compiled) return std::nullopt;
    CompileHelp(host, sourceName, helpName, title, 0, 50, 100, 500, 380, 0);
  }
}

}  // namespace kx
