#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "game/commands.h"
#include "game/function_fields.h"
#include "game/program.h"
#include "platform/qt/main_window.h"
#include "platform/qt/qt_print_device.h"
#include "print/print_platform.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"
#include "ui/fonts.h"

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
  PrintPlatform& platform = ThePrintPlatform();
  platform.device = &device;
  platform.makeCanvas = MakeImageCanvas;
  platform.captureWindow = [&window](Dib* out) {
    *out = ImageToDib(window.PaintFrame());
    return out->pixels.empty() ? -1 : 0;
  };
  const UiFonts fonts;
  platform.smallPrn = fonts.smallPrn;
  platform.bigPrn = fonts.bigPrn;
  qputenv("KX_SUDOKU_PRINT_TO", "fenster.pdf");

  host.answers = {BoxAnswer::Yes};
  RunCommand(program, command::kPrint);
  ASSERT_TRUE(std::filesystem::exists("fenster.pdf"));
  const std::string text = PdfText("fenster.pdf");
  EXPECT_NE(text.find("Aktueller Fensterinhalt"), std::string::npos);
  EXPECT_NE(text.find("Benutzer-Name: spieler"), std::string::npos);
  ASSERT_FALSE(host.boxes.empty());
  EXPECT_NE(host.boxes.back().text.find("fenster.pdf"), std::string::npos);
  // For a look at the page: KX_KEEP_PRINTOUT=/some/dir/name.pdf
  const char* keep = std::getenv("KX_KEEP_PRINTOUT");
  if (keep != nullptr) std::filesystem::copy_file("fenster.pdf", std::string(keep) + ".window.pdf");

  host.answers = {BoxAnswer::No, BoxAnswer::Yes, BoxAnswer::No, BoxAnswer::Yes};
  RunCommand(program, command::kPrint);
  EXPECT_NE(PdfText("fenster.pdf").find("Schwierigkeits-Index"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists("KXPrintTmp1.bmp"));
  if (keep != nullptr) std::filesystem::copy_file("fenster.pdf", keep);
  qunsetenv("KX_SUDOKU_PRINT_TO");
  platform = PrintPlatform{};
}

}  // namespace
}  // namespace kx
