#include "engine/propagate.h"

#include <algorithm>
#include <bit>

#include "engine/cell_geometry.h"
#include "engine/unit_lines.h"

namespace kx {

namespace {

// A set of cells, bit i for cell i.
struct CellSet {
  uint64_t low = 0, high = 0;

  void Add(int i) {
    if (i < 64) {
      low |= uint64_t{1} << i;
    } else {
      high |= uint64_t{1} << (i - 64);
    }
  }
  void Remove(int i) {
    if (i < 64) {
      low &= ~(uint64_t{1} << i);
    } else {
      high &= ~(uint64_t{1} << (i - 64));
    }
  }
  static constexpr CellSet Of(int i) {
    return i < 64 ? CellSet{uint64_t{1} << i, 0} : CellSet{0, uint64_t{1} << (i - 64)};
  }
  constexpr CellSet& operator|=(const CellSet& other) {
    low |= other.low;
    high |= other.high;
    return *this;
  }
  constexpr CellSet operator|(const CellSet& other) const { return CellSet{low | other.low, high | other.high}; }
  // The lowest member at or after `from`, or 81.
  int NextFrom(int from) const {
    if (from < 64) {
      const uint64_t rest = low & (~uint64_t{0} << from);
      if (rest != 0) return std::countr_zero(rest);
      from = 64;
    }
    const uint64_t rest = high & (~uint64_t{0} << (from - 64));
    return rest != 0 ? 64 + std::countr_zero(rest) : 81;
  }
};

// For each cell the cells whose visit reads it, and the same for the
// words of one row or column that changed together.
struct CellPlaces {
  CellSet neighbourhood[81];  // the cell and its 20 peers
  CellSet rowCells[9], columnCells[9];
  CellSet columnsOf[512], rowsOf[512];  // every cell of the columns (rows) in the mask
  uint8_t boxesOf[512];                 // which of the three thirds of a 9-bit mask are set
  CellSet bandBoxes[3][8], stackBoxes[3][8];  // the cells of the boxes of a band (stack) in a 3-bit mask
};

constexpr CellPlaces BuildCellPlaces() {
  CellPlaces t{};
  for (int i = 0; i < 81; ++i) {
    const int r = kCellGeometry.row[i], c = kCellGeometry.column[i];
    t.neighbourhood[i] = CellSet::Of(i);
    for (uint8_t peer : kCellGeometry.peers[i]) t.neighbourhood[i] |= CellSet::Of(peer);
    t.rowCells[r] |= CellSet::Of(i);
    t.columnCells[c] |= CellSet::Of(i);
    for (int thirds = 0; thirds < 8; ++thirds) {
      if ((thirds >> (c / 3) & 1) != 0) t.bandBoxes[r / 3][thirds] |= CellSet::Of(i);
      if ((thirds >> (r / 3) & 1) != 0) t.stackBoxes[c / 3][thirds] |= CellSet::Of(i);
    }
  }
  for (unsigned mask = 0; mask < 512; ++mask) {
    for (int k = 0; k < 9; ++k) {
      if ((mask >> k & 1) == 0) continue;
      t.columnsOf[mask] |= t.columnCells[k];
      t.rowsOf[mask] |= t.rowCells[k];
      t.boxesOf[mask] = static_cast<uint8_t>(t.boxesOf[mask] | 1 << (k / 3));
    }
  }
  return t;
}

constexpr CellPlaces kPlaces = BuildCellPlaces();

}  // namespace

// The board of the passes of one LogicSolve, with what they keep between
// them.
//
// Each row is also kept as a column, both padded to sixteen words, so that
// a unit is compared or combined eight cells at a time.
//
// A visit reads and writes only the visited cell's row, column and box.
// A visit of an open cell that changed nothing would, until some cell of
// those units changes, score the same and change nothing again; a solved
// cell whose digit is gone from all its peers scores 1 and does nothing
// until its word drops to 0. Such cells are settled and not visited: a pass
// visits the others in index order (a cell unsettled by an earlier visit of
// the same pass included, as in a plain pass), and its score is the sum of
// every cell's latest visit score.
//
// Settled cells stay settled while words only lose bits elsewhere than in
// their units, so the state of one board serves every board whose words
// are subsets of its words: only the cells around the differing words are
// unsettled.
class PassState {
 public:
  // Every cell unsettled.
  void Load(const Board& board) {
    // Every cell: 0..63 in the low word, the 17 cells 64..80 in the high one.
    toVisit_.low = ~uint64_t{0};
    toVisit_.high = (uint64_t{1} << 17) - 1;
    solvedDone_ = CellSet{};
    std::fill(std::begin(lastScore_), std::end(lastScore_), 0);
    scoreSum_ = 0;
    for (int i = 0; i < 81; ++i) columns_[kCellGeometry.column[i]].words[kCellGeometry.row[i]] = board[i];
    for (int r = 0; r < 9; ++r) LoadRow(board.data() + r * 9, rows_[r]);
  }
  void StoreTo(Board& board) const {
    for (int r = 0; r < 9; ++r) StoreRow(rows_[r], board.data() + r * 9);
  }
  // Takes `board` in place of this state's board, unsettling the cells
  // around its differing words; false, with nothing changed, when some
  // word of `board` holds a bit its counterpart lacks.
  bool Narrow(const Board& board);
  // Settles every unsettled cell whose visit would change nothing.
  void Settle();

