#pragma once

// The cells of the 27 units and of every cell's peers, built at compile time.
// No search loop reads them: the deduction pass derives its own cell tables
// from the peers when it is compiled.
#include <cstdint>

namespace kx {

// Cell tables of the 27 units: rows 0..8, columns 9..17, boxes 18..26.
struct UnitTables {
  uint8_t cells[27][9];
  uint8_t rowOf[81];
  uint8_t columnOf[81];
  uint8_t boxOf[81];
  uint8_t peers[81][20];  // the 20 distinct other cells sharing a unit
  uint8_t others[81][3][8];  // per cell: the other cells of its row, column, box
};

namespace detail {
constexpr UnitTables BuildUnitTables() {
  UnitTables t{};
  for (int i = 0; i < 81; ++i) {
    int row = i / 9, column = i % 9;
    int box = (row / 3) * 3 + column / 3;
    t.rowOf[i] = static_cast<uint8_t>(row);
    t.columnOf[i] = static_cast<uint8_t>(column);
    t.boxOf[i] = static_cast<uint8_t>(box);
  }
  constexpr int kBoxOffsets[9] = {0, 1, 2, 9, 10, 11, 18, 19, 20};
  constexpr int kBoxOrigins[9] = {0, 3, 6, 27, 30, 33, 54, 57, 60};
  for (int u = 0; u < 9; ++u) {
    for (int k = 0; k < 9; ++k) {
      t.cells[u][k] = static_cast<uint8_t>(u * 9 + k);
      t.cells[9 + u][k] = static_cast<uint8_t>(k * 9 + u);
      t.cells[18 + u][k] = static_cast<uint8_t>(kBoxOrigins[u] + kBoxOffsets[k]);
    }
  }
  for (int i = 0; i < 81; ++i) {
    const int unitsOfCell[3] = {t.rowOf[i], 9 + t.columnOf[i], 18 + t.boxOf[i]};
    for (int u = 0; u < 3; ++u) {
      int n = 0;
      for (uint8_t cell : t.cells[unitsOfCell[u]]) {
        if (cell != i) t.others[i][u][n++] = cell;
      }
    }
    int n = 0;
    for (int j = 0; j < 81; ++j) {
      if (j == i) continue;
      if (t.rowOf[j] == t.rowOf[i] || t.columnOf[j] == t.columnOf[i] || t.boxOf[j] == t.boxOf[i]) {
        t.peers[i][n++] = static_cast<uint8_t>(j);
      }
    }
  }
  return t;
}
}  // namespace detail

inline constexpr UnitTables kUnitTables = detail::BuildUnitTables();
inline const UnitTables& Units() { return kUnitTables; }

}  // namespace kx
