#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

#include <QImage>

#include "engine/solution_files.h"
#include "game/current_solution_file.h"
#include "game/commands.h"
#include "game/function_fields.h"
#include "game/program.h"
#include "qt/connect_printing.h"
#include "qt/main_window.h"
#include "qt/qt_print_device.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace kx {
namespace {

std::string PdfText(const std::string& file) {
  std::string output;
  if (std::FILE* pipe = popen(("pdftotext -layout " + file + " -").c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

// The colour most pixels of the image have, greys left out (a red-blue
// swap would not show in them).
QRgb CommonestHue(const QImage& image) {
  std::map<QRgb, int> counts;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2)
      if (const QRgb p = image.pixel(x, y); qRed(p) != qBlue(p)) ++counts[p & 0xFFFFFF];
  return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// Pixels of the page (rasterised at 50 dpi) within a few steps of the colour.
int PixelsNear(const std::string& pdf, QRgb colour) {
  if (std::system(("pdftoppm -r 50 -png -singlefile " + pdf + " page").c_str()) != 0) return -1;
  const QImage page("page.png");
  int near = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      const QRgb p = page.pixel(x, y);
      near += std::abs(qRed(p) - qRed(colour)) < 8 && std::abs(qGreen(p) - qGreen(colour)) < 8 &&
              std::abs(qBlue(p) - qBlue(colour)) < 8;
    }
  return near;
}

class WindowPrintoutTest : public test::TempDirTest {};

// The print command's questions lead to the window printout, then to the
// puzzle printout; each job ends with a message naming its PDF file.
TEST_F(WindowPrintoutTest, PrintCommandAnsweredEachWay) {
  test::ScriptedHost host;
  host.userName = "spieler";
  Program program(host);
  MainWindow window(program);
  window.resize(900, 640);
  QtPrintDevice device;
  ConnectPrinting(program, window, device, nullptr);
  qputenv("KX_SUDOKU_PRINT_TO", "fenster.pdf");

  host.answers = {BoxAnswer::Yes};
  RunCommand(program, command::kPrint);
  ASSERT_TRUE(std::filesystem::exists("fenster.pdf"));
  const std::string text = PdfText("fenster.pdf");
  EXPECT_NE(text.find("Aktueller Fensterinhalt"), std::string::npos);
  EXPECT_NE(text.find("Benutzer-Name: spieler"), std::string::npos);
  // The page shows the window's own colours, the blue background over a large part.
  EXPECT_GT(PixelsNear("fenster.pdf", CommonestHue(window.PaintFrame())), 5000);
  ASSERT_FALSE(host.boxes.empty());
  EXPECT_NE(host.boxes.back().text.find("fenster.pdf"), std::string::npos);
  // For a look at the page: KX_KEEP_PRINTOUT=/some/dir/name.pdf
  const char* keep = std::getenv("KX_KEEP_PRINTOUT");
  if (keep != nullptr) std::filesystem::copy_file("fenster.pdf", std::string(keep) + ".window.pdf");

  // The puzzle printout solves through the game's solver like any solve.
  std::filesystem::remove(kCurrentSolutionFile);
  program.solver.SetSolutionCount(7);
  host.answers = {BoxAnswer::No, BoxAnswer::Yes, BoxAnswer::No, BoxAnswer::Yes};
  RunCommand(program, command::kPrint);
  EXPECT_NE(PdfText("fenster.pdf").find("Schwierigkeits-Index"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(kCurrentSolutionFile));
  EXPECT_LE(program.solver.SolutionCount(), 2u);  // the printout's solve set it
  EXPECT_FALSE(std::filesystem::exists("KXPrintTmp1.bmp"));
  if (keep != nullptr) std::filesystem::copy_file("fenster.pdf", keep);
  qunsetenv("KX_SUDOKU_PRINT_TO");
}

}  // namespace
}  // namespace kx
