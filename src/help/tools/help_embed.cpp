// Build tool: compiles the program's help source with the program's own
// compiler and writes the result, and the source itself, as C++ arrays, so
// that the built-in copy of the help can never drift from its source.
//   kx_help_embed SOURCE COMPILED_OUT CPP_OUT
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "help/help_compiler.h"
#include "help/help_file.h"
#include "help/help_format.h"
#include "system/stream_host.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: kx_help_embed SOURCE COMPILED_OUT CPP_OUT\n";
    return 2;
  }
  kx::StreamHost host(std::cerr);
  if (kx::CompileHelp(host, argv[1], argv[2], kx::kDefaultHelpTitle, 0, 50, 100, 500, 380, 0) != 0) return 1;

  std::ifstream in(argv[2], std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  kx::LoadedHelp check;
  if (!kx::ParseHelpImage(bytes, check)) {
    std::cerr << argv[2] << ": the compiled help does not load\n";
    return 1;
  }

  std::ifstream sourceIn(argv[1], std::ios::binary);
  const std::vector<unsigned char> source((std::istreambuf_iterator<char>(sourceIn)), std::istreambuf_iterator<char>());

  std::ofstream out(argv[3], std::ios::binary);
  out << "// Generated from the help source by kx_help_embed; do not edit.\n"
         "#include \"help/builtin_help.h\"\n\nnamespace kx {\n\nnamespace {\n";
  auto array = [&out](const char* name, const std::vector<unsigned char>& data) {
    out << "\nconstexpr unsigned char " << name << "[] = {";
    for (size_t i = 0; i < data.size(); ++i) out << (i % 20 == 0 ? "\n   " : "") << ' ' << static_cast<int>(data[i]) << ',';
    out << "\n};\n";
  };
  array("kBuiltinHelp", bytes);
  array("kBuiltinHelpSource", source);
  out << "\n}  // namespace\n\n"
         "std::span<const unsigned char> BuiltinHelpFile() { return kBuiltinHelp; }\n"
         "std::span<const unsigned char> BuiltinHelpSource() { return kBuiltinHelpSource; }\n\n}  // namespace kx\n";
  out.close();
  if (!out) {
    std::cerr << argv[3] << ": cannot be written\n";
    return 1;
  }
  std::cout << "help: " << check.entries.size() << " entries, " << bytes.size() << " bytes\n";
  return 0;
}
