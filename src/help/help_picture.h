#pragma once

#include <cstdint>

#include "platform/canvas.h"

namespace kx {

// Draws the BMP file `name` into box with the entry's scaling mode (1: the
// height follows the width, 2: the width follows the height, 3: fitted,
// else stretched). Returns false when the picture could not be had; the
// box then stays as it is.
bool DrawHelpPicture(Canvas& canvas, const char* name, const Rect& box, uint32_t scaling, bool centreH, bool centreV);

}  // namespace kx
