#include "app/startup.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "game/program.h"
#include "game/state_file.h"
#include "qt/program_place.h"

namespace kx {

QString ChooseWorkingDirectory(const QString& programDirectory) {
  const QString home = qEnvironmentVariable("KX_SUDOKU_HOME");
  if (!home.isEmpty()) {
    QDir().mkpath(home);
    return QDir(home).absolutePath();
  }
  // An installed game keeps out of its program folder even where it could
  // write there (run by root).
  if (FindProgramPlace(programDirectory) != ProgramPlace::Installed && QFileInfo(programDirectory).isWritable()) {
    return programDirectory;
  }
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/kx-sudoku";
  QDir().mkpath(data);
  return data;
}

QSize StartWindowSize(QSize saved, QSize minimum, QSize workArea) {
  return {std::max(minimum.width(), std::min(saved.width(), workArea.width())),
          std::max(minimum.height(), std::min(saved.height(), workArea.height()))};
}

void LoadStartGame(Program& program, const QString& argument) {
  const QFileInfo file(argument);
  const bool usable = !argument.isEmpty() && file.exists() && file.isFile() &&
                      IsSavedGameName(file.fileName().toStdString(), /*ignoreCase=*/true);
  if (!usable) {
    ReadStateFile(program, kStateFileName);
    return;
  }
  ReadStateFile(program, file.absoluteFilePath().toStdString());
  // The game interrupted by the double click survives as a saved game.
  if (QFile::exists(kStateFileName)) {
    QFile::rename(kStateFileName, QString::fromStdString(SavedGameName(program.host.Now(), "_argument")));
  }
}

}  // namespace kx
