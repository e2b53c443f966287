#include "cli/state_commands.h"

#include <cstdio>
#include <ostream>

#include "cli/puzzle_input.h"
#include "game/state_file.h"

namespace kx::cli {

namespace {

std::string Hex(uint32_t value) {
  char text[12];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

std::string BoardLine(const Board& board) {
  PuzzleText text;
  BoardToText(board, text);
  return OutputBoard(text);
}

}  // namespace

int RunStateDump(const Args& args, std::istream&, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: kx-sudoku-cli state-dump FILE\n";
    return 2;
  }
  const StateFileContent c = LoadStateFileContent(args[0]);
  out << "valid: " << (c.valid ? "yes" : "no") << '\n';
  out << "head fields read: " << c.fieldsRead << " of 12\n";
  if (c.fieldsRead >= kFieldWidth) out << "window width: " << c.width << '\n';
  if (c.fieldsRead >= kFieldHeight) out << "window height: " << c.height << '\n';
  if (c.fieldsRead >= kFieldSettings) out << "settings: " << Hex(c.settings) << '\n';
  if (c.fieldsRead >= kFieldFontHeight) out << "small font height: " << c.smallFontHeight << '\n';
  if (c.fieldsRead >= kFieldPicturePath) out << "picture source: " << c.pictureSourcePath << '\n';
  if (c.fieldsRead >= kFieldGameFlags) out << "game flags: " << Hex(c.gameFlags) << '\n';
  if (c.fieldsRead >= kFieldStartTime) {
    char time[40];
    const LocalTime& t = c.gameStartTime;
    std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, t.millisecond);
    out << "game start: " << time << '\n';
  }
  if (c.fieldsRead >= kFieldStepCount) out << "step count: " << c.stepCount << '\n';
  if (c.fieldsRead >= kFieldStepIndex) out << "step index: " << c.stepIndex << '\n';
  for (size_t i = 0; i < c.steps.size(); ++i) {
    const HistoryStep& s = c.steps[i];
    out << "step " << i + 1 << ": status " << Hex(s.gameStatus) << " selected " << s.selectedCell << " game "
        << s.gameDifficulty << " check " << s.checkDifficulty << " wrong " << s.wrongEntries << " time "
        << s.playTime << "s board " << BoardLine(s.currentBoard) << '\n';
  }
  return c.valid ? 0 : 1;
}

}  // namespace kx::cli
