#pragma once

#include <cstdint>

#include "pictures/jpeg_errors.h"
#include "pictures/jpeg_input.h"

namespace kx::jpeg {

// One canonical code: its length (1..16), symbol and code left-aligned in 16 bits.
struct HuffmanCode {
  uint8_t length;
  uint8_t symbol;
  uint16_t code;
};

// Assigns canonical codes (T.81 Annex C) to the symbols of the 16 length
// counts. Returns the number of codes built: fewer than n when a length is
// over-full, -1 when n is above 256.
int BuildHuffmanTable(const uint8_t counts[16], const uint8_t* symbols, int n, HuffmanCode* codes);

// Decoding form of a table: an 11-bit look-ahead for short codes, the largest
// code of each length for the rest, and for AC tables the run and value of
// short code + magnitude pairs in one step.
struct HuffmanTable {
  static constexpr int kLookBits = 11;

  bool defined = false;
  int codeCount = 0;
  uint8_t lookLength[1 << kLookBits];  // 0: the code is longer
  uint8_t lookSymbol[1 << kLookBits];
  int32_t fastAc[1 << kLookBits];  // value << 8 | run << 4 | bits used; 0: decode slowly
  int32_t maxCode[18];             // per length, -1 when the length has no codes
  int32_t valueOffset[17];
  uint8_t symbols[256];
};

// Builds the decoding form; returns 0, kJpegHuffmanCountsOverfill or
// kJpegTooManyHuffmanCodes.
int PrepareHuffmanTable(const uint8_t counts[16], const uint8_t* symbols, HuffmanTable* table);

// The next symbol, or -1 for a bit pattern that is no code. Needs 16 bits
// buffered in `reader`, a JpegBitReader or a BitWindow.
template <typename Bits>
inline int DecodeSymbol(Bits& reader, const HuffmanTable& table) {
  unsigned look = reader.Peek(HuffmanTable::kLookBits);
  int length = table.lookLength[look];
  if (length != 0) {
    reader.Skip(length);
    return table.lookSymbol[look];
  }
  unsigned code16 = reader.Peek(16);
  for (int l = HuffmanTable::kLookBits + 1; l <= 16; ++l) {
    int code = static_cast<int>(code16 >> (16 - l));
    if (code <= table.maxCode[l]) {
      reader.Skip(l);
      return table.symbols[(table.valueOffset[l] + code) & 255];
    }
  }
  return -1;
}

}  // namespace kx::jpeg
