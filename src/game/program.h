#pragma once

#include <functional>
#include <string>

#include "engine/difficulty.h"
#include "engine/generator.h"
#include "engine/solver.h"
#include "game/current_solution_file.h"
#include "game/difficulty_slider.h"
#include "game/function_fields.h"
#include "game/game_state.h"
#include "game/history.h"
#include "game/settings_word.h"
#include "game/symbol_pictures.h"
#include "help/help_windows.h"
#include "help/open_help.h"
#include "platform/host.h"
#include "platform/progress_window.h"
#include "print/print_platform.h"

namespace kx {

// Window geometry that travels in the state file.
struct WindowState {
  static constexpr int kDefaultWidth = 874;
  static constexpr int kDefaultHeight = 654;
  static constexpr int kDefaultSmallFontHeight = 14;
  int width = kDefaultWidth;
  int height = kDefaultHeight;  // without the caption bar
  int smallFontHeight = kDefaultSmallFontHeight;
};

// The one owner of everything the game keeps: a test makes a fresh one.
// It also watches the solver's runs for the game: the board shown while
// searching, the busy bits, the progress window, the beep of no solution.
class Program : public SearchObserver {
 public:
  explicit Program(Host& host, uint32_t randomSeed = 1);

  Host& host;
  GameState state;
  History history;
  SettingsWord settings;
  FunctionFieldTable fields;
  // The window keeps the pointer and focus over the fields; the game tells
  // it when they lose their meaning (nobody listens without a window).
  std::function<void(FieldReset)> resetFieldInteraction;
  WindowState window;
  std::string pictureSourcePath;
  SymbolPictures pictures;
  // Range of the last slider position, for Enter on the slider field.
  SliderRange sliderRange{1000, 50000, 1125};
  PuzzleRandom random;
  // The generator's noise picture draws from its own numbers, so that the
  // puzzles a seed gives do not depend on how often the search guessed.
  PuzzleRandom noiseRandom;
  CurrentSolutionFile currentSolutionFile;
  Solver solver;
  Generator generator;
  // Shown while all solutions are searched; none without a window.
  ProgressWindow* progress = nullptr;
  // What the platform lends the printouts (without a device nothing is
  // printed), and the printer state kept from job to job.
  PrintPlatform print;
  PrintEngine printEngine;
  // The open help windows (none can open until the platform makes the
  // table usable), and the guard of a help opening under way.
  HelpWindowTable helpWindows;
  HelpOpenState helpOpening;

  // SearchObserver: a run shows its boards on the status board, which
  // gets its own back when the run ends.
  void RunStarted() override { savedStatusBoard_ = state.statusBoard; }
  void RunEnded(bool noSolution) override;
  void SearchDisplayHook(const Board& board, int cellIndex) override;
  bool BusyEnumerating() const override { return state.Has(status::kBusyEnumerating); }
  bool BusyGenerating() const override { return state.Has(status::kBusyGenerating); }
  void SetBusyGenerating(bool busy) override;
  // Marks the cell of the search's depth and pumps the progress window.
  bool SolutionLogged(int depth) override;
  uint32_t TickCount() override { return host.TickCount(); }
  std::optional<uint64_t> FreeDiskBytes() override { return host.FreeDiskSpace(); }

  // Shows the solver's count in the progress window and lets it take its
  // events; 1 = cancel requested.
  int PumpProgressWindow();

 private:
  std::array<uint16_t, 81> savedStatusBoard_{};
};

// Stores the new mode word and rebuilds the function fields for it; the
// one way GameStatus changes. A new mode resets the window's field focus
// and hover.
void BuildFunctionFields(Program& p, uint32_t newStatus);

// Solves the text with the game's usual limits (wanted 1, maximum 2).
uint32_t SolveForGame(Program& p, const PuzzleText& in, PuzzleText& out);

// Beep of refused input.
inline void RefuseBeep(Program& p) { p.host.Beep(BeepKind::Simple); }

}  // namespace kx
