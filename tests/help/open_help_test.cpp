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
  static LoadedHelp ParseBuiltin() {
    LoadedHelp help;
    EXPECT_TRUE(ParseHelpImage(BuiltinHelpFile(), help));
    return help;
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

TEST_F(OpenHelpTest, DamagedFileWithoutSourceIsCompiledFromTheBuiltInSource) {
  WriteBytes(kDefaultHelpFile, "kaputt");
  std::optional<LoadedHelp> help = Open();
  ASSERT_TRUE(help.has_value());
  EXPECT_TRUE(host.boxes.empty());
  const auto source = BuiltinHelpSource();
  EXPECT_EQ(ReadFile(kDefaultHelpSource), std::string(source.begin(), source.end()));
  EXPECT_EQ(ReadFile(kDefaultHelpFile), Builtin());
  // The player's own source stays as it is.
  WriteBytes(kDefaultHelpFile, "kaputt");
  WriteBytes(kDefaultHelpSource, Entry("eigene"));
  help = Open();
  ASSERT_TRUE(help.has_value());
  EXPECT_STREQ(help->Text(help->entries[0]), "eigene");
}

TEST_F(OpenHelpTest, ProgramHelpThatStaysUnusableShowsTheErrorThenTheBuiltInCopy) {
  WriteBytes(kDefaultHelpFile, "kaputt");
  WriteBytes(kDefaultHelpSource, "%Kaputt%");
  std::optional<LoadedHelp> help = Open();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].title, "Help-File-Error Message");
  ASSERT_TRUE(help.has_value());
  EXPECT_EQ(help->entries.size(), ParseBuiltin().entries.size());
  EXPECT_FALSE(state.running);
}

TEST_F(OpenHelpTest, UnusableFileOfAnotherNameWithoutSourceShowsErrorOneAlone) {
  WriteBytes("Andere.KXH", "kaputt");
  EXPECT_FALSE(Open("Andere.KXH").has_value());
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Error-001 Help-Source-File not present\r\n");
  EXPECT_EQ(host.boxes[0].title, "Help-File-Error Message");
  EXPECT_EQ(ReadFile("Andere.KXH"), "kaputt");
  EXPECT_FALSE(std::filesystem::exists(kDefaultHelpSource));
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
