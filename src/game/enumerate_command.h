#pragma once

#include <cstdint>
#include <string>

#include "platform/progress_window.h"

namespace kx {

class Program;

// "Alle Lösungen ermitteln": after the question, appends every solution of
// the digits on the board to "SudokuAll.txt" while the progress window
// shows the count, then rewrites the file without repeats and reports.
// Returns 0.
int EnumerateAllSolutions(Program& p);

// The closing message: the file's total, the solutions of this run and
// the repeats removed, and the error line when the rewrite failed.
std::string EnumerationMessage(uint64_t written, uint64_t found, uint64_t duplicates, int error);

// The error the message shows: the rewrite's, or else the log's own
// number when the search stopped because the log could not take a line.
int EnumerationError(int dedupError, bool logFailed);

// The line of text the progress window shows for a phase.
std::string ProgressText(ProgressPhase phase, const ProgressCounts& counts);

// The repeats the message reports: one less when there are two or more.
inline uint64_t ReportedDuplicates(uint64_t duplicates) { return duplicates >= 2 ? duplicates - 1 : duplicates; }

}  // namespace kx
