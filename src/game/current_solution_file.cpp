#include "game/current_solution_file.h"

#include "base/replace_file.h"

namespace kx {

void CurrentSolutionFile::Write(const std::string& text) { ReplaceFileContent(kCurrentSolutionFile, text); }

}  // namespace kx
