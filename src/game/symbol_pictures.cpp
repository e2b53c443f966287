#include "game/symbol_pictures.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "game/program.h"
#include "pictures/bmp_file.h"
#include "pictures/dib_scale.h"
#include "pictures/jpeg_decoder.h"
#include "pictures/picture_file_lookup.h"

namespace kx {

namespace {

constexpr int kGrip = 5;      // how near the picture a drag may begin
constexpr int kMinCrop = 5;   // the smallest crop side
constexpr int kMaxOutWidth = 512;
constexpr int kMaxOutHeight = 384;

int Round(double v) { return static_cast<int>(std::lround(v)); }

bool Near(int v, int low, int high) { return v >= low - kGrip && v < high + kGrip; }

void FailBeep(Program& p) { p.host.Beep(BeepKind::Simple); }

// Cuts the longer side of the crop to the shorter one by moving the corner
// that follows the mouse (its far edge, or its near edge when dragged back).
void MakeSquare(PictureAssignState& a) {
  Rect& c = a.cropRect;
  const int w = c.right - a.anchorX, h = c.bottom - a.anchorY;
  const int side = std::min(std::abs(w), std::abs(h));
  c.right = a.anchorX + (w < 0 ? -side : side);
  c.bottom = a.anchorY + (h < 0 ? -side : side);
}

void FollowPointer(PictureAssignState& a, int x, int y) {
  const Rect& s = a.shownRect;
  if (Near(x, s.left, s.right)) a.cropRect.right = std::clamp(x, s.left, s.right);
  if (Near(y, s.top, s.bottom)) a.cropRect.bottom = std::clamp(y, s.top, s.bottom);
}

// A side shorter than the minimum grows from its start, or ends at the
// picture's edge when there is no room.
void StretchSide(int& low, int& high, int pictureLow, int pictureHigh) {
  if (high - low >= kMinCrop) return;
  high = low + kMinCrop;
  if (high > pictureHigh) {
    high = pictureHigh;
    low = std::max(pictureLow, high - kMinCrop);
  }
}

bool DecodeSource(Program& p) {
  PictureAssignState& a = p.pictures.assign;
  if (a.sourcePath == p.pictureSourcePath && !a.sourcePicture.pixels.empty()) return true;
  a.sourcePath = p.pictureSourcePath;
  a.sourcePicture = Dib{};
  if (p.pictureSourcePath.empty() || DecodeJpegFile(p.pictureSourcePath, &a.sourcePicture) != 0) {
    a.sourcePicture = Dib{};
    return false;
  }
  return true;
}

int Enter(Program& p) {
  if (!p.settings.IsPictureSet()) {
    FailBeep(p);
    return 1;
  }
  const int cell = p.state.selectedCell;
  const int digit = cell >= 0 && cell < 81 ? DigitOf(p.state.currentBoard[cell]) : 0;
  p.state.selectedCell = digit > 0 ? digit - 1 : 0;
  p.pictures.assign.cropState = CropState::WholePicture;
  p.pictures.assign.pictureArea = {};  // fitted anew by the next paint
  DropLargePicture(p);
  return 0;
}

int ChooseSource(Program& p) {
  const auto chosen = p.host.ChooseFileToOpen(
      {"Bilddatei(.jpg) als Bildquelle auswählen", p.pictureSourcePath, "*.jpg *.jpeg *.JPG *.JPEG"});
  if (!chosen) return 1;
  p.pictureSourcePath = *chosen;
  PictureAssignState& a = p.pictures.assign;
  a.cropState = CropState::WholePicture;
  a.sourcePath.clear();
  a.pictureArea = {};
  return 0;
}

int Assign(Program& p) {
  PictureAssignState& a = p.pictures.assign;
  const int marked = p.state.selectedCell;
  const Rect crop = a.cropRect;
  if (marked < 0 || marked > 8 || !a.Active() || crop.Width() < kMinCrop || crop.Height() < kMinCrop ||
      a.shownRect.Width() <= 0 || a.shownRect.Height() <= 0 || !DecodeSource(p)) {
    FailBeep(p);
    return 1;
  }
  const Dib& source = a.sourcePicture;
  const int W = source.header.width, H = source.header.height;
  const double pw = a.shownRect.Width(), ph = a.shownRect.Height();
  const int sx = std::clamp(Round(W * (crop.left - a.shownRect.left) / pw), 0, W - 1);
  const int sy = std::clamp(Round(H * (crop.top - a.shownRect.top) / ph), 0, H - 1);
  const int sw = std::clamp(Round(W * crop.Width() / pw), 1, W - sx);
  const int sh = std::clamp(Round(H * crop.Height() / ph), 1, H - sy);
  const double ratio = static_cast<double>(crop.Width()) / crop.Height();
  int outW, outH;
  if (ratio <= 1.333333) {
    outH = std::min(sh, kMaxOutHeight);
    outW = std::max(1, Round(outH * ratio));
  } else {
    outW = std::min(sw, kMaxOutWidth);
    outH = std::max(1, Round(outW / ratio));
  }
  Dib out;
  out.header = MakeHeader24(outW, outH);
  out.pixels.assign(out.header.sizeImage, 0);
  // Written under a scratch name and renamed over the old file, so that a
  // failure keeps the picture the digit had.
  const std::string name = DigitBmpName(p.settings.SymbolSet() - 4, marked + 1);
  const std::string scratch = name + ".new";
  std::error_code ec;
  if (ScaleDib(out, 0, 0, outW, outH, sx, sy, sw, sh, source) < 0 || WriteBmpFile(scratch, out) != 0 ||
      (std::filesystem::rename(scratch, name, ec), ec)) {
    std::filesystem::remove(scratch, ec);
    FailBeep(p);
    return 1;
  }
  p.pictures.digitBitmaps.Discard();
  return 0;
}

int End(Program& p) {
  PictureAssignState& a = p.pictures.assign;
  a.cropState = CropState::Off;
  a.shownPicture = Dib{};
  a.pictureArea = {};
  p.state.selectedCell = -1;
  BuildFunctionFields(p, p.state.gameStatus);
  return 0;
}

}  // namespace

int RunPictureAssignCommand(Program& p, int commandId) {
  switch (commandId) {
    case 300: return Enter(p);
    case 301: return p.pictures.assign.Active() ? ChooseSource(p) : 1;
    case 302: return Assign(p);
    case 303: return p.pictures.assign.Active() ? End(p) : 1;
    default: return 1;
  }
}

void LoadSourcePicture(Program& p, const Rect& area) {
  PictureAssignState& a = p.pictures.assign;
  const bool sourceChanged = a.sourcePath != p.pictureSourcePath;
  if (!sourceChanged && area == a.pictureArea) return;
  a.pictureArea = area;
  a.cropState = CropState::WholePicture;
  a.shownPicture = Dib{};
  a.shownRect = {};
  a.cropRect = {};
  if (!DecodeSource(p)) return;
  const Dib& s = a.sourcePicture;
  const FitSize fit = FitIntoBox(s.header.width, s.header.height, area.Width(), area.Height());
  if (fit.width <= 0) return;
  Dib shown;
  shown.header = MakeHeader24(fit.width, fit.height);
  shown.pixels.assign(shown.header.sizeImage, 0);
  if (ScaleDib(shown, 0, 0, fit.width, fit.height, 0, 0, s.header.width, s.header.height, s) < 0) return;
  a.shownPicture = std::move(shown);
  const int left = area.left + (area.Width() - fit.width) / 2, top = area.top + (area.Height() - fit.height) / 2;
  a.shownRect = {left, top, left + fit.width, top + fit.height};
  a.cropRect = a.shownRect;
}

bool CropPress(PictureAssignState& a, int x, int y) {
  const Rect& s = a.shownRect;
  if (a.cropState == CropState::Off || a.cropState == CropState::Dragging || s.Width() <= 0 ||
      !Near(x, s.left, s.right) || !Near(y, s.top, s.bottom)) {
    return false;
  }
  a.cropState = CropState::Dragging;
  a.anchorX = std::clamp(x, s.left, s.right);
  a.anchorY = std::clamp(y, s.top, s.bottom);
  a.cropRect = {a.anchorX, a.anchorY, a.anchorX, a.anchorY};
  return true;
}

void CropMove(PictureAssignState& a, int x, int y, bool square) {
  if (a.cropState != CropState::Dragging) return;
  FollowPointer(a, x, y);
  if (square) MakeSquare(a);
}

void CropRelease(PictureAssignState& a, int x, int y, bool square) {
  if (a.cropState != CropState::Dragging) return;
  a.cropState = CropState::Chosen;
  FollowPointer(a, x, y);
  if (square) MakeSquare(a);
  Rect& c = a.cropRect;
  const Rect& s = a.shownRect;
  if (c.left > c.right) std::swap(c.left, c.right);
  if (c.top > c.bottom) std::swap(c.top, c.bottom);
  c = {std::clamp(c.left, s.left, s.right), std::clamp(c.top, s.top, s.bottom), std::clamp(c.right, s.left, s.right),
       std::clamp(c.bottom, s.top, s.bottom)};
  StretchSide(c.left, c.right, s.left, s.right);
  StretchSide(c.top, c.bottom, s.top, s.bottom);
}

void ShowLargePicture(Program& p, int digit, int index, int clientWidth, int clientHeight) {
  DropLargePicture(p);
  if (!p.settings.IsPictureSet() || digit < 1 || digit > 9) return;
  const std::string file = ExistingNameIgnoringCase(DigitBmpName(p.settings.SymbolSet() - 4, digit));
  if (LoadLargePicture(file, clientWidth, clientHeight, &p.pictures.largePicture) == 0) {
    p.pictures.largePictureIndex = index;
  }
}

void DropLargePicture(Program& p) {
  p.pictures.largePicture = Dib{};
  p.pictures.largePictureIndex = -1;
}

}  // namespace kx
