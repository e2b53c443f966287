#include <gtest/gtest.h>

#include "help/help_errors.h"
#include "help/help_format.h"
#include "help_test_support.h"

namespace kx::test {
namespace {

class HelpCompilerTest : public HelpTest {};

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
}

TEST_F(HelpCompilerTest, SmallFileHasTheExactLayout) {
  ASSERT_EQ(Compile("Kommentar %Ziel: Ziel, 0x52000005, -1, -2, 0, 7, 0xB3B3B3B3, 0, \"Ab\"% mehr\r\n"
                    "%Weiter = 0xD2000005%\r\n%Ziel, Weiter, 3, 4, 5, 6, 7, 8, \"\"%",
                    0, "Titel"),
            0)
      << LastBox();
  // Built here field by field from the documented layout.
  std::string expected = "VI-Vudizidu Version 1.00";
  expected.resize(64, '\0');
  Put32(expected, 2);                 // N
  Put32(expected, 4);                 // T: "Ab\0" and "\0"
  Put32(expected, 652 + 88 * 2);      // text-pool offset
  for (uint32_t v : {50u, 100u, 500u, 380u, 4u, 0x002F0000u, 0u}) Put32(expected, v);
  for (uint32_t v : {28u, 7u, 0u, 1u, 1u, 0u, 0u}) Put32(expected, v);  // scroll information
  Put32(expected, 2);                 // entry count
  Put32(expected, 0);                 // history index
  expected.append(512, '\0');         // history
  auto entry = [&](uint32_t flags, std::vector<int32_t> xywh, uint32_t link, uint32_t text, uint32_t bg,
                   uint32_t fg) {
    Put32(expected, flags);
    for (int32_t v : xywh) Put32(expected, static_cast<uint32_t>(v));
    expected.append(48, '\0');
    Put32(expected, link);
    Put32(expected, text);
    Put32(expected, bg);
    Put32(expected, fg);
    Put32(expected, 0);
  };
  entry(0x52000005, {-1, -2, 0, 7}, 0, 0, 0xB3B3B3B3, 0);
  entry(0xD2000005, {3, 4, 5, 6}, 0, 3, 7, 8);
  expected += std::string("Ab\0\0", 4);
  std::string title = "Titel";
  title.resize(64, '\0');
  expected += title;
  EXPECT_EQ(expected.size(), 716u + 88 * 2 + 4);
  EXPECT_EQ(ReadFile("out.kxh"), expected);
}

TEST_F(HelpCompilerTest, DoublePercentIsOneLiteralPercentInsideAndOutsideSegments) {
  LoadedHelp help = CompileAndLoad("Vorwort mit 50%% Rabatt\r\n" + Entry("100%% sicher, %%d") + "Nachwort %%\r\n" +
                                   Entry("zwei"));
  ASSERT_EQ(help.entries.size(), 2u);
  EXPECT_STREQ(help.Text(help.entries[0]), "100% sicher, %d");
  EXPECT_STREQ(help.Text(help.entries[1]), "zwei");
}

TEST_F(HelpCompilerTest, ValuesOfDefinitionsAndFields) {
  LoadedHelp help = CompileAndLoad(
      "%Keiner = 0x80000000%\r\n"
      "%Neun = 123456789%\r\n"
      "%Minus=-42 ; Kommentar%\r\n"
      "%Hex = 0x123456789%\r\n"
      "%Doppelt==5%\r\n"
      "%Keiner, 07, 0, -0, Neun, Minus, Hex, Doppelt, \"a\"%\r\n"
      "%987654321, 0X1aF, 0 Rest wird ignoriert, -12, 0xffffffff, 9, 0, 0, \"b\"%");
  ASSERT_EQ(help.entries.size(), 2u);
  const HelpEntry& a = help.entries[0];
  EXPECT_EQ(a.link, 0x80000000u);
  EXPECT_EQ(a.flags, 7u);
  EXPECT_EQ(a.x, 0);
  EXPECT_EQ(a.y, 0);
  EXPECT_EQ(a.width, 23456789);  // only the last eight decimal digits
  EXPECT_EQ(a.height, -42);
  EXPECT_EQ(a.background, 0x23456789u);
  EXPECT_EQ(a.textColours, 5u);
  const HelpEntry& b = help.entries[1];
  EXPECT_EQ(b.link, 87654321u);
  EXPECT_EQ(b.flags, 0x1AFu);
  EXPECT_EQ(b.x, 0);
  EXPECT_EQ(b.y, -12);
  EXPECT_EQ(b.width, -1);
}

TEST_F(HelpCompilerTest, AnchorsResolveForwardAndBackward) {
  LoadedHelp help = CompileAndLoad(Entry("Verweis", "Ende") + "%Anfang: Anfang, 1, 0, 0, 0, 0, 0, 0, \"Kopf\"%\r\n" +
                                   Entry("zurück", "Anfang") + "%Ende:Ende, 1, 0, 0, 0, 0, 0, 0, \"Schluss\"%");
  ASSERT_EQ(help.entries.size(), 4u);
  EXPECT_EQ(help.entries[0].link, 3u);
  EXPECT_EQ(help.entries[1].link, 1u);
  EXPECT_EQ(help.entries[2].link, 1u);
  EXPECT_STREQ(help.Text(help.entries[3]), "Schluss");
}

TEST_F(HelpCompilerTest, BlanksAroundTheSigns) {
  EXPECT_EQ(Compile("%Eins = 1%" + Entry("x", "Eins")), 0) << LastBox();
  EXPECT_EQ(Compile("%Zwei  = 2%" + Entry("x")), -109);
  EXPECT_NE(LastBox().find("Error-109 Value does not start with 0...9 or - (>9)"), std::string::npos);
  // Run1 takes it for an anchor, Run2 reads the colon as a value.
  EXPECT_EQ(Compile("%Marke : 1, 2, 3, 4, 5, 6, 7, 8, \"x\"%"), -207);
}

TEST_F(HelpCompilerTest, NumberedErrorsOfBothPasses) {
  struct Case {
    std::string source;
    int code;
    const char* line;
  };
  const Case cases[] = {
      {"% %", -101, "Error-101 Not enough characters in line (no ending % ?)"},
      {"%Na\x01me = 1%", -102, "Error-102 Control-Character inside label-string"},
      {"%Wert =%", -108, "Error-108 No value defined for label"},
      {"%Wert = +1%", -110, "Error-110 Value does not start with 0...9 or - (<0)"},
      {"%Wert = 1,5%", -111, "Error-111 Value-Character < 0"},
      {"%Wert = -0x10%", -112, "Error-112 Decimal-Value-Character > 9"},
      {"%Wert = 0x1G%", -115, "Error-115 Hex-Value-Character > F < a"},
      {"%Wert = 0xg%", -114, "Error-114 Hex-Value-Character > f"},
      {"%Wert = 0x1@%", -113, "Error-113 Hex-Value-Character < A"},
      {"%1, 2, 3, 4, 5, 6, 7, \"sieben Kommas\"%", -116, "Error-116 Text-String does not end with \""},
      {"%1, 2, 3, 4, 5, 6, 7, 8, \"offen%", -116, "Error-116 Text-String does not end with \""},
      {"%1, 2, 3, 4, 5, 6, 7, 8, Fehlt, \"x\"%", 0, nullptr},
      {"%1, 2, 3, 4, 5, 6, 7, Fehlt, \"x\"%", -206, "Error-206 Label not defined\r\nLabel = Fehlt\r\n"},
      {"%1, 2, 3, 4, 5, 6, 7, , \"x\"%", -208, "Error-208 Value does not start with 0...9 or - (<0)"},
      {"%1, 2, 3, 4, 5, 6, 7, +8, \"x\"%", -206, "Label = +8\r\n"},
      {"%1, 2, 3, 4, 5, 6, 7, 8x, \"x\"%", -213, "Error-213 Decimal-Value-Character > 9"},
      {"%1, 2, 3, 4, 5, 6, 7, 0xFG, \"x\"%", -216, "Error-216 Hex-Value-Character > F < a"},
      {"%1, 2, 3, 4, 5, 6, 7, 8+, \"x\"%", -212, "Error-212 Value-Character < 0"},
      {"%1, 2, 3, 4, 5, 6, 7, 0xFg, \"x\"%", -215, "Error-215 Hex-Value-Character > f"},
  };
  for (const Case& c : cases) {
    host.boxes.clear();
    EXPECT_EQ(Compile(c.source), c.code) << c.source;
    if (c.line != nullptr) {
      ASSERT_EQ(host.boxes.size(), 1u) << c.source;
      EXPECT_EQ(host.boxes[0].title, "Help-File-Error Message");
      EXPECT_EQ(host.boxes[0].buttons, BoxButtons::Ok);
      EXPECT_NE(host.boxes[0].text.find(c.line), std::string::npos) << host.boxes[0].text;
    }
  }
}

TEST_F(HelpCompilerTest, ErrorTextsAndAnEmptyHexValue) {
  EXPECT_EQ(HelpErrorText(-211), std::string("Error-212 Nothing more after a 0x"));
  EXPECT_EQ(HelpErrorText(-500), std::string("Error-999 Undefined Error"));
  EXPECT_EQ(Compile("%Wert = 0x%" + Entry("x", "Wert")), 0) << LastBox();
}

TEST_F(HelpCompilerTest, DuplicateNamesNeedTheOption) {
  std::string source = "%Kopf: Kopf, 1, 0, 0, 0, 0, 0, 0, \"a\"%\r\n%Kopf: Kopf, 1, 0, 0, 0, 0, 0, 0, \"b\"%";
  EXPECT_EQ(Compile(source), -14);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Error-014 Multiple Definition of Label\r\nLabel = Kopf\r\n");
  EXPECT_FALSE(std::filesystem::exists("out.kxh"));

  LoadedHelp help = CompileAndLoad(source, kHelpAllowDuplicates);
  ASSERT_EQ(help.entries.size(), 2u);
  EXPECT_EQ(help.entries[1].link, 0u);  // the first definition counts
}

TEST_F(HelpCompilerTest, ErrorBoxShowsTheSegmentAndFiveFollowingLines) {
  std::string source = "%1, 2, \"kaputt\"%\r\n  Zeile1\r\nZeile2\tmit Tab\r\n\r\nZeile3\rZeile4\nZeile5\nZeile6\n";
  EXPECT_EQ(Compile(source), -116);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text,
            "Error-116 Text-String does not end with \"\r\n1, 2, \"kaputt\"\r\n"
            "Zeile1\r\nZeile2\tmit Tab\r\nZeile3\r\nZeile4\r\nZeile5\r\n");
}

