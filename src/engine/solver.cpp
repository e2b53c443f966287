#include "engine/solver.h"

#include <algorithm>
#include <chrono>

#include "engine/bit_solver.h"
#include "engine/solution_files.h"
#include "system/free_resources.h"

namespace kx {

namespace {

constexpr uint32_t kGuessLimit = 500000;
// The ring holds this many solutions, so up to one more are counted
// without a repeat slipping through.
constexpr uint64_t kRepeatFreeMaximum = 17;

// First cell at or after `from` with at least two candidates, or -1.
int NextMultiCandidateCell(const Board& board, int from) {
  for (int i = from; i < 81; ++i) {
    if (CountCandidates(board[i]) >= 2) return i;
  }
  return -1;
}

bool HasEmptyCell(const Board& board) {
  for (CellWord w : board) {
    if (w == 0) return true;
  }
  return false;
}

}  // namespace

uint32_t SearchObserver::TickCount() {
  using namespace std::chrono;
  return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::optional<uint64_t> SearchObserver::FreeDiskBytes() { return FreeDiskSpace(); }

uint64_t LogDiskLimit(SearchObserver& observer) {
  constexpr uint64_t kUnknownDiskLimit = 0xFFFFFF00;
  const auto free = observer.FreeDiskBytes();
  return free ? *free / 3 : kUnknownDiskLimit;
}

SearchObserver& NullSearchObserver() {
  static SearchObserver observer;
  return observer;
}

Solver::Solver(SearchObserver* observer) : observer_(observer ? observer : &NullSearchObserver()) {}
Solver::~Solver() = default;

void Solver::SetObserver(SearchObserver* observer) { observer_ = observer ? observer : &NullSearchObserver(); }

bool Solver::CountIfNew(const Board& board) {
  for (const Board& seen : *ring_) {
    if (seen == board) return false;
  }
  (*ring_)[ringNext_] = board;
  ringNext_ = (ringNext_ + 1) % kRingSize;
  ++solutionCount_;
  return true;
}

const DeductionBase& Solver::FrameDeductions(int depth) {
  auto& bases = *deductions_;
  for (; basedDepth_ < depth; ++basedDepth_) bases[basedDepth_ + 1] = bases[basedDepth_];
  bases[depth].Narrow((*stack_)[depth].cells);
  return bases[depth];
}

uint32_t Solver::SolvePuzzle(const PuzzleText& in, PuzzleText& out, uint64_t wanted, uint64_t maximum,
                             const char* logFile) {
  if (!logFile) return Search(in, out, wanted, maximum, nullptr);
  LogAppender log(logFile);
  return Search(in, out, wanted, maximum, &log);
}

// The steps below follow the search exactly as the ratings depend on it:
// probes of single candidates on top of a frame, then branching into the
// frame's branch cell. Labels name the places the steps jump to.
uint32_t Solver::Search(const PuzzleText& in, PuzzleText& out, uint64_t wanted, uint64_t maximum, LogAppender* log) {
  if (wanted > maximum) wanted = maximum;

  observer_->RunStarted();
  uint32_t score = 0, result = 0, guesses = 0;
  bool dead = false, hasStack = false, solved = false, fileStarted = false;
  int depth = 0, probeCell = 0, probeCandidate = 0, branch = 0;
  unsigned count = 0, remaining = 0;
  uint64_t diskLimit = 0;
  uint32_t lastDisplay = 0;
  CheckResult c = 0;
  solutionCount_ = 0;
  logRunStopped_ = logFailed_ = false;

  if (!ring_) ring_ = std::make_unique<std::array<Board, kRingSize>>();
  ring_->fill(Board{});
  ringNext_ = 0;

  Board w;
  TextToBoard(w, in);
  Board resultBoard = w;
  PuzzleText text;

  // With the first solution wanted and no repeats possible, the count the
  // search ends with is the number of distinct solutions, capped at the
  // maximum; the bit solver knows it long before the search does. It is
  // asked once a guess is needed, so puzzles the deductions finish alone
  // never pay for it.
  const bool countKnowable = !log && wanted == 1 && maximum >= 2 && maximum <= kRepeatFreeMaximum;
  uint64_t knownCount = 0;

  if (log) {
    logLine_.clear();
    AppendRunHeader(logLine_, in);
    // A log that cannot take the header would take no solution either.
    if (log->Append(logLine_) < 0) {
      logRunStopped_ = logFailed_ = true;
      goto end;
    }
    lastDisplay = observer_->TickCount();
    diskLimit = LogDiskLimit(*observer_);
  }

  if (CheckBoard(w) & kCheckContradictionMask) goto end;

  if (currentSolutionSink_) {
    currentFileText_.assign("\r\nZu lösendes Sudoko:\r\n");
    AppendSolutionGrid(currentFileText_, in);
    fileStarted = true;
  }

probe:
  // Every probe's board lies within its frame's board.
  if (hasStack) {
    score += FrameDeductions(depth).LogicSolve(w);
  } else {
    if (!deductions_) deductions_ = std::make_unique<std::array<DeductionBase, kFrames>>();
    score += (*deductions_)[0].LogicSolveAndKeep(w);
    basedDepth_ = 0;
  }
  c = CheckBoard(w);
  solved = c == 0;
  if (solved) {
    guesses = 0;
    if (CountIfNew(w)) {
      if (log || fileStarted) BoardToText(w, text);
      if (log) {
        logLine_.clear();
        AppendSolutionLine(logLine_, solutionCount_, text);
        const int64_t size = log->Append(logLine_);
        if (size < 0) {
          // Only solutions the log holds are counted.
          --solutionCount_;
          logRunStopped_ = logFailed_ = true;
          goto end;
        }
        logFileSize_ = static_cast<uint64_t>(size);
      }
      if (fileStarted && solutionCount_ <= kSolutionsInCurrentFile) AppendSolutionGrid(currentFileText_, text);
      if (log) {
        logRunStopped_ = observer_->SolutionLogged(depth) || logFileSize_ > diskLimit;
        if (logRunStopped_) goto end;
      }
      if (observer_->BusyEnumerating()) {
        uint32_t now = observer_->TickCount();
        if (now - lastDisplay > kSolutionDisplayIntervalMs) {
          lastDisplay = now;
          observer_->SearchDisplayHook(w, probeCell);
        }
      }
      if (solutionCount_ == wanted || solutionCount_ == 1) {
        result = score;
        resultBoard = w;
      }
      if (solutionCount_ >= maximum || !hasStack) goto end;
      // The rest of the search would only count the others; it must run
      // only when their grids go into the current-solution text.
      if (countKnowable && (knownCount == 1 || !fileStarted)) {
        solutionCount_ = knownCount;
        goto end;
      }
      score = 0;
    }
  }

  if (solutionCount_ >= maximum && (solved || guesses >= kGuessLimit)) goto end;
  score += kGuessPenalty;
  ++guesses;

  if (!hasStack) {
    if (countKnowable) {
      knownCount = CountSolutions(in, maximum);
      if (knownCount == 0) goto end;
    }
    if (!stack_) stack_ = std::make_unique<std::array<GuessFrame, kFrames>>();
    hasStack = true;
    depth = 1;
    auto& frames = *stack_;
    frames[0].cells = w;
    frames[1].cells = w;
    probeCell = NextMultiCandidateCell(w, 0);
    if (probeCell < 0) goto end;
    probeCandidate = CountCandidates(w[probeCell]);
    frames[0].branchCell = static_cast<uint16_t>(probeCell);
    frames[0].count = frames[0].remaining = static_cast<uint16_t>(probeCandidate);
    frames[1].branchCell = 0xFFFF;
    frames[1].count = frames[1].remaining = 0;
    KeepNthCandidate(&w[probeCell], static_cast<unsigned>(probeCandidate));
    goto probe;
  }

  {
    // A probe that leaves a unit without a place for some digit is wrong.
    Board& f = (*stack_)[depth].cells;
    if (c & kCheckLackingUnitsMask) {
      RemoveNthCandidate(&f[probeCell], static_cast<unsigned>(probeCandidate));
      if (f[probeCell] == 0) dead = true;
    }
    if (dead) goto backtrack;
    w = f;
  }

advanceProbe:
  --probeCandidate;
  if (probeCandidate < 1) {
    int next = NextMultiCandidateCell(w, probeCell + 1);
    if (next >= 0) {
      probeCell = next;
      probeCandidate = CountCandidates(w[next]);
    } else {
      probeCandidate = 0;
    }
  }
  if (probeCandidate == 0) goto backtrack;

tryProbe:
  KeepNthCandidate(&w[probeCell], static_cast<unsigned>(probeCandidate));
  c = CheckBoard(w);
  if ((c & kCheckDuplicatesMask) == 0) goto probe;
  {
    Board& f = (*stack_)[depth].cells;
    RemoveNthCandidate(&f[probeCell], static_cast<unsigned>(probeCandidate));
    w[probeCell] = f[probeCell];
    if (w[probeCell] != 0) goto advanceProbe;
  }

backtrack:
  for (;;) {
    if (depth <= 0) goto end;
    GuessFrame& f = (*stack_)[depth];
    branch = f.branchCell > 80 ? -1 : f.branchCell;
    count = f.count;
    remaining = f.remaining;
    if (!dead && HasEmptyCell(f.cells)) dead = true;
    if (dead) {
      --depth;
      if ((*stack_)[depth].remaining != 0) dead = false;
      continue;
    }
    if (remaining == 0) {
      branch = NextMultiCandidateCell(f.cells, branch + 1);
      if (branch < 0) {
        --depth;
        if ((*stack_)[depth].remaining == 0) dead = true;
        continue;
      }
      count = remaining = static_cast<unsigned>(CountCandidates(f.cells[branch]));
    }
    w = f.cells;
    KeepNthCandidate(&w[branch], remaining);
    --remaining;
    f.branchCell = static_cast<uint16_t>(branch);
    f.count = static_cast<uint16_t>(count);
    f.remaining = static_cast<uint16_t>(remaining);
    if (CheckBoard(w) & (kCheckLackingUnitsMask | kCheckEmptyCellsMask)) {
      RemoveNthCandidate(&f.cells[branch], remaining + 1);
      continue;
    }
    if (observer_->BusyGenerating()) observer_->SearchDisplayHook(w, -1);

    // Push: branch cells rise strictly with depth, so the stack cannot
    // overflow; the check only guards against a broken invariant.
    int next = NextMultiCandidateCell(w, branch + 1);
    if (next < 0 || depth + 1 >= kFrames) continue;
    ++depth;
    basedDepth_ = std::min(basedDepth_, depth - 1);
    GuessFrame& pushed = (*stack_)[depth];
    pushed.cells = w;
    probeCell = next;
    probeCandidate = CountCandidates(w[next]);
    pushed.branchCell = static_cast<uint16_t>(probeCell - 1);
    pushed.count = 0;
    pushed.remaining = 0;
    goto tryProbe;
  }

end:
  // A log that failed says nothing about the puzzle.
  observer_->RunEnded(solutionCount_ == 0 && !logFailed_);
  if (solutionCount_ == 0) {
    result = kNoSolution;
    if (!logFailed_ && log) log->Append(kContradictionLine);
  }
  if (fileStarted) currentSolutionSink_->Write(currentFileText_);
  BoardToText(resultBoard, out);
  return result;
}

}  // namespace kx
