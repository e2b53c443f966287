#pragma once

#include <QImage>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "game/program.h"
#include "monkey_event.h"
#include "monkey_host.h"
#include "ui/fonts.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/main_window_state.h"

namespace kx::monkey {

// The progress window of the all-solutions search: the player cancels at
// random, and the timers of the main window keep running while it pumps.
class MonkeyProgress : public ProgressWindow {
 public:
  MonkeyProgress(Chooser& choices, std::function<void()> timer) : choices_(choices), timer_(std::move(timer)) {}
  void Show() override {}
  void Hide() override {}

 protected:
  void ProcessEvents() override;

 private:
  Chooser& choices_;
  std::function<void()> timer_;
};

// The game as its main window runs it, without a window: events go to the
// input handlers, each handled event is painted into an image whose layout
// the next event hits, and the program is ended and started again as at a
// real exit. The working directory is the caller's.
class MonkeyDriver {
 public:
  // Every `paintEvery`-th event is painted whole (and every one while a
  // picture is cut); the others only lay the window out.
  MonkeyDriver(uint32_t seed, Chooser& choices, int paintEvery = 1);
  ~MonkeyDriver();

  void Apply(const Event& event);
  // An empty text, or what is wrong with the game after the last event.
  std::string CheckInvariants();
  // Writes the state file as at an exit and reads it into a fresh program:
  // an empty text, or where the two games differ.
  std::string CheckRoundTrip();

  // From now on every whole paint writes a line with a hash of its frame.
  void RecordFrames(std::FILE* out) { frameHashes_ = out; }

  const Program& program() const { return *program_; }
  const WindowLayout& layout() const { return layout_; }
  int eventsApplied() const { return events_; }
  int restarts() const { return restarts_; }
  // After how many events each mode was on: play, auto-solved, manual
  // entry, solved, selection, settings, history browsing, picture cutting.
  static constexpr int kModes = 8;
  static const char* ModeName(int mode);
  const std::array<int, kModes>& modeEvents() const { return modeEvents_; }
  // Events played on a damaged saved game that still read as a game.
  int damagedGameEvents() const { return damagedGameEvents_; }

 private:
  // Reads the game as a start does; Show then opens the window.
  void Start(const std::string& argument);
  void Show();
  void Restart(const std::string& argument);
  void Resize(int width, int height);
  void Paint(bool whole = false);
  void HalfSecondTick();
  // Whether every recorded step keeps the rules of the boards.
  bool HistoryKeepsTheRules() const;
  InputContext Context() { return {*program_, window_, layout_, hooks_}; }

  uint32_t seed_;
  int paintEvery_;
  std::FILE* frameHashes_ = nullptr;
  MonkeyHost host_;
  MonkeyProgress progress_;
  std::unique_ptr<Program> program_;
  UiFonts fonts_;
  MainWindowState window_;
  WindowLayout layout_;
  CommandHooks hooks_;
  QImage frame_;
  int width_ = WindowState::kDefaultWidth, height_ = WindowState::kDefaultHeight;
  int events_ = 0, halfTicks_ = 0, restarts_ = 0;
  bool painting_ = false;
  // False while a game read from a damaged file is played: its boards may
  // hold anything, so their rules are not checked.
  bool trusted_ = true;
  std::string restartFailure_;
  std::array<int, kModes> modeEvents_{};
  int damagedGameEvents_ = 0;
};

}  // namespace kx::monkey
