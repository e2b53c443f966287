#include "text/text_format.h"

#include <cstdio>

namespace kx {

namespace {

void AppendGroupedMagnitude(std::string& out, uint64_t magnitude) {
  char digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  for (int i = n - 1; i >= 0; --i) {
    out.push_back(digits[i]);
    if (i > 0 && i % 3 == 0) out.push_back('.');
  }
}

}  // namespace

void AppendGroupedDecimal(std::string& out, int32_t value) {
  // Widen first so that INT32_MIN negates without overflow.
  int64_t wide = value;
  if (wide < 0) {
    out.push_back('-');
    wide = -wide;
  }
  AppendGroupedMagnitude(out, static_cast<uint64_t>(wide));
}

std::string FormatCount64(uint64_t value) {
  std::string out;
  AppendGroupedMagnitude(out, value);
  return out;
}

void AppendDecimal(std::string& out, int value, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  out += buffer;
}

}  // namespace kx
