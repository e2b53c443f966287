#include <gtest/gtest.h>

#include "ui_fixture.h"

namespace kx {
namespace {

using test::UiTest;

class PaintTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    FitFonts(874, 654);
    Paint();
  }
  bool AnyPixel(const QImage& image, const Rect& r, Color colour) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (At(image, x, y) == colour) return true;
    return false;
  }
};

TEST_F(PaintTest, CellsShowSelectionHoverAndOrigin) {
  while (p.settings.SymbolSet() != 0) p.settings.CycleSymbolSet();  // text digits in origin colours
  p.state.selectedCell = 1;
  window.hoverCell = 2;
  const QImage image = Paint();
  auto [x1, y1] = CellPoint(1);
  auto [x2, y2] = CellPoint(2);
  auto [x5, y5] = CellPoint(5);
  EXPECT_EQ(At(image, x1, y1), Rgb(255, 255, 255));
  EXPECT_EQ(At(image, x2, y2), Rgb(208, 208, 208));
  EXPECT_EQ(At(image, x5, y5), Rgb(192, 192, 192));
  EXPECT_TRUE(AnyPixel(image, layout.CellSquare(0), Rgb(255, 0, 0)));  // the given 6 in red

  window.highlightDigit = 6;
  p.state.selectedCell = 0;
  const QImage highlighted = Paint();
  auto [x0, y0] = CellPoint(0);
  EXPECT_EQ(At(highlighted, x0, y0), Rgb(255, 120, 160));  // selected and highlighted
}

TEST_F(PaintTest, CounterStripBlinksForADigitPlacedTooOften) {
  for (int i = 0; i < 11; ++i) p.state.currentBoard[i] = 1u << 1;
  window.blinkPhase = 0;
  QImage even = Paint();
  const Rect column{layout.strip.left + 2, layout.stripSplitY + 2, layout.strip.left + layout.stripStep,
                    layout.strip.bottom - 3};
  EXPECT_TRUE(AnyPixel(even, column, Rgb(255, 0, 0)));
  EXPECT_TRUE(AnyPixel(even, column, Rgb(255, 255, 255)));  // the "2" in white
  window.blinkPhase = 1;
  QImage odd = Paint();
  EXPECT_TRUE(AnyPixel(odd, column, Rgb(255, 192, 192)));
}

TEST_F(PaintTest, StatisticsSkipRowsWithValueZero) {
  // A fresh game shows five rows: difficulty, time, givens, open cells, check.
  const QImage image = Paint();
  const int r = layout.statisticsRowHeight, x = layout.statistics.left + 2;
  EXPECT_EQ(At(image, x, layout.statistics.top + 4 * r + r / 2), Rgb(128, 32, 32));
  EXPECT_EQ(At(image, x, layout.statistics.top + 5 * r + r / 2), Rgb(128, 128, 255));
}

TEST_F(PaintTest, WaitNoticeAndCongratulation) {
  p.state.gameStatus |= status::kBusyGenerating;
  EXPECT_TRUE(AnyPixel(Paint(), {layout.boardLeft, layout.boardTop, layout.boardRight, layout.boardBottom},
                       Rgb(255, 128, 0)));
  p.state.gameStatus &= ~status::kBusyGenerating;

  p.state.noticeText = "G l ü c k w u n s c h !!!";
  p.state.noticeTicks = 258;
  const QImage notice = Paint();
  EXPECT_EQ(At(notice, layout.clientWidth / 2, layout.clientHeight / 2 - 3), Rgb(255, 255, 128));
  p.state.noticeTicks = 256;  // counted down, then a mouse move clears it
  InputContext c = Input();
  OnMouseMove(c, 1, 1);
  EXPECT_EQ(p.state.noticeTicks & 0x1FF, 0u);
}

TEST_F(PaintTest, AmbiguousGameShowsTheBadge) {
  p.solver.SolvePuzzle(test::Text(std::string(81, ' ')), p.state.solutionText, 1, 2);
  const QImage image = Paint();
  const Rect area{layout.digitInner.right, layout.digitFrame.top, layout.layoutRect.right, layout.digitFrame.top + 25};
  EXPECT_TRUE(AnyPixel(image, area, window.blinkPhase % 2 ? Rgb(255, 192, 192) : Rgb(255, 0, 0)));
}

TEST_F(PaintTest, PopupNearTheBottomMovesUp) {
  // A text longer than the room below its field.
  static const std::string kLongText = "Lang\n\n" + std::string(60, 'x') + std::string(40, '\n') + "Ende";
  const int field = p.fields.Count() - 1;
  p.fields[field].helpText = kLongText.c_str();
  window.interaction.hoverField = window.popupField = field;
  window.popupTicks = 6;
  QImage scratch(1, 1, QImage::Format_RGB32);
  QtCanvas measure(&scratch);
  measure.SelectFont(fonts.small);
  const int textHeight =
      measure.DrawWrappedText({0, 0, 5 * layout.cellSize, 8 * layout.cellSize}, p.fields[field].helpText, {}, true)
          .Height();
  const int limit = layout.layoutRect.bottom - 5;
  ASSERT_GT(layout.FieldRect(p.fields, field).top + textHeight, limit);  // it would reach past the bottom

  const QImage image = Paint();
  const int x = layout.FieldRect(p.fields, field).left - 4;  // inside the box's right padding
  EXPECT_EQ(At(image, x, limit), Rgb(255, 255, 128));
  EXPECT_EQ(At(image, x, limit + 1), Rgb(0, 0, 0));
  EXPECT_EQ(At(image, x, limit + 3), Rgb(128, 128, 255));
  const int top = std::max(5, limit - textHeight);
  EXPECT_EQ(At(image, x, top), Rgb(255, 255, 128));
  EXPECT_NE(At(image, x, top - 4), Rgb(255, 255, 128));

  window.popupTicks = 46;  // 20 seconds later it is gone
  EXPECT_EQ(At(Paint(), x, limit), Rgb(128, 128, 255));
}

}  // namespace
}  // namespace kx
