#pragma once

#include <QImage>
#include <memory>
#include <optional>
#include <vector>

#include "platform/print_device.h"
#include "qt/qt_canvas.h"

namespace kx::test {

// A printer that keeps its pages as images: 100 dpi on A4 by default.
class FakePrintDevice : public PrintDevice {
 public:
  PageGeometry geometry{787, 1130, 200, 287, 20, 20, 100, 100, false};
  PrinterCaps caps;
  std::string name = "Testdrucker";
  int chooseCalls = 0, dialogs = 0, aborted = 0, ended = 0;
  std::vector<QImage> pages;
  std::vector<Rect> imageDraws;  // every band sent to the page

  int chooseResult = 0, dialogResult = 0;
  std::optional<Margins> dialogMargins;  // what the dialog's user chooses
  Margins shownMargins{};   // what the dialog was opened with

  int ChoosePrinter() override {
    ++chooseCalls;
    return chooseResult;
  }
  int PageSetupDialog(Margins& margins) override {
    ++dialogs;
    shownMargins = margins;
    if (dialogResult == 0 && dialogMargins) margins = *dialogMargins;
    return dialogResult;
  }
  std::string PrinterName() override { return name; }
  int DriverVersion() override { return 3 * 256 + 10; }
  int DeviceModeVersion() override { return 401; }
  PrinterCaps Caps() override { return caps; }
  PageGeometry Geometry() override { return geometry; }
  int StartDoc(const std::string&) override { return 0; }
  int StartPage() override {
    canvas_.reset();
    pages.emplace_back(std::min(geometry.horzRes, 2000), std::min(geometry.vertRes, 2000), QImage::Format_RGB32);
    pages.back().fill(Qt::white);
    canvas_ = std::make_unique<Recorder>(&pages.back(), this);
    return 0;
  }
  Canvas* PageCanvas() override { return canvas_.get(); }
  int EndPage() override {
    canvas_.reset();
    return 0;
  }
  int EndDoc() override {
    ++ended;
    return 0;
  }
  void AbortDoc() override {
    canvas_.reset();
    ++aborted;
  }

 private:
  struct Recorder : QtCanvas {
    Recorder(QImage* image, FakePrintDevice* owner) : QtCanvas(image), owner(owner) {}
    void DrawImage(const ImageView& image, const Rect& dest, BlitMode mode) override {
      owner->imageDraws.push_back(dest);
      QtCanvas::DrawImage(image, dest, mode);
    }
    FakePrintDevice* owner;
  };
  std::unique_ptr<Recorder> canvas_;
};

// A progress window that runs a test's hook on every pump.
class FakeProgress : public PrintProgress {
 public:
  std::function<bool()> onPump;
  std::vector<std::string> captions;
  int shown = 0, closed = 0;
  void Show(const std::string&) override { ++shown; }
  void Update(int, int, const std::string& caption) override { captions.push_back(caption); }
  void SetVisible(bool) override {}
  bool Pump() override { return onPump ? onPump() : false; }
  void Close() override { ++closed; }
};

}  // namespace kx::test
