// Every file the program writes, tried on a nearly full disk and in a
// read-only folder: the failure is told where the program tells it, the
// old file stays as it was, and nothing half-written is left for the next
// start to take for real.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "../print/fake_print_device.h"
#include "../support/puzzles.h"
#include "../support/scripted_host.h"
#include "../support/temp_dir.h"
#include "engine/dedup.h"
#include "engine/solution_files.h"
#include "game/current_solution_file.h"
#include "game/cell_operations.h"
#include "game/commands.h"
#include "game/enumerate_command.h"
#include "game/file_commands.h"
#include "game/program.h"
#include "game/state_file.h"
#include "game/symbol_pictures.h"
#include "help/builtin_help.h"
#include "help/help_compiler.h"
#include "help/help_file.h"
#include "help/help_format.h"
#include "help/open_help.h"
#include "limited_folder.h"
#include "pictures/bmp_file.h"
#include "pictures/digit_bitmaps.h"
#include "qt/qt_print_device.h"
#include "print/puzzle_printout.h"
#include "text/text_format.h"
#include "ui/fonts.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
using test::kSolvedGrid;

enum class Limit { NearlyFull, ReadOnly };

constexpr auto ReadFile = &test::TempDirTest::ReadFile;

class FullDiskTest : public ::testing::TestWithParam<Limit> {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->name()) + "_" + std::to_string(::getpid());
    for (char& c : name) c = c == '/' ? '_' : c;
    folder_ = std::make_unique<test::LimitedFolder>(fs::temp_directory_path() / ("kx_full_" + name));
    fs::current_path(folder_->path());
  }
  void TearDown() override {
    fs::current_path(previous_);
    folder_.reset();
  }
  // From here on the folder is full (a page or a few bytes still free) or read-only.
  void ApplyLimit(uint64_t free = 4096) {
    if (GetParam() == Limit::NearlyFull) {
      folder_->LeaveFree(free);
    } else {
      folder_->MakeReadOnly();
    }
  }
  // The files in the folder besides the one that fills it.
  static std::set<std::string> Files() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator("."))
      if (entry.path().filename() != "filler") names.insert(entry.path().filename().string());
    return names;
  }
  // A game with some twenty steps: marks toggled in the first empty cell.
  static void Play(Program& p, int steps) {
    int cell = 0;
    while (IsSolved(p.state.currentBoard[cell])) ++cell;
    for (int k = 0; k < steps; ++k) ToggleCandidateMark(p, cell, 1 + k % 2);
  }
  // Types the solution into every empty cell; the last digit wins the game.
  static void Win(Program& p) {
    for (int i = 0; i < 81; ++i) {
      if (IsSolved(p.state.currentBoard[i])) continue;
      p.state.selectedCell = i;
      EnterDigit(p, kSolvedGrid[i]);
    }
  }

  test::ScriptedHost host;
  fs::path previous_;
  std::unique_ptr<test::LimitedFolder> folder_;
};

TEST_P(FullDiskTest, StateFileAndSavedGamesStayWholeOrAreNotWritten) {
  Program p(host);
  p.solver.SetCurrentSolutionSink(nullptr);
  ReadStateFile(p, kStateFileName);
  BuildFunctionFields(p, p.state.gameStatus);
  Play(p, 20);
  ASSERT_TRUE(WriteStateFile(p, kStateFileName));
  const std::string old = ReadFile(kStateFileName);
  Play(p, 12);
  ApplyLimit();

  // The exit write fails and keeps the last whole file.
  EXPECT_FALSE(WriteStateFile(p, kStateFileName));
  EXPECT_EQ(ReadFile(kStateFileName), old);

  // "Spiel speichern" says so and does not count the game as saved.
  EXPECT_EQ(SaveGameCommand(p), 1);
  ASSERT_FALSE(host.boxes.empty());
  EXPECT_NE(host.boxes.back().text.find("konnte  n i c h t  in der Datei"), std::string::npos);
  EXPECT_FALSE(p.state.Has(status::kGameSaved));
  EXPECT_EQ(p.state.gameFlags & flags::kSavedToFile, 0u);

  // Nor does the automatic save after a win claim to have saved.
  p.settings.ToggleBit(kBitAutoSave);
  const size_t boxes = host.boxes.size();
  Win(p);
  ASSERT_TRUE(p.state.Has(status::kSolved));
  EXPECT_EQ(host.boxes.size(), boxes + 1);
  EXPECT_EQ(p.state.noticeText.find("gespeichert"), std::string::npos);
  EXPECT_EQ(p.state.gameFlags & flags::kSavedToFile, 0u);
  EXPECT_EQ(Files(), std::set<std::string>{kStateFileName});

  // The next start continues the game of the last whole file.
  test::ScriptedHost later;
  Program next(later);
  next.solver.SetCurrentSolutionSink(nullptr);
  ReadStateFile(next, kStateFileName);
  const std::vector<uint8_t> again = SerializeStateFile(next);
  EXPECT_EQ(std::string(again.begin(), again.end()), old);
}