TEST_F(HelpCompilerTest, MissingSourceIsErrorOne) {
  EXPECT_EQ(CompileHelp(host, "fehlt.txt", "out.kxh", "T", 0, 50, 100, 500, 380, 0), -1);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Error-001 Help-Source-File not present\r\n");
}

TEST_F(HelpCompilerTest, LongSourcesAreReadThroughTheWindow) {
  // Segments of every length straddle the window's edges at every offset.
  std::string source = "Kommentar " + std::string(3000, '-') + "\r\n";
  std::vector<std::string> texts;
  for (int i = 0; i < 200; ++i) {
    std::string body(static_cast<size_t>(i * 7 % 900), static_cast<char>('a' + i % 26));
    texts.push_back(body + "%" + std::to_string(i));
    source += Entry(body + "%%" + std::to_string(i)) + std::string(static_cast<size_t>(i % 5), ' ');
  }
  LoadedHelp help = CompileAndLoad(source);
  ASSERT_EQ(help.entries.size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(help.Text(help.entries[i]), texts[i]) << i;
}

TEST_F(HelpCompilerTest, SegmentLongerThanTheWindowIsRefused) {
  std::string head = "%1, 2, 3, 4, 5, 6, 7, 8, \"";
  // 1023 bytes and the closing delimiter fill the window exactly.
  std::string fits = head + std::string(1023 - head.size(), 'x') + "\"%";
  EXPECT_EQ(Compile(std::string(2000, ' ') + fits + "\r\n" + fits), 0) << LastBox();

  std::filesystem::remove("out.kxh");
  std::string tooLong = head + std::string(1024 - head.size(), 'x') + "\"%";
  EXPECT_EQ(Compile(Entry("davor") + tooLong + Entry("danach")), kHelpSegmentTooLong);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text.rfind("Error-038 Segment longer than 1023 characters (no ending % ?)\r\n", 0), 0u);
  EXPECT_FALSE(std::filesystem::exists("out.kxh"));
}

