#pragma once

#include <QDialog>
#include <QLabel>
#include <memory>

#include "platform/print_device.h"

namespace kx {

// The progress window of a print job with its "Druck-Abbruch" button; it
// lives on the GUI thread and the job pumps its events.
class QtPrintProgress : public PrintProgress {
 public:
  explicit QtPrintProgress(QWidget* owner) : owner_(owner) {}
  ~QtPrintProgress() override;
  void Show(const std::string& title) override;
  void Update(int page, int picture, const std::string& caption) override;
  void SetVisible(bool visible) override;
  bool Pump() override;
  void Close() override;

 private:
  QWidget* owner_;
  std::unique_ptr<QDialog> dialog_;
  QLabel* page_ = nullptr;
  QLabel* picture_ = nullptr;
  QLabel* caption_ = nullptr;
  bool cancelled_ = false;
};

}  // namespace kx
