#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/board.h"
#include "engine/propagate.h"
#include "engine/search_observer.h"

namespace kx {

class LogAppender;

// Takes a run's current-solution text: the puzzle and its first solutions,
// for the player to look at. The game writes it to a file.
class CurrentSolutionSink {
 public:
  virtual void Write(const std::string& text) = 0;

 protected:
  ~CurrentSolutionSink() = default;
};

// Difficulty returned when no solution was counted.
inline constexpr uint32_t kNoSolution = 0xFFFFFFFF;
inline constexpr uint32_t kGuessPenalty = 50000;

// The solver with its results that outlive a run. Keep one for many runs:
// its buffers stay between runs, so that the hundreds of runs of a
// generated puzzle allocate nothing.
class Solver {
 public:
  explicit Solver(SearchObserver* observer = nullptr);
  ~Solver();
  Solver(const Solver&) = delete;
  Solver& operator=(const Solver&) = delete;

  // Solves `in`, counting distinct solutions up to `maximum`, and returns
  // the difficulty of solution number `wanted` (or of the first), or
  // kNoSolution. `out` may be the same buffer as `in`. With a log file
  // name every solution is appended to that file. A run on a puzzle without
  // contradicting clues hands its current-solution text to the sink, if any.
  uint32_t SolvePuzzle(const PuzzleText& in, PuzzleText& out, uint64_t wanted, uint64_t maximum,
                       const char* logFile = nullptr);

  // Every distinct solution of `in` once into the log file, numbered from
  // 1 after the run header, or the contradiction line. The result, `out`,
  // the current-solution text and the first ten lines are the rating
  // search's, as SolvePuzzle gives them for the same puzzle in log mode;
  // SolutionCount counts the solutions the log holds. The observer is told
  // of every solution and may cancel; the run also stops at the disk limit
  // and when the log cannot be written.
  uint32_t EnumerateSolutions(const PuzzleText& in, PuzzleText& out, const char* logFile);

  uint64_t SolutionCount() const { return solutionCount_; }
  // The last log-mode run stopped because its log could not be written.
  bool LogFailed() const { return logFailed_; }
  void SetSolutionCount(uint64_t count) { solutionCount_ = count; }
  uint64_t LogFileSize() const { return logFileSize_; }

  // The game always takes the current-solution text; batch tools may not.
  void SetCurrentSolutionSink(CurrentSolutionSink* sink) { currentSolutionSink_ = sink; }
  CurrentSolutionSink* CurrentSolutionSinkOrNull() const { return currentSolutionSink_; }
  void SetObserver(SearchObserver* observer);
  SearchObserver& Observer() { return *observer_; }

 private:
  struct GuessFrame {
    Board cells;
    uint16_t branchCell;
    uint16_t count;
    uint16_t remaining;
  };
  static constexpr int kFrames = 83;
  static constexpr int kRingSize = 16;

  bool CountIfNew(const Board& board);
  // The deductions of frame `depth`'s board, brought up to date.
  const DeductionBase& FrameDeductions(int depth);
  uint32_t Search(const PuzzleText& in, PuzzleText& out, uint64_t wanted, uint64_t maximum, LogAppender* log);

  SearchObserver* observer_;
  uint64_t solutionCount_ = 0;
  uint64_t logFileSize_ = 0;
  CurrentSolutionSink* currentSolutionSink_ = nullptr;
  bool logRunStopped_ = false;  // by a cancel, the disk limit or a failed write
  bool logFailed_ = false;

  std::unique_ptr<std::array<Board, kRingSize>> ring_;
  int ringNext_ = 0;
  std::unique_ptr<std::array<GuessFrame, kFrames>> stack_;
  // Entry 0 for the board the first deductions end with, entry d for the
  // board of frame d; entries up to basedDepth_ hold a board that the
  // frame's board lies within.
  std::unique_ptr<std::array<DeductionBase, kFrames>> deductions_;
  int basedDepth_ = 0;
  std::string currentFileText_;
  std::string logLine_;
};

}  // namespace kx
