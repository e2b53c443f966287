#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/solver.h"
#include "pictures/dib.h"
#include "platform/canvas.h"
#include "print/print_job.h"

namespace kx {

inline constexpr char kPuzzleTmpFile[] = "KXPrintTmp1.bmp";
inline constexpr char kSolutionTmpFile[] = "KXPrintTmp2.bmp";

// A white canvas of the given size to draw a printout picture on.
using CanvasFactory = std::function<std::unique_ptr<Canvas>(int width, int height)>;

struct PuzzlePrintInput {
  Board currentBoard{};
  std::array<uint16_t, 81> statusBoard{};  // bit 15 fixed, bits 1..9 candidate marks
  int source = 1;                          // 1 the shown digits, 0 the start puzzle
  bool mirrorSolution = false;             // settings bit 28
  bool hideCandidates = false;             // settings bit 29
  FontSpec smallPrn, bigPrn;
  std::string userName;
};

// Turns a bitmap upside down by reversing its rows; 0, or -1 for rows
// longer than 4096 bytes (left unchanged).
int FlipRows(const BitmapInfoHeader& header, std::vector<uint8_t>& pixels);

// A 24-bit BMP with a 1078-byte prefix: file header, info header and 1024
// zero bytes where a colour table would stand. 0, or -1 when not written.
int WritePrintoutBmp(const std::string& fileName, const Dib& dib);

// The canvas's pixels as a 24-bit bottom-up picture.
Dib ReadBackCanvas(Canvas& canvas);

// "Benutzer-Name: " and the login name.
std::string PrintUserText(const std::string& userName);

// The window in colour: one item, the captured main window full width.
int PrintWindowJob(PrintEngine& engine, const PrintContext& context, const std::string& userName);

// The puzzle and its solution in black and white. Always 0; the job
// reports its own failures. The temporary files never outlive the call.
int PrintPuzzleJob(PrintEngine& engine, const PrintContext& context, const CanvasFactory& makeCanvas, Solver& solver,
                   const PuzzlePrintInput& input);

}  // namespace kx
