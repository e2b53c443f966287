#include "qt/qt_print_progress.h"

#include <QApplication>
#include <QGridLayout>
#include <QPushButton>

namespace kx {

QtPrintProgress::~QtPrintProgress() { Close(); }

void QtPrintProgress::Show(const std::string& title) {
  cancelled_ = false;
  dialog_ = std::make_unique<QDialog>(owner_);
  dialog_->setWindowTitle(QString::fromStdString(title));
  auto* grid = new QGridLayout(dialog_.get());
  grid->addWidget(new QLabel(QString::fromUtf8("Druck von Seite:")), 0, 0);
  page_ = new QLabel;
  grid->addWidget(page_, 0, 1);
  grid->addWidget(new QLabel(QString::fromUtf8("Bild:")), 0, 2);
  picture_ = new QLabel;
  grid->addWidget(picture_, 0, 3);
  caption_ = new QLabel;
  caption_->setAlignment(Qt::AlignCenter);
  grid->addWidget(caption_, 1, 0, 1, 4);
  auto* cancel = new QPushButton(QString::fromUtf8("Druck-Abbruch"));
  grid->addWidget(cancel, 2, 1, 1, 2);
  QObject::connect(cancel, &QPushButton::clicked, [this] {
    cancelled_ = true;
    caption_->setText(QString::fromUtf8("Ausdruck wurde durch Benutzer vorzeitig unterbrochen !!!"));
    QApplication::beep();
  });
  dialog_->show();
  Pump();
}

void QtPrintProgress::Update(int page, int picture, const std::string& caption) {
  if (!dialog_) return;
  page_->setNum(page);
  picture_->setNum(picture);
  if (!cancelled_) caption_->setText(QString::fromStdString(caption));
}

void QtPrintProgress::SetVisible(bool visible) {
  if (dialog_) dialog_->setVisible(visible);
}

bool QtPrintProgress::Pump() {
  QApplication::processEvents();
  return cancelled_;
}

void QtPrintProgress::Close() { dialog_.reset(); }

}  // namespace kx
