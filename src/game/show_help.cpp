#include "game/show_help.h"

#include "game/program.h"
#include "help/help_windows.h"
#include "help/open_help.h"

namespace kx {

int ShowHelp(Program& p) {
  static HelpOpenState openState;
  std::optional<LoadedHelp> help = OpenHelp(p.host, openState, kDefaultHelpSource, kDefaultHelpFile, kDefaultHelpTitle);
  // With all eight windows open the fresh copy is simply dropped.
  if (help) OpenHelpWindow(SharedHelpWindows(), std::move(*help), 0);
  return 0;
}

}  // namespace kx
