#include <gtest/gtest.h>

#include <QImage>

#include "fake_print_device.h"
#include "pictures/bmp_file.h"
#include "print/print_job.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace kx {
namespace {

using test::FakePrintDevice;
using test::FakeProgress;
using test::ScriptedHost;

Dib Picture(int width, int height, uint8_t grey) {
  Dib dib;
  dib.header = MakeHeader24(width, height);
  dib.pixels.assign(dib.header.sizeImage, grey);
  return dib;
}

PrintItem WindowItem(int x, int y, int width, const std::string& caption) {
  PrintItem item;
  item.type = kItemWindow;
  item.flags = kUnitPerMille;
  item.x = x, item.y = y, item.width = width;
  item.caption = caption;
  return item;
}

class PrintJobTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    host.now = LocalTime{2026, 12, 7, 1, 9, 5, 3, 0};
    context.device = &device;
    context.host = &host;
    context.progress = &progress;
    context.captureWindow = [this](Dib* out) {
      *out = window;
      return 0;
    };
  }
  int Run(const std::vector<PrintItem>& items, int options = kShowProgress) {
    return RunPrintJob(engine, context, items, "Benutzer-Name: tester", "Testauftrag", options);
  }
  static int DarkPixels(const QImage& page, const Rect& r) {
    int dark = 0;
    for (int y = std::max(0, r.top); y < std::min(page.height(), r.bottom); ++y)
      for (int x = std::max(0, r.left); x < std::min(page.width(), r.right); ++x) dark += qGray(page.pixel(x, y)) < 128;
    return dark;
  }

  PrintEngine engine;
  FakePrintDevice device;
  FakeProgress progress;
  ScriptedHost host;
  PrintContext context;
  Dib window = Picture(400, 300, 0x20);
};

TEST(PageLayoutTest, MarginsAreClampedToTheUnprintableOffsetAndNinetyPerCent) {
  PageGeometry page{787, 1130, 200, 287, 40, 20, 100, 100, false};
  Margins m{100, 1000, 19000, 0};
  const Rect r = ContentRect(page, &m);
  EXPECT_EQ(m.left, 40 * 200 * 100 / 787);  // raised to the offset
  EXPECT_EQ(m.right, 18000);                 // lowered to 90 %
  EXPECT_EQ(r.left, 0);
  EXPECT_LT(r.left, r.right);
  EXPECT_EQ(r.bottom, 1130 - 1);  // the offset lets the bottom edge run past the page: clamped

  Margins all{20000, 20000, 20000, 20000};
  const Rect squeezed = ContentRect(page, &all);
  EXPECT_LE(squeezed.left, squeezed.right);
  EXPECT_LE(squeezed.top, squeezed.bottom);

  EXPECT_EQ(DefaultMargins(true).top, 2500);
  EXPECT_EQ(DefaultMargins(false).left, 2500);
  const FontSpec f = BaseFont(Rect{0, 0, 2000, 1200});
  EXPECT_EQ(f.height, 10);
  EXPECT_EQ(f.width, 10);
  EXPECT_EQ(BaseFont(Rect{0, 0, 100, 40}).height, 1);  // a tiny page still gets a font
}

TEST(PageLayoutTest, HeaderTexts) {
  EXPECT_EQ(DateLine(LocalTime{2026, 3, 4, 3, 7, 8, 9, 0}), "Datum:   Mittwoch   04.03.2026   07:08:09");
  EXPECT_STREQ(GermanWeekday(0), "Sonntag");
  EXPECT_STREQ(GermanWeekday(6), "Samstag");
  EXPECT_EQ(VersionText(3 * 256 + 5, 401), "   Version: 3.05 - 4.01");
  EXPECT_EQ(ResolutionText(600, 300), "   Drucker-Auflösung: 600 x 300 dpi");
  EXPECT_EQ(PrinterErrorText(115), "Drucker-Fehler-Nr.: 00000115");
}

TEST_F(PrintJobTest, CaptionsLongerThanThePictureAreShortenedInTheMiddle) {
  QImage image(400, 100, QImage::Format_RGB32);
  QtCanvas canvas(&image);
  canvas.SelectFont(FontSpec{12, 0, 400, false, false, font::kRoman, ""});
  const std::string caption = "Schwierigkeits-Index: 1.234.567 und noch viel mehr Text dahinter";
  const int limit = canvas.MeasureText("Schwierigkeits-Index").width;
  const std::string shortened = ShortenCaption(canvas, caption, limit);
  EXPECT_NE(shortened.find("..."), std::string::npos);
  EXPECT_LE(canvas.MeasureText(shortened).width, limit);
  EXPECT_EQ(shortened.substr(0, 3), "Sch");
  EXPECT_EQ(shortened.substr(shortened.size() - 3), "ter");
  // Shortening stops below eight characters, and short captions stay whole.
  EXPECT_EQ(ShortenCaption(canvas, caption, 1), "Sc...er");
  EXPECT_EQ(ShortenCaption(canvas, "Lösung!", 1), "Lösung!");
  EXPECT_EQ(ShortenCaption(canvas, "Grüße aus Köln", 1), "Gr...ln");
}

