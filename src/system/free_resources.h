#pragma once

#include <cstdint>
#include <optional>

namespace kx {

// Memory the program could still get without pushing others to swap
// (the kernel's estimate, else the free pages); 0 when unknown.
uint64_t FreePhysicalMemory();

// Room left for the user on the disk of the current folder; none when
// the system cannot tell.
std::optional<uint64_t> FreeDiskSpace();

}  // namespace kx
