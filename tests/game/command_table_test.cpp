#include "game/command_table.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>


namespace kx {
namespace {

// Every text of every row, with the setting values that show it.
std::vector<std::pair<int, FieldText>> AllTexts() {
  std::vector<std::pair<int, FieldText>> all;
  for (int id = -1; id <= 400; ++id)
    if (const CommandRow* row = FindCommand(id))
      for (int i = 0; i < row->TextCount(); ++i) all.emplace_back(id, row->texts[static_cast<size_t>(i)]);
  return all;
}

TEST(CommandTable, EveryTextIsAHeadingAnEmptyLineAndABody) {
  const auto all = AllTexts();
  ASSERT_EQ(all.size(), 64u);
  std::set<std::string> distinct;
  for (const auto& [id, text] : all) {
    SCOPED_TRACE(std::to_string(id) + " " + std::string(text.label));
    ASSERT_NE(text.help, nullptr);
    const std::string_view t = text.help;
    const size_t gap = t.find("\n\n");
    ASSERT_NE(gap, std::string_view::npos);
    EXPECT_GT(gap, 0u);
    EXPECT_FALSE(t.substr(gap + 2).empty());
    EXPECT_NE(t.substr(gap + 2).front(), '\n');
    EXPECT_EQ(t.find('\r'), std::string_view::npos);
    distinct.insert(text.help);
  }
  EXPECT_EQ(distinct.size(), 57u);  // the eight symbol sets share one text
}

TEST(CommandTable, FixedTextsAreExact) {
  EXPECT_STREQ(ShownFieldText(command::kSlider, {}).help,
               "Leicht <<<  Neues Spiel  >>> Schwer\n\nEs wird ein eindeutiges Spiel mit einem "
               "der Maus-Klick-Position entsprechenden Schwierigkeitsgrad erzeugt.\n");
  EXPECT_STREQ(ShownFieldText(command::kHelp, {}).help,
               "Hilfe anzeigen\n\nSonstiger Hinweis: Die zuletzt per Mausklick ausgeführte "
               "Funktion ist gekennzeichnet und wird durch Drücken der Return-Taste wiederholt "
               "ausgeführt.\nMit der TAB-Taste wird die jeweils nächste Funktion markiert und "
               "kann dann mit der Return-Taste ausgeführt werden.");
  EXPECT_STREQ(ShownFieldText(command::kPrint, {}).help,
               "Druckfunktionen\n\nEs gibt die folgenden Möglichkeiten:\n\n1. Den angezeigten "
               "Sudoku-Fensterinhalt drucken (Farbe)\n2. Sudoku mit Lösung (aktuelle Ziffern) "
               "(s/w)\n3. Sudoku mit Lösung (Start-Sudoku) (s/w)\n");
  // The odd spellings belong to the texts and must survive.
  std::string_view history = TitleText(Title::HistoryView).help;
  EXPECT_TRUE(history.ends_with("\n3. Neues Spiel ab dem angezeigten Schritt\n"
                                "4. Keine Weiterspielen möglich"));
  std::string_view symbols = FindCommand(command::kSymbolSet)->texts[7].help;
  EXPECT_NE(symbols.find("\n\nDurck Links-Klick auf das Funktionsfeld"), std::string_view::npos);
  EXPECT_NE(symbols.find("eigene Bilder oder \nBildausschnitte"), std::string_view::npos);
  EXPECT_TRUE(symbols.ends_with("\n\nÜbrigens:Im Bild-Modus wird ein kleines Bild bei gedrückter "
                                "rechter Maustaste gross dargestellt."));
}

TEST(CommandTable, PictureAssignmentFieldsAreHeadedByTheirLabels) {
  for (int id : {command::kChoosePictureSource, command::kAssignPicture, command::kEndPictureAssignment}) {
    const FieldText text = ShownFieldText(id, {});
    ASSERT_NE(text.help, nullptr) << id;
    EXPECT_TRUE(std::string_view(text.help).starts_with(std::string(text.label) + "\n\n")) << id;
  }
}

TEST(CommandTable, IdsWithoutACommandHaveNoRow) {
  for (int id : {-1, 11, 22, 25, 121, 124, 132, 198, 201, 299, 304}) {
    EXPECT_EQ(FindCommand(id), nullptr) << id;
    EXPECT_EQ(ShownFieldText(id, {}).help, nullptr) << id;
  }
}

}  // namespace
}  // namespace kx
