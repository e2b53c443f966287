// KX-Sudoku: start-up, the window, and the orderly end.
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QScreen>
#include <QSocketNotifier>
#include <QTranslator>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "app/startup.h"
#include "game/game_clock.h"
#include "game/program.h"
#include "game/state_file.h"
#include "qt/connect_printing.h"
#include "qt/desktop_integration.h"
#include "qt/help_window.h"
#include "qt/main_window.h"
#include "qt/program_icon.h"
#include "qt/progress_window.h"
#include "qt/qt_host.h"
#include "qt/single_instance.h"
#include "qt/qt_print_device.h"
#include "qt/qt_print_progress.h"

namespace {

int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t written = write(signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT (a logout, a kill) close the window as the player would.
void CloseOnTerminationSignals(QWidget* window) {
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, window);
  QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
    char byte;
    [[maybe_unused]] ssize_t got = read(signalPipe[0], &byte, 1);
    window->close();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

long long ProcessMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  static const long long start = [] {
    // The process start time in clock ticks since boot, from /proc.
    std::FILE* stat = std::fopen("/proc/self/stat", "r");
    unsigned long long ticks = 0;
    if (stat) {
      char buffer[1024];
      const size_t n = std::fread(buffer, 1, sizeof buffer - 1, stat);
      buffer[n] = 0;
      std::fclose(stat);
      const char* p = std::strrchr(buffer, ')');
      for (int field = 2; p && field < 22; ++field) p = std::strchr(p + 1, ' ');
      if (p) ticks = std::strtoull(p + 1, nullptr, 10);
    }
    return static_cast<long long>(ticks * 1000 / static_cast<unsigned long long>(sysconf(_SC_CLK_TCK)));
  }();
  return now.tv_sec * 1000LL + now.tv_nsec / 1000000 - start;
}

void LoadGermanQtTexts(QApplication& app) {
  auto* translator = new QTranslator(&app);
  if (translator->load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("kx-sudoku");
  QApplication::setWindowIcon(kx::ProgramIcon());
  LoadGermanQtTexts(app);

  // The argument is taken relative to the folder the program was started in.
  const QString argument = argc > 1 ? QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1])) : QString();
  const QString programPath = QApplication::applicationFilePath();
  const QString workingDirectory = kx::ChooseWorkingDirectory(QApplication::applicationDirPath());
  QDir::setCurrent(workingDirectory);

  kx::SingleInstanceGuard guard(workingDirectory);
  if (!guard.Acquired()) {
    kx::MessageBoxRequest box{"KX-Sudoku ist bereits gestartet.\nMehrfache paralellele Aufrufe sind nicht möglich!!",
                              "KX-Sudoku - Fehlermeldung", kx::BoxButtons::Ok, kx::BoxIcon::Stop};
    box.foreground = true;
    kx::ShowStandaloneMessageBox(box);
    return 0;
  }

  kx::QtHost host;
  kx::Program program(host, static_cast<uint32_t>(std::time(nullptr)));
  kx::LoadStartGame(program, argument);
  kx::BuildFunctionFields(program, program.state.gameStatus);

  kx::MainWindow window(program);
  host.SetMainWindow(&window);
  kx::QtPrintDevice printDevice;
  kx::QtPrintProgress printProgress(&window);
  kx::ConnectPrinting(program, window, printDevice, &printProgress);
  const QRect work = window.screen()->availableGeometry();
  const QSize size = kx::StartWindowSize({program.window.width, program.window.height},
                                         {kx::kMinWindowWidth, kx::kMinWindowHeight}, work.size());
  const int width = size.width(), height = size.height();
  window.resize(width, height);
  window.move(work.left() + (work.width() - width) / 3, work.top() + (work.height() - height) / 3);
  kx::HelpWindows helpWindows(program.helpWindows, &window);

  kx::QtProgressWindow progress(&window);
  program.progress = &progress;

  QGuiApplication::setDesktopFileName(kx::UpdateDesktopIntegration(programPath, workingDirectory));
  program.solver.SetSolutionCount(0);  // not known until the next solve
  CloseOnTerminationSignals(&window);
  if (qEnvironmentVariableIsSet("KX_SUDOKU_STARTUP_PROBE")) {
    // For the start-up benchmark: report the time to the first frame, then end.
    window.onFirstFrame = [&window] {
      std::printf("first frame after %lld ms\n", static_cast<long long>(ProcessMilliseconds()));
      std::fflush(stdout);
      QMetaObject::invokeMethod(&window, "close", Qt::QueuedConnection);
    };
  }
  window.show();
  const int status = QApplication::exec();
  progress.AllowClose();
  program.progress = nullptr;

  kx::BookExitTime(program);
  kx::WriteStateFile(program, kx::kStateFileName);
  return status == 0 ? 0 : status;
}
