#pragma once

#include <cstdint>
#include <string>

#include "platform/host.h"

namespace kx {

// Bit 0 of CompileHelp's options: names defined twice are allowed (fields
// then resolve to the first definition).
inline constexpr uint32_t kHelpAllowDuplicates = 1;

// Compiles the help source into a compiled help file. The window block gets
// the given position, size and status word; title is the window title in
// Windows-1252 (at most 63 bytes are kept). Returns 0, or a negative error after showing
// it with ShowCompileError. A failed compilation leaves any earlier file of
// that name as it was.
int CompileHelp(Host& host, const std::string& sourceName, const std::string& helpName, const std::string& title,
                uint32_t statusWord, int32_t left, int32_t top, int32_t width, int32_t height, uint32_t options);

}  // namespace kx
