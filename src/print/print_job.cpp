#include "print/print_job.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "pictures/bmp_file.h"
#include "pictures/dib_scale.h"

namespace kx {

std::string PrinterErrorText(int number) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "Drucker-Fehler-Nr.: %08d", number);
  return buffer;
}

namespace {

constexpr char kNoMultiPictures[] =
    "Der von Ihnen gewählte Drucker\nerfüllt nicht die Vorraussetzungen\nzum gleichzeitigen Drucken vieler "
    "Bilder!\n(SetDIBitsToDevice() oder StretchDIBits())";
constexpr char kNoBigBitmaps[] =
    "Der angeschlossene Drucker\nverarbeitet keine großen Bitmaps.\nDer Ausdruck von Bilddateien ist\nmit dieser "
    "Programmversion nicht möglich !!";

class Job {
 public:
  Job(PrintEngine& engine, const PrintContext& context, const std::string& userText, int options)
      : engine_(engine), ctx_(context), dev_(*context.device), userText_(userText), options_(options) {}

  int Prepare();
  int Items(const std::vector<PrintItem>& items);
  int OpenPage();
  int ClosePage();
  void PrintErrorOnPage(int number);
  bool PageOpen() const { return pageOpen_; }
  std::string printerName;

 private:
  int ToDevice(int value, int unit, bool vertical) const;
  void NewLine();
  int Picture(const PrintItem& item, const Dib& image);
  int Text(const PrintItem& item);
  int Transfer(const Dib& image, int sx, int sy, int sw, int sh, const Rect& dest);
  int MmX(int hundredths) const { return static_cast<int>(int64_t{hundredths} * page_.horzRes / (page_.horzSizeMm * 100)); }
  int MmY(int hundredths) const { return static_cast<int>(int64_t{hundredths} * page_.vertRes / (page_.vertSizeMm * 100)); }

