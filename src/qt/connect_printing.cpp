#include "qt/connect_printing.h"

#include "qt/qt_print_device.h"
#include "ui/fonts.h"

namespace kx {

void ConnectPrinting(Program& program, MainWindow& window, PrintDevice& device, PrintProgress* progress) {
  PrintPlatform& print = program.print;
  print.device = &device;
  print.progress = progress;
  print.makeCanvas = MakeImageCanvas;
  print.captureWindow = [&window](Dib* out) {
    *out = ImageToDib(window.PaintFrame());
    return out->pixels.empty() ? -1 : 0;
  };
  const UiFonts fonts;
  print.smallPrn = fonts.smallPrn;
  print.bigPrn = fonts.bigPrn;
}

}  // namespace kx
