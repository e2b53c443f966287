// The window and puzzle printouts of the print command.
#include "game/printouts.h"
#include "game/program.h"

namespace kx {

namespace {

bool Ready(Program& p, PrintContext* context) {
  const PrintPlatform& platform = p.print;
  if (platform.device == nullptr) {
    p.host.Beep(BeepKind::Simple);
    return false;
  }
  context->device = platform.device;
  context->host = &p.host;
  context->progress = platform.progress;
  context->captureWindow = platform.captureWindow;
  return true;
}

}  // namespace

int PrintWindow(Program& p) {
  PrintContext context;
  if (Ready(p, &context)) PrintWindowJob(p.printEngine, context, p.host.UserName());
  return 0;
}

int PrintPuzzleWithSolution(Program& p, int source) {
  PrintContext context;
  if (!Ready(p, &context)) return 0;
  const PrintPlatform& platform = p.print;
  PuzzlePrintInput input;
  input.currentBoard = p.state.currentBoard;
  input.statusBoard = p.state.statusBoard;
  input.source = source;
  input.mirrorSolution = p.settings.MirroredSolutionPrint();
  input.hideCandidates = p.settings.HideCandidateRows();
  input.smallPrn = platform.smallPrn;
  input.bigPrn = platform.bigPrn;
  input.userName = p.host.UserName();
  // The game's own solver, as any solve: it rewrites the current-solution
  // file, beeps when there is no solution and sets the solution count.
  return PrintPuzzleJob(p.printEngine, context, platform.makeCanvas, p.solver, input);
}

}  // namespace kx
