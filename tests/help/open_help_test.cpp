#include <gtest/gtest.h>

#include "help/builtin_help.h"
#include "help/help_format.h"
#include "help/open_help.h"
#include "help_test_support.h"

namespace kx::test {
namespace {

class OpenHelpTest : public HelpTest {
 protected:
  std::optional<LoadedHelp> Open(const std::string& helpName = kDefaultHelpFile) {
    return OpenHelp(host, state, kDefaultHelpSource, helpName, kDefaultHelpTitle);
  }
  static std::string Builtin() {
    auto bytes = BuiltinHelpFile();
    return {bytes.begin(), bytes.end()};
  }
  HelpOpenState state;
};

TEST_F(OpenHelpTest, MissingDefaultFileIsWrittenFromTheBuiltInCopy) {
  // No source exists: a compilation would show Error-001.
  std::optional<LoadedHelp> help = Open();
  ASSERT_TRUE(help.has_value());
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(ReadFile(kDefaultHelpFile), Builtin());
  EXPECT_STREQ(help->Title(), kDefaultHelpTitle);
  EXPECT_FALSE(state.running);
}

TEST_F(OpenHelpTest, MissingFileOfAnotherNameIsCompiledFromTheSource) {
  WriteBytes(kDefaultHelpSource, Entry("eigene Hilfe"));
  std::optional<LoadedHelp> help = Open("Andere.KXH");
  ASSERT_TRUE(help.has_value());
  ASSERT_EQ(help->entries.size(), 1u);
  EXPECT_STREQ(help->Text(help->entries[0]), "eigene Hilfe");
  EXPECT_FALSE(std::filesystem::exists(kDefaultHelpFile));
}

TEST_F(OpenHelpTest, FileWithAChangedHeaderByteIsCompiledAnew) {
  std::string damaged = Builtin();
  damaged[3] ^= 0x20;
  WriteBytes(kDefaultHelpFile, damaged);
  WriteBytes(kDefaultHelpSource, Entry("aus der Quelle"));
  std::optional<LoadedHelp> help = Open();
  ASSERT_TRUE(help.has_value());
  ASSERT_EQ(help->entries.size(), 1u);
  EXPECT_STREQ(help->Text(help->entries[0]), "aus der Quelle");
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(OpenHelpTest, UnusableFileWithoutSourceShowsErrorOneAlone) {
  WriteBytes(kDefaultHelpFile, "kaputt");
  EXPECT_FALSE(Open().has_value());
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Error-001 Help-Source-File not present\r\n");
  EXPECT_EQ(host.boxes[0].title, "Help-File-Error Message");
  EXPECT_EQ(ReadFile(kDefaultHelpFile), "kaputt");
  EXPECT_FALSE(state.running);
}

TEST_F(OpenHelpTest, SourceThatStillGivesNoUsableFileIsCompiledOnlyOnce) {
  WriteBytes("Andere.KXH", "kaputt");
  WriteBytes(kDefaultHelpSource, "%Kaputt%");
  EXPECT_FALSE(Open("Andere.KXH").has_value());
  EXPECT_EQ(host.boxes.size(), 1u);
}

TEST_F(OpenHelpTest, SecondCallWhileOneRunsDoesNothing) {
  state.running = true;
  EXPECT_FALSE(Open().has_value());
  EXPECT_FALSE(std::filesystem::exists(kDefaultHelpFile));
  EXPECT_TRUE(state.running);
}

}  // namespace
}  // namespace kx::test