  PrintEngine& engine_;
  const PrintContext& ctx_;
  PrintDevice& dev_;
  std::string userText_;
  int options_;
  PageGeometry page_;
  PrinterCaps caps_;
  Rect content_;       // right and bottom inclusive
  int areaTop_ = 0;    // first line below the header
  FontSpec base_, textFont_;
  int lineH_ = 0;
  int pageNo_ = 0, pictureNo_ = 0;
  bool pageOpen_ = false;
  Canvas* canvas_ = nullptr;
  int flowX_ = 0, lineTop_ = 0, lineHeight_ = 0;
  bool lineUsed_ = false;
};

int Job::Prepare() {
  page_ = dev_.Geometry();
  caps_ = dev_.Caps();
  if (!caps_.dibToDevice && !caps_.stretchDib) {
    ctx_.host->ShowMessageBox({kNoMultiPictures, printerName, BoxButtons::Ok, BoxIcon::Exclamation});
    return kPrintNoPictureTransfer;
  }
  if (!caps_.bigBitmaps) {
    ctx_.host->ShowMessageBox({kNoBigBitmaps, printerName, BoxButtons::Ok, BoxIcon::Exclamation});
    return kPrintNoBigBitmaps;
  }
  if (page_.horzRes <= 0) return kPrintNoPageWidth;
  if (page_.vertRes <= 0) return kPrintNoPageHeight;
  if (page_.horzSizeMm <= 0 || page_.logPixelsX <= 0) return kPrintNoHorizontalScale;
  if (page_.vertSizeMm <= 0 || page_.logPixelsY <= 0) return kPrintNoVerticalScale;
  content_ = ContentRect(page_, &engine_.margins);
  base_ = BaseFont(content_);
  textFont_ = base_;
  return 0;
}

int Job::OpenPage() {
  if (dev_.StartPage() != 0) return kPrintOutputFailed;
  canvas_ = dev_.PageCanvas();
  if (canvas_ == nullptr) return kPrintNoPageCanvas;
  pageOpen_ = true;
  ++pageNo_;
  engine_.flags &= ~kPagePlaced;
  canvas_->SelectFont(base_);
  lineH_ = std::max(1, canvas_->Metrics().height);
  int y = content_.top;
  auto line = [&](const std::string& text) {
    canvas_->DrawText(content_.left, y, text, kBlack);
    y += lineH_;
  };
  if (!(options_ & kNoProgramLine)) line(kProgramLine);
  if (!(options_ & kNoDateLine)) line(DateLine(ctx_.host->Now()));
  if (!(options_ & kNoPrinterLine))
    line("Drucker: " + printerName + VersionText(dev_.DriverVersion(), dev_.DeviceModeVersion()) +
         ResolutionText(page_.logPixelsX, page_.logPixelsY));
  if (!(options_ & kNoPageNumber)) {
    char number[16];
    std::snprintf(number, sizeof number, "%4d", pageNo_);
    const std::string text = std::string("Seite: ") + number;
    canvas_->DrawText(content_.right + 1 - canvas_->MeasureText(text).width, y, text, kBlack);
  }
  line(userText_);
  areaTop_ = y + lineH_ + MmY(100);
  if (content_.bottom - areaTop_ < 2 * MmY(100)) return kPrintPageTooSmall;
  flowX_ = content_.left;
  lineTop_ = areaTop_;
  lineHeight_ = 0;
  lineUsed_ = false;
  return 0;
}

int Job::ClosePage() {
  if (!pageOpen_) return 0;
  pageOpen_ = false;
  canvas_ = nullptr;
  return dev_.EndPage() == 0 ? kPrintDone : kPrintPageNotEnded;
}

void Job::PrintErrorOnPage(int number) {
  if (!pageOpen_ || canvas_ == nullptr) return;
  canvas_->SelectFont(base_);
  canvas_->DrawText(content_.left, content_.bottom + 1 - lineH_, PrinterErrorText(number), kBlack);
}

int Job::ToDevice(int value, int unit, bool vertical) const {
  switch (unit) {
    case kUnitMillimetres:
      return vertical ? static_cast<int>(int64_t{value} * page_.vertRes / page_.vertSizeMm)
                      : static_cast<int>(int64_t{value} * page_.horzRes / page_.horzSizeMm);
    case kUnitPerMille:
      return vertical ? static_cast<int>(int64_t{value} * (content_.bottom + 1 - areaTop_) / 1000)
                      : static_cast<int>(int64_t{value} * (content_.right + 1 - content_.left) / 1000);
    default:
      return value;
  }
}

// The next line leaves room for a caption above its pictures.
void Job::NewLine() {
  if (!lineUsed_) return;
  lineTop_ += lineHeight_ + MmY(100) + lineH_;
  flowX_ = content_.left;
  lineHeight_ = 0;
  lineUsed_ = false;
}

int Job::Items(const std::vector<PrintItem>& items) {
  for (const PrintItem& item : items) {
    if (item.type == kItemEnd) break;
    if (ctx_.progress != nullptr) {
      ctx_.progress->Update(pageNo_, pictureNo_ + ((item.type & kItemPictureBit) ? 1 : 0), item.caption);
      if (ctx_.progress->Pump()) engine_.flags |= kCancelledByUser;
    }
    if (engine_.flags & kCancelledByUser) return 0;
    int result = 0;
    switch (item.type & 0xFF) {
      case kItemFont: {
        const int unit = item.flags & kUnitMask;
        FontSpec f;
        f.height = ToDevice(item.source[0], unit, true);
        f.width = ToDevice(item.source[1], unit, false);
        if (f.height <= 0) return kPrintFontTooSmall;
        f.weight = item.source[2] > 0 ? item.source[2] : 400;
        f.italic = item.source[3] & 1;
        f.underline = item.source[3] & 2;
        f.face = item.name.substr(0, 31);
        textFont_ = f;
        break;
      }
      case kItemText:
        result = Text(item);
        break;
      case kItemWindow: {
        Dib image;
        if (ctx_.progress != nullptr) ctx_.progress->SetVisible(false);
        const int captured = ctx_.captureWindow ? ctx_.captureWindow(&image) : -1;
        if (ctx_.progress != nullptr) ctx_.progress->SetVisible(true);
        if (captured != 0) return kPrintWindowNotCaptured;
        ++pictureNo_;
        result = Picture(item, image);
        break;
      }
      case kItemBmpFile: {
        Dib image;
        if (ReadBmpFile(item.name, &image) != 0) {
          if (item.flags & kFileOfTheJob) return kPrintJobFileUnreadable;
          ctx_.host->Beep(BeepKind::Simple);
          break;
        }
        ++pictureNo_;
        result = Picture(item, image);
        break;
      }
      default:
        return kPrintUnknownItem;
    }
    if (result != 0) return result;
  }
  return 0;
}

int Job::Text(const PrintItem& item) {
  if (item.name.empty()) return 0;
  canvas_->SelectFont(textFont_);
  const Size size = canvas_->MeasureText(item.name);
  const int unit = item.flags & kUnitMask;
  int x, y;
  if (item.x >= 0 && item.y >= 0) {
    x = content_.left + ToDevice(item.x, unit, false);
    y = areaTop_ + ToDevice(item.y, unit, true);
  } else {
    if (item.y == -1 || (item.flags & kNewLineBefore)) NewLine();
    x = flowX_ + (lineUsed_ ? MmX(50) : 0);
    if (x + size.width > content_.right + 1 && lineUsed_) {
      NewLine();
      x = content_.left;
    }
    y = lineTop_;
    flowX_ = x + size.width + 1;
    lineHeight_ = std::max(lineHeight_, size.height + 1);
    lineUsed_ = true;
  }
  canvas_->DrawText(x, y, item.name, kBlack);
  canvas_->SelectFont(base_);
  engine_.flags |= kPagePlaced;
  return 0;
}

int Job::Picture(const PrintItem& item, const Dib& image) {
  int sx = 0, sy = 0, sw = image.header.width, sh = std::abs(image.header.height);
  if (item.flags & kUseSourceRect) {
    int l = item.source[0], t = item.source[1], r = item.source[2], b = item.source[3];
    if (item.flags & kSourcePerMille) {
      l = l * sw / 1000, r = r * sw / 1000, t = t * sh / 1000, b = b * sh / 1000;
    }
    if (l >= 0 && t >= 0 && l < r && t < b && r <= sw && b <= sh) sx = l, sy = t, sw = r - l, sh = b - t;
  }
  // Aspect as a fraction: width / height = an / ad.
  const int64_t an = int64_t{sw} * page_.logPixelsX, ad = int64_t{sh} * page_.logPixelsY;
  auto heightFor = [&](int w) { return static_cast<int>(std::max<int64_t>(1, w * ad / an)); };
  auto widthFor = [&](int h) { return static_cast<int>(std::max<int64_t>(1, h * an / ad)); };
  const int unit = item.flags & kUnitMask;
  const int contentW = content_.right + 1 - content_.left;
  const int areaH = content_.bottom + 1 - areaTop_;
  int w = ToDevice(item.width, unit, false), h = ToDevice(item.height, unit, true);
  if (item.flags & kSizesAreExtents) {
  } else if (item.width > 0 || item.height > 0) {
    // Right and bottom edges: sizes are what lies between them and x, y.
    if (item.width > 0 && item.x >= 0) w -= ToDevice(item.x, unit, false);
    if (item.height > 0 && item.y >= 0) h -= ToDevice(item.y, unit, true);
  }
  int x, y;
  if (item.x >= 0 && item.y >= 0) {
    x = content_.left + ToDevice(item.x, unit, false);
    y = areaTop_ + ToDevice(item.y, unit, true);
    if (w > 0 && h > 0) {
      if (heightFor(w) <= h) h = heightFor(w); else w = widthFor(h);
    } else if (w > 0) {
      h = heightFor(w);
    } else if (h > 0) {
      w = widthFor(h);
    } else {
      w = contentW / 16;
      h = areaH / 16;
    }
  } else {
    if (item.y == -1 || (item.flags & kNewLineBefore)) NewLine();
    if (w <= 0 && h > 0) w = widthFor(h);
    if (w <= 0 || w > contentW) w = contentW;
    h = std::min(heightFor(w), 4 * w);
    x = flowX_ + (lineUsed_ ? MmX(50) : 0);
    if (x + w > content_.right + 1 && lineUsed_) {
      NewLine();
      x = content_.left;
    }
    y = lineTop_;
    if (y + h > content_.bottom + 1) {
      if (engine_.flags & kPagePlaced) {
        if (int r = ClosePage(); r != 0) return r;
        if (int r = OpenPage(); r != 0) return r;
        x = content_.left;
        y = lineTop_;
      }
      if (y + h > content_.bottom + 1) {
        h = std::max(1, content_.bottom + 1 - y);
        w = std::min(w, widthFor(h));
      }
    }
  }
  w = std::max(1, w), h = std::max(1, h);
  // Corrections against the content's right and bottom edges, keeping the aspect.
  bool corrected = false;
  if (x > content_.right) x = std::max(content_.left, content_.right + 1 - w), corrected = true;
  if (y > content_.bottom) y = std::max(areaTop_, content_.bottom + 1 - h), corrected = true;
  if (x + w > content_.right + 1) w = content_.right + 1 - x, h = std::min(h, heightFor(w)), corrected = true;
  if (y + h > content_.bottom + 1) h = content_.bottom + 1 - y, w = std::min(w, widthFor(h)), corrected = true;
  w = std::max(1, w), h = std::max(1, h);
  if (corrected) engine_.flags |= kPlacementCorrected; else engine_.flags &= ~kPlacementCorrected;

  std::string caption = item.caption.substr(0, 255);
  canvas_->SelectFont(base_);
  if (!caption.empty() || corrected) {
    caption = ShortenCaption(*canvas_, caption, w);
    if (corrected) caption += "(Corr)";
    canvas_->DrawText(x, y - lineH_, caption, kBlack);
  }
  if (int r = Transfer(image, sx, sy, sw, sh, Rect{x, y, x + w, y + h}); r != 0) return r;
  flowX_ = x + w + 1;
  lineHeight_ = std::max(lineHeight_, h + 1);
  lineUsed_ = true;
  engine_.flags |= kPagePlaced;
  return 0;
}

int Job::Transfer(const Dib& image, int sx, int sy, int sw, int sh, const Rect& dest) {
  const int w = dest.Width(), h = dest.Height();
  const size_t stride = BitmapStride(w, 24);
  if (caps_.dibToDevice && stride > kBandBytes) return kPrintRowTooLong;
  if (int64_t{w} * h > kMaxPicturePixels) return kPrintPictureTooLarge;
  Dib scaled;
  scaled.header = MakeHeader24(w, h);
  scaled.pixels.assign(stride * h, 0xFF);
  if (ScaleDib(scaled, 0, 0, w, h, sx, sy, sw, sh, image, 256, 256) < 0) return kPrintPictureNotScaled;
  if (!caps_.dibToDevice && !caps_.stretchDib && !caps_.stretchBlt && !caps_.bitBlt) {
    ctx_.host->Beep(BeepKind::Simple);
    return kPrintNoTransfer;
  }
  const int bandRows = caps_.dibToDevice ? static_cast<int>(kBandBytes / stride) : h;
  // Bands from the picture's top down; rows lie bottom-up in memory.
  for (int top = 0; top < h; top += bandRows) {
    const int rows = std::min(bandRows, h - top);
    ImageView view{w, rows, static_cast<int>(stride), true, scaled.pixels.data() + (h - top - rows) * stride};
    canvas_->DrawImage(view, Rect{dest.left, dest.top + top, dest.right, dest.top + top + rows}, BlitMode::Copy);
  }
  return 0;
}

}  // namespace

