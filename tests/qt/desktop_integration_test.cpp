#include <gtest/gtest.h>
#include <stdlib.h>

#include <QImage>
#include <QString>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "../support/temp_dir.h"
#include "app/startup.h"
#include "qt/desktop_integration.h"
#include "qt/program_icon.h"
#include "qt/program_place.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

// A player's home, data folders and desktop inside the test's folder, so that
// neither the machine's own launchers nor an installed game are seen.
class DesktopIntegrationTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    Set("HOME", dir_ / "home");
    Set("XDG_DATA_HOME", dir_ / "home/data");
    Set("XDG_DATA_DIRS", dir_ / "system");
    Set("XDG_CONFIG_HOME", dir_ / "home/config");
    Set("KX_SUDOKU_HOME", "");
    fs::create_directories(dir_ / "home/Desktop");
  }
  // The rest of the process (Qt's font configuration at exit among it) gets
  // the real folders back.
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
    TempDirTest::TearDown();
  }
  void Set(const std::string& name, const fs::path& value) {
    if (!saved_.count(name)) {
      const char* old = getenv(name.c_str());
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value.empty()) unsetenv(name.c_str());
    else setenv(name.c_str(), value.c_str(), 1);
  }

  // A program file at `path` below the test folder; its folders say what it is.
  QString Program(const std::string& path) {
    fs::create_directories((dir_ / path).parent_path());
    std::ofstream(dir_ / path) << "program";
    return QString::fromStdString((dir_ / path).string());
  }
  void Touch(const fs::path& path, const std::string& content = "") {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << content;
  }
  QString Update(const QString& program) {
    return UpdateDesktopIntegration(program, QString::fromStdString(dir_.string()));
  }
  bool WroteAnything() const { return fs::exists(dir_ / "home/data"); }
  std::map<std::string, std::optional<std::string>> saved_;

  fs::path menuLauncher() const { return dir_ / "home/data/applications/RA_Zeroda.desktop"; }
  fs::path desktopLauncher() const { return dir_ / "home/Desktop/RA_Zeroda.desktop"; }
  static std::string InstalledLauncher() { return "share/applications/" + ApplicationId().toStdString() + ".desktop"; }
};

TEST_F(DesktopIntegrationTest, PortableCopyWritesLaunchersThatNameItsIconAndRegistersTheFileType) {
  // Characters the launcher must escape, in the folder's name.
  const QString program = Program("my games/100% $dollar\\back/kx-sudoku");
  EXPECT_EQ(FindProgramPlace(QString::fromStdString((dir_ / "my games/100% $dollar\\back").string())),
            ProgramPlace::Portable);
  EXPECT_EQ(Update(program), "RA_Zeroda");

  ASSERT_TRUE(fs::exists(menuLauncher()));
  const std::string launcher = ReadFile(menuLauncher());
  EXPECT_EQ(ReadFile(desktopLauncher()), launcher);
  EXPECT_NE(launcher.find("Exec=\"" + dir_.string() + "/my games/100%% \\\\$dollar\\\\\\\\back/kx-sudoku\" %f\n"),
            std::string::npos)
      << launcher;
  EXPECT_NE(launcher.find("MimeType=application/x-kx-sudoku-game;\n"), std::string::npos);
  const std::string icon = dir_.string() + "/home/data/icons/hicolor/256x256/apps/" + ApplicationId().toStdString() + ".png";
  EXPECT_NE(launcher.find("Icon=" + icon + "\n"), std::string::npos) << launcher;
  EXPECT_EQ(QImage(QString::fromStdString(icon)).size(), QSize(256, 256));
  EXPECT_EQ(std::system(("desktop-file-validate '" + menuLauncher().string() + "'").c_str()), 0);

  const std::string mime = ReadFile(dir_ / "home/data/mime/packages/kx-sudoku.xml");
  EXPECT_NE(mime.find("<glob pattern=\"*.kxs\"/>"), std::string::npos);
  EXPECT_NE(mime.find("<icon name=\"" + ApplicationId().toStdString() + "\"/>"), std::string::npos);

  // With both launchers present nothing is made anew; with one, both are.
  Touch(desktopLauncher(), "kept");
  Update(program);
  EXPECT_EQ(ReadFile(desktopLauncher()), "kept");
  fs::remove(menuLauncher());
  Update(program);
  EXPECT_EQ(ReadFile(desktopLauncher()), launcher);
}

TEST_F(DesktopIntegrationTest, InstalledGameKeepsToItsOwnLauncherAndItsFilesToThePerUserFolder) {
  const QString program = Program("prefix/bin/kx-sudoku");
  const QString bin = QString::fromStdString((dir_ / "prefix/bin").string());
  Touch(dir_ / "prefix" / InstalledLauncher());
  EXPECT_EQ(FindProgramPlace(bin), ProgramPlace::Installed);
  // Writable here, as for root, and still not used.
  EXPECT_EQ(ChooseWorkingDirectory(bin), QString::fromStdString((dir_ / "home/data/kx-sudoku").string()));

  // A launcher an older version wrote for this very program would show it
  // twice in the menu; another copy's launcher is not ours to remove.
  Touch(menuLauncher(), "[Desktop Entry]\nExec=\"" + program.toStdString() + "\" %f\n");
  Touch(desktopLauncher(), "[Desktop Entry]\nExec=\"/elsewhere/kx-sudoku\" %f\n");
  EXPECT_EQ(Update(program), ApplicationId());
  EXPECT_FALSE(fs::exists(menuLauncher()));
  EXPECT_TRUE(fs::exists(desktopLauncher()));
  EXPECT_FALSE(fs::exists(dir_ / "home/data/mime"));
}

TEST_F(DesktopIntegrationTest, PortableCopyBesideAnInstalledGameWritesNoLaunchers) {
  Touch(dir_ / "system/applications" / (ApplicationId().toStdString() + ".desktop"));
  EXPECT_EQ(Update(Program("portable/kx-sudoku")), ApplicationId());
  EXPECT_FALSE(WroteAnything());
}

TEST_F(DesktopIntegrationTest, ProgramInABuildFolderLeavesNoLauncherBehind) {
  Touch(dir_ / "build/CMakeCache.txt");
  const QString program = Program("build/src/app/kx-sudoku");
  EXPECT_EQ(FindProgramPlace(QString::fromStdString((dir_ / "build/src/app").string())), ProgramPlace::BuildFolder);
  Touch(desktopLauncher(), "[Desktop Entry]\nExec=\"" + program.toStdString() + "\" %f\n");
  EXPECT_EQ(Update(program), QString());
  EXPECT_FALSE(fs::exists(desktopLauncher()));
  EXPECT_FALSE(WroteAnything());
}

TEST_F(DesktopIntegrationTest, ChosenHomeLeavesTheDesktopAlone) {
  Set("KX_SUDOKU_HOME", dir_ / "chosen");
  EXPECT_EQ(Update(Program("portable/kx-sudoku")), QString());
  EXPECT_FALSE(WroteAnything());
  EXPECT_TRUE(fs::is_empty(dir_ / "home/Desktop"));
}

TEST(ProgramIconTest, EverySizeIsDrawnAndOpaqueInTheMiddle) {
  const QIcon icon = ProgramIcon();
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    const QImage image = icon.pixmap(size, size).toImage();
    EXPECT_EQ(image.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
  }
}

}  // namespace
}  // namespace kx
