#pragma once

#include <string_view>

namespace kx {

// The pop-up help of a function field, chosen by its command id and the label
// it shows right now (title fields share id 200, settings fields change their
// label with their value). The text is a heading line, an empty line and the
// body, lines separated by "\n". nullptr for a field without help.
const char* FieldHelpText(int commandId, std::string_view label);

}  // namespace kx
