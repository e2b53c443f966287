#include "pictures/jpeg_huffman.h"

#include <cstring>

namespace kx::jpeg {

int BuildHuffmanTable(const uint8_t counts[16], const uint8_t* symbols, int n, HuffmanCode* codes) {
  if (n > 256) return -1;
  int built = 0;
  uint32_t code = 0;
  for (int length = 1; length <= 16; ++length) {
    for (int i = 0; i < counts[length - 1]; ++i) {
      if (code >= (2u << (length - 1)) || built >= n) return built;
      codes[built].length = static_cast<uint8_t>(length);
      codes[built].symbol = symbols[built];
      codes[built].code = static_cast<uint16_t>(code << (16 - length));
      ++built;
      ++code;
    }
    code <<= 1;
  }
  return built;
}

int PrepareHuffmanTable(const uint8_t counts[16], const uint8_t* symbols, HuffmanTable* t) {
  int n = 0;
  for (int i = 0; i < 16; ++i) n += counts[i];
  if (n > 256) return kJpegTooManyHuffmanCodes;
  HuffmanCode codes[256];
  if (BuildHuffmanTable(counts, symbols, n, codes) != n) return kJpegHuffmanCountsOverfill;

  std::memset(t->lookLength, 0, sizeof t->lookLength);
  std::memset(t->lookSymbol, 0, sizeof t->lookSymbol);
  std::memset(t->fastAc, 0, sizeof t->fastAc);
  std::memset(t->symbols, 0, sizeof t->symbols);
  for (int l = 0; l < 18; ++l) t->maxCode[l] = -1;
  for (int l = 0; l < 17; ++l) t->valueOffset[l] = 0;
  constexpr int kLook = HuffmanTable::kLookBits;
  for (int i = 0; i < n; ++i) {
    const HuffmanCode& c = codes[i];
    t->symbols[i] = c.symbol;
    int code = c.code >> (16 - c.length);
    if (t->maxCode[c.length] < 0) t->valueOffset[c.length] = i - code;
    t->maxCode[c.length] = code;
    if (c.length > kLook) continue;
    int first = code << (kLook - c.length), span = 1 << (kLook - c.length);
    int run = c.symbol >> 4, size = c.symbol & 15;
    for (int j = first; j < first + span; ++j) {
      t->lookLength[j] = c.length;
      t->lookSymbol[j] = c.symbol;
      if (size != 0 && c.length + size <= kLook) {
        int magnitude = (j >> (kLook - c.length - size)) & ((1 << size) - 1);
        int value = magnitude < (1 << (size - 1)) ? magnitude - (1 << size) + 1 : magnitude;
        t->fastAc[j] = static_cast<int32_t>(static_cast<uint32_t>(value) << 8) | run << 4 | (c.length + size);
      }
    }
  }
  t->codeCount = n;
  t->defined = true;
  return 0;
}

}  // namespace kx::jpeg
