#pragma once

namespace kx {

// The nine characters the symbol-set field names for set 0..7.
const char* SymbolSetLabelText(int symbolSet);

// The nine characters standing for digits 1..9 in set 0..7: on the board
// of the text sets, in the candidate rows, the digit block and the counter
// strip, and for the typed letters. Picture sets use the digits.
const char* SymbolText(int symbolSet);

}  // namespace kx
