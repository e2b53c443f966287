#include "engine/bit_solver.h"
#include "engine/solution_files.h"
#include "engine/solver.h"

namespace kx {

uint32_t Solver::EnumerateSolutions(const PuzzleText& in, PuzzleText& out, const char* logFile) {
  const PuzzleText puzzle = in;  // `out` may be the same buffer
  LogAppender log(logFile);
  std::string header;
  AppendRunHeader(header, puzzle);
  const int64_t headerEnd = log.Append(header);
  logFileSize_ = headerEnd >= 0 ? static_cast<uint64_t>(headerEnd) : logFileSize_;
  const uint64_t diskLimit = LogDiskLimit(*host_);

  // The rating, the answer and the current-solution file as the rating
  // search leaves them; it is done once the file is full, since counting on
  // changes none of them. It also beeps when there is no solution.
  const uint32_t result = SolvePuzzle(puzzle, out, 1, kSolutionsInCurrentFile);
  const bool solvable = solutionCount_ != 0;
  solutionCount_ = 0;
  if (!solvable) {
    const int64_t end = log.Append(kContradictionLine);
    if (end >= 0) logFileSize_ = static_cast<uint64_t>(end);
    return result;
  }

  // The bit solver meets every solution exactly once, so unlike the rating
  // search nothing it writes is a repeat.
  class LogWriter : public SolutionVisitor {
   public:
    LogWriter(Solver& solver, LogAppender& log, uint64_t diskLimit)
        : solver_(solver), log_(log), diskLimit_(diskLimit), lastDisplay_(solver.host_->TickCount()) {}

    bool Visit(const PuzzleText& solution, int depth) override {
      SolverHost& host = *solver_.host_;
      char line[kSolutionLineSize];
      FormatSolutionLine(line, ++solver_.solutionCount_, solution);
      const int64_t size = log_.Write({line, sizeof line});
      if (size < 0) return false;  // lines that cannot be written are not found either
      solver_.logFileSize_ = static_cast<uint64_t>(size);
      host.SetMarkedCell(depth);
      if (host.PumpProgressWindow()) return false;
      if (solver_.logFileSize_ > diskLimit_) return false;
      if (host.BusyEnumerating()) {
        const uint32_t now = host.TickCount();
        if (now - lastDisplay_ > kSolutionDisplayIntervalMs) {
          lastDisplay_ = now;
          Board board;
          TextToBoard(board, solution);
          host.SearchDisplayHook(board, depth);
        }
      }
      return true;
    }

   private:
    Solver& solver_;
    LogAppender& log_;
    const uint64_t diskLimit_;
    uint32_t lastDisplay_;
  };

  host_->SaveStatusBoard();
  LogWriter writer(*this, log, diskLimit);
  ForEachSolution(puzzle, writer);
  const int64_t end = log.Flush();
  if (end >= 0) logFileSize_ = static_cast<uint64_t>(end);
  host_->RestoreStatusBoard();
  return result;
}

}  // namespace kx
