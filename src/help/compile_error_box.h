#pragma once

#include <string>
#include <string_view>

#include "platform/host.h"

namespace kx {

inline constexpr char kHelpErrorBoxTitle[] = "Help-File-Error Message";

// The text of the compiler's error box (UTF-8): the error line, the label
// for a duplicate or undefined name, the segment, and up to five lines of
// the source text that follows it. segment and following are Windows-1252.
std::string BuildCompileErrorText(int code, std::string_view segment, std::string_view following,
                                  std::string_view name);

// Shows that text in a box with an OK button, owned by the main window.
void ShowCompileError(Host& host, int code, std::string_view segment, std::string_view following,
                      std::string_view name);

}  // namespace kx