TEST_F(PrintJobTest, FirstJobUsesTheDefaultPrinterAndPrintsHeaderAndPicture) {
  ASSERT_EQ(Run({WindowItem(0, -1, 1000, "Aktueller Fensterinhalt")}), 0);
  EXPECT_EQ(device.chooseCalls, 1);
  EXPECT_EQ(device.dialogs, 0);
  EXPECT_EQ(device.ended, 1);
  ASSERT_EQ(device.pages.size(), 1u);
  ASSERT_EQ(device.imageDraws.size(), 1u);
  const Rect placed = device.imageDraws[0];
  Margins m;
  const Rect content = ContentRect(device.geometry, &m);
  EXPECT_EQ(placed.left, content.left);
  EXPECT_EQ(placed.Width(), content.Width() + 1);
  EXPECT_EQ(placed.Height(), placed.Width() * 300 / 400);
  // Header text above the picture, the picture itself dark.
  EXPECT_GT(DarkPixels(device.pages[0], Rect{content.left, content.top, content.right, placed.top}), 100);
  EXPECT_GT(DarkPixels(device.pages[0], placed), placed.Width() * placed.Height() * 9 / 10);
  EXPECT_EQ(engine.flags, 0);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(PrintJobTest, SecondJobWhileOneRunsIsRefusedAndTheFlagIsClearAfterwards) {
  int nested = -99;
  progress.onPump = [&] {
    nested = Run({WindowItem(0, -1, 1000, "")});
    return false;
  };
  EXPECT_EQ(Run({WindowItem(0, -1, 1000, "")}), 0);
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(device.chooseCalls, 1);
  progress.onPump = nullptr;
  EXPECT_EQ(Run({WindowItem(0, -1, 1000, "")}), 0);
}

TEST_F(PrintJobTest, CancelBetweenItemsAbortsTheDocumentAndSaysSo) {
  int pumps = 0;
  progress.onPump = [&] { return ++pumps == 2; };
  EXPECT_EQ(Run({WindowItem(0, -1, 500, "eins"), WindowItem(0, -1, 500, "zwei")}), -1);
  EXPECT_EQ(device.aborted, 1);
  EXPECT_EQ(device.ended, 0);
  EXPECT_EQ(device.imageDraws.size(), 1u);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, kCancelMessage);
  EXPECT_EQ(host.boxes[0].title, "Testdrucker");
  EXPECT_EQ(progress.closed, 1);
  // The next job starts clean.
  progress.onPump = nullptr;
  EXPECT_EQ(Run({WindowItem(0, -1, 500, "drei")}), 0);
  EXPECT_EQ(device.ended, 1);
}

TEST_F(PrintJobTest, RowAboveFourMebibytesIsRefusedWith115AndTallPicturesGoInBands) {
  device.geometry = PageGeometry{2'000'000, 1130, 200, 287, 0, 0, 100, 100, false};
  window = Picture(20000, 2, 0x20);
  EXPECT_EQ(Run({WindowItem(0, -1, 1000, "")}), 115);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Drucker-Fehler-Nr.: 00000115");
  EXPECT_EQ(device.aborted, 1);
  EXPECT_EQ(engine.flags, 0);

  // 2000 pixels a line: a full-width picture of 100 x 140 needs several bands.
  device.geometry = PageGeometry{2000, 3000, 200, 300, 0, 0, 254, 254, false};
  window = Picture(100, 140, 0x10);
  device.imageDraws.clear();
  EXPECT_EQ(Run({WindowItem(0, -1, 1000, "")}), 0);
  ASSERT_GT(device.imageDraws.size(), 1u);
  EXPECT_EQ(device.imageDraws[0].Height(),
            static_cast<int>(0x400000 / BitmapStride(device.imageDraws[0].Width(), 24)));
  for (size_t i = 1; i < device.imageDraws.size(); ++i)
    EXPECT_EQ(device.imageDraws[i].top, device.imageDraws[i - 1].bottom);
}

