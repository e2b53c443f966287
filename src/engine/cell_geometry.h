#pragma once

// Where each cell stands and which cells share a unit with it, computed at
// compile time. The solvers derive their own tables from these, each in the
// form its loops want.
#include <cstdint>

namespace kx {

struct CellGeometry {
  uint8_t row[81], column[81];
  uint8_t boxRow[81], boxColumn[81];  // the top row and left column of the cell's box
  uint8_t peers[81][20];              // the other cells of its row, column and box, ascending
};

inline constexpr CellGeometry kCellGeometry = [] {
  CellGeometry g{};
  for (int i = 0; i < 81; ++i) {
    g.row[i] = static_cast<uint8_t>(i / 9);
    g.column[i] = static_cast<uint8_t>(i % 9);
    g.boxRow[i] = static_cast<uint8_t>(i / 27 * 3);
    g.boxColumn[i] = static_cast<uint8_t>(i % 9 / 3 * 3);
  }
  for (int i = 0; i < 81; ++i) {
    int n = 0;
    for (int j = 0; j < 81; ++j) {
      const bool sameBox = g.boxRow[j] == g.boxRow[i] && g.boxColumn[j] == g.boxColumn[i];
      if (j != i && (g.row[j] == g.row[i] || g.column[j] == g.column[i] || sameBox)) {
        g.peers[i][n++] = static_cast<uint8_t>(j);
      }
    }
  }
  return g;
}();

}  // namespace kx