  // One pass; `changed` tells whether any cell changed.
  uint32_t Pass(bool& changed);

 private:
  CellWord At(int r, int c) const { return rows_[r].words[c]; }
  void Put(int r, int c, CellWord word) {
    rows_[r].words[c] = word;
    columns_[c].words[r] = word;
  }
  void Store(int r, int c, CellWord word) {
    const bool differs = At(r, c) != word;
    Put(r, c, word);
    if (differs) Changed(r * 9 + c);
  }
  // Every cell whose visit reads the changed cell must be visited again,
  // solved cells done with their peers only when the word dropped to 0.
  void Changed(int cell) {
    if (At(kCellGeometry.row[cell], kCellGeometry.column[cell]) == 0) solvedDone_.Remove(cell);
    Unsettle(kPlaces.neighbourhood[cell]);
  }
  void Unsettle(const CellSet& readers) {
    changed_ = true;
    toVisit_.low |= readers.low & ~solvedDone_.low;
    toVisit_.high |= readers.high & ~solvedDone_.high;
  }
  // The column copy of row r, and the row copy of column c, after a change
  // of the one; the words that changed are `hits`. The cells to visit again
  // are those of the line and of the crossing columns (rows) and boxes.
  void RowChanged(int r, unsigned hits) {
    if (hits == 0) return;
    for (unsigned rest = hits; rest != 0; rest &= rest - 1) {
      const int k = std::countr_zero(rest);
      columns_[k].words[r] = rows_[r].words[k];
      if (rows_[r].words[k] == 0) solvedDone_.Remove(r * 9 + k);
    }
    Unsettle(kPlaces.rowCells[r] | kPlaces.columnsOf[hits] | kPlaces.bandBoxes[r / 3][kPlaces.boxesOf[hits]]);
  }
  void ColumnChanged(int c, unsigned hits) {
    if (hits == 0) return;
    for (unsigned rest = hits; rest != 0; rest &= rest - 1) {
      const int k = std::countr_zero(rest);
      rows_[k].words[c] = columns_[c].words[k];
      if (columns_[c].words[k] == 0) solvedDone_.Remove(k * 9 + c);
    }
    Unsettle(kPlaces.columnCells[c] | kPlaces.rowsOf[hits] | kPlaces.stackBoxes[c / 3][kPlaces.boxesOf[hits]]);
  }
  // Visits cell i and keeps its score; sets changed_ when a word changed.
  void Visit(int i);
  void VisitSolved(int i, unsigned w);
  uint32_t VisitOpen(int i, unsigned w);

