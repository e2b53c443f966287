#include <gtest/gtest.h>

#include <vector>

#include "help/help_format.h"
#include "help_test_support.h"

namespace kx::test {
namespace {

class HelpFileTest : public HelpTest {
 protected:
  std::vector<unsigned char> CompiledBytes() {
    EXPECT_EQ(Compile("%Kopf: Kopf, 0x52000005, 0, 0, 0, 0, 0, 0, \"Kopf\"%\r\n" + Entry("Text", "Kopf")), 0);
    std::string text = ReadFile("out.kxh");
    return {text.begin(), text.end()};
  }
  static void Set32(std::vector<unsigned char>& bytes, size_t at, uint32_t value) { PutU32(bytes.data() + at, value); }
};

TEST_F(HelpFileTest, LoadsWindowBlockEntriesTextsAndTitle) {
  std::vector<unsigned char> bytes = CompiledBytes();
  LoadedHelp help;
  ASSERT_TRUE(ParseHelpImage(bytes, help));
  EXPECT_EQ(help.window.left, 50);
  EXPECT_EQ(help.window.top, 100);
  EXPECT_EQ(help.window.width, 500);
  EXPECT_EQ(help.window.height, 380);
  EXPECT_EQ(help.window.style, 0x002F0000u);
  EXPECT_EQ(help.window.scroll.maximum, 1);
  EXPECT_EQ(help.window.entryCount, 2u);
  ASSERT_EQ(help.entries.size(), 2u);
  EXPECT_STREQ(help.Text(help.entries[0]), "Kopf");
  EXPECT_STREQ(help.Text(help.entries[1]), "Text");
  EXPECT_EQ(help.entries[1].link, 0u);
  EXPECT_STREQ(help.Title(), "Titel");
}

TEST_F(HelpFileTest, RefusesFilesWhoseCountsOrOffsetsDoNotFit) {
  const std::vector<unsigned char> good = CompiledBytes();
  const size_t entries = kHelpEntriesOffset;
  struct Damage {
    const char* what;
    void (*apply)(std::vector<unsigned char>&, size_t);
  };
  const Damage damages[] = {
      {"last header byte", [](auto& b, size_t) { b[63] = 'x'; }},
      {"one byte short", [](auto& b, size_t) { b.pop_back(); }},
      {"one byte more", [](auto& b, size_t) { b.push_back(0); }},
      {"entry count", [](auto& b, size_t) { Set32(b, 64, 3); }},
      {"text size", [](auto& b, size_t) { Set32(b, 68, 99); }},
      // 716 + 88 * N + T wraps to the real size in 32 bits.
      {"wrapping counts", [](auto& b, size_t) { Set32(b, 64, 0x02E8BA2F), Set32(b, 68, GetU32(&b[68]) + 136); }},
      {"text-pool offset", [](auto& b, size_t) { Set32(b, 72, 0); }},
      {"block's entry count", [](auto& b, size_t) { Set32(b, 76 + 56, 1000); }},
      {"title offset", [](auto& b, size_t) { Set32(b, 76 + 16, 10 + 64); }},
      {"entry text offset", [](auto& b, size_t at) { Set32(b, at + 88 + 72, 10); }},
  };
  for (const Damage& damage : damages) {
    std::vector<unsigned char> bytes = good;
    damage.apply(bytes, entries);
    LoadedHelp help;
    EXPECT_FALSE(ParseHelpImage(bytes, help)) << damage.what;
    WriteBytes("damaged.kxh", std::string(bytes.begin(), bytes.end()));
    EXPECT_FALSE(LoadHelpFile("damaged.kxh", help)) << damage.what;
  }
  LoadedHelp help;
  EXPECT_FALSE(LoadHelpFile("missing.kxh", help));
  EXPECT_FALSE(ParseHelpImage({}, help));
}

TEST_F(HelpFileTest, TextsWithoutTerminatorsStillEndInsideTheBlock) {
  std::vector<unsigned char> bytes = CompiledBytes();
  // Replace every NUL of the pool and the title by a letter.
  for (size_t i = kHelpEntriesOffset + 2 * kHelpEntrySize; i < bytes.size(); ++i) {
    if (bytes[i] == 0) bytes[i] = 'z';
  }
  LoadedHelp help;
  ASSERT_TRUE(ParseHelpImage(bytes, help));
  EXPECT_EQ(std::string(help.Text(help.entries[1])).size(), 5u + 64u);
  EXPECT_EQ(std::string(help.Title()).size(), 64u);
}

}  // namespace
}  // namespace kx::test