int RunPrintJob(PrintEngine& engine, const PrintContext& context, const std::vector<PrintItem>& items,
                const std::string& userText, const std::string& title, int options) {
  if (engine.flags & 0xFF) return kPrintJobRunning;
  engine.flags = kJobRunning;
  PrintDevice& dev = *context.device;
  int chosen = dev.ChoosePrinter();
  if (chosen == 0 && !engine.printerChosen) {
    engine.margins = DefaultMargins(dev.Geometry().landscape);
    engine.printerChosen = true;
  }
  if (chosen == 0 && (options & kShowPageSetup)) chosen = dev.PageSetupDialog(engine.margins);
  if (chosen != 0) {
    engine.flags = 0;
    if (chosen < 0) return 0;  // the dialog was cancelled: no message
    const std::string name = dev.PrinterName().substr(0, 31);
    context.host->ShowMessageBox(
        {PrinterErrorText(chosen), name.empty() ? "Sudoku Meldung" : name, BoxButtons::Ok, BoxIcon::Exclamation});
    return chosen;
  }
  Job job(engine, context, userText, options);
  job.printerName = dev.PrinterName().substr(0, 31);
  int result = job.printerName.empty() ? kPrintNoPrinterName : job.Prepare();
  bool docStarted = false;
  if (result == 0) {
    if (context.progress != nullptr && (options & kShowProgress))
      context.progress->Show(title.empty() ? "Druck-Fortschritt" : title);
    result = dev.StartDoc("VOVoz-Ovizo") == 0 ? kPrintDone : kPrintDocumentNotStarted;
    docStarted = result == 0;
  }
  if (result == 0) result = job.OpenPage();
  if (result == 0) result = job.Items(items);
  const bool cancelled = engine.flags & kCancelledByUser;
  if (result == 0 && !cancelled) {
    result = job.ClosePage();
    if (result == 0 && dev.EndDoc() != 0) result = kPrintOutputFailed;
  }
  if (docStarted && (result != 0 || cancelled)) {
    if (result != 0) job.PrintErrorOnPage(result);
    engine.flags |= kJobAborted;
    dev.AbortDoc();
  }
  if (context.progress != nullptr && (options & kShowProgress)) context.progress->Close();
  engine.flags = 0;
  if (cancelled) {
    context.host->ShowMessageBox({kCancelMessage, job.printerName, BoxButtons::Ok, BoxIcon::Exclamation});
    return kPrintCancelled;
  }
  if (result != 0)
    context.host->ShowMessageBox({PrinterErrorText(result), job.printerName, BoxButtons::Ok, BoxIcon::Exclamation});
  else if (const std::string file = dev.OutputFile(); !file.empty())
    context.host->ShowMessageBox({"Der Ausdruck wurde als PDF-Datei gespeichert:\n" + file, "Sudoku Meldung",
                                  BoxButtons::Ok, BoxIcon::Information});
  return result;
}

}  // namespace kx
