#pragma once

namespace kx {

class Program;

// The effective validation level: 2 counts as 1 unless the puzzle is
// known to have exactly one solution.
int EffectiveValidationLevel(const Program& p);

// ch is '1'..'9' or ' ' (clear). Returns whether the character was handled.
bool EnterDigit(Program& p, char ch);
// Inverts mark d (1..9) of the cell's "1_9" row. 0 done, -1 when nothing
// happened (a fixed cell, rows hidden, or resuming from the history refused).
int ToggleCandidateMark(Program& p, int cell, int d);
// The Delete key.
void ClearSelectedCell(Program& p);
// The Backspace key while a puzzle is typed in.
void ManualEntryBackspace(Program& p);

}  // namespace kx
