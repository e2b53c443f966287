#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <cstring>

#include "help/help_file.h"
#include "help/help_windows.h"
#include "help_page.h"
#include "qt/help_window.h"

namespace kx::test {
namespace {

LoadedHelp ProgramHelp() {
  LoadedHelp help;
  EXPECT_TRUE(LoadHelpFile(KX_HELP_COMPILED, help));
  return help;
}

bool HasColour(const QImage& image, const HelpRect& r, QRgb colour) {
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, image.height()); ++y)
    for (int x = std::max(r.left, 0); x < std::min(r.right, image.width()); ++x)
      if (image.pixel(x, y) == colour) return true;
  return false;
}

TEST(ProgramHelpPage, HeadingsBlueLinksRedAndEveryContentsLinkLeadsToItsHeading) {
  HelpView v;
  v.help = ProgramHelp();
  ResetHelpView(v, 0);
  QImage image = Paint(v);
  EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 204));
  EXPECT_TRUE(HasColour(image, v.help.entries[0].firstLine, qRgb(0, 0, 255)));

  int links = 0;
  for (uint32_t i = v.firstDrawn; i < v.firstDrawn + v.drawnCount; ++i) {
    const HelpEntry& e = v.help.entries[i];
    if (e.link >= v.Count() || e.link == i) continue;
    ++links;
    EXPECT_TRUE(HasColour(image, e.firstLine, qRgb(255, 0, 102))) << v.help.Text(e);
  }
  EXPECT_GE(links, 6);

  // Each link of the contents, double-clicked from the top, shows its
  // chapter heading first; Insert comes back.
  for (uint32_t i = 0; i < v.Count(); ++i) {
    HelpView page;
    page.help = v.help;
    ResetHelpView(page, 0);
    Paint(page);
    const HelpEntry& e = page.help.entries[i];
    if (i >= page.firstDrawn + page.drawnCount || e.link >= page.Count() || e.link == i) continue;
    if (e.firstLine.bottom > 380) continue;
    OnHelpLeftButtonDown(page, CentreX(e.firstLine), CentreY(e.firstLine));
    OnHelpDoubleClick(page, CentreX(e.firstLine), CentreY(e.firstLine));
    const QImage shown = Paint(page);
    EXPECT_EQ(page.firstDrawn, e.link) << v.help.Text(e);
    EXPECT_TRUE(HasColour(shown, page.help.entries[e.link].firstLine, qRgb(0, 0, 255))) << v.help.Text(e);
    OnHelpKeyDown(page, helpkey::kInsert);
    EXPECT_EQ(page.Scroll().position, 0);
  }
}

// Page by page as a player reads it: a description in a column never runs
// into the text before it on the same line.
TEST(ProgramHelpPage, ColumnTextsKeepApartFromTheirHeadings) {
  HelpView v;
  v.help = ProgramHelp();
  ResetHelpView(v, 0);
  int columns = 0;
  for (int position = 0; position < static_cast<int>(v.Count());) {
    v.Scroll().position = position;
    Paint(v, 484, 342);
    for (uint32_t i = v.firstDrawn + 1; i < v.firstDrawn + v.drawnCount; ++i) {
      const HelpEntry& e = v.help.entries[i];
      const HelpEntry& before = v.help.entries[i - 1];
      if (e.x >= -1 || e.firstLine.right <= e.firstLine.left || e.firstLine.top != before.lastLine.top) continue;
      ++columns;
      const bool blank = v.help.Text(e)[0] == ' ';
      EXPECT_TRUE(blank || e.firstLine.left > before.lastLine.right)
          << v.help.Text(before) << " | " << v.help.Text(e);
    }
    position = v.Scroll().position + static_cast<int>(std::max(1u, v.Scroll().page));
  }
  EXPECT_GT(columns, 40);
}

