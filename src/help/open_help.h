#pragma once

#include <optional>
#include <string>

#include "help/help_file.h"
#include "platform/host.h"

namespace kx {

// Program-wide state of OpenHelp: set while a call runs, since an error box
// of the compiler runs a message loop in which F1 can arrive again.
struct HelpOpenState {
  bool running = false;
};

// Loads the compiled help for the viewer. A missing "REZodaru.KXH" is first
// written from the built-in copy; a file that is missing or unusable is
// compiled once from sourceName, which for the program's help is written
// out from the built-in source when it is missing. When the program's help
// stays unusable (the compiler has shown why), the built-in copy is shown.
// Returns nothing when no usable help could be had or when a call is
// already running; the caller hands the result to its help window.
std::optional<LoadedHelp> OpenHelp(Host& host, HelpOpenState& state, const std::string& sourceName,
                                   const std::string& helpName, const std::string& title);

}  // namespace kx
