#include "platform/qt/desktop_integration.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace kx {

namespace {

constexpr const char* kMimeType = "application/x-kx-sudoku-game";
constexpr const char* kLauncherName = "RA_Zeroda.desktop";

QString DataHome() { return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation); }

bool WriteIfChanged(const QString& path, const QByteArray& content) {
  QFile existing(path);
  if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content) return false;
  existing.close();
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return file.write(content) == content.size();
}

void RegisterFileType() {
  const QByteArray xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
      "  <mime-type type=\"application/x-kx-sudoku-game\">\n"
      "    <comment>KX-Sudoku Spielstand</comment>\n"
      "    <glob pattern=\"*.kxs\"/>\n"
      "  </mime-type>\n"
      "</mime-info>\n";
  const QString packages = DataHome() + "/mime/packages";
  if (WriteIfChanged(packages + "/kx-sudoku.xml", xml)) {
    const QString tool = QStandardPaths::findExecutable("update-mime-database");
    if (!tool.isEmpty()) QProcess::startDetached(tool, {DataHome() + "/mime"});
  }
}

QByteArray LauncherContent(const QString& programPath, const QString& workingDirectory) {
  return QStringLiteral(
             "[Desktop Entry]\nType=Application\nName=KX-Sudoku\nComment=KX-Sudoku V.: 1.10\n"
             "Exec=\"%1\" %f\nPath=%2\nTerminal=false\nCategories=Game;LogicGame;\nMimeType=%3;\n")
      .arg(programPath, workingDirectory, QString::fromLatin1(kMimeType))
      .toUtf8();
}

}  // namespace

void UpdateDesktopIntegration(const QString& programPath, const QString& workingDirectory) {
  RegisterFileType();
  QStringList launchers{DataHome() + "/applications/" + kLauncherName};
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (!desktop.isEmpty() && QDir(desktop).exists() && desktop != QDir::homePath()) {
    launchers << desktop + "/" + kLauncherName;
  }
  // With none or one launcher present all are made anew; a player who kept
  // several and removed one is not second-guessed when most are there.
  int present = 0;
  for (const QString& path : launchers) present += QFile::exists(path);
  if (present >= 2) return;
  const QByteArray content = LauncherContent(programPath, workingDirectory);
  for (const QString& path : launchers) {
    QFile::remove(path);
    if (WriteIfChanged(path, content)) {
      QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    }
  }
}

}  // namespace kx
