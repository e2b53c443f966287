#include "monkey_driver.h"

#include <QHash>
#include <QString>
#include <algorithm>

#include "../support/read_file.h"
#include "../support/scripted_host.h"
#include "app/startup.h"
#include "game/commands.h"
#include "game/game_clock.h"
#include "game/history_navigation.h"
#include "game/state_file.h"
#include "game/statistics.h"
#include "qt/qt_canvas.h"
#include "ui/paint.h"

namespace kx::monkey {

namespace {

constexpr int kWorkAreaWidth = 2000, kWorkAreaHeight = 1500;
constexpr const char* kRoundTripFile = "KX_monkey_check.ini";

// The clock of a run: one second of local time per event, so that saved
// games made by different events get different names.
LocalTime TimeAfter(int seconds) {
  LocalTime t{2026, 12, 8, 2, 14, 30, 15, 0};
  const int total = t.hour * 3600 + t.minute * 60 + t.second + seconds;
  t.day += total / 86400;
  t.dayOfWeek = (t.dayOfWeek + total / 86400) % 7;
  t.hour = total / 3600 % 24;
  t.minute = total / 60 % 60;
  t.second = total % 60;
  return t;
}

// Where two state files first differ, named by field.
std::string FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  if (at == a.size() && at == b.size()) return "no difference";
  if (at < static_cast<size_t>(StateFileContent::kHeadBytes)) return "head byte " + std::to_string(at);
  const size_t record = (at - StateFileContent::kHeadBytes) / HistoryStep::kBytes;
  return "step " + std::to_string(record) + " byte " +
         std::to_string((at - StateFileContent::kHeadBytes) % HistoryStep::kBytes) + " (" +
         std::to_string(a.size()) + " and " + std::to_string(b.size()) + " bytes)";
}

bool IsDigitOrEmpty(CellWord w) { return w == kAllCandidates || (IsSolved(w) && (w & ~kAllCandidates) == 0); }

std::string CellProblem(const GameState& s, const HistoryStep& shown) {
  for (int i = 0; i < 81; ++i) {
    const std::string at = " at cell " + std::to_string(i);
    if (!IsDigitOrEmpty(s.currentBoard[i])) return "board word " + std::to_string(s.currentBoard[i]) + at;
    const uint16_t status = s.statusBoard[i];
    if (status & 0x1C01) return "status word " + std::to_string(status) + at;
    if ((status & cell::kGiven) && !IsSolved(s.currentBoard[i])) return "fixed cell without a digit" + at;
    if (s.currentBoard[i] != shown.currentBoard[i] || status != shown.statusBoard[i])
      return "the shown game differs from the displayed history step" + at;
  }
  if (s.selectedCell < -1 || s.selectedCell > 80) return "selected cell " + std::to_string(s.selectedCell);
  return {};
}

}  // namespace

void MonkeyProgress::ProcessEvents() {
  // The pump dispatches the window's timers; now and then the player
  // presses "Abbruch".
  if (choices_.OneIn(20)) timer_();
  if (choices_.OneIn(400)) RequestStop(StopRequest::Cancel);
}

MonkeyDriver::MonkeyDriver(uint32_t seed, Chooser& choices, int paintEvery)
    : seed_(seed),
      paintEvery_(std::max(1, paintEvery)),
      host_(choices),
      progress_(choices, [this] { HalfSecondTick(); }) {
  hooks_.symbolSetChanged = [this] { Resize(width_, height_); };
  host_.onRepaint = [this] { Paint(); };
  PlaceMonkeyPictures();
  Start("");
  // A game saved in an earlier session, to load and to damage.
  WriteStateFile(*program_, "SuDoKu_2026_12_01__10_00_00.kxs");
  Show();
}

MonkeyDriver::~MonkeyDriver() { host_.onRepaint = nullptr; }

void MonkeyDriver::Start(const std::string& argument) {
  program_ = std::make_unique<Program>(host_, seed_ + static_cast<uint32_t>(restarts_));
  Program& p = *program_;
  LoadStartGame(p, QString::fromStdString(argument));
  BuildFunctionFields(p, p.state.gameStatus);
  p.progress = &progress_;
  p.solver.SetSolutionCount(0);
}

void MonkeyDriver::Show() {
  const Program& p = *program_;
  window_ = MainWindowState{};
  FollowFieldResets(*program_, window_);
  fonts_ = UiFonts{};
  fonts_.SetSmallHeight(p.window.smallFontHeight);
  const QSize size = StartWindowSize({p.window.width, p.window.height}, {kMinWindowWidth, kMinWindowHeight},
                                     {kWorkAreaWidth, kWorkAreaHeight});
  Resize(size.width(), size.height());
}

void MonkeyDriver::Restart(const std::string& argument) {
  host_.closeRequested = false;
  Program& p = *program_;
  BookExitTime(p);
  const std::vector<uint8_t> atExit = SerializeStateFile(p);
  const bool written = WriteStateFile(p, kStateFileName);
  ++restarts_;
  Start(argument);
  if (!written) {
    restartFailure_ = "the state file could not be written at the exit";
  } else if (const std::vector<uint8_t> now = SerializeStateFile(*program_); argument.empty() && now != atExit) {
    // Compared before the first paint stores the new layout's window size.
    restartFailure_ = "the next start does not continue the game that ended: " + FirstDifference(atExit, now);
  }
  Show();
}

