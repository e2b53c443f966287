#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "../support/scripted_host.h"
#include "../support/temp_dir.h"
#include "help/help_compiler.h"
#include "help/help_file.h"

namespace kx::test {

// Compiles sources written into the test's own directory.
class HelpTest : public TempDirTest {
 protected:
  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  int Compile(const std::string& source, uint32_t options = 0, const std::string& title = "Titel") {
    WriteBytes("src.txt", source);
    return CompileHelp(host, "src.txt", "out.kxh", title, 0, 50, 100, 500, 380, options);
  }

  // Compiles and loads; fails the test when either step does.
  LoadedHelp CompileAndLoad(const std::string& source, uint32_t options = 0) {
    LoadedHelp help;
    EXPECT_EQ(Compile(source, options), 0) << LastBox();
    EXPECT_TRUE(LoadHelpFile("out.kxh", help));
    return help;
  }

  std::string LastBox() const { return host.boxes.empty() ? std::string() : host.boxes.back().text; }

  ScriptedHost host;
};

// An entry segment with a plain text and no link, between line breaks so
// that no two delimiters of neighbouring segments make a "%%".
inline std::string Entry(const std::string& text, const std::string& link = "0x80000000") {
  return "\r\n%" + link + ", 0x52000005, 1, 2, 3, 4, 5, 6, \"" + text + "\"%\r\n";
}

}  // namespace kx::test
