#pragma once

#include <string>

#include "pictures/digit_bitmaps.h"
#include "platform/geometry.h"

namespace kx {

class Program;

// Where cutting a digit picture stands: off, on with the whole picture as
// the crop, a crop of the player's being dragged, or chosen.
enum class CropState { Off, WholePicture, Dragging, Chosen };

// Cutting a new digit picture out of a JPEG.
struct PictureAssignState {
  CropState cropState = CropState::Off;
  std::string sourcePath;  // the path sourcePicture was decoded from
  Dib sourcePicture;
  Dib shownPicture;        // the source fitted into pictureArea
  Rect shownRect;          // where it stands on the screen
  Rect pictureArea;
  Rect cropRect;
  int anchorX = 0, anchorY = 0;  // the corner where the drag began

  bool Active() const { return cropState != CropState::Off; }
  bool UserCrop() const { return cropState == CropState::Dragging || cropState == CropState::Chosen; }
};

// Everything of the picture symbol sets the program keeps between paints.
struct SymbolPictures {
  DigitBitmaps digitBitmaps;
  Dib largePicture;
  int largePictureIndex = -1;  // cell 0..80 (or picture 0..8) it belongs to
  PictureAssignState assign;
};

// Commands 300..303 of the picture assignment.
int RunPictureAssignCommand(Program& p, int commandId);

// Fits the source picture into `area` (decoding it only when the path
// changed) and resets the crop to the whole picture when the area moved.
void LoadSourcePicture(Program& p, const Rect& area);

// The crop drag: press, move and release in client coordinates; `square`
// while Shift or Ctrl is held. Press returns whether a drag began.
bool CropPress(PictureAssignState& a, int x, int y);
void CropMove(PictureAssignState& a, int x, int y, bool square);
void CropRelease(PictureAssignState& a, int x, int y, bool square);

// Loads KXSyx.BMP of the active set for the large picture, or drops it.
void ShowLargePicture(Program& p, int digit, int index, int clientWidth, int clientHeight);
void DropLargePicture(Program& p);

}  // namespace kx
