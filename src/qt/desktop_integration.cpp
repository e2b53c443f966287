#include "qt/desktop_integration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include "qt/program_place.h"

namespace kx {

namespace {

constexpr const char* kLauncherId = "RA_Zeroda";
constexpr const char* kLauncherName = "RA_Zeroda.desktop";

QString DataHome() { return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation); }

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteIfChanged(const QString& path, const QByteArray& content) {
  if (QFileInfo::exists(path) && ReadAll(path) == content) return false;
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return file.write(content) == content.size();
}

// The same file type the installed game registers, with the same icon name.
void RegisterFileType() {
  const QByteArray xml = ReadAll(":/desktop/" + ApplicationId() + ".xml");
  if (xml.isEmpty()) return;
  if (WriteIfChanged(DataHome() + "/mime/packages/kx-sudoku.xml", xml)) {
    const QString tool = QStandardPaths::findExecutable("update-mime-database");
    if (!tool.isEmpty()) QProcess::startDetached(tool, {DataHome() + "/mime"});
  }
}

// The icon in the player's own icon theme, where the file type finds it by
// name; the launchers name the file itself.
QString InstallUserIcon() {
  const QString path = DataHome() + "/icons/hicolor/256x256/apps/" + ApplicationId() + ".png";
  WriteIfChanged(path, ReadAll(QStringLiteral(":/icons/kx-sudoku-256.png")));
  return path;
}

// A value as a launcher file keeps a string: backslashes and line breaks escaped.
QString DesktopString(QString value) {
  return value.replace('\\', "\\\\").replace('\n', "\\n").replace('\t', "\\t").replace('\r', "\\r");
}

// A path as one quoted argument of an Exec line, before the string escapes.
QString QuotedExecArgument(QString path) {
  for (const char* special : {"\\", "\"", "`", "$"}) path.replace(special, QString("\\") + special);
  return '"' + path.replace('%', "%%") + '"';
}

QByteArray LauncherContent(const QString& programPath, const QString& workingDirectory, const QString& icon) {
  return QStringLiteral(
             "[Desktop Entry]\nType=Application\nName=KX-Sudoku\nGenericName=Sudoku\nComment=KX-Sudoku V.: 1.10\n"
             "Icon=%1\nExec=%2 %f\nPath=%3\nTerminal=false\nCategories=Game;LogicGame;\nMimeType=%4;\n")
      .arg(DesktopString(icon), DesktopString(QuotedExecArgument(programPath)), DesktopString(workingDirectory),
           QStringLiteral(KX_MIME_TYPE))
      .toUtf8();
}

QStringList LauncherPaths() {
  QStringList launchers{DataHome() + "/applications/" + kLauncherName};
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (!desktop.isEmpty() && QDir(desktop).exists() && desktop != QDir::homePath()) {
    launchers << desktop + "/" + kLauncherName;
  }
  return launchers;
}

// Launchers this program wrote before it knew better: they would show it
// twice in the menu, or start it from a build folder that may be gone.
void RemoveOwnLaunchers(const QStringList& launchers, const QString& programPath) {
  const QByteArray exec = ("Exec=" + DesktopString(QuotedExecArgument(programPath)) + " ").toUtf8();
  for (const QString& path : launchers) {
    if (ReadAll(path).contains(exec)) QFile::remove(path);
  }
}

void WriteLaunchers(const QStringList& launchers, const QString& programPath, const QString& workingDirectory) {
  // With none or one launcher present all are made anew; a player who kept
  // several and removed one is not second-guessed when most are there.
  int present = 0;
  for (const QString& path : launchers) present += QFile::exists(path);
  if (present >= 2) return;
  const QByteArray content = LauncherContent(programPath, workingDirectory, InstallUserIcon());
  for (const QString& path : launchers) {
    QFile::remove(path);
    if (WriteIfChanged(path, content)) {
      QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    }
  }
}

}  // namespace

QString UpdateDesktopIntegration(const QString& programPath, const QString& workingDirectory) {
  // A chosen home (tests, a copy kept apart) leaves the player's desktop alone.
  if (!qEnvironmentVariableIsEmpty("KX_SUDOKU_HOME")) return QString();
  const QString installedId = ApplicationId() + ".desktop";
  const ProgramPlace place = FindProgramPlace(QFileInfo(programPath).absolutePath());
  const bool installedLauncher =
      place == ProgramPlace::Installed ||
      !QStandardPaths::locate(QStandardPaths::ApplicationsLocation, installedId).isEmpty();
  const QStringList launchers = LauncherPaths();
  if (place != ProgramPlace::Portable || installedLauncher) {
    RemoveOwnLaunchers(launchers, programPath);
    return installedLauncher ? ApplicationId() : QString();
  }
  RegisterFileType();
  WriteLaunchers(launchers, programPath, workingDirectory);
  return QString::fromLatin1(kLauncherId);
}

}  // namespace kx
