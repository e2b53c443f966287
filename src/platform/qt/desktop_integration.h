#pragma once

#include <QString>

namespace kx {

// Registers the saved-game file type and keeps the program's launchers in
// the applications menu and on the desktop. Every failure is silent.
void UpdateDesktopIntegration(const QString& programPath, const QString& workingDirectory);

}  // namespace kx
