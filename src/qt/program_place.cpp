#include "qt/program_place.h"

#include <QDir>
#include <QFileInfo>

namespace kx {

QString ApplicationId() { return QStringLiteral(KX_APP_ID); }

QString InstalledLauncherPath(const QString& programDirectory) {
  return QDir::cleanPath(programDirectory + "/" KX_BIN_TO_DATA "/applications/" + ApplicationId() + ".desktop");
}

ProgramPlace FindProgramPlace(const QString& programDirectory) {
  if (QFileInfo::exists(InstalledLauncherPath(programDirectory))) return ProgramPlace::Installed;
  // A CMake build folder holds its cache at its top.
  QString folder = QDir::cleanPath(QFileInfo(programDirectory).absoluteFilePath());
  while (true) {
    if (QFileInfo::exists(folder + "/CMakeCache.txt")) return ProgramPlace::BuildFolder;
    const QString parent = QFileInfo(folder).path();
    if (parent == folder) return ProgramPlace::Portable;
    folder = parent;
  }
}

}  // namespace kx