TEST_P(FullDiskTest, CurrentSolutionFileKeepsTheLastWholeText) {
  Solver solver;
  CurrentSolutionFile file;
  solver.SetCurrentSolutionSink(&file);
  PuzzleText puzzle, out;
  for (int i = 0; i < 81; ++i) puzzle[i] = test::BuiltinClue(i) ? kSolvedGrid[i] : ' ';
  solver.SolvePuzzle(puzzle, out, 1, 2);
  const std::string old = ReadFile(kCurrentSolutionFile);
  ASSERT_GT(old.size(), 100u);
  ApplyLimit(0);
  for (int i = 0; i < 81; ++i) puzzle[i] = i < 40 ? kSolvedGrid[i] : ' ';
  solver.SolvePuzzle(puzzle, out, 1, 2);
  // The last whole text, or the new one whole (every grid ends in a rule).
  const std::string text = ReadFile(kCurrentSolutionFile);
  const std::string rule = "-----------\r\n";
  EXPECT_TRUE(text == old || (text.size() > rule.size() && text.compare(text.size() - rule.size(), rule.size(), rule) == 0))
      << text.size() << " bytes";
  EXPECT_EQ(Files(), std::set<std::string>{kCurrentSolutionFile});
}

TEST_P(FullDiskTest, SolutionLogRewriteReportsTheErrorAndKeepsTheLog) {
  Program p(host);
  p.solver.SetCurrentSolutionSink(nullptr);
  ReadStateFile(p, kStateFileName);
  BuildFunctionFields(p, p.state.gameStatus);
  // A board with many solutions, and a log from earlier runs too large for
  // its buckets to fit.
  for (int i = 40; i < 81; ++i) p.state.currentBoard[i] = kAllCandidates;
  std::string old;
  PuzzleText earlier;
  for (int i = 0; i < 81; ++i) earlier[i] = kSolvedGrid[i];
  AppendRunHeader(old, earlier);
  for (int k = 1; k <= 200; ++k) AppendSolutionLine(old, k, earlier);
  std::ofstream(kSolutionLogFile, std::ios::binary) << old;
  ApplyLimit();

  host.answers = {BoxAnswer::Yes};
  EXPECT_EQ(EnumerateAllSolutions(p), 0);
  ASSERT_FALSE(host.boxes.empty());
  EXPECT_NE(host.boxes.back().text.find("Achtung !!!!  Der Fehler-# "), std::string::npos) << host.boxes.back().text;
  EXPECT_EQ(host.boxes.back().icon, BoxIcon::Exclamation);
  // What was there is still there (the search may have added lines), and
  // the count reported is the number of lines the search really added.
  const std::string log = ReadFile(kSolutionLogFile);
  EXPECT_EQ(log.substr(0, old.size()), old);
  uint64_t added = 0;
  for (size_t at = log.find(" : \"", old.size()); at != std::string::npos; at = log.find(" : \"", at + 1)) ++added;
  EXPECT_EQ(host.boxes.back().text.find("Jetzt wurden " + FormatCount64(added) + " ") != std::string::npos, added != 0)
      << host.boxes.back().text;
  EXPECT_EQ(log.back(), '\n');
  // The buckets are gone; a partly rewritten log keeps its own name.
  std::set<std::string> files = Files();
  files.erase(kRewrittenLogFile);
  EXPECT_EQ(files, std::set<std::string>{kSolutionLogFile});
  EXPECT_FALSE(p.state.Has(status::kBusyEnumerating));
}

TEST_P(FullDiskTest, DigitPicturesLeaveNoHalfFiles) {
  // Room for a built-in picture's scratch JPEG, not for the bitmap made of it.
  ApplyLimit(64 << 10);
  DigitBitmaps bitmaps;
  ASSERT_EQ(BuildDigitBitmaps(bitmaps, 1, 40, 40), 0);
  for (const DigitBitmap& digit : bitmaps.digits) EXPECT_EQ(digit.pixels.size(), 3u * digit.header.sizeImage);
  // A picture file that is there reads whole; no scratch JPEG stays.
  for (const std::string& name : Files()) {
    EXPECT_NE(name.substr(name.size() - 4), ".JPG") << name;
    Dib dib;
    EXPECT_EQ(ReadPictureBmp(name, &dib), 0) << name;
  }
}

