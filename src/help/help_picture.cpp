#include "help/help_picture.h"

namespace kx {

// The BMP reader and scaler are not part of the program yet: until they
// are, a picture shows as its frame, so the page keeps its layout.
bool DrawHelpPicture(Canvas& canvas, const char* name, const Rect& box, uint32_t scaling, bool centreH, bool centreV) {
  (void)name;
  (void)scaling;
  (void)centreH;
  (void)centreV;
  canvas.FrameRect(box, Rgb(128, 128, 128));
  return false;
}

}  // namespace kx
