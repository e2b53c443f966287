#pragma once

#include <QSize>
#include <QString>

namespace kx {

class Program;

// The folder the program works in: KX_SUDOKU_HOME when set, else the
// program's own folder when it is writable and not an installed game's
// (a portable copy), else the per-user data folder.
QString ChooseWorkingDirectory(const QString& programDirectory);

// The saved window size reduced to the work area, but never below the
// window's minimum, also on a work area smaller than that.
QSize StartWindowSize(QSize saved, QSize minimum, QSize workArea);

// Reads the saved game named by the argument, keeping the interrupted game
// as "SuDoKu_<stamp>_argument.kxs", or else the state file.
void LoadStartGame(Program& program, const QString& argument);

}  // namespace kx
