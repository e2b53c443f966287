#pragma once

#include "game/program.h"
#include "platform/print_device.h"
#include "qt/main_window.h"

namespace kx {

// Lends the program the printer, the progress window of a job (null: none
// is shown), the capture of the main window and the printout fonts. The
// device, the progress window and the main window must outlive the
// program's last printout.
void ConnectPrinting(Program& program, MainWindow& window, PrintDevice& device, PrintProgress* progress);

}  // namespace kx
