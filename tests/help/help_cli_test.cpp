#include <gtest/gtest.h>

#include <sstream>

#include "cli/help_commands.h"
#include "help_test_support.h"

namespace kx::test {
namespace {

class HelpCliTest : public HelpTest {
 protected:
  int Run(const cli::Args& args) {
    std::istringstream in;
    std::ostringstream out;
    err.str("");
    int status = cli::RunCompileHelp(args, in, out, err);
    EXPECT_EQ(out.str(), "");
    return status;
  }
  std::ostringstream err;
};

TEST_F(HelpCliTest, CompilesWithTitleAndReportsErrorsOnStandardError) {
  WriteBytes("a.txt", "%Kopf: Kopf, 1, 0, 0, 0, 0, 0, 0, \"a\"%\r\n%Kopf: Kopf, 1, 0, 0, 0, 0, 0, 0, \"b\"%");
  EXPECT_EQ(Run({"a.txt", "a.kxh"}), 1);
  EXPECT_EQ(err.str(), "Error-014 Multiple Definition of Label\nLabel = Kopf\n");
  EXPECT_FALSE(std::filesystem::exists("a.kxh"));

  EXPECT_EQ(Run({"a.txt", "a.kxh", "--allow-duplicates", "--title", "Hilfe für alle"}), 0);
  EXPECT_EQ(err.str(), "");
  LoadedHelp help;
  ASSERT_TRUE(LoadHelpFile("a.kxh", help));
  EXPECT_EQ(help.entries.size(), 2u);
  EXPECT_STREQ(help.Title(), "Hilfe f\xFCr alle");  // stored in the help's single-byte code
  EXPECT_EQ(std::filesystem::file_size("a.kxh"), 716u + 88 * 2 + 4);
}

TEST_F(HelpCliTest, RefusesABadUsage) {
  EXPECT_EQ(Run({"nur-eins.txt"}), 2);
  EXPECT_EQ(Run({"a", "b", "--title"}), 2);
  EXPECT_EQ(Run({"fehlt.txt", "b.kxh"}), 1);
  EXPECT_EQ(err.str(), "Error-001 Help-Source-File not present\n");
}

}  // namespace
}  // namespace kx::test
