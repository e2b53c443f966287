// Fuzzes the loader of compiled help files; every text of a file that loads
// must end inside its block.
#include <cstdint>
#include <cstring>
#include <span>

#include "help/help_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kx::LoadedHelp help;
  if (!kx::ParseHelpImage(std::span<const unsigned char>(data, size), help)) return 0;
  size_t total = std::strlen(help.Title());
  for (const kx::HelpEntry& entry : help.entries) total += std::strlen(help.Text(entry));
  return total == SIZE_MAX ? 1 : 0;
}
