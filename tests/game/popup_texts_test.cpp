#include "game/popup_texts.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace kx {
namespace {

struct Expected {
  int commandId;
  const char* label;
  const char* heading;
};

constexpr const char* kSymbolSetHeading =
    "Sie können das Sudoku herkömmlich mit den Ziffern 1...9 spielen, oder mit Buchstaben "
    "und/oder Sonderzeichen oder mit Bildern.";
constexpr const char* kHistoryHeading = "Weiterspielen bei vorherigen Spielschritten";

// Every label a field can show, with the heading its pop-up must start with.
constexpr Expected kAllFields[] = {
    {200, "Anzeige des Spielverlaufs", "Anzeige des Spielverlaufs"},
    {200, "E i n s t e l l u n g e n", "E i n s t e l l u n g e n"},
    {200, "S p i e l m o d u s", "Spielmodus"},
    {200, "Sudoku ist gelöst (automatisch)", "Sudoku ist gelöst (automatisch)"},
    {200, "M a n u e l l e  Spieleingabe", "Manuelle Spieleingabe"},
    {200, "Das Sudoku ist  g e l ö s t", "Sudoku ist gelöst"},
    {200, "S p i e l  -  A u s w a h l", "Spiel - Auswahl"},
    {0, "Neues Eigenes Spiel definieren", "Eigenes Spiel definieren"},
    {1, "Vorgabe beenden /  S p i e l e n", "Vorgabe beenden /  S p i e l e n"},
    {2, "Neues  Z u f a l l s  Spiel", "Neues beliebiges Spiel"},
    {3, "Neues  L e i c h t e s  Spiel", "Neues leichtes Spiel"},
    {4, "Neues  M i t t e l - schweres Spiel", "Neues mittelschweres Spiel"},
    {5, "Neues  S c h w e r e s  Spiel", "Neues schweres Spiel"},
    {6, "Neues  S u p e r - schweres Spiel", "Neues Super-schweres Spiel"},
    {7, "Sudoku automatisch lösen", "Sudoku automatisch lösen"},
    {8, "Prüfen / Schwierigkeit ermitteln", "Prüfen / Schwierigkeit ermitteln"},
    {9, "Alle 1-9 Felder setzen", "Alle 1-9 Felder setzen"},
    {10, "Gespeichertes Spiel laden", "Spiel laden"},
    {12, "Alle Lösungen ermitteln", "Alle Lösungen ermitteln"},
    {13, "Hilfe anzeigen", "Hilfe anzeigen"},
    {14, "Einstellungen", "Einstellungen"},
    {15, "Programm beenden", "Programm beenden"},
    {16, "Spiel abbrechen / Neues Spiel", "Spiel abbrechen / Neues Spiel"},
    {17, "1-9 im markierten Feld setzen", "1-9 nur im markierten Feld setzen"},
    {18, "Angezeigtes   S p i e l   s p i e l e n", "Angezeigtes Spiel spielen"},
    {19, "Spiel speichern", "Spiel speichern"},
    {20, "Markiertes Feld lösen", "Markiertes Feld lösen"},
    {21, "Falsche Ziffern entfernen", "Falsche Ziffern entfernen"},
    {23, "Druckfunktionen", "Druckfunktionen"},
    {24, "Leicht <<<  Neues Spiel  >>> Schwer", "Leicht <<<  Neues Spiel  >>> Schwer"},
    {120, "Symbolik: \"123456789\"", kSymbolSetHeading},
    {120, "Symbolik: \"abcdefghi\"", kSymbolSetHeading},
    {120, "Symbolik: \"ABCDEFGHI\"", kSymbolSetHeading},
    {120, "Symbolik: \"KX-SUDoku\"", kSymbolSetHeading},
    {120, "Symbolik: \"KXS0x.BMP\"", kSymbolSetHeading},
    {120, "Symbolik: \"KXS1x.BMP\"", kSymbolSetHeading},
    {120, "Symbolik: \"KXS2x.BMP\"", kSymbolSetHeading},
    {120, "Symbolik: \"KXS3x.BMP\"", kSymbolSetHeading},
    {122, "Keine Eingabe-Ziffern - Prüfung", "Keine Eingabe-Ziffern - Prüfung"},
    {122, "Eingabe-Ziffern werden geprüft", "Eingabe-Ziffern werden geprüft"},
    {122, "Falsche Ziffern verhindern", "Falsche Ziffern verhindern"},
    {123, "Nach Spielauswahl sofort spielen", "Spielmodus nach Spielgenerierung"},
    {123, "Nach Spielauswahl weitere Auswahl", "Spielmodus nach Spielgenerierung"},
    {125, "Spielverlauf: Kein Spielen möglich", kHistoryHeading},
    {125, "Spielverlauf: Hinten anhängen", kHistoryHeading},
    {125, "Spielverlauf: Hintere löschen", kHistoryHeading},
    {125, "Spielverlauf: Neues Spiel", kHistoryHeading},
    {126, "Spiele automatisch speichern", "Spiele automatisch speichern"},
    {126, "Kein Auto-Speichern", "Kein Auto-Speichern"},
    {127, "Spielmodus durch Zifferneingabe", "Spielmodus durch Zifferneingabe"},
    {127, "Spielmodus durch 'Spiel spielen'", "Spielmodus durch 'Spiel spielen'"},
    {128, "Lösung wird in Spiegelschrift gedruckt", "Einstellungen:"},
    {128, "Lösung wird normal lesbar gedruckt", "Einstellungen:"},
    {129, "1_9 Zeile wird unterdrückt", "Einstellungen:"},
    {129, "1_9 Zeile wird angezeigt", "Einstellungen:"},
    {130, "Pop-Up's auch durch Mausposition", "Einstellungen:"},
    {130, "Pop-Up's nur bei Rechts-Klick", "Einstellungen:"},
    {131, "Vorgabefelder nicht erreichbar", "Einstellungen:"},
    {131, "Alle Felder erreichbar", "Einstellungen:"},
    {199, "Einstellungs-Modus beenden", "Einstellungen:"},
    {300, "Ziffern mit neuen Bildern belegen", "Belegung der Ziffern mit neuen Bildern"},
};

constexpr std::string_view kSliderLabel = "Leicht <<<  Neues Spiel  >>> Schwer";

TEST(FieldHelpText, EveryFieldValueStartsWithItsHeadingAndHasABody) {
  ASSERT_EQ(std::size(kAllFields), 61u);
  for (const Expected& f : kAllFields) {
    SCOPED_TRACE(std::to_string(f.commandId) + " " + f.label);
    const char* text = FieldHelpText(f.commandId, f.label);
    ASSERT_NE(text, nullptr);
    std::string_view t = text;
    std::string_view heading = f.heading;
    ASSERT_TRUE(t.starts_with(heading));
    ASSERT_TRUE(t.substr(heading.size()).starts_with("\n\n"));
    std::string_view body = t.substr(heading.size() + 2);
    EXPECT_FALSE(body.empty());
    EXPECT_NE(body.front(), '\n');
    EXPECT_EQ(t.find('\r'), std::string_view::npos);
  }
}

TEST(FieldHelpText, FiftyFourDistinctTextsWithTheSymbolSetsSharingOne) {
  std::set<std::string> distinct;
  for (const Expected& f : kAllFields) distinct.insert(FieldHelpText(f.commandId, f.label));
  EXPECT_EQ(distinct.size(), 54u);

  const char* shared = FieldHelpText(120, "Symbolik: \"123456789\"");
  for (const Expected& f : kAllFields) {
    if (f.commandId == 120) {
      EXPECT_EQ(FieldHelpText(f.commandId, f.label), shared) << f.label;
    }
  }
}

TEST(FieldHelpText, FixedTextsAreExact) {
  EXPECT_STREQ(FieldHelpText(24, kSliderLabel),
               "Leicht <<<  Neues Spiel  >>> Schwer\n\nEs wird ein eindeutiges Spiel mit einem "
               "der Maus-Klick-Position entsprechenden Schwierigkeitsgrad erzeugt.\n");
  EXPECT_STREQ(FieldHelpText(13, "Hilfe anzeigen"),
               "Hilfe anzeigen\n\nSonstiger Hinweis: Die zuletzt per Mausklick ausgeführte "
               "Funktion ist gekennzeichnet und wird durch Drücken der Return-Taste wiederholt "
               "ausgeführt.\nMit der TAB-Taste wird die jeweils nächste Funktion markiert und "
               "kann dann mit der Return-Taste ausgeführt werden.");
  EXPECT_STREQ(FieldHelpText(23, "Druckfunktionen"),
               "Druckfunktionen\n\nEs gibt die folgenden Möglichkeiten:\n\n1. Den angezeigten "
               "Sudoku-Fensterinhalt drucken (Farbe)\n2. Sudoku mit Lösung (aktuelle Ziffern) "
               "(s/w)\n3. Sudoku mit Lösung (Start-Sudoku) (s/w)\n");
  // The odd spellings belong to the texts and must survive.
  std::string_view history = FieldHelpText(200, "Anzeige des Spielverlaufs");
  EXPECT_TRUE(history.ends_with("\n3. Neues Spiel ab dem angezeigten Schritt\n"
                                "4. Keine Weiterspielen möglich"));
  std::string_view symbols = FieldHelpText(120, "Symbolik: \"KXS3x.BMP\"");
  EXPECT_NE(symbols.find("\n\nDurck Links-Klick auf das Funktionsfeld"), std::string_view::npos);
  EXPECT_NE(symbols.find("eigene Bilder oder \nBildausschnitte"), std::string_view::npos);
  EXPECT_TRUE(symbols.ends_with("\n\nÜbrigens:Im Bild-Modus wird ein kleines Bild bei gedrückter "
                                "rechter Maustaste gross dargestellt."));
}

TEST(FieldHelpText, HoveredSliderKeepsItsText) {
  const char* slider = FieldHelpText(24, kSliderLabel);
  EXPECT_EQ(FieldHelpText(24, "Neues Spiel  Schwierigkeit:   562"), slider);
  EXPECT_EQ(FieldHelpText(24, "Neues Spiel  Schwierigkeit:   16.883"), slider);
  EXPECT_EQ(FieldHelpText(24, "Neues Spiel  Schwierigkeit:   "), nullptr);
  EXPECT_EQ(FieldHelpText(24, "Neues Spiel  Schwierigkeit:   12a"), nullptr);
  EXPECT_EQ(FieldHelpText(2, "Neues Spiel  Schwierigkeit:   562"), nullptr);
}

TEST(FieldHelpText, PictureAssignmentFieldsAreHeadedByTheirLabels) {
  for (auto [id, label] : {std::pair{301, "(Neue) Bild-Quelldatei auswählen"},
                           std::pair{302, "Bild (Ausschnitt) der markierten Ziffer zuordnen"},
                           std::pair{303, "Bild-Zuordnung beenden"}}) {
    const char* text = FieldHelpText(id, label);
    ASSERT_NE(text, nullptr) << label;
    EXPECT_TRUE(std::string_view(text).starts_with(std::string(label) + "\n\n")) << label;
  }
}

TEST(FieldHelpText, UnknownPairsHaveNoText) {
  EXPECT_EQ(FieldHelpText(11, "Gespeichertes Spiel laden"), nullptr);   // id without a field
  EXPECT_EQ(FieldHelpText(15, "Hilfe anzeigen"), nullptr);              // label of another id
  EXPECT_EQ(FieldHelpText(126, "Spielmodus durch Zifferneingabe"), nullptr);
  EXPECT_EQ(FieldHelpText(13, "Spielmodus"), nullptr);                  // heading is not a label
  EXPECT_EQ(FieldHelpText(200, "Spielmodus"), nullptr);
  EXPECT_EQ(FieldHelpText(120, "Symbolik: \"987654321\""), nullptr);
  EXPECT_EQ(FieldHelpText(13, "hilfe anzeigen"), nullptr);
  EXPECT_EQ(FieldHelpText(13, "Hilfe anzeigen "), nullptr);
  EXPECT_EQ(FieldHelpText(-1, ""), nullptr);
}

}  // namespace
}  // namespace kx
