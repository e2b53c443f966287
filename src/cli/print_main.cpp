// kx-sudoku-cli-print: the print command of kx-sudoku-cli, which hands it
// over to this program so that the other commands start without Qt.
#include <iostream>

#include "cli/print_commands.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  kx::cli::Args args(argv + 1, argv + argc);
  return kx::cli::RunPrint(args, std::cin, std::cout, std::cerr);
}
