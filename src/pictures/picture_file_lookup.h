#pragma once

#include <string>

namespace kx {

// Picture files are named in capitals, but a player's copy may be
// "kxs01.bmp" or "KXS01.jpg". Returns the file that exists under `name`
// ignoring the case of letters: `name` itself when it exists, else the
// first such file in name order, else `name` unchanged. New files are
// always written under `name`.
std::string ExistingNameIgnoringCase(const std::string& name);

}  // namespace kx
