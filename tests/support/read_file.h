#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kx::test {

// A whole file as bytes, in a string or a byte vector; empty when it cannot
// be read.
template <class Bytes = std::string>
Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

}  // namespace kx::test
