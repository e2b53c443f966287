// kx-sudoku-cli: the puzzle engine and the file formats from the shell.
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include "cli/engine_commands.h"
#include "cli/enumeration_commands.h"
#include "cli/generator_commands.h"
#include "cli/state_commands.h"
#include "cli/help_commands.h"
#include "cli/picture_commands.h"

namespace {

using Command = int (*)(const kx::cli::Args&, std::istream&, std::ostream&, std::ostream&);

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> commands = {
      {"solve", kx::cli::RunSolve}, {"logic", kx::cli::RunLogic},   {"pass", kx::cli::RunPass},
      {"check", kx::cli::RunCheck}, {"count", kx::cli::RunCount}, {"fmt64", kx::cli::RunFormatCount},
      {"generate", kx::cli::RunGenerate}, {"thin", kx::cli::RunThin},
      {"slider", kx::cli::RunSlider},     {"state-dump", kx::cli::RunStateDump},
      {"compile-help", kx::cli::RunCompileHelp},
      {"jpeg2bmp", kx::cli::RunJpegToBmp}, {"bmp2bmp", kx::cli::RunBmpToBmp},
      {"enumerate", kx::cli::RunEnumerate}, {"dedup", kx::cli::RunDedup},
  };
  return commands;
}

// The print command lives in a program of its own beside this one.
constexpr const char* kPrintProgram = "kx-sudoku-cli-print";

int RunPrintProgram(char** argv) {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::string program = (error ? std::filesystem::path(argv[0]) : self).parent_path() / kPrintProgram;
  argv[1] = const_cast<char*>(kPrintProgram);
  ::execv(program.c_str(), argv + 1);
  std::cerr << "kx-sudoku-cli: cannot start " << program << ": " << std::strerror(errno) << "\n";
  return 1;
}

int PrintUsage() {
  std::cerr << "usage: kx-sudoku-cli COMMAND [ARGS]\ncommands:";
  for (const auto& [name, command] : Commands()) std::cerr << ' ' << name;
  std::cerr << " print";
  std::cerr << "\n";
  return 2;
}

// Input from a file needs no answer before the next line is read: the
// output can then go out in large writes instead of one per line (reading
// std::cin flushes std::cout). Terminals and pipes keep the line-by-line
// answers that somebody may be waiting for.
void BufferOutputForFileInput() {
  struct stat input {};
  if (::fstat(STDIN_FILENO, &input) == 0 && S_ISREG(input.st_mode)) std::cin.tie(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  BufferOutputForFileInput();
  if (argc < 2) return PrintUsage();
  if (std::strcmp(argv[1], "print") == 0) return RunPrintProgram(argv);
  auto found = Commands().find(argv[1]);
  if (found == Commands().end()) return PrintUsage();
  kx::cli::Args args(argv + 2, argv + argc);
  return found->second(args, std::cin, std::cout, std::cerr);
}
