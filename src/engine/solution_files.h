#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "engine/board.h"

namespace kx {

// The current-solution text shows the puzzle and this many solutions.
inline constexpr uint64_t kSolutionsInCurrentFile = 10;

// Log lines of a run: the header before its solutions, and the line of a
// run without any.
void AppendRunHeader(std::string& out, const PuzzleText& puzzle);
inline constexpr const char* kContradictionLine =
    "Widersprüchliche Definitionen. N i c h t  l ö s b a r !!!!!!\r\n";

// Appends one grid of the current-solution text: digits as they are,
// everything else as '-'.
void AppendSolutionGrid(std::string& out, const PuzzleText& text);

// The log's puzzle line: a quote, the 81 characters, a quote, CR LF.
void AppendQuotedLine(std::string& out, const PuzzleText& text);

// The log's solution line: 16 upper-case hex digits, " : ", the quoted line.
inline constexpr size_t kSolutionLineSize = 104;
void FormatSolutionLine(char (&line)[kSolutionLineSize], uint64_t number, const PuzzleText& text);
void AppendSolutionLine(std::string& out, uint64_t number, const PuzzleText& text);
// The rewritten log's line of a record with an empty cell (a puzzle): a
// label in place of the number.
void FormatPuzzleLine(char (&line)[kSolutionLineSize], const PuzzleText& text);

// Opens the file for appending, writes, closes. Failures are ignored, as
// for every text file the program writes for the player. Returns the size
// of the file after the write, or -1 when it could not be written.
int64_t AppendToFile(const char* path, std::string_view data);

// The search's log, held open for a whole run instead of opened for every
// line. What Append takes has reached the system when it returns, so a
// reader, the progress pump or a crash after it finds every line written
// so far. Write only collects the data, for the system to get at the next
// Append or Flush or when enough has piled up: a million lines a second
// cannot each be a system call. A failed write closes the file; the next
// one opens it again.
class LogAppender {
 public:
  explicit LogAppender(const char* path) : path_(path) {}
  ~LogAppender();
  LogAppender(const LogAppender&) = delete;
  LogAppender& operator=(const LogAppender&) = delete;

  // Both return the size of the file with the data, or -1 when it failed.
  // A failed write drops what was pending and leaves the file as the last
  // write that succeeded left it.
  int64_t Append(std::string_view data);
  int64_t Write(std::string_view data);
  int64_t Flush();
  bool HasPending() const { return !pending_.empty(); }

 private:
  static constexpr size_t kPendingLimit = 1 << 16;

  const char* path_;
  std::FILE* file_ = nullptr;
  int64_t size_ = 0;  // on disk, without what is pending
  std::string pending_;
};

}  // namespace kx