TEST_F(HelpCompilerTest, SourceEndingInsideASegmentIsRefused) {
  EXPECT_EQ(Compile(Entry("eins") + "%1, 2, 3, 4, 5, 6, 7, 8, \"offen\""), kHelpSegmentNotClosed);
  // A stray delimiter before blank lines only is harmless.
  EXPECT_EQ(Compile(Entry("eins") + "%\r\n\r\n"), 0) << LastBox();
}

TEST_F(HelpCompilerTest, FailedCompilationKeepsTheEarlierFile) {
  ASSERT_EQ(Compile(Entry("gut")), 0);
  std::string good = ReadFile("out.kxh");
  EXPECT_EQ(Compile(Entry("gut") + "%kaputt%"), -102);
  EXPECT_EQ(ReadFile("out.kxh"), good);
  EXPECT_FALSE(std::filesystem::exists("out.kxh.tmp"));
}

TEST_F(HelpCompilerTest, LongTitleIsCutToKeepItsEnd) {
  ASSERT_EQ(Compile(Entry("x"), 0, std::string(80, 'T')), 0);
  LoadedHelp help;
  ASSERT_TRUE(LoadHelpFile("out.kxh", help));
  EXPECT_EQ(std::string(help.Title()), std::string(63, 'T'));
}

TEST_F(HelpCompilerTest, AtMost65535Entries) {
  std::string source;
  for (int i = 0; i < 65535; ++i) source += "%0,0,0,0,0,0,0,0,\"\"%\n";
  EXPECT_EQ(Compile(source), 0) << LastBox();
  LoadedHelp help;
  ASSERT_TRUE(LoadHelpFile("out.kxh", help));
  EXPECT_EQ(help.entries.size(), 65535u);

  std::filesystem::remove("out.kxh");
  EXPECT_EQ(Compile(source + "%0,0,0,0,0,0,0,0,\"\"%"), kHelpTooManyEntries);
  EXPECT_EQ(LastBox(), "Error-037 More than 65536 entries\r\n");
  EXPECT_FALSE(std::filesystem::exists("out.kxh"));
}

}  // namespace
}  // namespace kx::test
