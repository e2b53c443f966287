#include "cli/help_commands.h"

#include <ostream>

#include "cli/cli_args.h"
#include "help/cp1252.h"
#include "help/help_compiler.h"
#include "help/help_format.h"
#include "system/stream_host.h"

namespace kx::cli {

int RunCompileHelp(const Args& args, std::istream&, std::ostream&, std::ostream& err) {
  OptionReader options(args);
  std::string title = options.Text("--title").value_or(kDefaultHelpTitle);
  uint32_t flags = options.Flag("--allow-duplicates") ? kHelpAllowDuplicates : 0;
  std::vector<std::string> files = options.Rest();
  if (options.bad() || files.size() != 2) {
    err << "usage: kx-sudoku-cli compile-help SRC OUT [--title T] [--allow-duplicates]\n";
    return 2;
  }
  StreamHost host(err);
  // The compiled file keeps its title in the help's own single-byte code.
  int result = CompileHelp(host, files[0], files[1], Utf8ToCp1252(title), 0, 50, 100, 500, 380, flags);
  return result == 0 ? 0 : 1;
}

}  // namespace kx::cli
