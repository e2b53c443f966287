#pragma once

#include <string>

#include "platform/canvas.h"

namespace kx {

// What a printer can take. Qt printers take every transfer; tests switch
// single abilities off to reach the refusals.
struct PrinterCaps {
  bool dibToDevice = true;
  bool stretchDib = true;
  bool stretchBlt = true;
  bool bitBlt = true;
  bool bigBitmaps = true;
};

// The page as the device reports it, in device pixels and millimetres.
struct PageGeometry {
  int horzRes = 0, vertRes = 0;        // printable area in pixels
  int horzSizeMm = 0, vertSizeMm = 0;  // printable area in millimetres
  int offsetX = 0, offsetY = 0;        // unprintable offset in pixels
  int logPixelsX = 0, logPixelsY = 0;  // dots per inch
  bool landscape = false;
};

// Margins in hundredths of a millimetre, kept for the run.
struct Margins {
  int left = 2500, top = 1000, right = 1000, bottom = 1000;
};

// Printer choice, page geometry and page output for the print engine.
// Integer results: 0 done, otherwise the engine's error number.
class PrintDevice {
 public:
  virtual ~PrintDevice() = default;
  // Picks the printer: the kept one, else the default.
  virtual int ChoosePrinter() = 0;
  // The page-setup dialog, opened with the kept margins; on OK the chosen
  // margins are written back and the printer is kept. -1 = cancelled.
  virtual int PageSetupDialog(Margins& margins) = 0;
  virtual std::string PrinterName() = 0;
  virtual int DriverVersion() = 0;      // major * 256 + minor
  virtual int DeviceModeVersion() = 0;  // major * 100 + minor
  virtual PrinterCaps Caps() = 0;
  virtual PageGeometry Geometry() = 0;
  virtual int StartDoc(const std::string& documentName) = 0;
  virtual int StartPage() = 0;
  // The drawing surface of the open page, in device pixels of the printable area.
  virtual Canvas* PageCanvas() = 0;
  virtual int EndPage() = 0;
  virtual int EndDoc() = 0;
  virtual void AbortDoc() = 0;
  // Where the output went, for the final message (empty: a real printer).
  virtual std::string OutputFile() { return {}; }
};

// The progress window of a job with its cancel button.
class PrintProgress {
 public:
  virtual ~PrintProgress() = default;
  virtual void Show(const std::string& title) = 0;
  virtual void Update(int page, int picture, const std::string& caption) = 0;
  virtual void SetVisible(bool visible) = 0;
  // Handles pending events; true once the user pressed "Druck-Abbruch".
  virtual bool Pump() = 0;
  virtual void Close() = 0;
};

}  // namespace kx
