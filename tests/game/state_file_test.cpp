#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game/commands.h"
#include "game/file_commands.h"
#include "game/game_clock.h"
#include "game/game_end.h"
#include "game_fixture.h"

namespace kx {
namespace {

using test::GameTest;
using test::kSolvedGrid;

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

void PutU32At(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

TEST_F(GameTest, PlayingToAWinSavesAndRestoresTheWholeGame) {
  p.settings.ToggleBit(kBitAutoSave);
  int steps = 1;
  for (int cell : EmptyCells()) {
    ASSERT_TRUE(Type(cell, kSolvedGrid[cell]));
    ++steps;
  }
  EXPECT_TRUE(p.state.Has(status::kSolved | status::kGameSaved));
  EXPECT_TRUE(p.state.IsFinished());
  EXPECT_EQ(p.state.noticeTicks, 258u);
  const std::string name = "SuDoKu_2026_12_08__14_30_15.kxs";
  EXPECT_EQ(p.state.noticeText, "G l ü c k w u n s c h !!!\n\nDas Sudoku ist vollständig gelöst.\n\nDer gesamte "
                                "Spielverlauf wurde in der Datei\n\n\"" + name + "\"\n\ngespeichert!\n");
  ASSERT_TRUE(std::filesystem::exists(name));
  EXPECT_EQ(p.history.Newest().gameStatus & status::kSolved, status::kSolved);

  test::ScriptedHost otherHost;
  Program restored(otherHost);
  ReadStateFile(restored, name);
  EXPECT_EQ(restored.history.StepCount(), steps);
  EXPECT_EQ(restored.state.currentBoard, p.state.currentBoard);
  EXPECT_EQ(restored.state.Mode(), status::kSolved);
  // Written again, the file is the same byte for byte.
  ASSERT_TRUE(WriteStateFile(restored, "again.kxs"));
  EXPECT_EQ(ReadFile("again.kxs"), ReadFile(name));
}

TEST_F(GameTest, SavedWhileBrowsingReopensAtTheShownStep) {
  for (int i = 0; i < 4; ++i) Type(EmptyCells()[0], kSolvedGrid[EmptyCells()[0]]);
  HistoryStepBack(p);
  HistoryStepBack(p);
  ASSERT_TRUE(WriteStateFile(p, "shown.kxs"));
  test::ScriptedHost otherHost;
  Program restored(otherHost);
  ReadStateFile(restored, "shown.kxs");
  EXPECT_EQ(restored.history.StepIndex(), 2);
  EXPECT_EQ(restored.state.currentBoard, p.state.currentBoard);
  EXPECT_TRUE(restored.history.Browsing());
}

// The selection moves without a step; the file keeps the live one.
TEST_F(GameTest, TheSelectionReopensWhereThePlayerLeftIt) {
  RunCommand(p, command::kNewOwnGame);
  Type(40, '5');  // manual entry moves on to cell 41 after the step
  ASSERT_EQ(p.state.selectedCell, 41);
  ASSERT_TRUE(WriteStateFile(p, kStateFileName));
  test::ScriptedHost otherHost;
  Program restored(otherHost);
  ReadStateFile(restored, kStateFileName);
  EXPECT_EQ(restored.state.selectedCell, 41);
  EXPECT_EQ(restored.history.Newest().selectedCell, 41);
  EXPECT_EQ(p.history.Newest().selectedCell, 40);  // the game's own record is untouched
}

TEST_F(GameTest, DamagedFilesFallBackAndKeepTheHeadReadSoFar) {
  ASSERT_TRUE(WriteStateFile(p, "good.ini"));
  const std::string goodText = ReadFile("good.ini");
  const std::vector<uint8_t> good(goodText.begin(), goodText.end());
  struct Damage {
    const char* what;
    size_t at;
    uint32_t value;
    bool keepsSettings;
  } damages[] = {
      {"version", 0, 0x00020000, false},     {"record size", 313, 181, true},
      {"step count too big", 317, 2, true},  {"step count negative", 317, 0xFFFFFFFF, true},
      {"step count huge", 317, 0x7FFFFFFF, true}, {"no steps", 317, 0, true},
      {"step index outside", 321, 1, true},  {"step index negative", 321, 0xFFFFFFFF, true},
      {"record size of a step", 325 + 324, 7, true},
  };
  for (const Damage& d : damages) {
    std::vector<uint8_t> bytes = good;
    PutU32At(bytes, 12, 0x00040000);  // settings: symbol set 1
    PutU32At(bytes, d.at, d.value);
    WriteBytes("bad.ini", bytes);
    test::ScriptedHost otherHost;
    Program q(otherHost);
    ReadStateFile(q, "bad.ini");
    SCOPED_TRACE(d.what);
    EXPECT_EQ(q.history.StepCount(), 1);  // the fallback game
    EXPECT_EQ(q.state.gameDifficulty, 621);
    EXPECT_EQ(q.settings.bits(), d.keepsSettings ? 0x00040000u : SettingsWord::kBuiltIn);
  }
  // A short file: the head fields that arrived stay.
  std::vector<uint8_t> shortFile(good.begin(), good.begin() + 14);
  WriteBytes("short.ini", shortFile);
  test::ScriptedHost otherHost;
  Program q(otherHost);
  q.window.height = 1;
  ReadStateFile(q, "short.ini");
  EXPECT_EQ(q.window.width, 874);
  EXPECT_EQ(q.window.height, 654);
  EXPECT_EQ(q.settings.bits(), SettingsWord::kBuiltIn);
}

TEST_F(GameTest, PicturePathIsAlwaysTerminated) {
  p.pictureSourcePath = std::string(400, 'x');
  ASSERT_TRUE(WriteStateFile(p, "long.ini"));
  std::string bytes = ReadFile("long.ini");
  EXPECT_EQ(bytes[33 + 259], '\0');
  std::vector<uint8_t> raw(bytes.begin(), bytes.end());
  for (int i = 0; i < 260; ++i) raw[33 + i] = 'y';  // no terminator at all
  WriteBytes("long.ini", raw);
  ReadStateFile(p, "long.ini");
  EXPECT_EQ(p.pictureSourcePath, std::string(259, 'y'));
}

TEST_F(GameTest, FailedWriteLeavesTheOldFile) {
  ASSERT_TRUE(WriteStateFile(p, "keep.kxs"));
  const std::string before = ReadFile("keep.kxs");
  std::filesystem::create_directory("keep.kxs.tmp~");  // the temporary cannot be created
  Type(EmptyCells()[0], kSolvedGrid[EmptyCells()[0]]);
  EXPECT_FALSE(WriteStateFile(p, "keep.kxs"));
  EXPECT_EQ(ReadFile("keep.kxs"), before);
}

// The saves after a win and from the abandon question tell a failed write
// and leave the game unsaved, so that "Spiel speichern" is still offered.
TEST_F(GameTest, FailedSavesAreToldAndLeaveTheGameUnsaved) {
  const std::string won = "SuDoKu_2026_12_08__14_30_15.kxs";
  const std::string unsolved = "SuDoKu_2026_12_08__14_30_15_ungeloest.kxs";
  std::filesystem::create_directory(won + ".tmp~");
  std::filesystem::create_directory(unsolved + ".tmp~");

  host.answers = {BoxAnswer::Yes, BoxAnswer::Yes};
  EXPECT_EQ(ConfirmAbandonGame(p), BoxAnswer::Yes);
  EXPECT_TRUE(p.state.Has(status::kAbortConfirmed));
  EXPECT_FALSE(p.state.Has(status::kGameSaved));
  ASSERT_EQ(host.boxes.size(), 3u);
  EXPECT_EQ(host.boxes[2].text, "Das Spiel konnte  n i c h t  in der Datei\n\n\"" + unsolved +
                                    "\"\n\ngespeichert werden !!");

  p.settings.ToggleBit(kBitAutoSave);
  for (int cell : EmptyCells()) ASSERT_TRUE(Type(cell, kSolvedGrid[cell]));
  EXPECT_TRUE(p.state.Has(status::kSolved));
  EXPECT_FALSE(p.state.Has(status::kGameSaved));
  EXPECT_EQ(p.state.gameFlags & flags::kSavedToFile, 0u);
  EXPECT_EQ(p.state.noticeText, "G l ü c k w u n s c h !!!\n\nDas Sudoku ist vollständig gelöst.");
  ASSERT_EQ(host.boxes.size(), 4u);
  EXPECT_EQ(host.boxes[3].icon, BoxIcon::Exclamation);

  std::filesystem::remove(won + ".tmp~");
  EXPECT_EQ(SaveGameCommand(p), 0);
  EXPECT_TRUE(std::filesystem::exists(won));
  EXPECT_TRUE(p.state.Has(status::kGameSaved));
}

TEST(SavedGameNames, PatternAndStamp) {
  EXPECT_TRUE(IsSavedGameName("SuDoKu_2024_01_01__10_00_00_ungeloest.kxs"));
  EXPECT_TRUE(IsSavedGameName("/home/x/SuDoKu_a.kxs"));
  EXPECT_FALSE(IsSavedGameName("sudoku_x.kxs"));
  EXPECT_FALSE(IsSavedGameName("SuDoKu_a.b.kxs"));
  EXPECT_FALSE(IsSavedGameName("SuDoKu_x.kxs.bak"));
  EXPECT_FALSE(IsSavedGameName("SuDoKu_x"));
  EXPECT_TRUE(IsSavedGameName("sudoku_x.KXS", true));
  EXPECT_EQ(MakeTimeStamp({2024, 1, 2, 5, 3, 4, 5, 999}), "2024_01_02__03_04_05");
}

TEST_F(GameTest, SaveAndLoadCommands) {
  EXPECT_EQ(SaveGameCommand(p), 0);
  const std::string name = "SuDoKu_2026_12_08__14_30_15_ungeloest.kxs";
  EXPECT_EQ(host.boxes.back().text, "Das Spiel wurde in der Datei\n\n\"" + name + "\"\n\ng e s p e i c h e r t !\n");
  EXPECT_TRUE(std::filesystem::exists(name));
  SaveGameCommand(p);
  EXPECT_EQ(host.boxes.back().text, "Dieses Spiel ist bereits gespeichert !!");

  std::filesystem::copy_file(name, "renamed.kxs");
  host.fileChoices = {"renamed.kxs"};
  EXPECT_EQ(LoadGameCommand(p), 1);
  EXPECT_EQ(host.boxes.back().title, "KX-Sudoku Nachricht");

  Type(EmptyCells()[0], kSolvedGrid[EmptyCells()[0]]);
  const int stepsBefore = p.history.StepCount();
  host.fileChoices = {name};
  EXPECT_EQ(LoadGameCommand(p), 0);  // saved: no abandon question
  EXPECT_EQ(p.history.StepCount(), 1);
  EXPECT_NE(stepsBefore, 1);
  EXPECT_EQ(host.fileRequests.back().title, "Gespeichertes Sudoku laden (SuDoKu_*.kxs)");
}

}  // namespace
}  // namespace kx