void MonkeyDriver::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  QImage scratch(1, 1, QImage::Format_RGB32);
  QtCanvas measure(&scratch);
  FitFontsToClient(measure, fonts_, width_, height_);
  Paint(true);
}

void MonkeyDriver::Paint(bool whole) {
  // A repaint asked for inside a paint (the layout growing) waits for it.
  if (painting_) return;
  painting_ = true;
  whole = whole || events_ % paintEvery_ == 0 || program_->pictures.assign.Active();
  if (whole) {
    if (frame_.width() != width_ || frame_.height() != height_) frame_ = QImage(width_, height_, QImage::Format_RGB32);
    {
      QtCanvas canvas(&frame_);
      layout_ = LayOutMainWindow(canvas, *program_, fonts_);
      PaintMainWindow(canvas, *program_, window_, fonts_, layout_);
    }
    if (frameHashes_) {
      std::fprintf(frameHashes_, "%d %dx%d %016llx\n", events_, frame_.width(), frame_.height(),
                   static_cast<unsigned long long>(qHashBits(frame_.constBits(), frame_.sizeInBytes())));
    }
  } else {
    QImage scratch(1, 1, QImage::Format_RGB32);
    QtCanvas measure(&scratch);
    layout_ = ComputeLayout(measure, fonts_, width_, height_, program_->fields);
  }
  program_->window.width = layout_.neededWidth;
  program_->window.height = layout_.neededHeight;
  program_->window.smallFontHeight = fonts_.small.height;
  painting_ = false;
  // The window grows to what the layout needs, as the real one does.
  if (layout_.windowTooSmall) Resize(std::max(width_, layout_.neededWidth), std::max(height_, layout_.neededHeight));
}

void MonkeyDriver::HalfSecondTick() {
  host_.ticks += 500;
  InputContext c = Context();
  bool repaint = OnHalfSecondTick(c);
  if (++halfTicks_ % 2 == 0) repaint = OnSecondTick(c) || repaint;
  if (repaint) Paint();
}

void MonkeyDriver::Apply(const Event& e) {
  ++events_;
  host_.now = TimeAfter(events_);
  host_.ticks += 7;
  host_.lastChoice = MonkeyHost::Choice::None;
  InputContext c = Context();
  bool repaint = false;
  switch (e.kind) {
    case Event::KeyDown: repaint = OnKeyDown(c, e.key); break;
    case Event::Type:
      // A key with text: the window passes the key, then its character.
      repaint = OnKeyDown(c, Key::Other);
      repaint = OnChar(c, e.ch) || repaint;
      break;
    case Event::LeftDown: repaint = OnLeftButtonDown(c, e.x, e.y); break;
    case Event::LeftUp: repaint = OnLeftButtonUp(c, e.x, e.y, e.square); break;
    case Event::RightDown: repaint = OnRightButtonDown(c, e.x, e.y); break;
    case Event::RightUp: repaint = OnRightButtonUp(c); break;
    case Event::MouseMove: repaint = OnMouseMove(c, e.x, e.y, e.square); break;
    case Event::Tick: HalfSecondTick(); break;
    case Event::Resize: Resize(e.x, e.y); break;
    case Event::Restart: {
      const std::vector<std::string> games = SavedGameNames();
      const bool withGame = e.x >= 0 && !games.empty();
      Restart(withGame ? games[static_cast<size_t>(e.x) % games.size()] : "");
      break;
    }
  }
  // "Programm beenden" ends the program; the player starts it again.
  if (host_.closeRequested) Restart("");
  if (repaint) Paint();

  // A game read from a file (loaded, or the argument of a restart) may be
  // a damaged one, or one saved while a damaged game was played: its
  // boards are held to the rules only once every step keeps them.
  const bool read = (host_.lastChoice != MonkeyHost::Choice::None && host_.lastChoice != MonkeyHost::Choice::Cancelled) ||
                    e.kind == Event::Restart;
  if (read || !trusted_) trusted_ = HistoryKeepsTheRules();
  const GameState& s = program_->state;
  const uint32_t mode = s.Mode();
  ++modeEvents_[mode == 0 ? 0 : mode == status::kAutoSolved ? 1 : mode & status::kManualEntry ? 2 : mode == status::kSolved ? 3 : 4];
  if (s.Has(status::kSettings)) ++modeEvents_[5];
  if (program_->history.Browsing()) ++modeEvents_[6];
  if (program_->pictures.assign.Active()) ++modeEvents_[7];
  if (!trusted_) ++damagedGameEvents_;
}

