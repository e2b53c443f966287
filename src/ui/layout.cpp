#include "ui/layout.h"

#include <algorithm>

namespace kx {

namespace {

constexpr const char* kDigits = "123456789";
constexpr const char* kWidestLabel = "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX";

int BoardSizeFor(int cellSize) { return 9 * cellSize + 4 * kThickLine + 6 * kThinLine; }

void PlaceCells(WindowLayout& l) {
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col) {
      const int left = l.boardLeft + ((col + 3) / 3) * kThickLine + col * l.cellSize + (col - col / 3) * kThinLine;
      const int bottom =
          l.boardTop + ((row + 3) / 3) * kThickLine + (row + 1) * l.cellSize + (row - row / 3) * kThinLine;
      l.cells[row * 9 + col] = {left, bottom - l.textHeight, left + l.cellSize, bottom};
    }
  }
}

// Fields run down the column right of the board; a field that would end
// below the layout is parked where no point can hit it.
int PlaceFields(WindowLayout& l, const FunctionFieldTable& fields) {
  const int left = l.boardRight + 10, right = l.layoutRect.right - 15;
  const int height = (4 * l.textHeight) / 3;
  int top = l.boardTop;
  bool parked = false;
  l.fieldsGeneration = fields.Generation();
  l.fieldRects.clear();
  for (int i = 0; i < fields.Count(); ++i) {
    if (!parked && top + height > l.layoutRect.bottom) parked = true;
    if (parked) {
      l.fieldRects.push_back({l.layoutRect.right + 1, l.layoutRect.bottom + 1, right, l.layoutRect.bottom});
      continue;
    }
    l.fieldRects.push_back({left, top, right, top + height});
    top += height + 3;
  }
  return top;  // where the next field would start
}

void PlaceDigitBlock(WindowLayout& l, int nextFieldTop) {
  const int q = (4 * l.systemCharSize.height) / 3;
  const int left = l.boardRight + 10, top = nextFieldTop + 3;
  l.digitFrame = {left, top, left + 3 * q + 2, top + 4 * q + 2};
  l.digitInner = {left + 1, top + 1, l.digitFrame.right - 1, l.digitFrame.bottom - 1};
  for (int d = 0; d < 9; ++d) {
    const int x = l.digitInner.left + (d % 3) * q, y = l.digitInner.top + (d / 3) * q;
    l.digitKeys[d] = {x, y, x + q, y + q};
  }
  l.digitKeys[9] = {l.digitInner.left, l.digitInner.top + 3 * q, l.digitInner.right, l.digitInner.top + 4 * q};
}

void PlaceStripAndStatistics(WindowLayout& l, Canvas& canvas, const UiFonts& fonts) {
  canvas.SelectFont(fonts.smallBold);
  Size nine = canvas.MeasureText(kDigits);
  const int right = l.layoutRect.right - 15, bottom = l.digitInner.bottom + 1;
  int left = right - 2 * nine.width - 1;
  l.stripUsesSmall = left < l.digitInner.right;
  if (l.stripUsesSmall) {
    canvas.SelectFont(fonts.small);
    nine = canvas.MeasureText(kDigits);
    left = right - 2 * nine.width - 1;
  }
  l.strip = {left, bottom - (5 * nine.height) / 2 - 1, right, bottom};
  l.stripSplitY = l.strip.top + (5 * nine.height) / 4;
  l.stripStep = (2 * nine.width) / 9;
  l.stripTextHeight = nine.height;

  l.statistics = {l.digitFrame.left, l.digitInner.bottom + 5, right, l.layoutRect.bottom};
  l.statisticsRowHeight = std::max(1, (4 * nine.height) / 3);
  l.statisticsRows = std::max(0, (l.layoutRect.bottom - l.statistics.top) / l.statisticsRowHeight);
}

}  // namespace

WindowLayout ComputeLayout(Canvas& canvas, const UiFonts& fonts, int clientWidth, int clientHeight,
                           const FunctionFieldTable& fields) {
  WindowLayout l;
  canvas.SelectFont(SystemFont());
  l.systemCharSize = canvas.MeasureText("1");
  canvas.SelectFont(fonts.big);
  l.bigCharSize = canvas.MeasureText("1");
  canvas.SelectFont(fonts.small);
  const Size digits = canvas.MeasureText(kDigits);
  l.textHeight = digits.height;
  l.cellSize = ((digits.width + 8) / 9) * 9;
  l.boardSize = BoardSizeFor(l.cellSize);
  const int labelWidth = canvas.MeasureText(kWidestLabel).width;

  l.neededWidth = l.boardSize + labelWidth + 30;
  l.neededHeight = l.boardSize + l.textHeight + 20;
  if (l.neededWidth <= clientWidth && l.neededHeight <= clientHeight) {
    const int spareW = clientWidth - l.neededWidth, spareH = clientHeight - l.neededHeight;
    if (spareW >= 9 && spareH >= 9) {
      // The board grows by one pixel per cell for every 9 spare pixels.
      const int s = std::min(spareW, spareH) / 9;
      l.cellSize += s;
      l.boardSize = BoardSizeFor(l.cellSize);
      l.neededWidth += 9 * s;
      l.neededHeight += 9 * s;
      l.candidateOffset = (s % 9) / 2;
    }
  } else {
    l.windowTooSmall = true;
  }
  l.candidateStep = l.cellSize / 9;
  l.clientWidth = clientWidth;
  l.pixelRatio = canvas.PixelRatio();
  l.clientHeight = clientHeight;

  const int left = clientWidth >= l.neededWidth ? (clientWidth - l.neededWidth) / 2 : 0;
  const int top = clientHeight >= l.neededHeight ? (clientHeight - l.neededHeight) / 2 : 0;
  l.layoutRect = {left, top, left + l.neededWidth, top + l.neededHeight};
  l.boardLeft = left + kThickLine / 2 + 10;
  l.boardTop = top + kThickLine / 2 + (3 * l.textHeight) / 2;
  l.boardRight = l.boardLeft + l.boardSize;
  l.boardBottom = l.boardTop + l.boardSize;

  PlaceCells(l);
  PlaceDigitBlock(l, PlaceFields(l, fields));
  PlaceStripAndStatistics(l, canvas, fonts);
  return l;
}

void LimitSizing(SizingEdge edge, Rect& r, int captionHeight) {
  const int minHeight = kMinWindowHeight + captionHeight;
  const bool leftEdge = edge == SizingEdge::Left || edge == SizingEdge::TopLeft || edge == SizingEdge::BottomLeft;
  const bool rightEdge = edge == SizingEdge::Right || edge == SizingEdge::TopRight || edge == SizingEdge::BottomRight;
  const bool topEdge = edge == SizingEdge::Top || edge == SizingEdge::TopLeft || edge == SizingEdge::TopRight;
  const bool bottomEdge =
      edge == SizingEdge::Bottom || edge == SizingEdge::BottomLeft || edge == SizingEdge::BottomRight;
  if (r.Width() < kMinWindowWidth) {
    if (leftEdge) r.left = r.right - kMinWindowWidth;
    if (rightEdge) r.right = r.left + kMinWindowWidth;
  }
  if (r.Height() < minHeight) {
    if (topEdge) r.top = r.bottom - minHeight;
    if (bottomEdge) r.bottom = r.top + minHeight;
  }
}

}  // namespace kx
