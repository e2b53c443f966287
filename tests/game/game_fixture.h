#pragma once

#include <gtest/gtest.h>

#include "../support/puzzles.h"
#include "../support/scripted_host.h"
#include "../support/temp_dir.h"
#include "game/cell_operations.h"
#include "game/history_navigation.h"
#include "game/program.h"
#include "game/state_file.h"

namespace kx::test {

// A fresh program on a first start: no state file, the built-in puzzle.
class GameTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    ReadStateFile(p, kStateFileName);
    BuildFunctionFields(p, p.state.gameStatus);
  }

  // Cells of the built-in puzzle that are still empty, in index order.
  std::vector<int> EmptyCells() const {
    std::vector<int> cells;
    for (int i = 0; i < 81; ++i)
      if (!IsSolved(p.state.currentBoard[i])) cells.push_back(i);
    return cells;
  }
  // A digit that is wrong for the cell but breaks no rule on the board.
  char HarmlessWrongDigit(int cell) const {
    for (char d = '1'; d <= '9'; ++d) {
      if (d == kSolvedGrid[cell]) continue;
      Board board = p.state.currentBoard;
      board[cell] = static_cast<CellWord>(1u << (d - '0'));
      if ((CheckBoard(board) & kCheckContradictionMask) == 0) return d;
    }
    return 0;
  }
  bool Type(int cell, char ch) {
    p.state.selectedCell = cell;
    return EnterDigit(p, ch);
  }
  std::vector<std::string> Labels() const {
    std::vector<std::string> labels;
    for (const auto& f : p.fields) labels.push_back(f.label);
    return labels;
  }

  ScriptedHost host;
  Program p{host};
};

}  // namespace kx::test
