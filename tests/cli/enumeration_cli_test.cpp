#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "../support/puzzles.h"
#include "../support/temp_dir.h"
#include "cli/enumeration_commands.h"

namespace kx::cli {
namespace {

class EnumerationCliTest : public test::TempDirTest {
 protected:
  int Run(int (*command)(const Args&, std::istream&, std::ostream&, std::ostream&), const Args& args,
          const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream o, e;
    const int status = command(args, in, o, e);
    out = o.str();
    err = e.str();
    return status;
  }
  std::string out, err;
};

TEST_F(EnumerationCliTest, EnumerateThenDedupPrintTheirNumbers) {
  // The solved grid with two cells swapped open: exactly two solutions.
  std::string puzzle = test::kSolvedGrid;
  puzzle[0] = '.';
  EXPECT_EQ(Run(RunEnumerate, {"--file", "all.txt"}, puzzle + "\n" + puzzle + "\n"), 0) << err;
  EXPECT_EQ(out, "1 1 0 0\n1 1 1 0\n");
  EXPECT_EQ(Run(RunDedup, {"all.txt", "--memory", "0"}), 0);
  EXPECT_EQ(out, "1 2 0 0\n");
  EXPECT_EQ(Run(RunDedup, {"missing.txt"}), 1);
  EXPECT_EQ(out, "0 0 0 30\n");
  EXPECT_EQ(Run(RunDedup, {}), 2);
  EXPECT_EQ(Run(RunEnumerate, {"--file"}), 2);
}

}  // namespace
}  // namespace kx::cli
