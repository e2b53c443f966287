// Time to paint one frame of the main window, at the default size and at
// a large one, into the off-screen image that the window then shows.
#include <benchmark/benchmark.h>

#include <QImage>

#include "../tests/support/scripted_host.h"
#include "game/program.h"
#include "game/state_file.h"
#include "qt/qt_canvas.h"
#include "ui/paint.h"

namespace {

void PaintFrame(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  kx::test::ScriptedHost host;
  kx::Program program(host);
  program.solver.SetCurrentSolutionSink(nullptr);
  kx::SetUpFallbackGame(program);
  kx::BuildFunctionFields(program, program.state.gameStatus);
  kx::UiFonts fonts;
  kx::MainWindowState window;
  QImage image(width, height, QImage::Format_RGB32);
  {
    QImage scratch(1, 1, QImage::Format_RGB32);
    kx::QtCanvas measure(&scratch);
    kx::FitFontsToClient(measure, fonts, width, height);
  }
  for (auto _ : state) {
    kx::QtCanvas canvas(&image);
    const kx::WindowLayout layout = kx::LayOutMainWindow(canvas, program, fonts);
    kx::PaintMainWindow(canvas, program, window, fonts, layout);
    benchmark::DoNotOptimize(layout);
    ++window.blinkPhase;
  }
}
BENCHMARK(PaintFrame)->Args({874, 654})->Args({1600, 1200})->Unit(benchmark::kMillisecond);

}  // namespace
