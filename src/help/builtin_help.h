#pragma once

#include <span>

namespace kx {

// The compiled form of the program's own help source, made from
// assets/REZodaruHlp.TXT by the program's compiler while building.
std::span<const unsigned char> BuiltinHelpFile();

}  // namespace kx
