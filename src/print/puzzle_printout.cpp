#include "print/puzzle_printout.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "text/text_format.h"

namespace kx {

int FlipRows(const BitmapInfoHeader& header, std::vector<uint8_t>& pixels) {
  const size_t stride = BitmapStride(header.width, header.bitCount);
  const int height = std::abs(header.height);
  if (stride > 4096 || pixels.size() < stride * height) return -1;
  uint8_t buffer[4096];
  for (int i = 0; i < height / 2; ++i) {
    uint8_t* a = pixels.data() + i * stride;
    uint8_t* b = pixels.data() + (height - 1 - i) * stride;
    std::memcpy(buffer, a, stride);
    std::memcpy(a, b, stride);
    std::memcpy(b, buffer, stride);
  }
  return 0;
}

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

int WritePrintoutBmp(const std::string& fileName, const Dib& dib) {
  constexpr uint32_t kPrefix = 1078;
  const size_t imageBytes = BitmapStride(dib.header.width, 24) * std::abs(dib.header.height);
  if (dib.header.bitCount != 24 || dib.pixels.size() < imageBytes) return -1;
  std::vector<uint8_t> head;
  head.push_back('B');
  head.push_back('M');
  Put32(head, static_cast<uint32_t>(imageBytes + kPrefix));
  Put16(head, 0);
  Put16(head, 0);
  Put32(head, kPrefix);
  BitmapInfoHeader info = MakeHeader24(dib.header.width, dib.header.height);
  uint8_t infoBytes[kInfoHeaderBytes];
  StoreInfoHeader(info, infoBytes);
  head.insert(head.end(), infoBytes, infoBytes + kInfoHeaderBytes);
  head.resize(kPrefix, 0);
  std::FILE* file = std::fopen(fileName.c_str(), "wb");
  if (file == nullptr) return -1;
  bool ok = std::fwrite(head.data(), 1, head.size(), file) == head.size() &&
            std::fwrite(dib.pixels.data(), 1, imageBytes, file) == imageBytes;
  ok = std::fclose(file) == 0 && ok;
  return ok ? 0 : -1;
}

Dib ReadBackCanvas(Canvas& canvas) {
  Dib dib;
  dib.header = MakeHeader24(canvas.Width(), canvas.Height());
  const size_t stride = BitmapStride(canvas.Width(), 24);
  dib.pixels.assign(dib.header.sizeImage, 0);
  for (int y = 0; y < canvas.Height(); ++y) {
    uint8_t* row = dib.pixels.data() + (canvas.Height() - 1 - y) * stride;
    for (int x = 0; x < canvas.Width(); ++x) {
      const Color c = canvas.GetPixel(x, y);
      row[3 * x] = c.b, row[3 * x + 1] = c.g, row[3 * x + 2] = c.r;
    }
  }
  return dib;
}

std::string PrintUserText(const std::string& userName) {
  return ("Benutzer-Name: " + userName).substr(0, 255);
}

int PrintWindowJob(PrintEngine& engine, const PrintContext& context, const std::string& userName) {
  PrintItem item;
  item.type = kItemWindow;
  item.flags = kUnitPerMille;
  item.x = 0, item.y = -1, item.width = 1000, item.height = 0;
  item.caption = "Aktueller Fensterinhalt";
  RunPrintJob(engine, context, {item}, PrintUserText(userName), "Ausdruck des gesamten KX-Sudoku - Bildschirms",
              kShowProgress | kNoPageNumber);
  return 0;
}

namespace {

// Grid geometry of a picture: cell size c, thick lines t, thin lines n.
struct Grid {
  int c = 0, t = 0, n = 0;
  int Side() const { return 9 * c + 4 * t + 6 * n; }
  int Left(int k) const { return ((k + 3) / 3) * t + k * c + (k - k / 3) * n; }
  int Bottom(int r) const { return ((r + 3) / 3) * t + (r + 1) * c + (r - r / 3) * n; }
};

void DrawGrid(Canvas& canvas, const Grid& g) {
  canvas.FillRect(Rect{0, 0, g.Side(), g.Side()}, Rgb(255, 255, 255));
  int pos = 0;
  for (int line = 0; line <= 9; ++line) {
    const int width = line % 3 == 0 ? g.t : g.n;
    canvas.FillRect(Rect{pos, 0, pos + width, g.Side()}, kBlack);
    canvas.FillRect(Rect{0, pos, g.Side(), pos + width}, kBlack);
    pos += width + g.c;
  }
}

void DrawCentred(Canvas& canvas, const Rect& cell, const std::string& text) {
  const Size size = canvas.MeasureText(text);
  canvas.DrawText(cell.left + (cell.Width() - size.width) / 2, cell.top + (cell.Height() - size.height) / 2, text,
                  kBlack);
}

void DrawPuzzle(Canvas& canvas, const Grid& g, int h, const PuzzlePrintInput& in) {
  DrawGrid(canvas, g);
  for (int cell = 0; cell < 81; ++cell) {
    const int r = cell / 9, k = cell % 9;
    const int left = g.Left(k), bottom = g.Bottom(r), top = bottom - g.c;
    const int d = DigitOf(in.currentBoard[cell]);
    if (d > 0) {
      canvas.SelectFont(in.bigPrn);
      const Rect area{left, top, left + g.c, in.hideCandidates ? bottom : bottom - h};
      DrawCentred(canvas, area, std::string(1, static_cast<char>('0' + d)));
    }
    if (in.hideCandidates) continue;
    canvas.SelectFont(in.smallPrn);
    const int step = g.c / 9;
    for (int j = 1; j <= 9; ++j) {
      if (!(in.statusBoard[cell] & (1u << j))) continue;
      canvas.DrawText(left + (g.c - 9 * step) / 2 + (j - 1) * step, bottom - h, std::string(1, static_cast<char>('0' + j)),
                      kBlack);
    }
    canvas.FillRect(Rect{left, bottom - h - 1, left + g.c, bottom - h}, kBlack);
  }
}

void DrawSolution(Canvas& canvas, const Grid& g, const PuzzleText& solution, const FontSpec& font) {
  DrawGrid(canvas, g);
  canvas.SelectFont(font);
  for (int cell = 0; cell < 81; ++cell) {
    const int left = g.Left(cell % 9), bottom = g.Bottom(cell / 9);
    const char digit = solution[cell];
    if (digit >= '1' && digit <= '9')
      DrawCentred(canvas, Rect{left, bottom - g.c, left + g.c, bottom}, std::string(1, digit));
  }
}

PrintItem FileItem(const char* name, int y, int width, const std::string& caption) {
  PrintItem item;
  item.type = kItemBmpFile;
  item.name = name;
  item.flags = kUnitPerMille | kFileOfTheJob;
  item.x = 0, item.y = y, item.width = width, item.height = 0;
  item.caption = caption;
  return item;
}

void RemoveTemporaries() {
  std::error_code ignored;
  std::filesystem::remove(kPuzzleTmpFile, ignored);
  std::filesystem::remove(kSolutionTmpFile, ignored);
}

}  // namespace

int PrintPuzzleJob(PrintEngine& engine, const PrintContext& context, const CanvasFactory& makeCanvas, Solver& solver,
                   const PuzzlePrintInput& in) {
  RemoveTemporaries();
  std::unique_ptr<Canvas> probe = makeCanvas(1, 1);
  if (!probe) return 0;
  probe->SelectFont(in.smallPrn);
  const Size row = probe->MeasureText(" 1 2 3 4 5 6 7 8 9 ");
  const Size digit = probe->MeasureText("8");
  Grid puzzle;
  puzzle.c = row.width;
  puzzle.t = std::max(3, row.height / 2);
  puzzle.n = puzzle.t / 3;
  probe.reset();

  // A picture that cannot be made or written is reported by the job,
  // which cannot read it back.
  std::unique_ptr<Canvas> canvas = makeCanvas(puzzle.Side(), puzzle.Side());
  Dib picture;
  if (canvas) {
    DrawPuzzle(*canvas, puzzle, row.height, in);
    picture = ReadBackCanvas(*canvas);
  }
  WritePrintoutBmp(kPuzzleTmpFile, picture);

  PuzzleText digits;
  for (int cell = 0; cell < 81; ++cell) {
    const int d = DigitOf(in.currentBoard[cell]);
    const bool take = in.source == 1 || (in.statusBoard[cell] & 0x8000);
    digits[cell] = take && d > 0 ? static_cast<char>('0' + d) : ' ';
  }
  const uint32_t rating = solver.SolvePuzzle(digits, digits, 1, 2);
  const bool solved = rating != kNoSolution;
  if (solved) {
    Grid small{digit.height + 4, 3, 1};
    canvas = makeCanvas(small.Side(), small.Side());
    picture = Dib{};
    if (canvas) {
      DrawSolution(*canvas, small, digits, in.smallPrn);
      picture = ReadBackCanvas(*canvas);
    }
  }
  // Without a solution the puzzle picture stands in for it.
  if (in.mirrorSolution) FlipRows(picture.header, picture.pixels);
  WritePrintoutBmp(kSolutionTmpFile, picture);

  std::string caption = "Schwierigkeits-Index: ";
  const int64_t index = solved ? int64_t{rating} - 81 : -1;
  if (index < 0)
    caption += "(Sudoku ist mehrdeutig oder widersprüchlich)";
  else
    AppendGroupedDecimal(caption, static_cast<int32_t>(std::min<int64_t>(index, INT32_MAX)));
  const std::string solutionCaption = in.mirrorSolution ? "Lösung (Kopfstehende Spiegelschrift)" : "Lösung";
  RunPrintJob(engine, context,
              {FileItem(kPuzzleTmpFile, -1, 1000, caption), FileItem(kSolutionTmpFile, 850, 200, solutionCaption)},
              PrintUserText(in.userName), "Sudoku - Ausdruck", kShowProgress | kNoPageNumber);
  RemoveTemporaries();
  return 0;
}

}  // namespace kx
