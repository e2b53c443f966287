// The picture sets on the painted board, beside the digit block, as the
// right button's large picture, and the arrangement of the assignment.
#include <gtest/gtest.h>

#include <filesystem>

#include "../ui/ui_fixture.h"
#include "ui/paint_pictures.h"

namespace kx::test {
namespace {

class PaintPicturesTest : public UiTest {
 protected:
  // The painted colour of pixel (x, y) of a digit picture's variant.
  static Color PicturePixel(const DigitBitmap& b, int variant, int x, int y) {
    const uint8_t* px = b.Variant(variant) + (b.header.height - 1 - y) * BitmapStride(b.header.width, 24) + 3 * x;
    return Rgb(px[2], px[1], px[0]);
  }
  static bool Near(Color a, Color b) {
    return std::abs(a.r - b.r) <= 1 && std::abs(a.g - b.g) <= 1 && std::abs(a.b - b.b) <= 1;
  }
};

TEST_F(PaintPicturesTest, BoardShowsPicturesBrighterWhereHighlighted) {
  ASSERT_EQ(p.settings.SymbolSet(), 4);  // built-in settings: picture set 0
  const int digit = DigitOf(p.state.currentBoard[0]);
  ASSERT_GT(digit, 0);
  p.state.selectedCell = -1;
  QImage plain = Paint();
  const DigitBitmaps& b = p.pictures.digitBitmaps;
  ASSERT_EQ(b.pictureSet, 0);
  const Size size = DigitPictureSize(layout, true);
  EXPECT_EQ(b.width, size.width);
  EXPECT_EQ(b.height, layout.cellSize - layout.textHeight);
  EXPECT_TRUE(std::filesystem::exists("KXS01.BMP"));
  const Rect square = layout.CellSquare(0);
  const int px = size.width / 2, py = size.height / 2 + 3;
  const DigitBitmap& picture = b.digits[digit - 1];
  EXPECT_TRUE(Near(At(plain, square.left + px, square.top + py), PicturePixel(picture, 0, px, py)));

  window.highlightDigit = digit;
  QImage lit = Paint();
  EXPECT_TRUE(Near(At(lit, square.left + px, square.top + py), PicturePixel(picture, 1, px, py)));
  // The corner of the background is brighter than the plain one.
  const Color before = At(plain, square.left + 2, square.top + 2), after = At(lit, square.left + 2, square.top + 2);
  EXPECT_GE(after.r + after.g + after.b, before.r + before.g + before.b);

  // Without candidate rows the picture fills the cell and the symbol is
  // XORed over the highlighted ones only.
  p.settings.ToggleBit(kBitHideCandidateRows);
  window.highlightDigit = 0;
  QImage bare = Paint();
  EXPECT_EQ(p.pictures.digitBitmaps.width, layout.cellSize);
  window.highlightDigit = digit;
  QImage overlaid = Paint();
  const DigitBitmap& full = p.pictures.digitBitmaps.digits[digit - 1];
  int differing = 0;
  for (int y = 0; y < layout.cellSize; ++y)
    for (int x = 0; x < layout.cellSize; ++x)
      if (!Near(At(overlaid, square.left + x, square.top + y), PicturePixel(full, 1, x, y))) ++differing;
  EXPECT_GT(differing, 10) << "the symbol is XORed over the picture";
  (void)bare;

  // The overlay has two colours only: each pixel is the picture's, or the
  // picture's with the top bit of every component flipped.
  const int ox = square.left + (layout.cellSize - layout.bigCharSize.width) / 2;
  const int oy = square.top + (layout.cellSize - layout.bigCharSize.height) / 2;
  int flipped = 0;
  for (int y = 0; y < layout.bigCharSize.height; ++y) {
    for (int x = 0; x < layout.bigCharSize.width; ++x) {
      const Color under = PicturePixel(full, 1, ox - square.left + x, oy - square.top + y);
      const Color shown = At(overlaid, ox + x, oy + y);
      const Color xored = Rgb(under.r ^ 128, under.g ^ 128, under.b ^ 128);
      ASSERT_TRUE(Near(shown, under) || Near(shown, xored)) << x << "," << y;
      flipped += Near(shown, xored) && !Near(shown, under);
    }
  }
  EXPECT_GT(flipped, 10);
}

TEST_F(PaintPicturesTest, RightButtonShowsTheLargePictureUntilReleased) {
  Paint();
  InputContext c = Input();
  const Rect key = layout.digitKeys[2];
  ASSERT_TRUE(OnRightButtonDown(c, key.left + 2, key.top + 2));
  ASSERT_FALSE(p.pictures.largePicture.pixels.empty());
  EXPECT_EQ(p.pictures.largePicture.header.height, layout.clientHeight);  // 384 x 382 fitted by height
  QImage shown = Paint();
  const Dib& large = p.pictures.largePicture;
  const uint8_t* px = large.pixels.data() + (large.header.height - 1 - 10) * BitmapStride(large.header.width, 24) + 30;
  EXPECT_EQ(At(shown, 10, 10), Rgb(px[2], px[1], px[0]));
  ASSERT_TRUE(OnRightButtonUp(c));
  EXPECT_TRUE(p.pictures.largePicture.pixels.empty());

  // A right press on an empty cell drops a picture still shown.
  int empty = 0;
  while (DigitOf(p.state.currentBoard[empty]) > 0) ++empty;
  OnRightButtonDown(c, key.left + 2, key.top + 2);
  OnRightButtonDown(c, layout.cells[empty].left + 2, layout.cells[empty].top + 2);
  EXPECT_TRUE(p.pictures.largePicture.pixels.empty());

  // Hovering a digit square shows its picture beside the block.
  window.interaction.hoverDigitKey = 4;
  QImage hovered = Paint();
  EXPECT_EQ(At(hovered, layout.digitInner.right + 4, layout.digitInner.top + 3), Rgb(0, 0, 0));  // its frame
}

TEST_F(PaintPicturesTest, AssignmentArrangementSelectsPicturesAndEndsWithEscape) {
  CommandHooks none;
  p.state.selectedCell = -1;
  ASSERT_EQ(RunCommand(p, command::kAssignPictures, none), 0);
  QImage image = Paint();
  EXPECT_EQ(At(image, 2, 2), Rgb(128, 128, 255));
  ASSERT_EQ(p.fields.Count(), 3);
  EXPECT_EQ(p.fields[0].commandId, command::kChoosePictureSource);
  EXPECT_EQ(p.pictures.digitBitmaps.width, layout.cellSize);
  // The marked picture (digit 1) is framed yellow.
  const Rect first = layout.cells[0];
  EXPECT_EQ(At(image, first.right, first.top + 5), Rgb(255, 255, 0));
  EXPECT_EQ(HitCell(layout, layout.clientWidth - 3, layout.clientHeight - 3), -1);

  InputContext c = Input();
  const Rect fourth = layout.cells[3];
  ASSERT_TRUE(OnLeftButtonDown(c, fourth.left + 3, fourth.top + 3));
  EXPECT_EQ(p.state.selectedCell, 3);
  // Typed digits do not reach the board meanwhile.
  const auto board = p.state.currentBoard;
  EXPECT_FALSE(OnChar(c, '5'));
  EXPECT_EQ(p.state.currentBoard, board);

  ASSERT_TRUE(OnKeyDown(c, Key::Escape));
  EXPECT_EQ(p.pictures.assign.cropState, CropState::Off);
  EXPECT_EQ(p.state.selectedCell, -1);
  Paint();
  EXPECT_GT(p.fields.Count(), 3);
}

}  // namespace
}  // namespace kx::test