TEST(HelpKeys, GreyNavigationKeysOnly) {
  EXPECT_EQ(HelpKeyFor(Qt::Key_Down, false), helpkey::kDown);
  EXPECT_EQ(HelpKeyFor(Qt::Key_Down, true), 0);
  EXPECT_EQ(HelpKeyFor(Qt::Key_Insert, false), helpkey::kInsert);
  EXPECT_EQ(HelpKeyFor(Qt::Key_Enter, true), 0);
  EXPECT_EQ(HelpKeyFor(Qt::Key_Return, false), helpkey::kEnter);
  EXPECT_EQ(HelpKeyFor(Qt::Key_Escape, false), helpkey::kEscape);
}

TEST(HelpWindows, EightOpenInCascadeANinthIsRefusedAndEscCloses) {
  QWidget owner;
  HelpWindowTable table;
  HelpWindows windows(table, &owner);
  const LoadedHelp help = ProgramHelp();
  for (int i = 0; i < kHelpSlotCount; ++i) EXPECT_EQ(OpenHelpWindow(table, help, 0), i);
  EXPECT_EQ(OpenHelpWindow(table, help, 0), -2);
  EXPECT_EQ(OpenHelpWindowCount(table), 8);

  HelpWindow* first = windows.Of(0);
  HelpWindow* second = windows.Of(1);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->windowTitle(), QString::fromUtf8(kDefaultHelpTitle));
  EXPECT_GT(second->x(), first->x());
  EXPECT_GT(second->y(), first->y());

  // The timer's paint fills the page; Page Down scrolls by it.
  RepaintHelpWindows(table, [&windows](int slot) { windows.Of(slot)->PaintPage(); });
  EXPECT_FALSE(first->page().isNull());
  EXPECT_FALSE(RepaintRequested(first->view()));
  QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
  QApplication::sendEvent(first, &pageDown);
  EXPECT_GT(first->view().Scroll().position, 0);
  QKeyEvent keypadDown(QEvent::KeyPress, Qt::Key_Down, Qt::KeypadModifier);
  const int before = first->view().Scroll().position;
  QApplication::sendEvent(first, &keypadDown);
  EXPECT_EQ(first->view().Scroll().position, before);

  for (int i = 0; i < kHelpSlotCount; ++i) {
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(windows.Of(i), &esc);
  }
  EXPECT_EQ(OpenHelpWindowCount(table), 0);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(OpenHelpWindow(table, help, 0), 0);
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(windows.Of(0), &esc);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(HelpWindows, LinkPressingEnterOnItselfKeepsTheWindowAliveUntilEsc) {
  QWidget owner;
  HelpWindowTable table;
  HelpWindows windows(table, &owner);
  HelpPage page;
  page.Add(kRowText | helpflag::kAnyKey | helpflag::kEnterFollows, 0, 0, "Weiter", kHelpLinkEnter);
  const HelpView built = page.View();
  ASSERT_EQ(OpenHelpWindow(table, built.help, 0), 0);
  HelpWindow* window = windows.Of(0);
  ASSERT_TRUE(window);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(window, &enter);
  // The posted key-downs keep coming back through the queue, each one
  // returning; the window still answers Esc.
  for (int i = 0; i < 50; ++i) QApplication::processEvents();
  EXPECT_EQ(OpenHelpWindowCount(table), 1);
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(window, &esc);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(OpenHelpWindowCount(table), 0);
}

// Windows still open when the program's help windows go away close with
// them; the table then opens no more.
TEST(HelpWindows, OpenWindowsCloseWithTheirSet) {
  QWidget owner;
  HelpWindowTable table;
  {
    HelpWindows windows(table, &owner);
    ASSERT_EQ(OpenHelpWindow(table, ProgramHelp(), 0), 0);
  }
  EXPECT_EQ(OpenHelpWindowCount(table), 0);
  EXPECT_TRUE(owner.findChildren<HelpWindow*>().isEmpty());
  EXPECT_EQ(OpenHelpWindow(table, ProgramHelp(), 0), -2);
}

}  // namespace
}  // namespace kx::test
