#pragma once

#include <string>
#include <string_view>

namespace kx {

// The help source and the compiled help are single-byte Windows-1252 text;
// the rest of the program speaks UTF-8.
std::string Cp1252ToUtf8(std::string_view text);

// Converts valid UTF-8 to Windows-1252, a character without a place there
// becoming '?'. Text that is not valid UTF-8 is returned as it is.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace kx
