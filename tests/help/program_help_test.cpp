#include <gtest/gtest.h>

#include <set>

#include "help/builtin_help.h"
#include "help/cp1252.h"
#include "help/help_format.h"
#include "help_test_support.h"

namespace kx::test {
namespace {

class ProgramHelpTest : public HelpTest {
 protected:
  void SetUp() override {
    HelpTest::SetUp();
    auto bytes = BuiltinHelpFile();
    ASSERT_TRUE(ParseHelpImage(bytes, help_));
  }
  std::string TextOf(size_t i) const { return Cp1252ToUtf8(help_.Text(help_.entries[i])); }
  std::string AllText() const {
    std::string all;
    for (size_t i = 0; i < help_.entries.size(); ++i) all += TextOf(i) + "\n";
    return all;
  }
  LoadedHelp help_;
};

TEST_F(ProgramHelpTest, BuiltInCopyIsTheCompiledSource) {
  const std::string source = ReadFile(KX_HELP_SOURCE);
  ASSERT_FALSE(source.empty()) << KX_HELP_SOURCE;
  ASSERT_EQ(Compile(source, 0, kDefaultHelpTitle), 0) << LastBox();
  auto bytes = BuiltinHelpFile();
  EXPECT_EQ(ReadFile("out.kxh"), std::string(bytes.begin(), bytes.end()));
  EXPECT_EQ(bytes.size(), HelpFileSize(help_.entries.size(), help_.textBlock.size() - kHelpTitleSize - 1));
}

TEST_F(ProgramHelpTest, ContentsLinkToChaptersThatStartWithTheirHeading) {
  const char* chapters[] = {"Spielanleitung", "RE_Zodaru - Beschreibung", "RE_Zodaru - Funktionen",
                            "Tastenbelegung", "Mausfunktionen", "Strategien zur Lösung"};
  for (const char* chapter : chapters) {
    size_t link = 0;
    while (link < help_.entries.size() && TextOf(link) != chapter) ++link;
    ASSERT_LT(link, help_.entries.size()) << chapter;
    uint32_t target = help_.entries[link].link;
    ASSERT_LT(target, help_.entries.size()) << chapter;
    EXPECT_EQ(TextOf(target), chapter);
    EXPECT_EQ(help_.entries[target].link, target) << "a heading carries its own name";
    EXPECT_EQ(help_.entries[link].textColours, 0x4D4D4D4Du);
    EXPECT_EQ(help_.entries[target].textColours, 0xB4B4B4B4u);
  }
}

TEST_F(ProgramHelpTest, EveryEntryIsFlowingTextWithTheHelpColours) {
  const std::set<uint32_t> textColours = {0, 0xB4B4B4B4u, 0x4D4D4D4Du};
  for (size_t i = 0; i < help_.entries.size(); ++i) {
    const HelpEntry& e = help_.entries[i];
    EXPECT_TRUE(e.flags == 0x52000005u || e.flags == 0xD2000005u) << i;
    EXPECT_TRUE(textColours.count(e.textColours)) << i;
    bool isLink = e.link < help_.entries.size() && e.link != i;
    EXPECT_EQ(e.background, isLink ? 0xB1B1B1B3u : 0xB3B3B3B3u) << i;
    EXPECT_TRUE(e.link == kHelpNoLink || e.link < help_.entries.size()) << i;
    // Bytes the viewer would turn into DOS letters, and line feeds, do not occur.
    for (const char* c = help_.Text(e); *c != 0; ++c) {
      EXPECT_EQ(std::string("\x81\x84\x8E\x94\x99\x9A\xE1\n").find(*c), std::string::npos) << i << ": " << TextOf(i);
    }
  }
  EXPECT_EQ(help_.entries[0].flags, 0x52000005u) << "the first entry starts a row";
}

TEST_F(ProgramHelpTest, DescribesEveryFunctionFieldKeyAndTheHelpMemory) {
  const std::string all = AllText();
  const char* texts[] = {
      "Neues Eigenes Spiel definieren", "Vorgabe beenden /  S p i e l e n", "Neues  Z u f a l l s  Spiel",
      "Neues  L e i c h t e s  Spiel", "Neues  M i t t e l - schweres Spiel", "Neues  S c h w e r e s  Spiel",
      "Neues  S u p e r - schweres Spiel", "Sudoku automatisch lösen", "Prüfen / Schwierigkeit ermitteln",
      "Alle 1-9 Felder setzen", "Gespeichertes Spiel laden", "Alle Lösungen ermitteln", "Hilfe anzeigen",
      "Einstellungen", "Programm beenden", "Spiel abbrechen / Neues Spiel", "1-9 im markierten Feld setzen",
      "Angezeigtes   S p i e l   s p i e l e n", "Spiel speichern", "Markiertes Feld lösen",
      "Falsche Ziffern entfernen", "Druckfunktionen", "Leicht <<<  Neues Spiel  >>> Schwer",
      "Keine Eingabe-Ziffern - Prüfung", "Eingabe-Ziffern werden geprüft", "Falsche Ziffern verhindern",
      "Nach Spielauswahl sofort spielen", "Nach Spielauswahl weitere Auswahl", "Kein Spielen möglich",
      "Hinten anhängen", "Hintere löschen", "Spiele automatisch speichern", "Kein Auto-Speichern",
      "Spielmodus durch Zifferneingabe", "Spielmodus durch 'Spiel spielen'",
      "Lösung wird in Spiegelschrift gedruckt", "Lösung wird normal lesbar gedruckt",
      "1_9 Zeile wird unterdrückt", "1_9 Zeile wird angezeigt", "Pop-Up's auch durch Mausposition",
      "Pop-Up's nur bei Rechts-Klick", "Vorgabefelder nicht erreichbar", "Alle Felder erreichbar",
      "Einstellungs-Modus beenden", "Ziffern mit neuen Bildern belegen", "(Neue) Bild-Quelldatei auswählen",
      "Bild (Ausschnitt) der markierten Ziffer zuordnen", "Bild-Zuordnung beenden", "KXS3x.BMP",
      "S p i e l m o d u s", "S p i e l  -  A u s w a h l", "M a n u e l l e  Spieleingabe",
      "Das Sudoku ist  g e l ö s t", "Sudoku ist gelöst (automatisch)", "E i n s t e l l u n g e n",
      "Anzeige des Spielverlaufs", "Pos 1", "Ende", "Bild auf", "Bild ab", "F1", "Esc", "Tabulator",
      "Eingabetaste", "Rücktaste", "Entf", "Einfg", "Pfeiltasten", "Leertaste", "Doppelklick",
      "Rechts-Klick", "Mausrad", "50.000",
      "Im rotierenden Hilfespeicher werden bis zu 128 Hilfepositionen abgelegt.",
      // What a player on this system needs to find: where the files are,
      // the printouts, and the parts of the window.
      "KX_SUDOKU_HOME", "~/.local/share/kx-sudoku", "SuDoKu_Druck_", "_argument", "bereits gestartet",
      "Schrittzähler", "blinkt ihre Spalte rot", "bis zu 25",
  };
  for (const char* text : texts) EXPECT_NE(all.find(text), std::string::npos) << text;
}

}  // namespace
}  // namespace kx::test
