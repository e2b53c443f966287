#include "game/later_features.h"

#include "game/program.h"

namespace kx {

namespace {

int NotAvailable(Program& p) {
  p.host.ShowMessageBox({"Diese Funktion ist in dieser Version noch nicht verfügbar.", "Sudoku Meldung"});
  return 1;
}

}  // namespace

int EnumerateAllSolutions(Program& p) { return NotAvailable(p); }
int ShowHelp(Program& p) { return NotAvailable(p); }
int RunPictureCommand(Program& p, int) { return NotAvailable(p); }

}  // namespace kx
