#pragma once

#include <cstdint>

#include "pictures/dib.h"
#include "platform/canvas.h"

namespace kx {

// Reads the BMP file a help picture entry names; false when it cannot be had.
bool LoadHelpPicture(const char* name, Dib* image);

// The picture's size in its box by the entry's scaling mode: 1 the height
// follows the width, 2 the width follows the height, 3 fitted with its
// aspect, else stretched to the box.
Size HelpPictureSize(const Dib& image, const Rect& box, uint32_t scaling);

// Scales the picture and draws it into the box, centred on request.
// Returns the rectangle drawn; an empty one when the picture could not be
// scaled (the box then stays as it is).
Rect DrawHelpPicture(Canvas& canvas, const Dib& image, const Rect& box, uint32_t scaling, bool centreH, bool centreV);

}  // namespace kx
