#pragma once


namespace kx {

class Program;

// Records the game as the newest step and displays it (beeps at the limit).
void AppendHistoryStep(Program& p);
// Makes the step at StepIndex the displayed game.
void LoadHistoryStep(Program& p);

// The four navigation keys: Bild-Rauf, Bild-Runter, Pos1, Ende.
void HistoryStepBack(Program& p);
void HistoryStepForward(Program& p);
void HistoryFirstStep(Program& p);
void HistoryLastStep(Program& p);

// Run before any change to the board: 0 = go on, -1 = refused. While an
// earlier step is displayed it applies the continuation policy.
int ResumeFromHistory(Program& p);
// Run first by commands that must not run while browsing: 0 or -1.
int HistoryViewGuard(Program& p);
}  // namespace kx
