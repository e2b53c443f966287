#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "engine/board.h"

namespace kx::cli {

// Reads puzzles one per line: empty lines and lines starting with '#' are
// skipped, a trailing CR is ignored. Each good puzzle goes to `onPuzzle`;
// a line of another length is reported on `errors` with its number and
// the rest of the input is still read. Returns false if any line was bad.
bool ForEachPuzzle(std::istream& in, std::ostream& errors,
                   const std::function<void(const PuzzleText&)>& onPuzzle);

// A board as one line of output: digits as they are, '.' for empty cells.
std::string OutputBoard(const PuzzleText& text);

}  // namespace kx::cli
