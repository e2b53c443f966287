#pragma once

#include <QString>

namespace kx {

// What kind of copy of the game is running. It decides where the game keeps
// its files and whether it writes launchers of its own for the desktop.
enum class ProgramPlace {
  Installed,    // installed together with its launcher (cmake --install, the package)
  BuildFolder,  // inside a build folder, which is rebuilt or removed at will
  Portable,     // any other copy, for example unpacked into a folder of the player's
};

ProgramPlace FindProgramPlace(const QString& programDirectory);

// The application's id: it names the installed launcher, icon, file type and
// software-centre description.
QString ApplicationId();

// The launcher an installed game carries, found from the game's own folder.
QString InstalledLauncherPath(const QString& programDirectory);

}  // namespace kx
