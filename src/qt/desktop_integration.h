#pragma once

#include <QString>

namespace kx {

// Registers the saved-game file type and keeps the program's launchers in
// the applications menu and on the desktop. Only a portable copy writes them:
// an installed game has its own launcher, a build folder's program gets none,
// and with KX_SUDOKU_HOME set the player's desktop is not touched at all.
// Returns the desktop id of the menu entry the program's windows belong to
// (empty when there is none). Every failure is silent.
QString UpdateDesktopIntegration(const QString& programPath, const QString& workingDirectory);

}  // namespace kx
