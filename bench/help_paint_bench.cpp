// Time to lay out and paint one page of the program's help, at the
// window's usual size and maximised, from the top and from the middle.
#include <benchmark/benchmark.h>

#include <QImage>

#include "help/help_file.h"
#include "help/help_viewer.h"
#include "qt/qt_canvas.h"

namespace {

void PaintHelpPage(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  kx::HelpView view;
  if (!kx::LoadHelpFile(KX_HELP_COMPILED, view.help)) {
    state.SkipWithError("no compiled help");
    return;
  }
  kx::ResetHelpView(view, 0);
  const int start = static_cast<int>(state.range(2)) * static_cast<int>(view.Count()) / 2;
  QImage image(width, height, QImage::Format_RGB32);
  for (auto _ : state) {
    view.Scroll().position = start;
    kx::QtCanvas canvas(&image);
    kx::PaintHelpWindow(view, canvas);
    benchmark::DoNotOptimize(view.drawnCount);
  }
}
BENCHMARK(PaintHelpPage)
    ->Args({484, 342, 0})
    ->Args({484, 342, 1})
    ->Args({1600, 1150, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
