#pragma once

#include <QString>
#include <string_view>

namespace kx {

// The program keeps its texts as UTF-8.
inline QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace kx
