#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "engine/board.h"

namespace kx {

// Scratch file with the puzzle and its first solutions, rewritten per run.
inline constexpr const char* kCurrentSolutionFile = "KX_Aktuelle Sudoku-Lösung(en).txt";

// Appends one grid of the current-solution file: digits as they are,
// everything else as '-'.
void AppendSolutionGrid(std::string& out, const PuzzleText& text);

// The log's puzzle line: a quote, the 81 characters, a quote, CR LF.
void AppendQuotedLine(std::string& out, const PuzzleText& text);

// The log's solution line: 16 upper-case hex digits, " : ", the quoted line.
void AppendSolutionLine(std::string& out, uint64_t number, const PuzzleText& text);

// Opens the file for appending, writes, closes. Failures are ignored, as
// for every text file the program writes for the player. Returns the size
// of the file after the write, or -1 when it could not be written.
int64_t AppendToFile(const char* path, std::string_view data);

// The search's log, held open for a whole run instead of opened for every
// line. Each Append has reached the system when it returns, so a reader,
// the progress pump or a crash after it finds every line written so far.
// A failed write closes the file; the next Append opens it again.
class LogAppender {
 public:
  explicit LogAppender(const char* path) : path_(path) {}
  ~LogAppender();
  LogAppender(const LogAppender&) = delete;
  LogAppender& operator=(const LogAppender&) = delete;

  // Returns the size of the file after the write, or -1 when it failed.
  int64_t Append(std::string_view data);

 private:
  const char* path_;
  std::FILE* file_ = nullptr;
  int64_t size_ = 0;
};

// Replaces the file's content with data; failures are ignored.
void WriteWholeFile(const char* path, std::string_view data);

}  // namespace kx
