#pragma once

#include <span>

namespace kx {

// The compiled form of the program's own help source, made from
// assets/REZodaruHlp.TXT by the program's compiler while building.
std::span<const unsigned char> BuiltinHelpFile();
// That source, written out when a damaged help file has to be compiled
// and no source lies beside it.
std::span<const unsigned char> BuiltinHelpSource();

}  // namespace kx
