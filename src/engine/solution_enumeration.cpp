#include <algorithm>
#include <cstring>

#include "engine/bit_solver.h"
#include "engine/solution_files.h"
#include "engine/solver.h"

namespace kx {

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
      for (size_t i = 0; i < written_.size(); ++i) BoardToText((*solver.ring_)[i], written_[i]);
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
    bool AlreadyWritten(const PuzzleText& solution) {
      const auto same = [&solution](const PuzzleText& t) { return std::memcmp(t.data(), solution.data(), 81) == 0; };
      if (std::none_of(written_.begin(), written_.end(), same)) return false;
      --toPassOver_;
      return true;
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
    std::array<PuzzleText, kSolutionsInCurrentFile> written_;
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
