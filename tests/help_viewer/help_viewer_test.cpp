#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "help_page.h"

namespace kx::test {
namespace {

constexpr uint32_t kLinkText = 0x4D4D4D4D, kLinkPaper = 0xB1B1B1B3;

// A contents entry with a link to a chapter further down, then filler.
struct Contents : ::testing::Test {
  HelpPage page;
  uint32_t link = 0, chapter = 0, later = 0;
  void SetUp() override {
    page.Add(kRowText, 0, 4, "Inhalt");
    link = page.Add(kRowText, 20, 4, "Zum Kapitel", 0, kLinkText, kLinkPaper);
    for (int i = 0; i < 30; ++i) page.Add(kRowText, 0, 4, "Zeile " + std::to_string(i));
    chapter = page.Add(kRowText, 0, 4, "Kapitel");
    for (int i = 0; i < 30; ++i) page.Add(kRowText, 0, 4, "Text " + std::to_string(i));
    later = page.Add(kRowText, 0, 4, "Noch ein Kapitel");
    page.help.entries[link].link = chapter;
  }
};

TEST_F(Contents, DoubleClickShowsChapterAtTopAndHistoryGoesBackAndForth) {
  HelpView v = page.View();
  Paint(v);
  const HelpRect r = v.help.entries[link].firstLine;
  // Qt delivers a press before the double-click, as the system does.
  EXPECT_EQ(OnHelpLeftButtonDown(v, CentreX(r), CentreY(r)), HelpOutcome::Stay);
  EXPECT_EQ(v.Scroll().position, 0);
  EXPECT_EQ(OnHelpDoubleClick(v, CentreX(r), CentreY(r)), HelpOutcome::Stay);
  EXPECT_EQ(v.Scroll().position, static_cast<int>(chapter));
  Paint(v);
  EXPECT_EQ(v.firstDrawn, chapter);
  EXPECT_LT(v.help.entries[chapter].bounds.top, 10);

  OnHelpKeyDown(v, helpkey::kInsert);
  EXPECT_EQ(v.Scroll().position, 0);
  OnHelpKeyDown(v, helpkey::kDelete);
  EXPECT_EQ(v.Scroll().position, static_cast<int>(chapter));
  // A slot never written holds 0: forward once more shows the top.
  OnHelpKeyDown(v, helpkey::kDelete);
  EXPECT_EQ(v.Scroll().position, 0);
}

TEST_F(Contents, SingleClickSelectsAndEnterFollows) {
  HelpView v = page.View();
  Paint(v);
  const HelpRect r = v.help.entries[link].firstLine;
  OnHelpLeftButtonDown(v, CentreX(r), CentreY(r));
  EXPECT_EQ(v.current, link);
  EXPECT_EQ(v.Scroll().position, 0);
  EXPECT_TRUE(RepaintRequested(v));
  const QImage image = Paint(v);
  // The selected link on its light green paper, in its own colour.
  const HelpRect box = v.help.entries[link].firstLine;
  EXPECT_EQ(image.pixel(box.left + 1, box.top + 1), qRgb(153, 255, 204));
  bool linkColour = false;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x) linkColour |= image.pixel(x, y) == qRgb(255, 0, 102);
  EXPECT_TRUE(linkColour);

