// Fuzzes the help compiler with arbitrary sources. The first byte picks the
// options; whatever compiles must load again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>

#include <unistd.h>

#include "help/help_compiler.h"
#include "help/help_file.h"
#include "system/stream_host.h"

namespace {

const std::string& WorkDir() {
  static const std::string dir = [] {
    char name[] = "/tmp/kx_fuzz_help_XXXXXX";
    if (mkdtemp(name) == nullptr) std::abort();
    return std::string(name);
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string source = WorkDir() + "/src.txt";
  const std::string output = WorkDir() + "/out.kxh";
  std::FILE* file = std::fopen(source.c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(data + 1, 1, size - 1, file);
  std::fclose(file);

  std::ostream discard(nullptr);
  kx::StreamHost host(discard);
  int result = kx::CompileHelp(host, source, output, "Titel", 0, 50, 100, 500, 380, data[0] & 1u);
  if (result == 0) {
    kx::LoadedHelp help;
    if (!kx::LoadHelpFile(output, help)) std::abort();
  }
  std::remove(output.c_str());
  return 0;
}
