#include "cli/print_commands.h"

#include <QGuiApplication>
#include <QImage>
#include <ostream>

#include "cli/cli_args.h"
#include "cli/puzzle_input.h"
#include "qt/qt_print_device.h"
#include "system/login_name.h"
#include "system/stream_host.h"
#include "print/puzzle_printout.h"
#include "ui/fonts.h"

namespace kx::cli {

namespace {

// The marks a player would have left: every digit an empty cell may still take.
std::array<uint16_t, 81> StatusFor(const PuzzleText& puzzle) {
  std::array<uint16_t, 81> status{};
  for (int cell = 0; cell < 81; ++cell) {
    if (puzzle[cell] >= '1' && puzzle[cell] <= '9') {
      status[cell] = 0x8000;
      continue;
    }
    uint16_t marks = 0x3FE;
    const int r = cell / 9, c = cell % 9, box = (r / 3) * 27 + (c / 3) * 3;
    for (int i = 0; i < 9; ++i) {
      for (int other : {r * 9 + i, i * 9 + c, box + (i / 3) * 9 + i % 3}) {
        const char d = puzzle[other];
        if (d >= '1' && d <= '9') marks &= ~(1u << (d - '0'));
      }
    }
    status[cell] = marks;
  }
  return status;
}

}  // namespace

int RunPrint(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  OptionReader options(args);
  const std::optional<std::string> target = options.Text("--to");
  const bool mirror = options.Flag("--mirror");
  const bool readable = options.Flag("--readable");
  const bool noCandidates = options.Flag("--no-candidates");
  if (options.bad() || !target || target->empty() || (mirror && readable) || !options.Rest().empty()) {
    err << "usage: kx-sudoku-cli print --to FILE.pdf [--mirror|--readable] [--no-candidates]\n";
    return 2;
  }
  int argc = 1;
  char name[] = "kx-sudoku-cli";
  char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  StreamHost host(err);
  QtPrintDevice device(*target, true);
  PrintEngine engine;
  PrintContext context;
  context.device = &device;
  context.host = &host;
  const CanvasFactory makeCanvas = MakeImageCanvas;
  Solver solver;
  const UiFonts fonts;
  int jobs = 0;
  const bool good = ForEachPuzzle(in, err, [&](const PuzzleText& puzzle) {
    PuzzlePrintInput input;
    TextToGivenBoard(input.currentBoard, puzzle);
    input.statusBoard = StatusFor(puzzle);
    input.source = 1;
    input.mirrorSolution = mirror;
    input.hideCandidates = noCandidates;
    input.smallPrn = fonts.smallPrn;
    input.bigPrn = fonts.bigPrn;
    input.userName = LoginName();
    PrintPuzzleJob(engine, context, makeCanvas, solver, input);
    ++jobs;
  });
  device.Finish();
  out << jobs << " " << *target << "\n";
  return good ? 0 : 2;
}

}  // namespace kx::cli
