#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kx {

// Replaces a file's content: written beside it as "<path>.tmp~" and renamed
// over it, so that a full disk or a kill leaves the old file whole rather
// than a cut one. False when the new content is not in place.
inline bool ReplaceFileContent(const std::string& path, std::string_view data) {
  const std::string temporary = path + ".tmp~";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  ok = std::fclose(file) == 0 && ok;  // the last bytes may only fail here
  if (ok && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

}  // namespace kx