TEST_P(FullDiskTest, PictureAssignmentKeepsTheDigitsPicture) {
  Program p(host);
  p.solver.SetCurrentSolutionSink(nullptr);
  ReadStateFile(p, kStateFileName);
  BuildFunctionFields(p, p.state.gameStatus);
  p.pictureSourcePath = std::string(KX_TEST_DATA_DIR) + "/symbols/photo_1024x768.jpg";
  ASSERT_EQ(RunCommand(p, command::kAssignPictures), 0);
  p.state.selectedCell = 0;
  LoadSourcePicture(p, {0, 0, 400, 300});
  ASSERT_EQ(RunCommand(p, command::kAssignPicture), 0);
  const std::string name = DigitBmpName(0, 1);
  const std::string old = ReadFile(name);
  ASSERT_FALSE(old.empty());
  ApplyLimit();

  PictureAssignState& a = p.pictures.assign;
  ASSERT_TRUE(CropPress(a, a.shownRect.left + 2, a.shownRect.top + 2));
  CropRelease(a, a.shownRect.right - 2, a.shownRect.bottom - 2, false);
  const size_t beeps = host.beeps.size();
  EXPECT_EQ(RunCommand(p, command::kAssignPicture), 1);
  EXPECT_EQ(host.beeps.size(), beeps + 1);
  EXPECT_TRUE(ReadFile(name) == old);
  EXPECT_EQ(Files(), std::set<std::string>{name});
}

TEST_P(FullDiskTest, HelpIsShownAndLeavesNoHalfFiles) {
  ApplyLimit();
  HelpOpenState state;
  const std::optional<LoadedHelp> help = OpenHelp(host, state, kDefaultHelpSource, kDefaultHelpFile, kDefaultHelpTitle);
  ASSERT_TRUE(help.has_value());
  EXPECT_FALSE(help->entries.empty());
  for (const std::string& name : Files()) ADD_FAILURE() << "left behind: " << name;
}

TEST_P(FullDiskTest, CompiledHelpKeepsTheLastGoodFile) {
  const auto source = BuiltinHelpSource();
  std::ofstream(kDefaultHelpSource, std::ios::binary).write(reinterpret_cast<const char*>(source.data()),
                                                             static_cast<std::streamsize>(source.size()));
  ASSERT_EQ(CompileHelp(host, kDefaultHelpSource, kDefaultHelpFile, "Titel", 0, 50, 100, 500, 380, 0), 0);
  const std::string old = ReadFile(kDefaultHelpFile);
  ApplyLimit();
  EXPECT_LT(CompileHelp(host, kDefaultHelpSource, kDefaultHelpFile, "Titel", 0, 50, 100, 500, 380, 0), 0);
  ASSERT_FALSE(host.boxes.empty());  // the compiler's error box
  EXPECT_EQ(ReadFile(kDefaultHelpFile), old);
  EXPECT_EQ(Files(), (std::set<std::string>{kDefaultHelpFile, kDefaultHelpSource}));
}

PuzzlePrintInput PrintInput() {
  PuzzlePrintInput in;
  PuzzleText puzzle;
  for (int i = 0; i < 81; ++i) puzzle[i] = test::BuiltinClue(i) ? kSolvedGrid[i] : ' ';
  TextToGivenBoard(in.currentBoard, puzzle);
  for (int i = 0; i < 81; ++i) in.statusBoard[i] = puzzle[i] == ' ' ? kAllCandidates : cell::kGiven;
  const UiFonts fonts;
  in.smallPrn = fonts.smallPrn;
  in.bigPrn = fonts.bigPrn;
  in.userName = "tester";
  return in;
}

TEST_P(FullDiskTest, PrintTemporariesAreReportedAndRemoved) {
  ApplyLimit();
  test::FakePrintDevice device;
  PrintEngine engine;
  PrintContext context{&device, &host, nullptr, nullptr};
  Solver solver;
  PrintPuzzleJob(engine, context, MakeImageCanvas, solver, PrintInput());
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Drucker-Fehler-Nr.: 00000087");
  EXPECT_EQ(device.aborted, 1);
  EXPECT_TRUE(Files().empty());
}

TEST_P(FullDiskTest, PdfThatDoesNotFitIsReportedAndRemoved) {
  const fs::path pdf = folder_->path() / "Ausdruck.pdf";
  ApplyLimit();
  // The temporaries go to a folder with room; only the PDF meets the limit.
  const fs::path roomy = fs::temp_directory_path() / ("kx_full_pdf_" + std::to_string(::getpid()));
  fs::create_directories(roomy);
  fs::current_path(roomy);
  QtPrintDevice device(pdf.string());
  PrintEngine engine;
  PrintContext context{&device, &host, nullptr, nullptr};
  Solver solver;
  PrintPuzzleJob(engine, context, MakeImageCanvas, solver, PrintInput());
  fs::current_path(folder_->path());
  fs::remove_all(roomy);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_NE(host.boxes[0].text.find("Drucker-Fehler-Nr."), std::string::npos) << host.boxes[0].text;
  for (const std::string& name : Files()) ADD_FAILURE() << "left behind: " << name << ", " << fs::file_size(name) << " bytes";
}

INSTANTIATE_TEST_SUITE_P(Limits, FullDiskTest, ::testing::Values(Limit::NearlyFull, Limit::ReadOnly),
                         [](const auto& info) { return info.param == Limit::NearlyFull ? "NearlyFull" : "ReadOnly"; });

}  // namespace
}  // namespace kx