TEST_F(PrintJobTest, RefusalsAndErrorsAreNumberedAndPrintedOnThePage) {
  device.caps.dibToDevice = device.caps.stretchDib = false;
  EXPECT_EQ(Run({WindowItem(0, -1, 1000, "")}), 9);
  EXPECT_TRUE(device.pages.empty());
  ASSERT_FALSE(host.boxes.empty());
  EXPECT_NE(host.boxes[0].text.find("SetDIBitsToDevice"), std::string::npos);

  device.caps = PrinterCaps{};
  host.boxes.clear();
  PrintItem odd;
  odd.type = 7;
  EXPECT_EQ(Run({odd}), 86);
  EXPECT_EQ(device.aborted, 1);
  ASSERT_EQ(device.pages.size(), 1u);
  Margins m;
  const Rect content = ContentRect(device.geometry, &m);
  EXPECT_GT(DarkPixels(device.pages[0], Rect{content.left, content.bottom - 30, content.left + 300, content.bottom}),
            20);

  // A file that cannot be read is skipped with a beep.
  PrintItem missing;
  missing.type = kItemBmpFile;
  missing.name = "fehlt.bmp";
  EXPECT_EQ(Run({missing}), 0);
  EXPECT_EQ(host.beeps.size(), 1u);

  device.dialogResult = -1;  // the page-setup dialog cancelled
  const size_t boxes = host.boxes.size();
  EXPECT_EQ(Run({WindowItem(0, -1, 1000, "")}, kShowPageSetup), 0);
  EXPECT_EQ(device.dialogs, 1);
  EXPECT_EQ(engine.flags, 0);
  EXPECT_EQ(host.boxes.size(), boxes);  // cancelled without a word
}

TEST_F(PrintJobTest, PrinterChoiceErrorsAreShownAndDialogMarginsReachThePage) {
  for (int number : {1, 2, 3}) {
    device.chooseResult = number;
    EXPECT_EQ(Run({WindowItem(0, -1, 1000, "")}), number);
    EXPECT_EQ(host.boxes.back().text, PrinterErrorText(number));
    EXPECT_EQ(host.boxes.back().title, "Testdrucker");
    EXPECT_EQ(engine.flags, 0);
  }
  EXPECT_TRUE(device.pages.empty());
  device.chooseResult = 0;
  device.dialogResult = 4;
  EXPECT_EQ(Run({WindowItem(0, -1, 1000, "")}, kShowPageSetup), 4);
  EXPECT_EQ(host.boxes.back().text, "Drucker-Fehler-Nr.: 00000004");

  // The dialog opens with the kept margins; its choice holds for this
  // job and the next ones.
  device.dialogResult = 0;
  device.dialogMargins = Margins{5000, 3000, 1000, 1000};
  ASSERT_EQ(Run({WindowItem(0, -1, 1000, "")}, kShowPageSetup), 0);
  EXPECT_EQ(device.shownMargins.left, 2500);
  Margins wide{5000, 3000, 1000, 1000};
  const Rect content = ContentRect(device.geometry, &wide);
  ASSERT_FALSE(device.imageDraws.empty());
  EXPECT_EQ(device.imageDraws.back().left, content.left);
  device.imageDraws.clear();
  ASSERT_EQ(Run({WindowItem(0, -1, 1000, "")}), 0);
  EXPECT_EQ(device.imageDraws.back().left, content.left);
}

TEST_F(PrintJobTest, FlowMovesToNewLinesAndPagesAndCorrectionsAreMarked) {
  // Three tall half-width pictures: two on the first line, the third on the next page.
  window = Picture(100, 200, 0x30);
  ASSERT_EQ(Run({WindowItem(0, -1, 450, "a"), WindowItem(-1, -2, 450, "b"), WindowItem(-1, -2, 450, "c")}), 0);
  ASSERT_EQ(device.imageDraws.size(), 3u);
  EXPECT_EQ(device.imageDraws[0].top, device.imageDraws[1].top);
  EXPECT_GT(device.imageDraws[1].left, device.imageDraws[0].right);
  EXPECT_EQ(device.pages.size(), 2u);
  EXPECT_EQ(device.imageDraws[2].top, device.imageDraws[0].top);

  // An absolute picture past the bottom is cut back and marked.
  device.imageDraws.clear();
  device.pages.clear();
  ASSERT_EQ(Run({WindowItem(0, 900, 500, "x")}), 0);
  ASSERT_EQ(device.imageDraws.size(), 1u);
  Margins m;
  const Rect content = ContentRect(device.geometry, &m);
  EXPECT_EQ(device.imageDraws[0].bottom, content.bottom + 1);
}

}  // namespace
}  // namespace kx
