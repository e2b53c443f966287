#pragma once

#include <iosfwd>

#include "cli/engine_commands.h"  // Args

namespace kx::cli {

// jpeg2bmp IN OUT / bmp2bmp IN OUT: convert a picture file into a 24-bit BMP.
// On failure "error <N>" on `err` with the decoder's or reader's number
// (the writer's -1 or -2 when OUT cannot be written) and status 1.
int RunJpegToBmp(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunBmpToBmp(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kx::cli
