#include <gtest/gtest.h>

#include <QImage>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fake_print_device.h"
#include "pictures/bmp_file.h"
#include "system/login_name.h"
#include "qt/qt_print_device.h"
#include "print/puzzle_printout.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"
#include "ui/fonts.h"

namespace kx {
namespace {

constexpr char kPuzzle[] = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

std::string Shell(const std::string& command) {
  std::string output;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

PuzzlePrintInput Input(const char* text, bool mirror) {
  PuzzlePrintInput in;
  PuzzleText puzzle;
  for (int i = 0; i < 81; ++i) puzzle[i] = text[i] == '.' ? ' ' : text[i];
  TextToGivenBoard(in.currentBoard, puzzle);
  for (int i = 0; i < 81; ++i) in.statusBoard[i] = puzzle[i] == ' ' ? 0x3FE : 0x8000;
  in.mirrorSolution = mirror;
  const UiFonts fonts;
  in.smallPrn = fonts.smallPrn;
  in.bigPrn = fonts.bigPrn;
  in.userName = "tester";
  return in;
}

class PrintoutTest : public test::TempDirTest {
 protected:
  // Prints the puzzle into a PDF, renders it at 50 dpi and returns the page.
  QImage PrintToPng(const PuzzlePrintInput& input, const std::string& name) {
    QtPrintDevice device(name + ".pdf");
    PrintEngine engine;
    PrintContext context{&device, &host, nullptr, nullptr};
    Solver solver;
    EXPECT_EQ(PrintPuzzleJob(engine, context, MakeImageCanvas, solver, input), 0);
    Shell("pdftoppm -r 50 -png -singlefile " + name + ".pdf " + name);
    return QImage(QString::fromStdString(name + ".png"));
  }
  // Bounding box of the dark pixels inside a region.
  static QRect DarkBox(const QImage& page, const QRect& region) {
    QRect box;
    for (int y = region.top(); y <= region.bottom(); ++y)
      for (int x = region.left(); x <= region.right(); ++x)
        if (qGray(page.pixel(x, y)) < 100) box |= QRect(x, y, 1, 1);
    return box;
  }

  test::ScriptedHost host;
};

TEST_F(PrintoutTest, PuzzleFullWidthBelowTheHeaderSolutionAtEightyFivePerCentAFifthWide) {
  const QImage page = PrintToPng(Input(kPuzzle, false), "normal");
  ASSERT_FALSE(page.isNull());
  EXPECT_FALSE(std::filesystem::exists(kPuzzleTmpFile));
  EXPECT_FALSE(std::filesystem::exists(kSolutionTmpFile));

  const std::string text = Shell("pdftotext -layout normal.pdf -");
  for (const char* line : {"KX-Sudoku", "Datum:", "Drucker: PDF-Datei", "Benutzer-Name: tester",
                           "Schwierigkeits-Index: ", "Lösung"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  EXPECT_EQ(text.find("Seite:"), std::string::npos);
  EXPECT_LT(text.find("Benutzer-Name"), text.find("Schwierigkeits-Index"));

  // The puzzle: the widest dark block in the upper half, spanning most of the page.
  const QRect upper = DarkBox(page, QRect(0, page.height() / 10, page.width(), page.height() / 2));
  EXPECT_GT(upper.width(), page.width() * 3 / 4);
  // The solution: in the lowest fifth, at the left, about a fifth of the puzzle's width.
  const QRect lower = DarkBox(page, QRect(0, page.height() * 3 / 4, page.width(), page.height() / 4 - 1));
  ASSERT_TRUE(lower.isValid());
  EXPECT_NEAR(lower.left(), upper.left(), 3);
  EXPECT_NEAR(lower.width() * 5, upper.width(), upper.width() / 10);
  EXPECT_GT(lower.top(), upper.bottom());
}

TEST_F(PrintoutTest, MirroredSolutionIsTheReadableOneTurnedUpsideDown) {
  const QImage normal = PrintToPng(Input(kPuzzle, false), "normal");
  const QImage mirrored = PrintToPng(Input(kPuzzle, true), "mirrored");
  ASSERT_FALSE(normal.isNull());
  ASSERT_FALSE(mirrored.isNull());
  const QRect region(0, normal.height() * 3 / 4 + 15, normal.width() / 2, normal.height() / 4 - 20);
  const QRect box = DarkBox(normal, region);
  ASSERT_TRUE(box.isValid());
  const QImage a = normal.copy(box), b = mirrored.copy(box).mirrored(false, true);
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) differing += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 96;
  EXPECT_LT(differing, a.width() * a.height() / 20);
  EXPECT_NE(Shell("pdftotext mirrored.pdf -").find("Lösung (Kopfstehende Spiegelschrift)"), std::string::npos);
}

TEST_F(PrintoutTest, ContradictoryPuzzleSaysSoAndLeavesNoFiles) {
  std::string bad = kPuzzle;
  bad[2] = '5';  // a second 5 in the first row
  PrintToPng(Input(bad.c_str(), false), "bad");
  EXPECT_NE(Shell("pdftotext bad.pdf -").find("(Sudoku ist mehrdeutig oder widersprüchlich)"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(kPuzzleTmpFile));
  EXPECT_FALSE(std::filesystem::exists(kSolutionTmpFile));
}

TEST_F(PrintoutTest, PictureThatCannotBeWrittenIsReportedByTheJob) {
  // A folder in the way of the solution's temporary file.
  std::filesystem::create_directories(std::string(kSolutionTmpFile) + "/voll");
  test::FakePrintDevice device;
  PrintEngine engine;
  PrintContext context{&device, &host, nullptr, nullptr};
  Solver solver;
  EXPECT_EQ(PrintPuzzleJob(engine, context, MakeImageCanvas, solver, Input(kPuzzle, false)), 0);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Drucker-Fehler-Nr.: 00000087");
  EXPECT_EQ(device.aborted, 1);
  EXPECT_EQ(device.imageDraws.size(), 1u);  // the puzzle was placed, then the job stopped
  EXPECT_FALSE(std::filesystem::exists(kPuzzleTmpFile));
}

TEST(FlipRowsTest, ReversesRowsAndRefusesWideBitmaps) {
  Dib dib;
  dib.header = MakeHeader24(3, 3);
  dib.pixels.resize(dib.header.sizeImage);
  for (size_t i = 0; i < dib.pixels.size(); ++i) dib.pixels[i] = static_cast<uint8_t>(i);
  const std::vector<uint8_t> before = dib.pixels;
  ASSERT_EQ(FlipRows(dib.header, dib.pixels), 0);
  EXPECT_TRUE(std::equal(before.begin(), before.begin() + 12, dib.pixels.end() - 12));
  EXPECT_TRUE(std::equal(before.begin() + 12, before.begin() + 24, dib.pixels.begin() + 12));
  Dib wide;
  wide.header = MakeHeader24(1366, 2);  // 4100 bytes a row
  wide.pixels.assign(wide.header.sizeImage, 0);
  wide.pixels[0] = 1;
  EXPECT_EQ(FlipRows(wide.header, wide.pixels), -1);
  EXPECT_EQ(wide.pixels[0], 1);
}

// A process started without a login shell has no $USER; the printout
// still names the account.
TEST(LoginNameTest, FallsBackToTheAccountWithoutUserVariables) {
  const passwd* entry = getpwuid(geteuid());
  ASSERT_NE(entry, nullptr);
  const std::string account = entry->pw_name;
  const char* user = std::getenv("USER");
  const char* logname = std::getenv("LOGNAME");
  const std::string savedUser = user ? user : "", savedLogname = logname ? logname : "";
  setenv("USER", "jemand", 1);
  EXPECT_EQ(LoginName(), "jemand");
  unsetenv("USER");
  unsetenv("LOGNAME");
  EXPECT_EQ(LoginName(), account);
  EXPECT_EQ(PrintUserText(LoginName()), "Benutzer-Name: " + account);
  if (user) setenv("USER", savedUser.c_str(), 1);
  if (logname) setenv("LOGNAME", savedLogname.c_str(), 1);
}

TEST_F(PrintoutTest, TemporaryBmpHasTheLongPrefixAndReadsBack) {
  Dib dib;
  dib.header = MakeHeader24(5, 2);
  dib.pixels.assign(dib.header.sizeImage, 0x7F);
  ASSERT_EQ(WritePrintoutBmp("t.bmp", dib), 0);
  EXPECT_EQ(std::filesystem::file_size("t.bmp"), 1078u + dib.header.sizeImage);
  std::ifstream file("t.bmp", std::ios::binary);
  unsigned char head[14];
  file.read(reinterpret_cast<char*>(head), 14);
  EXPECT_EQ(head[10] | head[11] << 8, 1078);
  Dib back;
  ASSERT_EQ(ReadBmpFile("t.bmp", &back), 0);
  EXPECT_EQ(back.header.width, 5);
  EXPECT_EQ(back.pixels, dib.pixels);
}

}  // namespace
}  // namespace kx