  UnitLine rows_[9] = {};
  UnitLine columns_[9] = {};
  CellSet toVisit_;
  CellSet solvedDone_;
  uint8_t lastScore_[81] = {};  // a visit scores at most 6 + 3 * 18
  uint32_t scoreSum_ = 0;       // of lastScore_, wrapping like every score
  bool changed_ = false;
};

void PassState::VisitSolved(int i, unsigned w) {
  const int r = kCellGeometry.row[i], c = kCellGeometry.column[i];
  RowChanged(r, ClearLineBut(rows_[r], c, w));
  ColumnChanged(c, ClearLineBut(columns_[c], r, w));
  // The box's other two rows, in the box's columns but c.
  const int r0 = kCellGeometry.boxRow[i];
  for (int pr = r0; pr < r0 + 3; ++pr) {
    if (pr != r) RowChanged(pr, ClearLanes(rows_[pr], detail::kLaneMasks.boxBut[c], w));
  }
  toVisit_.Remove(i);
  solvedDone_.Add(i);
}

uint32_t PassState::VisitOpen(int i, unsigned w) {
  const int r = kCellGeometry.row[i], c = kCellGeometry.column[i], r0 = kCellGeometry.boxRow[i], c0 = kCellGeometry.boxColumn[i];
  uint32_t score = 0;

  // Hidden singles; the mask accumulates over row, column and box, so the
  // later tests only confirm (or find) what no peer at all can take. Once
  // nothing is left, the later tests cannot find anything either.
  unsigned m = (~w & 0xFFFFu) | OrOfLineBut(rows_[r], c);
  for (int unit = 0;; ++unit) {
    const unsigned left = ~m & 0xFFFFu;
    if ((left & kAllCandidates) == 0) break;
    if (IsSolved(static_cast<CellWord>(left))) {
      Store(r, c, static_cast<CellWord>(left));
      score += 2;
    }
    if (unit == 2) break;
    m |= unit == 0 ? OrOfLineBut(columns_[c], r) : OrOfBoxBut(rows_, r, c, r0, c0);
  }

  // Naked subsets: when exactly n cells of a unit carry the same
  // n-candidate word, no other cell of the unit can take those digits.
  const CellWord v = At(r, c);
  const int n = CountCandidates(v);
  if (n < 2) return score;
  const uint32_t found = 2u * static_cast<uint32_t>(n);
  if (CountInLine(rows_[r], v) == n) {
    score += found;
    RowChanged(r, KeepOutOfLine(rows_[r], v));
  }
  if (CountInLine(columns_[c], v) == n) {
    score += found;
    ColumnChanged(c, KeepOutOfLine(columns_[c], v));
  }
  if (CountInBox(rows_, r0, c0, v) == n) {
    score += found;
    for (int rk = r0; rk < r0 + 3; ++rk) RowChanged(rk, KeepOutOfLanes(rows_[rk], detail::kLaneMasks.box[c], v));
  }
  return score;
}

void PassState::Visit(int i) {
  const unsigned w = At(kCellGeometry.row[i], kCellGeometry.column[i]);
  uint32_t score = 1;
  changed_ = false;
  if (IsSolved(static_cast<CellWord>(w))) {
    VisitSolved(i, w);
  } else {
    score = VisitOpen(i, w);
    // A change unsettles the changed cell's units, which hold this cell.
    if (!changed_) toVisit_.Remove(i);
  }
  scoreSum_ += score - lastScore_[i];
  lastScore_[i] = static_cast<uint8_t>(score);
}

uint32_t PassState::Pass(bool& changed) {
  bool any = false;
  for (int i = toVisit_.NextFrom(0); i < 81; i = toVisit_.NextFrom(i + 1)) {
    Visit(i);
    any = any || changed_;
  }
  changed = any;
  return scoreSum_;
}

bool PassState::Narrow(const Board& board) {
  int places[9];
  for (int r = 0; r < 9; ++r) {
    places[r] = NarrowedPlaces(rows_[r], board.data() + r * 9);
    if (places[r] < 0) return false;
  }
  for (int r = 0; r < 9; ++r) {
    for (unsigned hits = static_cast<unsigned>(places[r]); hits != 0; hits &= hits - 1) {
      const int c = std::countr_zero(hits);
      Put(r, c, board[r * 9 + c]);
      Changed(r * 9 + c);
    }
  }
  return true;
}

void PassState::Settle() {
  // Visits happen on a copy; one that changed a word is undone by copying
  // back, one that did not is kept.
  PassState trial = *this;
  for (int i = toVisit_.NextFrom(0); i < 81; i = toVisit_.NextFrom(i + 1)) {
    trial.Visit(i);
    if (trial.changed_) {
      trial = *this;
      continue;
    }
    toVisit_ = trial.toVisit_;
    solvedDone_ = trial.solvedDone_;
    lastScore_[i] = trial.lastScore_[i];
    scoreSum_ = trial.scoreSum_;
  }
}

namespace {

uint32_t PassesUntilSettled(PassState& state) {
  uint32_t total = 0;
  for (bool changed = true;;) {
    total += state.Pass(changed);
    if (!changed) return total;
    total <<= 1;
  }
}

}  // namespace

uint32_t PropagatePass(Board& board) {
  PassState state;
  state.Load(board);
  bool changed;
  const uint32_t score = state.Pass(changed);
  state.StoreTo(board);
  return score;
}

uint32_t LogicSolve(Board& board) {
  PassState state;
  state.Load(board);
  const uint32_t score = PassesUntilSettled(state);
  state.StoreTo(board);
  return score;
}

DeductionBase::DeductionBase() : state_(std::make_unique<PassState>()) {}
DeductionBase::~DeductionBase() = default;

DeductionBase& DeductionBase::operator=(const DeductionBase& other) {
  *state_ = *other.state_;
  return *this;
}

uint32_t DeductionBase::LogicSolveAndKeep(Board& board) {
  state_->Load(board);
  const uint32_t score = PassesUntilSettled(*state_);
  state_->StoreTo(board);
  return score;
}

void DeductionBase::Narrow(const Board& board) {
  if (!state_->Narrow(board)) state_->Load(board);
  state_->Settle();
}

uint32_t DeductionBase::LogicSolve(Board& board) const {
  PassState state = *state_;
  if (!state.Narrow(board)) state.Load(board);
  const uint32_t score = PassesUntilSettled(state);
  state.StoreTo(board);
  return score;
}

}  // namespace kx
