#include "help/help_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace kx {

namespace {

constexpr size_t kCountsOffset = kHelpHeaderSize;
constexpr size_t kPrologueSize = kHelpHeaderSize + 12;

// The header text and the size the counts announce.
bool PrologueFits(const unsigned char* prologue, uint64_t fileSize) {
  auto header = HelpHeaderBytes();
  if (std::memcmp(prologue, header.data(), header.size()) != 0) return false;
  uint32_t n = GetU32(prologue + kCountsOffset);
  uint32_t t = GetU32(prologue + kCountsOffset + 4);
  return n <= kHelpMaxEntries && HelpFileSize(n, t) == fileSize;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool ParseHelpImage(std::span<const unsigned char> bytes, LoadedHelp& help) {
  if (bytes.size() < kHelpFixedSize || !PrologueFits(bytes.data(), bytes.size())) return false;
  const uint32_t n = GetU32(bytes.data() + kCountsOffset);
  const uint32_t t = GetU32(bytes.data() + kCountsOffset + 4);
  const uint64_t poolOffset = kHelpEntriesOffset + kHelpEntrySize * static_cast<uint64_t>(n);
  if (GetU32(bytes.data() + kCountsOffset + 8) != poolOffset) return false;

  LoadedHelp loaded;
  loaded.window = DecodeWindowBlock(bytes.data() + kPrologueSize);
  // The viewer walks the block's count, so it must be the file's.
  if (loaded.window.entryCount != n) return false;
  if (loaded.window.titleOffset >= static_cast<uint64_t>(t) + kHelpTitleSize) return false;
  loaded.entries.reserve(n);
  for (uint32_t i = 0; i < n; ++i) {
    HelpEntry entry = DecodeEntry(bytes.data() + kHelpEntriesOffset + kHelpEntrySize * i);
    if (entry.textOffset >= t) return false;
    loaded.entries.push_back(entry);
  }
  const unsigned char* text = bytes.data() + poolOffset;
  loaded.textBlock.assign(text, text + t + kHelpTitleSize);
  loaded.textBlock.push_back('\0');
  help = std::move(loaded);
  return true;
}

bool LoadHelpFile(const std::string& path, LoadedHelp& help) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
  long size = std::ftell(file.get());
  if (size < static_cast<long>(kHelpFixedSize) || static_cast<uint64_t>(size) > 0xFFFFFFFFull) return false;
  if (std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
  unsigned char prologue[kPrologueSize];
  if (std::fread(prologue, 1, sizeof prologue, file.get()) != sizeof prologue) return false;
  if (!PrologueFits(prologue, static_cast<uint64_t>(size))) return false;
  std::vector<unsigned char> bytes(static_cast<size_t>(size));
  std::copy(prologue, prologue + kPrologueSize, bytes.begin());
  size_t rest = bytes.size() - kPrologueSize;
  if (std::fread(bytes.data() + kPrologueSize, 1, rest, file.get()) != rest) return false;
  return ParseHelpImage(bytes, help);
}

}  // namespace kx
