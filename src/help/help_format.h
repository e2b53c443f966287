#pragma once

#include <array>

#include "base/byte_order.h"
#include <cstddef>
#include <cstdint>
#include <string>

namespace kx {

// Byte layout of a compiled help file. All numbers are 32-bit little-endian.
inline constexpr char kHelpHeaderText[] = "VI-Vudizidu Version 1.00";
inline constexpr size_t kHelpHeaderSize = 64;
inline constexpr size_t kHelpWindowBlockSize = 576;
inline constexpr size_t kHelpEntrySize = 88;
inline constexpr size_t kHelpTitleSize = 64;
// Header text, N, T, text-pool offset, window block.
inline constexpr size_t kHelpEntriesOffset = kHelpHeaderSize + 12 + kHelpWindowBlockSize;  // 652
inline constexpr size_t kHelpFixedSize = kHelpEntriesOffset + kHelpTitleSize;              // 716
inline constexpr size_t kHelpHistorySize = 128;
// Link values below this are entry indices; the compiler never writes more entries.
inline constexpr uint32_t kHelpMaxEntries = 65535;

inline constexpr uint32_t kHelpNoLink = 0x80000000u;
inline constexpr uint32_t kHelpWindowStyle = 0x002F0000u;

inline constexpr char kDefaultHelpSource[] = "REZodaruHlp.TXT";
inline constexpr char kDefaultHelpFile[] = "REZodaru.KXH";
inline constexpr char kDefaultHelpTitle[] = "KX-Sudoku - Hilfe  (Beenden mit ESC-Taste)";

struct HelpRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// Scroll information in the layout of SCROLLINFO; positions are entry indices.
struct HelpScrollInfo {
  uint32_t size = 28;
  uint32_t mask = 7;
  int32_t minimum = 0;
  int32_t maximum = 0;
  uint32_t page = 1;
  int32_t position = 0;
  int32_t trackPosition = 0;
};

struct HelpWindowBlock {
  int32_t left = 0, top = 0;
  int32_t width = 0, height = 0;
  uint32_t titleOffset = 0;  // within the text block (text pool + title)
  uint32_t style = kHelpWindowStyle;
  uint32_t statusWord = 0;
  HelpScrollInfo scroll;
  uint32_t entryCount = 0;
  uint32_t historyIndex = 0;
  std::array<uint32_t, kHelpHistorySize> history{};
};

struct HelpEntry {
  uint32_t flags = 0;
  int32_t x = 0, y = 0, width = 0, height = 0;
  HelpRect firstLine, bounds, lastLine;  // filled by the viewer
  uint32_t link = kHelpNoLink;
  uint32_t textOffset = 0;  // within the text pool
  uint32_t background = 0;
  uint32_t textColours = 0;
  uint32_t runTime = 0;
};

// The 64 header bytes: the text, then NULs.
std::array<unsigned char, kHelpHeaderSize> HelpHeaderBytes();

void EncodeWindowBlock(const HelpWindowBlock& block, unsigned char* out);  // 576 bytes
HelpWindowBlock DecodeWindowBlock(const unsigned char* in);
void EncodeEntry(const HelpEntry& entry, unsigned char* out);  // 88 bytes
HelpEntry DecodeEntry(const unsigned char* in);

// Size of a compiled file with n entries and a text pool of t bytes.
inline constexpr uint64_t HelpFileSize(uint64_t n, uint64_t t) { return kHelpFixedSize + kHelpEntrySize * n + t; }

}  // namespace kx
