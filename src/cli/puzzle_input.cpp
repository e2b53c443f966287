#include "cli/puzzle_input.h"

#include <istream>
#include <ostream>

namespace kx::cli {

bool ForEachPuzzle(std::istream& in, std::ostream& errors,
                   const std::function<void(const PuzzleText&)>& onPuzzle) {
  bool allGood = true;
  std::string line;
  for (long number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line.size() != 81) {
      errors << "line " << number << ": expected 81 characters, found " << line.size() << "\n";
      allGood = false;
      continue;
    }
    PuzzleText text;
    for (int i = 0; i < 81; ++i) text[i] = line[i];
    onPuzzle(text);
  }
  return allGood;
}

std::string OutputBoard(const PuzzleText& text) {
  std::string out(81, '.');
  for (int i = 0; i < 81; ++i) {
    if (text[i] >= '1' && text[i] <= '9') out[i] = text[i];
  }
  return out;
}

}  // namespace kx::cli
