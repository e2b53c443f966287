#include <cstring>

#include "engine/bit_solver.h"
#include "engine/solution_files.h"
#include "engine/solver.h"

namespace kx {

namespace {

// The display's clock is read after this many solutions, not after each:
// reading it costs more than writing a line, and a few dozen microseconds
// are nothing to a display interval.
constexpr int kSolutionsPerClockRead = 16;

}  // namespace

uint32_t Solver::EnumerateSolutions(const PuzzleText& in, PuzzleText& out, const char* logFile) {
  const PuzzleText puzzle = in;  // `out` may be the same buffer

  // The rating search in log mode up to the current-solution text's ten:
  // the header, the rating and the answer, the first lines and the file's
  // grids as the search counts them, or the contradiction line. Fewer than
  // ten found without a stop are all there are.
  LogAppender log(logFile);
  const uint32_t result = Search(puzzle, out, 1, kSolutionsInCurrentFile, &log);
  if (logRunStopped_ || solutionCount_ < kSolutionsInCurrentFile) return result;

  // The rest through the bit solver, which meets every solution exactly
  // once; the ten already written are passed over.
  class LogWriter : public SolutionVisitor {
   public:
    LogWriter(Solver& solver, LogAppender& log)
        : solver_(solver),
          log_(log),
          diskLimit_(LogDiskLimit(*solver.observer_)),
          lastDisplay_(solver.observer_->TickCount()),
          linesOnDisk_(solver.solutionCount_) {
      for (size_t i = 0; i < written_.size(); ++i) {
        BoardToText((*solver.ring_)[i], written_[i]);
        heads_[i] = Head(written_[i]);
      }
    }

    bool Visit(const PuzzleText& solution, int depth) override {
      if (toPassOver_ > 0 && AlreadyWritten(solution)) return true;
      SearchObserver& observer = *solver_.observer_;
      char line[kSolutionLineSize];
      FormatSolutionLine(line, ++solver_.solutionCount_, solution);
      const int64_t size = log_.Write({line, sizeof line});
      if (size < 0) return Fail();
      if (!log_.HasPending()) linesOnDisk_ = solver_.solutionCount_;
      solver_.logFileSize_ = static_cast<uint64_t>(size);
      if (observer.SolutionLogged(depth) || solver_.logFileSize_ > diskLimit_) return false;
      if (++sinceClockRead_ < kSolutionsPerClockRead) return true;
      sinceClockRead_ = 0;
      if (observer.BusyEnumerating()) {
        const uint32_t now = observer.TickCount();
        if (now - lastDisplay_ > kSolutionDisplayIntervalMs) {
          lastDisplay_ = now;
          Board board;
          TextToBoard(board, solution);
          observer.SearchDisplayHook(board, depth);
        }
      }
      return true;
    }

    void Finish() {
      const int64_t end = log_.Flush();
      if (end < 0) {
        Fail();
      } else {
        solver_.logFileSize_ = static_cast<uint64_t>(end);
      }
    }

   private:
    // Asked of every solution until the ten are met, which may be never:
    // the first eight cells settle it for nearly all of them.
    static uint64_t Head(const PuzzleText& text) {
      uint64_t head;
      std::memcpy(&head, text.data(), sizeof head);
      return head;
    }
    bool AlreadyWritten(const PuzzleText& solution) {
      const uint64_t head = Head(solution);
      for (size_t i = 0; i < written_.size(); ++i) {
        if (heads_[i] == head && std::memcmp(written_[i].data(), solution.data(), 81) == 0) {
          --toPassOver_;
          return true;
        }
      }
      return false;
    }

    // Lines lost with a failed write were never found.
    bool Fail() {
      solver_.solutionCount_ = linesOnDisk_;
      solver_.logFailed_ = true;
      return false;
    }

    Solver& solver_;
    LogAppender& log_;
    const uint64_t diskLimit_;
    uint32_t lastDisplay_;
    uint64_t linesOnDisk_;
    int sinceClockRead_ = 0;
    std::array<PuzzleText, kSolutionsInCurrentFile> written_;
    std::array<uint64_t, kSolutionsInCurrentFile> heads_;
    size_t toPassOver_ = kSolutionsInCurrentFile;
  };

  observer_->RunStarted();
  LogWriter writer(*this, log);
  ForEachSolution(puzzle, writer);
  writer.Finish();
  observer_->RunEnded(false);
  return result;
}

}  // namespace kx