bool MonkeyDriver::HistoryKeepsTheRules() const {
  for (const HistoryStep& step : program_->history.steps()) {
    for (int i = 0; i < 81; ++i) {
      if (!IsDigitOrEmpty(step.currentBoard[i]) || (step.statusBoard[i] & 0x1C01)) return false;
      if ((step.statusBoard[i] & cell::kGiven) && !IsSolved(step.currentBoard[i])) return false;
    }
    if (step.selectedCell < -1 || step.selectedCell > 80) return false;
    if (step.gameStatus & (status::kBusySolving | status::kBusyEnumerating | status::kBusyGenerating)) return false;
  }
  return true;
}

const char* MonkeyDriver::ModeName(int mode) {
  static constexpr const char* kNames[kModes] = {"play",     "auto-solved", "manual entry", "solved",
                                                 "selection", "settings",   "history",      "picture cutting"};
  return kNames[mode];
}

std::string MonkeyDriver::CheckInvariants() {
  if (!restartFailure_.empty()) return std::exchange(restartFailure_, {});
  Program& p = *program_;
  const GameState& s = p.state;
  const History& h = p.history;
  if (h.Empty()) return "the game has no history step";
  if (h.StepIndex() < 0 || h.StepIndex() >= h.StepCount())
    return "history index " + std::to_string(h.StepIndex()) + " of " + std::to_string(h.StepCount()) + " steps";

  if (p.fields.Count() > FunctionFieldTable::kMaxFunctionFields) return "more than 24 function fields";
  for (const FunctionField& f : p.fields)
    if (!IsKnownCommand(f.commandId)) return "a field without a command: " + std::to_string(f.commandId);
  if (!p.pictures.assign.Active()) {
    // The table must be the one the present mode builds. "Alle Lösungen
    // ermitteln" follows the solution count of the solve before the
    // table was built, which later solves change without a rebuild.
    const FunctionFieldTable shown = p.fields;
    const FieldInteraction interaction = window_.interaction;
    const int beeps = host_.beeps;
    BuildFunctionFields(p, s.gameStatus);
    const auto ids = [](const FunctionFieldTable& t) {
      std::string text;
      for (const FunctionField& f : t)
        if (f.commandId != command::kAllSolutions) {
          text += ' ';
          text += std::to_string(f.commandId);
        }
      return text;
    };
    std::string problem;
    if (ids(p.fields) != ids(shown))
      problem = "the field list does not belong to the mode: shown" + ids(shown) + ", built" + ids(p.fields) + ",";
    p.fields = shown;
    window_.interaction = interaction;
    host_.beeps = beeps;
    if (!problem.empty()) return problem + " mode word " + std::to_string(s.gameStatus);
  }

  const std::vector<StatisticsRow> rows = StatisticsRows(s);
  const int32_t counted = rows[2].value + rows[3].value + rows[4].value + rows[5].value + rows[6].value;
  if (counted != 81 || rows[7].value > rows[5].value) return "the statistics do not add up to the 81 cells";

  if (!trusted_) return {};
  if (s.Has(status::kBusySolving | status::kBusyEnumerating | status::kBusyGenerating))
    return "a busy flag outlived its command";
  return CellProblem(s, h.Step(h.StepIndex()));
}

std::string MonkeyDriver::CheckRoundTrip() {
  Program& p = *program_;
  if (!WriteStateFile(p, kRoundTripFile)) return "the state file could not be written";
  const std::vector<uint8_t> bytes = test::ReadFile<std::vector<uint8_t>>(kRoundTripFile);
  test::ScriptedHost quiet;
  Program copy(quiet);
  copy.solver.SetCurrentSolutionSink(nullptr);
  ReadStateFile(copy, kRoundTripFile);
  std::remove(kRoundTripFile);
  if (const std::vector<uint8_t> again = SerializeStateFile(copy); again != bytes)
    return "the state file does not read back into the same game: " + FirstDifference(bytes, again);
  const GameState& a = p.state;
  const GameState& b = copy.state;
  for (int i = 0; i < 81; ++i)
    if (a.currentBoard[i] != b.currentBoard[i] || a.statusBoard[i] != b.statusBoard[i])
      return "the boards did not survive the state file: cell " + std::to_string(i) + " holds " +
             std::to_string(a.currentBoard[i]) + "/" + std::to_string(a.statusBoard[i]) + " and reads back as " +
             std::to_string(b.currentBoard[i]) + "/" + std::to_string(b.statusBoard[i]);
  if (!p.pictures.assign.Active() && a.selectedCell != b.selectedCell) return "the selection did not survive the state file";
  // A conflicting digit typed into a puzzle being entered is counted
  // without a step (the count starts again when the entry ends).
  if (a.wrongEntries != b.wrongEntries && !a.Has(status::kManualEntry))
    return "the wrong entries did not survive the state file: " + std::to_string(a.wrongEntries) + " and " +
           std::to_string(b.wrongEntries);
  if (a.gameDifficulty != b.gameDifficulty || a.gameFlags != b.gameFlags)
    return "the difficulty or the game flags did not survive the state file";
  if (p.settings != copy.settings || p.pictureSourcePath.substr(0, 259) != copy.pictureSourcePath)
    return "the settings did not survive the state file";
  return {};
}

}  // namespace kx::monkey
