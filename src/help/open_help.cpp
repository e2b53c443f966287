#include "help/open_help.h"

#include <filesystem>

#include "base/replace_file.h"
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

// Writes built-in bytes in place; a failed write leaves no half file.
void WriteBuiltin(const std::string& name, std::span<const unsigned char> bytes) {
  ReplaceFileContent(name, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

bool Missing(const std::string& name) {
  std::error_code error;
  return !std::filesystem::exists(name, error);
}

}  // namespace

std::optional<LoadedHelp> OpenHelp(Host& host, HelpOpenState& state, const std::string& sourceName,
                                   const std::string& helpName, const std::string& title) {
  if (state.running) return std::nullopt;
  RunningFlag running(state.running);
  const bool programHelp = helpName == kDefaultHelpFile;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (programHelp && Missing(helpName)) WriteBuiltin(helpName, BuiltinHelpFile());
    LoadedHelp help;
    if (LoadHelpFile(helpName, help)) return help;
    if (attempt == 1) break;
    // A damaged help file is compiled anew; without a source of the
    // player's own that is the program's source.
    if (programHelp && sourceName == kDefaultHelpSource && Missing(sourceName))
      WriteBuiltin(sourceName, BuiltinHelpSource());
    CompileHelp(host, sourceName, helpName, title, 0, 50, 100, 500, 380, 0);
  }
  // The compiler has shown why the file stays unusable; the program's own
  // help is still there to show.
  LoadedHelp builtin;
  if (programHelp && ParseHelpImage(BuiltinHelpFile(), builtin)) return builtin;
  return std::nullopt;
}

}  // namespace kx
