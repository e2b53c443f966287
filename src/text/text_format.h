#pragma once

#include <cstdint>
#include <string>

namespace kx {

// Appends value in decimal with '.' between groups of three digits
// ("1.234.567", "-12.345"), as the German texts of the program show numbers.
void AppendGroupedDecimal(std::string& out, int32_t value);

// The same grouping for the 64-bit solution counts: 0 -> "0",
// 1000 -> "1.000", 2^64-1 -> "18.446.744.073.709.551.615".
std::string FormatCount64(uint64_t value);

// Appends value zero-padded to `width` digits (1..4), as "%0Nd" would.
void AppendDecimal(std::string& out, int value, int width);

}  // namespace kx
