#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/function_fields.h"
#include "platform/canvas.h"
#include "ui/fonts.h"

namespace kx {

inline constexpr int kThinLine = 2;
inline constexpr int kThickLine = 6;
inline constexpr int kMinWindowWidth = 550;
inline constexpr int kMinWindowHeight = 388;

// The geometry of one paint, in client pixels. Input hit-tests the
// rectangles recorded by the last layout.
struct WindowLayout {
  int clientWidth = 0, clientHeight = 0;
  double pixelRatio = 1.0;  // device pixels per layout pixel (a dense screen)
  int cellSize = 0, candidateStep = 0, candidateOffset = 0, textHeight = 0, boardSize = 0;
  int neededWidth = 0, neededHeight = 0;
  Rect layoutRect;
  int boardLeft = 0, boardTop = 0, boardRight = 0, boardBottom = 0;
  Size systemCharSize, bigCharSize;
  // The client area was too small: the window should grow to this size.
  bool windowTooSmall = false;

  // Per cell {left, top of the candidate row, right, bottom}.
  std::array<Rect, 81> cells{};
  // Digit block: frame, inner rectangle, squares 1..9 and "Entfernen".
  Rect digitFrame, digitInner;
  std::array<Rect, 10> digitKeys{};
  // Counter strip and statistics block.
  Rect strip;
  int stripSplitY = 0, stripStep = 0, stripTextHeight = 0;
  bool stripUsesSmall = false;
  Rect statistics;
  int statisticsRowHeight = 0, statisticsRows = 0;
  // The function fields' rectangles, for the field list of this generation.
  std::vector<Rect> fieldRects;
  uint32_t fieldsGeneration = 0;

  // A length in the device's pixels, for pictures made as sharp as it shows them.
  int DevicePixels(int length) const { return static_cast<int>(length * pixelRatio + 0.5); }

  Rect CellSquare(int i) const { return {cells[i].left, cells[i].bottom - cellSize, cells[i].right, cells[i].bottom}; }
  // Field i's rectangle; a field list changed since the layout has none yet.
  Rect FieldRect(const FunctionFieldTable& fields, int i) const {
    if (fields.Generation() != fieldsGeneration || i < 0 || i >= static_cast<int>(fieldRects.size()))
      return {-1, -1, -1, -1};
    return fieldRects[static_cast<size_t>(i)];
  }
};

// Works out the whole geometry for the client size and places the function
// fields.
WindowLayout ComputeLayout(Canvas& canvas, const UiFonts& fonts, int clientWidth, int clientHeight,
                           const FunctionFieldTable& fields);

// The smallest window the layout allows: a proposed rectangle that is too
// small is widened or heightened from the edge being dragged.
enum class SizingEdge { Left = 1, Right, Top, TopLeft, TopRight, Bottom, BottomLeft, BottomRight };
void LimitSizing(SizingEdge edge, Rect& proposed, int captionHeight);

}  // namespace kx
