#include <gtest/gtest.h>

#include <algorithm>

#include "game/command_table.h"
#include "game/commands.h"
#include "game/symbol_sets.h"
#include "game_fixture.h"

namespace kx {
namespace {

using test::GameTest;
using test::kSolvedGrid;

TEST(SettingsWord, BuiltInValueAndCycles) {
  SettingsWord s;
  EXPECT_EQ(s.bits(), 0x18500000u);
  EXPECT_EQ(s.SymbolSet(), 4);
  EXPECT_EQ(s.ValidationLevel(), 2);
  EXPECT_TRUE(s.PlayByTypingInSelection());
  EXPECT_TRUE(s.MirroredSolutionPrint());
  EXPECT_FALSE(s.MoreSelectionAfterGenerating() || s.AutoSave() || s.HideCandidateRows() || s.HoverPopups() ||
               s.FixedCellsUnreachable());
  EXPECT_EQ(s.ContinuationPolicy(), 0);

  const std::string first = FieldLabel(command::kValidation, s);
  for (int i = 0; i < 3; ++i) s.CycleValidationLevel();
  EXPECT_EQ(FieldLabel(command::kValidation, s), first);
  for (int i = 0; i < 4; ++i) s.CycleContinuationPolicy();
  EXPECT_EQ(s.ContinuationPolicy(), 0);
  for (int i = 0; i < 8; ++i) s.CycleSymbolSet();
  EXPECT_EQ(s.bits(), 0x18500000u);  // no bit outside the fields moved
  s.ToggleBit(kBitAutoSave);
  EXPECT_EQ(FieldLabel(command::kAutoSave, s), "Spiele automatisch speichern");
  EXPECT_EQ(FieldLabel(command::kSymbolSet, s), "Symbolik: \"KXS0x.BMP\"");
}

TEST_F(GameTest, EverySettingValueShowsItsOwnLabel) {
  // Cycling a settings field through its values shows each of its texts once.
  for (int id : {command::kSymbolSet, command::kValidation, command::kAfterGenerating, command::kContinuation,
                 command::kAutoSave, command::kLeaveSelection, command::kPrintout, command::kCandidateRows,
                 command::kPopups, command::kReachability}) {
    const CommandRow* row = FindCommand(id);
    ASSERT_NE(row, nullptr);
    std::set<std::string_view> seen;
    for (int step = 0; step < 8; ++step) {
      const FieldText shown = ShownFieldText(id, p.settings);
      if (!shown.label.empty()) seen.insert(shown.label);
      ASSERT_EQ(RunCommand(p, id), 0);
    }
    EXPECT_EQ(static_cast<int>(seen.size()), row->TextCount()) << id;
  }
}

TEST_F(GameTest, PlayModeListsFollowTheGame) {
  using namespace command;
  auto ids = [&] {
    std::vector<int> v;
    for (const auto& f : p.fields) v.push_back(f.commandId);
    return v;
  };
  EXPECT_EQ(ids(), (std::vector<int>{kTitle, kAbandon, kSolveAll, kSetAllCandidates, kSolveCell, kSetCellCandidates,
                                     kCheck, kRemoveWrong, kHelp, kSettings, kPrint, kQuit}));
  EXPECT_EQ(p.fields[0].label, "S p i e l m o d u s");
  ASSERT_NE(p.fields[0].helpText, nullptr);

  p.settings.ToggleBit(kBitHideCandidateRows);
  BuildFunctionFields(p, p.state.gameStatus);
  EXPECT_EQ(p.fields.Find(kSetAllCandidates), -1);
  EXPECT_EQ(p.fields.Find(kSetCellCandidates), -1);

  p.state.gameFlags |= flags::kFinished;
  BuildFunctionFields(p, 0);
  EXPECT_EQ(ids(), (std::vector<int>{kTitle, kHelp, kSettings, kPrint, kQuit}));
}

TEST_F(GameTest, SettingsModeAndModeChanges) {
  using namespace command;
  std::vector<FieldReset> resets;
  p.resetFieldInteraction = [&resets](FieldReset reset) { resets.push_back(reset); };
  BuildFunctionFields(p, p.state.gameStatus | status::kSettings);
  EXPECT_TRUE(resets.empty());  // same mode: the window's focus is kept
  EXPECT_EQ(p.fields[0].label, "E i n s t e l l u n g e n");
  EXPECT_NE(p.fields.Find(kAssignPictures), -1);  // symbol set 4 is a picture set
  EXPECT_EQ(p.fields[p.fields.Count() - 1].commandId, kLeaveSettings);
  for (const auto& f : p.fields) EXPECT_NE(f.helpText, nullptr) << f.label;

  BuildFunctionFields(p, status::kSelect);
  EXPECT_EQ(resets, std::vector<FieldReset>{FieldReset::All});  // mode changed
  p.resetFieldInteraction = nullptr;
  EXPECT_EQ(p.fields[0].label, "S p i e l  -  A u s w a h l");
  EXPECT_EQ(p.fields.Find(kPlayShown), -1);  // typing a digit starts play
  EXPECT_EQ(p.fields[p.fields.Find(kSlider)].label, "Leicht <<<  Neues Spiel  >>> Schwer");

  BuildFunctionFields(p, 0x7);  // no list of its own: the fallback list
  EXPECT_EQ(host.beeps.size(), 1u);
  EXPECT_EQ(p.fields[0].commandId, kNewOwnGame);
}

TEST_F(GameTest, BrowsingTitleComesFirstAndTableHoldsTwentyFour) {
  Type(EmptyCells()[0], kSolvedGrid[EmptyCells()[0]]);
  HistoryStepBack(p);
  EXPECT_EQ(p.fields[0].label, "Anzeige des Spielverlaufs");
  EXPECT_EQ(p.fields.Find(command::kTitle), 0);  // no second title
  ASSERT_NE(p.fields[0].helpText, nullptr);

  FunctionFieldTable table;
  for (int i = 0; i < 24; ++i) EXPECT_EQ(table.AddFunctionField("x", false, nullptr, 15), 0);
  EXPECT_EQ(table.AddFunctionField("x", false, nullptr, 15), -1);
  EXPECT_EQ(table.Count(), 24);
  const uint32_t generation = table.Generation();
  table.Clear();
  EXPECT_NE(table.Generation(), generation);  // a layout of the old list no longer applies
}

}  // namespace
}  // namespace kx
