#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pictures/dib.h"
#include "platform/host.h"
#include "platform/print_device.h"
#include "print/page_layout.h"
#include "print/print_item.h"
#include "print/print_result.h"

namespace kx {

// Flag word bits of the running job.
inline constexpr int kJobRunning = 0x01, kPagePlaced = 0x02, kPlacementCorrected = 0x08, kCancelledByUser = 0x2000,
                     kCancelledBySpooler = 0x4000, kJobAborted = 0x8000;

inline constexpr char kProgramLine[] = "KX-Sudoku  -  Sudoku für Linux  -  kx-sudoku@example.org";
inline constexpr char kCancelMessage[] = "Ausdruck wurde durch Benutzer vorzeitig unterbrochen !!!";
inline constexpr size_t kBandBytes = 0x400000;

// The printer state of one run: what survives between jobs.
struct PrintEngine {
  int flags = 0;
  bool printerChosen = false;
  Margins margins;
};

// What a job needs from around it. `captureWindow` paints the main window
// into a 24-bit picture (0 = done); `progress` may be null.
struct PrintContext {
  PrintDevice* device = nullptr;
  Host* host = nullptr;
  PrintProgress* progress = nullptr;
  std::function<int(Dib*)> captureWindow;
};

// Prints one job. kPrintDone, kPrintJobRunning, kPrintCancelled, else the
// printer error number (a PrintResult or the device's own, already shown to
// the user).
int RunPrintJob(PrintEngine& engine, const PrintContext& context, const std::vector<PrintItem>& items,
                const std::string& userText, const std::string& title, int options);

// "Drucker-Fehler-Nr.: 00000115".
std::string PrinterErrorText(int number);

}  // namespace kx
