#pragma once

#include <QString>

namespace kx {

class Program;

// The folder the program works in: KX_SUDOKU_HOME when set, else the
// program's own folder when it is writable and not an installed game's
// (a portable copy), else the per-user data folder.
QString ChooseWorkingDirectory(const QString& programDirectory);

// Reads the saved game named by the argument, keeping the interrupted game
// as "SuDoKu_<stamp>_argument.kxs", or else the state file.
void LoadStartGame(Program& program, const QString& argument);

}  // namespace kx
