#pragma once

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <memory>
#include <string>

#include "pictures/dib.h"
#include "platform/print_device.h"
#include "qt/qt_canvas.h"

namespace kx {

// Printing through Qt: the default printer, or a PDF file when the system
// has no printer or KX_SUDOKU_PRINT_TO names one. Printer and page layout
// are kept for the run.
class QtPrintDevice : public PrintDevice {
 public:
  // With `pdfFile` every job goes into that one file; with
  // `oneDocument` all jobs share it as one document until Finish().
  explicit QtPrintDevice(std::string pdfFile = {}, bool oneDocument = false);
  ~QtPrintDevice() override;

  int ChoosePrinter() override;
  int PageSetupDialog(Margins& margins) override;
  std::string PrinterName() override;
  int DriverVersion() override { return 1 * 256; }
  int DeviceModeVersion() override { return 100; }
  PrinterCaps Caps() override { return PrinterCaps{}; }
  PageGeometry Geometry() override;
  int StartDoc(const std::string& documentName) override;
  int StartPage() override;
  Canvas* PageCanvas() override { return canvas_.get(); }
  int EndPage() override;
  int EndDoc() override;
  void AbortDoc() override;
  std::string OutputFile() override { return pdf_ ? pdfFile_ : std::string(); }
  // Closes the shared document of `oneDocument`.
  void Finish();

 private:
  std::string pdfFile_;
  bool fixedFile_, oneDocument_, chosen_ = false, pdf_ = false;
  QPrinter printer_{QPrinter::HighResolution};
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<QtCanvas> canvas_;
  int pagesInDocument_ = 0;
};

// A white canvas that owns its image, for the printout pictures.
std::unique_ptr<Canvas> MakeImageCanvas(int width, int height);

// A painted image as a 24-bit bottom-up picture.
Dib ImageToDib(const QImage& image);

}  // namespace kx
