#pragma once

#include <string>

#include "game/settings_word.h"

namespace kx {

// The label a field shows: fixed for commands, the present value for the
// settings fields.
std::string FieldLabel(int commandId, const SettingsWord& settings);

// The nine characters shown for digits 1..9 in symbol set 0..7.
const char* SymbolSetText(int symbolSet);

}  // namespace kx
