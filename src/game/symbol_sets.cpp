#include "game/symbol_sets.h"

namespace kx {

const char* SymbolText(int symbolSet) {
  return symbolSet >= 4 ? "123456789" : SymbolSetLabelText(symbolSet);
}

const char* SymbolSetLabelText(int symbolSet) {
  static const char* kTexts[8] = {"123456789", "abcdefghi", "ABCDEFGHI", "KX-SUDoku",
                                  "KXS0x.BMP", "KXS1x.BMP", "KXS2x.BMP", "KXS3x.BMP"};
  return kTexts[symbolSet & 7];
}

}  // namespace kx
