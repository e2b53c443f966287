#include "qt/qt_print_device.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPageSetupDialog>
#include <QPrinterInfo>
#include <cstdlib>

#include "print/print_result.h"

namespace kx {

namespace {

constexpr int kPdfDpi = 300;

// The PDF writer does not report a disk that ran full; a whole file ends
// with its end-of-file marker.
bool PdfComplete(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly) || file.size() < 16) return false;
  file.seek(file.size() - 16);
  return file.read(16).contains("%%EOF");
}

}  // namespace

QtPrintDevice::QtPrintDevice(std::string pdfFile, bool oneDocument)
    : pdfFile_(std::move(pdfFile)), fixedFile_(!pdfFile_.empty()), oneDocument_(oneDocument) {}

QtPrintDevice::~QtPrintDevice() { Finish(); }

int QtPrintDevice::ChoosePrinter() {
  if (!chosen_) {
    const char* target = std::getenv("KX_SUDOKU_PRINT_TO");
    if (!fixedFile_ && target != nullptr && *target != '\0') pdfFile_ = target, fixedFile_ = true;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    pdf_ = fixedFile_ || info.isNull() || QPrinterInfo::availablePrinters().isEmpty();
    if (pdf_) {
      printer_.setOutputFormat(QPrinter::PdfFormat);
      printer_.setResolution(kPdfDpi);
      printer_.setPageSize(QPageSize(QPageSize::A4));
      printer_.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    } else {
      printer_.setPrinterName(info.printerName());
    }
    chosen_ = true;
  }
  return 0;
}

// The printer's own margins stand for its unprintable border; the dialog
// edits the job's margins in their place, and they go back afterwards.
int QtPrintDevice::PageSetupDialog(Margins& margins) {
  const QMarginsF unprintable = printer_.pageLayout().margins(QPageLayout::Millimeter);
  auto mm = [](int hundredths) { return hundredths / 100.0; };
  printer_.setPageMargins(QMarginsF(mm(margins.left), mm(margins.top), mm(margins.right), mm(margins.bottom)),
                          QPageLayout::Millimeter);
  QPageSetupDialog dialog(&printer_);
  dialog.setWindowTitle(QString::fromUtf8("Druckformat und Ränder einstellen"));
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (accepted) {
    const QMarginsF chosen = printer_.pageLayout().margins(QPageLayout::Millimeter);
    auto hundredths = [](qreal value) { return static_cast<int>(value * 100 + 0.5); };
    margins = Margins{hundredths(chosen.left()), hundredths(chosen.top()), hundredths(chosen.right()),
                      hundredths(chosen.bottom())};
  }
  printer_.setPageMargins(unprintable, QPageLayout::Millimeter);
  return accepted ? 0 : -1;
}

std::string QtPrintDevice::PrinterName() {
  if (pdf_) return "PDF-Datei";
  return printer_.printerName().left(31).toStdString();
}

PageGeometry QtPrintDevice::Geometry() {
  const QPageLayout layout = printer_.pageLayout();
  const int dpi = printer_.resolution();
  const QRect paint = layout.paintRectPixels(dpi);
  const QRectF mm = layout.paintRect(QPageLayout::Millimeter);
  PageGeometry g;
  g.horzRes = paint.width();
  g.vertRes = paint.height();
  g.horzSizeMm = static_cast<int>(mm.width());
  g.vertSizeMm = static_cast<int>(mm.height());
  g.offsetX = paint.left();
  g.offsetY = paint.top();
  g.logPixelsX = g.logPixelsY = dpi;
  g.landscape = layout.orientation() == QPageLayout::Landscape;
  return g;
}

int QtPrintDevice::StartDoc(const std::string& documentName) {
  if (painter_) return 0;  // the shared document is open
  if (pdf_) {
    if (!fixedFile_) {
      pdfFile_ = "SuDoKu_Druck_" + QDateTime::currentDateTime().toString("yyyy_MM_dd__hh_mm_ss").toStdString() + ".pdf";
    }
    printer_.setOutputFileName(QString::fromStdString(pdfFile_));
  }
  printer_.setDocName(QString::fromStdString(documentName));
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(&printer_)) {
    painter_.reset();
    return kPrintDocumentNotStarted;
  }
  pagesInDocument_ = 0;
  return 0;
}

int QtPrintDevice::StartPage() {
  if (!painter_) return kPrintOutputFailed;
  if (pagesInDocument_ > 0 && !printer_.newPage()) return kPrintOutputFailed;
  ++pagesInDocument_;
  const PageGeometry g = Geometry();
  canvas_ = std::make_unique<QtCanvas>(painter_.get(), g.horzRes, g.vertRes);
  return 0;
}

int QtPrintDevice::EndPage() {
  canvas_.reset();
  return 0;
}

int QtPrintDevice::EndDoc() {
  canvas_.reset();
  if (oneDocument_) return 0;
  const bool ended = !painter_ || painter_->end();
  painter_.reset();
  // AbortDoc, which follows the error, removes what was written.
  if (!ended || (pdf_ && !PdfComplete(pdfFile_))) return kPrintOutputFailed;
  return 0;
}

void QtPrintDevice::AbortDoc() {
  canvas_.reset();
  if (oneDocument_) return;
  if (painter_) {
    if (!pdf_) printer_.abort();
    painter_->end();
    painter_.reset();
  }
  if (pdf_) QFile::remove(QString::fromStdString(pdfFile_));
}

void QtPrintDevice::Finish() {
  canvas_.reset();
  if (painter_) painter_->end();
  painter_.reset();
}

namespace {

// The image is a base so that it outlives the canvas's painter.
struct ImageHolder {
  std::unique_ptr<QImage> owned;
};
class ImageCanvas : private ImageHolder, public QtCanvas {
 public:
  explicit ImageCanvas(std::unique_ptr<QImage> image)
      : ImageHolder{std::move(image)}, QtCanvas(ImageHolder::owned.get()) {}
};

}  // namespace

std::unique_ptr<Canvas> MakeImageCanvas(int width, int height) {
  auto image = std::make_unique<QImage>(width, height, QImage::Format_RGB32);
  if (image->isNull()) return nullptr;
  image->fill(Qt::white);
  return std::make_unique<ImageCanvas>(std::move(image));
}

Dib ImageToDib(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  Dib dib;
  dib.header = MakeHeader24(image.width(), image.height());
  const size_t stride = BitmapStride(image.width(), 24);
  dib.pixels.assign(dib.header.sizeImage, 0);
  for (int y = 0; y < image.height(); ++y) {
    // RGB888 holds red, green, blue in memory; a bitmap row holds blue, green, red.
    const uint8_t* in = image.constScanLine(y);
    uint8_t* out = dib.pixels.data() + (image.height() - 1 - y) * stride;
    for (int x = 0; x < image.width(); ++x) {
      out[3 * x] = in[3 * x + 2], out[3 * x + 1] = in[3 * x + 1], out[3 * x + 2] = in[3 * x];
    }
  }
  return dib;
}

}  // namespace kx
