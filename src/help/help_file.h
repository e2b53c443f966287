#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "help/help_format.h"

namespace kx {

// A loaded help file: the window block with its entries, and the text block
// (text pool, then the 64 title bytes, then one guard NUL of our own so that
// every text ends inside the block).
struct LoadedHelp {
  HelpWindowBlock window;
  std::vector<HelpEntry> entries;
  std::vector<char> textBlock;

  // The entry's text; the viewer may change it in place.
  char* Text(const HelpEntry& entry) { return textBlock.data() + entry.textOffset; }
  const char* Text(const HelpEntry& entry) const { return textBlock.data() + entry.textOffset; }
  const char* Title() const { return textBlock.data() + window.titleOffset; }
};

// Checks and decodes the bytes of a compiled help file. Besides the header
// text and the size, every count and offset must lie within the file: the
// text-pool offset, the window block's entry count, the title offset and
// each entry's text offset. Returns false for anything else.
bool ParseHelpImage(std::span<const unsigned char> bytes, LoadedHelp& help);

// Reads and checks a compiled help file; false when it is missing or
// unusable. The size is checked before the body is read.
bool LoadHelpFile(const std::string& path, LoadedHelp& help);

}  // namespace kx