  OnHelpKeyDown(v, helpkey::kEnter);
  EXPECT_EQ(v.Scroll().position, static_cast<int>(chapter));
  // Following by Enter records nothing: back goes to the last recorded place.
  EXPECT_EQ(v.help.window.historyIndex, 0u);
}

TEST_F(Contents, GoingBackThenFollowingOverwritesOnlyTheNextSlot) {
  HelpView v = page.View();
  auto visit = [&](uint32_t entry) {
    FollowLink(v, entry);
    HistoryRecord(v);
  };
  visit(10);
  visit(20);
  visit(30);
  OnHelpKeyDown(v, helpkey::kInsert);
  OnHelpKeyDown(v, helpkey::kInsert);
  EXPECT_EQ(v.Scroll().position, 10);
  visit(later);  // replaces 20
  OnHelpKeyDown(v, helpkey::kDelete);
  EXPECT_EQ(v.Scroll().position, 30);
  OnHelpKeyDown(v, helpkey::kInsert);
  OnHelpKeyDown(v, helpkey::kInsert);
  EXPECT_EQ(v.Scroll().position, 10);
}

TEST_F(Contents, RingKeepsTheLast128Positions) {
  HelpView v = page.View();
  // Positions 1..130: the first two are overwritten by the last two.
  for (int p = 1; p <= 130; ++p) {
    v.Scroll().position = p % static_cast<int>(v.Count());
    HistoryRecord(v);
  }
  EXPECT_EQ(v.help.window.historyIndex, 130u % 128u);
  EXPECT_EQ(v.help.window.history[1], 129u % v.Count());
  // Recording the position already shown adds nothing.
  HistoryRecord(v);
  EXPECT_EQ(v.help.window.historyIndex, 2u);

  HelpView fresh = page.View();
  fresh.Scroll().position = 12;
  HistoryRecord(fresh);
  OnHelpKeyDown(fresh, helpkey::kInsert);  // the slot before holds 0: top of the help
  EXPECT_EQ(fresh.Scroll().position, 0);
  EXPECT_EQ(fresh.help.window.historyIndex, 0u);
  EXPECT_FALSE(HistoryBack(fresh));  // slot 127 holds 0 too: nothing happens
}

TEST_F(Contents, PageDownMovesFiveBelowSixVisibleElseThePage) {
  HelpView v = page.View();
  v.Scroll().page = 3;
  OnHelpKeyDown(v, helpkey::kPageDown);
  EXPECT_EQ(v.Scroll().position, 5);
  v.Scroll().page = 8;
  OnHelpKeyDown(v, helpkey::kPageDown);
  EXPECT_EQ(v.Scroll().position, 13);
  OnHelpKeyDown(v, helpkey::kEnd);
  EXPECT_EQ(v.Scroll().position, static_cast<int>(v.Count()) - 1);
  OnHelpKeyDown(v, helpkey::kDown);  // at the end already
  EXPECT_EQ(v.Scroll().position, static_cast<int>(v.Count()) - 1);
  OnHelpKeyDown(v, helpkey::kHome);
  EXPECT_EQ(v.Scroll().position, 0);
  // Navigation that moved is recorded: Insert goes back to the end.
  OnHelpKeyDown(v, helpkey::kInsert);
  EXPECT_EQ(v.Scroll().position, static_cast<int>(v.Count()) - 1);
}

TEST_F(Contents, PaintSetsPageToTheVisibleCount) {
  HelpView v = page.View();
  Paint(v, 300, 100);
  const uint32_t small = v.Scroll().page;
  Paint(v, 300, 300);
  EXPECT_GT(small, 1u);
  EXPECT_GT(v.Scroll().page, small);
  for (uint32_t i = 0; i < v.Scroll().page; ++i) EXPECT_LE(v.help.entries[i].bounds.bottom, 300);
}

// Two rows of a key list: each a key and its continued description.
HelpView TwoKeyRows() {
  HelpPage page;
  page.Add(kRowText, 0, 4, "Taste");
  page.Add(kContinuedText, -140, -1, "tut etwas");
  page.Add(kRowText, 0, 4, "Andere Taste");
  page.Add(kContinuedText, -140, -1, "tut etwas anderes");
  return page.View();
}

TEST(HelpViewer, ContinuationIsNeverTheTopLine) {
  HelpView v = TwoKeyRows();
  OnHelpKeyDown(v, helpkey::kDown);
  Paint(v);
  EXPECT_EQ(v.Scroll().position, 2);  // towards the end, past the continuation
  OnHelpKeyDown(v, helpkey::kUp);
  EXPECT_EQ(v.Scroll().position, 1);
  Paint(v);
  EXPECT_EQ(v.Scroll().position, 0);  // towards the start, to the row's start
}

TEST(HelpViewer, ThumbDragDownwardSnapsTowardsTheStart) {
  HelpView v = TwoKeyRows();
  // Dragged down onto a continuation: the bit says towards the start.
  EXPECT_TRUE(ScrollHelp(v, HelpScroll::Thumb, 3));
  EXPECT_NE(v.help.window.statusWord & helpstatus::kTowardsStart, 0u);
  Paint(v);
  EXPECT_EQ(v.Scroll().position, 2);
  EXPECT_TRUE(ScrollHelp(v, HelpScroll::Thumb, 1));  // up: towards the end
  EXPECT_EQ(v.help.window.statusWord & helpstatus::kTowardsStart, 0u);
  Paint(v);
  EXPECT_EQ(v.Scroll().position, 2);
}

TEST(HelpViewer, PageEndsWithTheEntryWhoseNextLineWouldStartAtTheBottom) {
  HelpPage page;
  for (int i = 0; i < 6; ++i) page.Add(kRowText, 0, 0, "Zeile " + std::to_string(i));
  HelpView v = page.View();
  Paint(v);
  const int line = v.help.entries[0].firstLine.bottom - v.help.entries[0].firstLine.top;
  ASSERT_GT(line, 0);
  // Three lines fill the window exactly: the third one's next line would
  // start at the bottom edge, so nothing after it is laid out.
  Paint(v, 300, 3 * line);
  EXPECT_EQ(v.drawnCount, 3u);
  Paint(v, 300, 3 * line + 1);
  EXPECT_EQ(v.drawnCount, 4u);
}

TEST(HelpViewer, NegativeXContinuesBeyondItsColumnElseStartsThere) {
  HelpPage page;
  page.Add(kRowText, 0, 4, "Kurz");
  const uint32_t a = page.Add(kContinuedText, -140, -1, "rechts");
  page.Add(kRowText, 0, 4, "Ein recht langer Anfang");
  const uint32_t b = page.Add(kContinuedText, -140, -1, "weiter");
  HelpView v = page.View();
  Paint(v);
  const auto& e = v.help.entries;
  EXPECT_EQ(e[a].firstLine.left, 145);
  EXPECT_EQ(e[a].firstLine.top, e[a - 1].firstLine.top);
  ASSERT_GT(e[b - 1].lastLine.right, 140);
  EXPECT_EQ(e[b].firstLine.left, e[b - 1].lastLine.right);
  EXPECT_EQ(e[b].firstLine.top, e[b - 1].firstLine.top);
}

TEST(HelpViewer, FlowingTextWrapsAtBlanksWithinTheWindow) {
  HelpPage page;
  const std::string words = "Ein Sudoku besteht aus einundachtzig Feldern in neun Reihen und neun Spalten.";
  page.Add(kRowText, 0, 0, words);
  for (int width : {120, 200, 330}) {
    HelpView v = page.View();
    Paint(v, width, 400);
    const HelpEntry& e = v.help.entries[0];
    EXPECT_GT(e.lastLine.top, e.firstLine.top) << width;
    EXPECT_LE(e.bounds.right, width - 5 + 8) << width;  // a trailing blank may hang over
    EXPECT_EQ(e.firstLine.left, 5);
  }
  // A word wider than the window is cut rather than lost.
  HelpPage narrow;
  narrow.Add(kRowText, 0, 0, "Donaudampfschifffahrtsgesellschaft");
  HelpView v = narrow.View();
  Paint(v, 60, 200);
  EXPECT_GT(v.help.entries[0].lastLine.top, v.help.entries[0].firstLine.top);
}

TEST(HelpViewer, DosLettersAndControlBytesAreTranslatedOnce) {
  HelpPage page;
  page.Add(kRowText, 0, 0, std::string("\x81\x84\x8E\x94\x99\x9A\xE1\tx\xFFrest"));
  HelpView v = page.View();
  Paint(v);
  Paint(v);
  EXPECT_STREQ(v.help.Text(v.help.entries[0]), "\xFC\xE4\xC4\xF6\xD6\xDC\xDF x");
}

TEST(HelpViewer, EndOfPageStopsDrawingAndEmptyTextsDrawNothing) {
  HelpPage page;
  page.Add(kRowText, 0, 0, "");
  page.Add(kRowText | helpflag::kEndOfPage, 0, 0, "Ende");
  page.Add(kRowText, 0, 0, "nicht mehr");
  HelpView v = page.View();
  Paint(v);
  EXPECT_EQ(v.drawnCount, 2u);
  EXPECT_EQ(v.help.entries[0].bounds.right, 0);
  EXPECT_EQ(HitTestEntry(v, 1000, 1000), v.Count());
}

TEST(HelpViewer, LinkActionCodesAndCloseBits) {
  HelpPage page;
  const uint32_t enter = page.Add(kRowText, 0, 0, "a", kHelpLinkEnter);
  const uint32_t target = page.Add(kRowText, 0, 0, "b", 2);
  page.Add(kRowText, 0, 0, "c");
  const uint32_t closing = page.Add(kRowText | helpflag::kCloseAfter, 0, 0, "d", 1);
  HelpView v = page.View();
  EXPECT_EQ(FollowLink(v, kHelpNoLink), HelpOutcome::Stay);
  EXPECT_EQ(FollowLink(v, 99), HelpOutcome::Stay);  // beyond the count: nothing
  EXPECT_EQ(v.Scroll().position, 0);
  EXPECT_EQ(FollowLink(v, kHelpLinkEscape), HelpOutcome::Close);
  EXPECT_EQ(FollowLink(v, 0x12345678), HelpOutcome::Close);
  // The Enter code posts an Enter key-down; delivered, it follows the
  // current entry's link.
  v.current = target;
  EXPECT_EQ(FollowLink(v, v.help.entries[enter].link), HelpOutcome::Stay);
  EXPECT_EQ(v.Scroll().position, 0);
  ASSERT_EQ(v.postedKeys, std::vector<int>{helpkey::kEnter});
  v.postedKeys.clear();
  OnHelpKeyDown(v, helpkey::kEnter);
  EXPECT_EQ(v.Scroll().position, 2);
  v.current = closing;
  EXPECT_EQ(OnHelpKeyDown(v, helpkey::kEnter), HelpOutcome::Close);
  EXPECT_EQ(OnHelpKeyDown(v, helpkey::kEscape), HelpOutcome::Close);
}

TEST(HelpViewer, LinkThatPressesEnterOnItselfPostsInsteadOfRecursing) {
  HelpPage page;
  page.Add(kRowText | helpflag::kAnyKey | helpflag::kEnterFollows, 0, 0, "a", kHelpLinkEnter);
  HelpView v = page.View();
  // Any key follows the link, and the Enter it posts would follow it again:
  // each key-down posts one Enter and returns.
  EXPECT_EQ(OnHelpKeyDown(v, helpkey::kEnter), HelpOutcome::Stay);
  EXPECT_EQ(v.postedKeys, (std::vector<int>{helpkey::kEnter, helpkey::kEnter}));
  EXPECT_EQ(OnHelpKeyDown(v, helpkey::kEscape), HelpOutcome::Close);
}

TEST(HelpViewer, TabSkipsDisabledEntriesAndWraps) {
  HelpPage page;
  page.Add(kRowText, 0, 0, "a");
  page.Add(kRowText | helpflag::kDisabled, 0, 0, "b");
  page.Add(kRowText & ~helpflag::kSelectable, 0, 0, "c");
  page.Add(kRowText, 0, 0, "d");
  HelpView v = page.View();
  OnHelpKeyDown(v, helpkey::kTab);
  EXPECT_EQ(v.current, 3u);
  OnHelpKeyDown(v, helpkey::kTab);
  EXPECT_EQ(v.current, 0u);
  // A disabled start entry gives way to the first one Enter can follow.
  HelpPage disabledStart;
  disabledStart.Add(kRowText | helpflag::kDisabled, 0, 0, "a");
  disabledStart.Add(kRowText, 0, 0, "b");
  EXPECT_EQ(disabledStart.View().current, 1u);
}

TEST(HelpViewer, ExtremePlacementsOfEveryTypeDrawSafely) {
  HelpPage page;
  const int32_t extremes[] = {INT32_MIN, -2, -1, 0, 1, INT32_MAX};
  for (uint32_t type : {0u, 1u, 2u, 4u, 5u, 15u, 9u})
    for (int32_t value : extremes) {
      page.Add(type | helpflag::kMayWrap, value, value, "Text mit Worten");
      page.help.entries.back().width = value;
      page.help.entries.back().height = value / -2;
    }
  HelpView v = page.View();
  for (uint32_t start : {0u, 7u, 20u, 30u}) {
    v.Scroll().position = static_cast<int32_t>(start);
    Paint(v, 200, 150);
    EXPECT_GE(v.drawnCount, 1u);
  }
}

TEST_F(Contents, WithoutScrollBarThePageStartsAtTheTopAndTheMouseMakesEntriesHot) {
  HelpView v = page.View();
  v.hasScrollBar = false;
  v.Scroll().position = 10;
  Paint(v);
  EXPECT_EQ(v.firstDrawn, 0u);
  const HelpRect r = v.help.entries[link].firstLine;
  v.help.window.statusWord = 0;
  Paint(v);
  OnHelpMouseMove(v, CentreX(r), CentreY(r));
  EXPECT_EQ(v.hot, link);
  EXPECT_TRUE(RepaintRequested(v));
}

TEST(HelpViewer, PaletteCubeAndGreys) {
  EXPECT_EQ(HelpPaletteColour(0), Rgb(0, 0, 0));
  EXPECT_EQ(HelpPaletteColour(215), Rgb(255, 255, 255));
  EXPECT_EQ(HelpPaletteColour(0xB3), Rgb(255, 255, 204));
  EXPECT_EQ(HelpPaletteColour(0xB1), Rgb(153, 255, 204));
  EXPECT_EQ(HelpPaletteColour(0xB4), Rgb(0, 0, 255));
  EXPECT_EQ(HelpPaletteColour(0x4D), Rgb(255, 0, 102));
  EXPECT_EQ(HelpPaletteColour(216), Rgb(6, 6, 6));
  EXPECT_EQ(HelpPaletteColour(217), Rgb(12, 12, 12));
  EXPECT_EQ(HelpPaletteColour(255), Rgb(255, 255, 255));
}

}  // namespace
}  // namespace kx::test
