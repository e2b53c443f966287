#include "game/show_help.h"

#include "game/program.h"

namespace kx {

int ShowHelp(Program& p) {
  std::optional<LoadedHelp> help =
      OpenHelp(p.host, p.helpOpening, kDefaultHelpSource, kDefaultHelpFile, kDefaultHelpTitle);
  // With all eight windows open the fresh copy is simply dropped.
  if (help) OpenHelpWindow(p.helpWindows, std::move(*help), 0);
  return 0;
}

}  // namespace kx
