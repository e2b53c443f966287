#include "platform/canvas.h"

namespace kx {

// A bold sans-serif face in the size of a classic system font: the title
// line, the step counter and the digit block use it.
FontSpec SystemFont() { return FontSpec{16, 0, 700, false, false, font::kSwiss, "System"}; }

}  // namespace kx
