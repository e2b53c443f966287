// Cutting a digit picture out of a photo: crop drag, mapping to source
// pixels and the size limits, and the symbol-set command.
#include <gtest/gtest.h>

#include <filesystem>

#include "../game/game_fixture.h"
#include "game/commands.h"
#include "pictures/bmp_file.h"

namespace kx::test {
namespace {

const std::string kPhoto = std::string(KX_TEST_DATA_DIR) + "/symbols/photo_1024x768.jpg";

class PictureAssignTest : public GameTest {
 protected:
  // Enters the mode with the photo shown in `area` and digit `digit` marked.
  void EnterWithPhoto(const Rect& area, int digit) {
    p.pictureSourcePath = kPhoto;
    ASSERT_EQ(RunCommand(p, command::kAssignPictures, hooks), 0);
    p.state.selectedCell = digit - 1;
    LoadSourcePicture(p, area);
    ASSERT_FALSE(p.pictures.assign.shownPicture.pixels.empty());
  }
  void Drag(int x0, int y0, int x1, int y1, bool square = false) {
    ASSERT_TRUE(CropPress(a(), x0, y0));
    CropMove(a(), (x0 + x1) / 2, (y0 + y1) / 2, square);
    CropRelease(a(), x1, y1, square);
  }
  PictureAssignState& a() { return p.pictures.assign; }
  Dib Saved(int digit) {
    Dib dib;
    EXPECT_EQ(ReadBmpFile(DigitBmpName(p.settings.SymbolSet() - 4, digit), &dib), 0);
    return dib;
  }
  CommandHooks hooks;
};

TEST_F(PictureAssignTest, CropAtFullSizeIsSavedPixelForPixel) {
  EnterWithPhoto({10, 10, 1034, 778}, 5);
  const Rect shown = a().shownRect;
  EXPECT_EQ(shown.Width(), 1024);
  EXPECT_EQ(shown.Height(), 768);
  // A crop on the photo's right (blue) half.
  Drag(shown.left + 600, shown.top + 30, shown.left + 700, shown.top + 80);
  EXPECT_EQ(a().cropState, CropState::Chosen);
  ASSERT_EQ(RunCommand(p, command::kAssignPicture, hooks), 0);
  const Dib saved = Saved(5);
  EXPECT_EQ(saved.header.width, 100);
  EXPECT_EQ(saved.header.height, 50);
  EXPECT_GT(saved.pixels[0], 200);  // blue
  EXPECT_LT(saved.pixels[2], 60);
  EXPECT_EQ(p.pictures.digitBitmaps.pictureSet, -1) << "the board must show the new picture";
}

TEST_F(PictureAssignTest, LargeSourceCropsAreLimited) {
  EnterWithPhoto({0, 0, 512, 384}, 1);  // shown at half size
  ASSERT_EQ(a().shownRect.Width(), 512);
  Drag(0, 0, 300, 300);                  // 600 x 600 source pixels
  ASSERT_EQ(RunCommand(p, command::kAssignPicture, hooks), 0);
  EXPECT_EQ(Saved(1).header.width, 384);
  EXPECT_EQ(Saved(1).header.height, 384);

  Drag(0, 0, 512, 100);  // wide: 1024 x 200 source pixels, at most 512 wide
  ASSERT_EQ(RunCommand(p, command::kAssignPicture, hooks), 0);
  EXPECT_EQ(Saved(1).header.width, 512);
  EXPECT_EQ(Saved(1).header.height, 100);
  EXPECT_FALSE(std::filesystem::exists("KXS01.BMP.new"));
}

TEST_F(PictureAssignTest, DragRulesSquareBackwardsAndMinimum) {
  EnterWithPhoto({0, 0, 512, 384}, 2);
  // Dragged backwards with Shift: the longer side shrinks towards the start.
  Drag(300, 300, 200, 250, true);
  EXPECT_EQ(a().cropRect, (Rect{250, 250, 300, 300}));
  // A click makes a 5 x 5 crop; at the picture's edge it moves back inside.
  Drag(100, 100, 100, 100);
  EXPECT_EQ(a().cropRect, (Rect{100, 100, 105, 105}));
  Drag(511, 383, 511, 383);
  EXPECT_EQ(a().cropRect, (Rect{507, 379, 512, 384}));
  // Presses far from the picture start nothing; a pointer far outside on one
  // axis leaves that axis where it was.
  EXPECT_FALSE(CropPress(a(), 600, 100));
  ASSERT_TRUE(CropPress(a(), 10, 10));
  CropMove(a(), 50, 900, false);
  CropRelease(a(), 50, 900, false);
  EXPECT_EQ(a().cropRect, (Rect{10, 10, 50, 15}));
}

TEST_F(PictureAssignTest, RefusalsBeepAndEndingRestores) {
  // Not in the mode: assigning beeps.
  EXPECT_NE(RunCommand(p, command::kAssignPicture, hooks), 0);
  EXPECT_EQ(host.beeps.size(), 1u);
  // The dialog asks for a JPEG under its title; cancelling keeps the path.
  p.pictureSourcePath = kPhoto;
  p.state.selectedCell = -1;
  ASSERT_EQ(RunCommand(p, command::kAssignPictures, hooks), 0);
  EXPECT_EQ(p.state.selectedCell, 0);
  EXPECT_NE(RunCommand(p, command::kChoosePictureSource, hooks), 0);
  ASSERT_EQ(host.fileRequests.size(), 1u);
  EXPECT_EQ(host.fileRequests[0].title, "Bilddatei(.jpg) als Bildquelle auswählen");
  EXPECT_EQ(p.pictureSourcePath, kPhoto);
  // An unreadable source shows nothing, and assigning from it beeps.
  host.fileChoices.push_back("no such photo.jpg");
  EXPECT_EQ(RunCommand(p, command::kChoosePictureSource, hooks), 0);
  LoadSourcePicture(p, {0, 0, 400, 300});
  EXPECT_TRUE(a().shownPicture.pixels.empty());
  EXPECT_NE(RunCommand(p, command::kAssignPicture, hooks), 0);
  EXPECT_EQ(host.beeps.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists("KXS01.BMP"));

  ASSERT_EQ(RunCommand(p, command::kEndPictureAssignment, hooks), 0);
  EXPECT_EQ(a().cropState, CropState::Off);
  EXPECT_EQ(p.state.selectedCell, -1);
  EXPECT_GT(p.fields.Count(), 3);

  // Text symbol sets have no pictures to assign.
  p.settings.CycleSymbolSet();
  p.settings.CycleSymbolSet();
  p.settings.CycleSymbolSet();
  p.settings.CycleSymbolSet();
  ASSERT_FALSE(p.settings.IsPictureSet());
  EXPECT_NE(RunCommand(p, command::kAssignPictures, hooks), 0);
  EXPECT_EQ(a().cropState, CropState::Off);
}

TEST_F(PictureAssignTest, MarkedDigitFollowsTheSelectedCell) {
  p.state.selectedCell = 0;  // the given 6 of the built-in puzzle
  const int digit = DigitOf(p.state.currentBoard[0]);
  ASSERT_GT(digit, 0);
  ASSERT_EQ(RunCommand(p, command::kAssignPictures, hooks), 0);
  EXPECT_EQ(p.state.selectedCell, digit - 1);
}

TEST_F(PictureAssignTest, EightSetChangesReturnToTheStartAndDropThePictures) {
  const int start = p.settings.SymbolSet();
  int refits = 0;
  hooks.symbolSetChanged = [&] { ++refits; };
  BuildDigitBitmaps(p.pictures.digitBitmaps, start - 4, 10, 10);
  ASSERT_EQ(RunCommand(p, command::kSymbolSet, hooks), 0);
  EXPECT_EQ(p.pictures.digitBitmaps.pictureSet, -1);
  for (int i = 1; i < 8; ++i) RunCommand(p, command::kSymbolSet, hooks);
  EXPECT_EQ(p.settings.SymbolSet(), start);
  EXPECT_EQ(refits, 8);
}

}  // namespace
}  // namespace kx::test
