#include "pictures/picture_file_lookup.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace kx {

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

}  // namespace

std::string ExistingNameIgnoringCase(const std::string& name) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path path(name);
  if (fs::exists(path, ec)) return name;
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const std::string wanted = path.filename().string();
  std::string found;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string candidate = it->path().filename().string();
    if (EqualIgnoringCase(candidate, wanted) && (found.empty() || candidate < found)) found = candidate;
  }
  if (found.empty()) return name;
  return path.has_parent_path() ? (folder / found).string() : found;
}

}  // namespace kx
