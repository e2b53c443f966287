#include "engine/board.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "../support/puzzles.h"
#include "engine/cell_geometry.h"

namespace kx {
namespace {

using test::kSolvedGrid;
using test::Text;

Board BoardOf(const std::string& s) {
  Board board;
  TextToBoard(board, Text(s));
  return board;
}

TEST(CheckBoard, EmptyAndSolvedBoards) {
  Board empty;
  empty.fill(kAllCandidates);
  EXPECT_EQ(CheckBoard(empty), 81u);
  EXPECT_EQ(CheckBoard(BoardOf(kSolvedGrid)), 0u);
}

TEST(CheckBoard, SwappedCellsCountDuplicatesAndLackingUnits) {
  // Cells 0 and 3 of row 0 lie in different boxes: two columns and two
  // boxes each get one duplicate and lack one digit.
  std::string grid = kSolvedGrid;
  std::swap(grid[0], grid[3]);
  EXPECT_EQ(CheckBoard(BoardOf(grid)), 0x00040400u);
  // Cells 0 and 1 share a box: only the two columns are hit.
  grid = kSolvedGrid;
  std::swap(grid[0], grid[1]);
  EXPECT_EQ(CheckBoard(BoardOf(grid)), 0x00020200u);
}

TEST(CheckBoard, EmptyCellAndDuplicateGivens) {
  Board board;
  board.fill(kAllCandidates);
  board[40] = 0;
  EXPECT_EQ(CheckBoard(board), 0x01000000u + 81u);

  std::string twoFives(81, '.');
  twoFives[0] = twoFives[5] = '5';
  EXPECT_EQ(CheckBoard(BoardOf(twoFives)) & kCheckDuplicatesMask, 0x100u);
}

TEST(CheckBoard, GivenFlagMakesUnitsLackADigit) {
  Board board;
  TextToGivenBoard(board, Text(kSolvedGrid));
  EXPECT_EQ(board[0], cell::kGiven | (1u << 6));
  EXPECT_NE(CheckBoard(board) & kCheckLackingUnitsMask, 0u);
}

TEST(Board, TextConversions) {
  PuzzleText text = Text(std::string("0.a 5") + std::string(76, '9'));
  Board board;
  TextToBoard(board, text);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(board[i], kAllCandidates) << i;
  EXPECT_EQ(board[4], 1u << 5);

  board[0] = 0;            // empty
  board[1] = 0x3FE;        // unsolved
  board[2] = cell::kGiven | (1u << 3);
  PuzzleText back;
  BoardToText(board, back);
  EXPECT_EQ(back[0], ' ');
  EXPECT_EQ(back[1], ' ');
  EXPECT_EQ(back[2], '3');
  EXPECT_EQ(DigitOf(cell::kGiven | (1u << 9)), 9);
  EXPECT_EQ(DigitOf(0x3FE), -1);
  EXPECT_EQ(DigitOf(0), -1);
}

TEST(Board, NthCandidateWalksBitsFromTheLowest) {
  CellWord w = (1u << 2) | (1u << 5) | (1u << 9);
  EXPECT_EQ(RemoveNthCandidate(&w, 0), -1);
  EXPECT_EQ(RemoveNthCandidate(&w, 4), -2);
  EXPECT_EQ(w, (1u << 2) | (1u << 5) | (1u << 9));
  EXPECT_EQ(RemoveNthCandidate(&w, 2), 0);
  EXPECT_EQ(w, (1u << 2) | (1u << 9));

  CellWord flagged = cell::kGiven | 0x010;
  EXPECT_EQ(KeepNthCandidate(&flagged, 1), 0);
  EXPECT_EQ(flagged, 0x010);

  CellWord all = kAllCandidates;
  EXPECT_EQ(KeepNthCandidate(&all, static_cast<unsigned>(CountCandidates(all))), 0);
  EXPECT_EQ(all, 1u << 9);  // the n-th of n is the highest digit
}

TEST(Board, CheckCompleteBoardStopsAtTheFirstUnsolvedCell) {
  std::string grid = kSolvedGrid;
  grid[1] = grid[0];  // duplicate
  grid[80] = '.';
  EXPECT_EQ(CheckCompleteBoard(BoardOf(grid)), -1);
  EXPECT_EQ(CheckCompleteBoard(BoardOf(kSolvedGrid)), 0);
}

TEST(CellGeometry, PeersAreTheOtherCellsOfRowColumnAndBox) {
  for (int i = 0; i < 81; ++i) {
    const int band = i / 27, stack = i % 9 / 3;
    EXPECT_EQ(kCellGeometry.boxRow[i] * 9 + kCellGeometry.boxColumn[i], band * 27 + stack * 3) << i;
    std::vector<int> expected;
    for (int j = 0; j < 81; ++j) {
      const bool sameBox = j / 27 == band && j % 9 / 3 == stack;
      if (j != i && (j / 9 == i / 9 || j % 9 == i % 9 || sameBox)) expected.push_back(j);
    }
    const auto& peers = kCellGeometry.peers[i];
    EXPECT_EQ(std::vector<int>(std::begin(peers), std::end(peers)), expected) << i;
  }
}

}  // namespace
}  // namespace kx
