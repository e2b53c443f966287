#include "engine/bit_solver.h"

#include <bit>

#include "engine/cell_geometry.h"

namespace kx {

namespace {

// The cells of one digit, band by band: lane b holds rows 3b..3b+2 with
// bit (row % 3) * 9 + column, so cell i is bit i % 27 of lane i / 27.
// Lane 3 is always 0. Rows, columns and boxes are then shifts and masks
// of the band words, four lanes at a time.
using Bands = uint32_t __attribute__((vector_size(16)));
using Halves = uint64_t __attribute__((vector_size(16)));

constexpr uint32_t kRow = 0x1FF;
constexpr uint32_t kBand = 0x7FFFFFF;
// The three rows of a band spread to 10-bit fields: a guard bit above each
// field stops borrows when all three are tested at once.
constexpr uint32_t kFieldGuards = (1u << 9) | (1u << 19) | (1u << 29);
constexpr uint32_t kFieldLows = 1u | (1u << 10) | (1u << 20);
// One bit per box in a row of nine: the left column of each box.
constexpr uint32_t kBoxLefts = 0x49;

constexpr int kAllDigits = 0x1FF;
constexpr Bands kAllLanes = {~0u, ~0u, ~0u, 0};
constexpr Bands kAllCells = {kBand, kBand, kBand, 0};

inline bool Any(Bands v) {
  const Halves h = std::bit_cast<Halves>(v);
  return (h[0] | h[1]) != 0;
}

// The other lanes of a band word, turned so that lane b sees lane b+1 (b+2).
inline Bands NextBand(Bands v) { return __builtin_shufflevector(v, v, 1, 2, 0, 3); }
inline Bands BandAfterNext(Bands v) { return __builtin_shufflevector(v, v, 2, 0, 1, 3); }

// Repeats a 9-bit row pattern in all three rows of every band.
inline Bands AllRows(Bands row) { return row | (row << 9) | (row << 18); }

struct Tables {
  Bands cell[81];
  Bands peers[81];  // the 20 other cells of the row, the column and the box
};

Tables BuildTables() {
  Tables t{};
  for (int i = 0; i < 81; ++i) {
    t.cell[i][i / 27] = 1u << (i % 27);
    for (int j : kCellGeometry.peers[i]) t.peers[i][j / 27] |= 1u << (j % 27);
  }
  return t;
}

const Tables kTables = BuildTables();

struct Position {
  Bands digits[9];  // where each digit can still go; a placed digit keeps its cell
  Bands open;       // cells not placed yet
  // The placed digits as text, written as they are placed: a solution is
  // ready to hand out without reading it off the bit boards.
  PuzzleText text;
};

// Calls f(cell, half, bit) for every cell of the set, where bit `bit` of
// 64-bit half `half` of the band words is the cell; lanes 0 and 1 share the
// low half, where a bit at 32 or above is 5 more than its cell's index.
template <typename F>
inline void ForEachCell(Bands v, F f) {
  const Halves h = std::bit_cast<Halves>(v);
  for (uint64_t bits = h[0]; bits != 0; bits &= bits - 1) {
    const int bit = std::countr_zero(bits);
    f(bit - 5 * (bit >> 5), 0, bit);
  }
  for (uint64_t bits = h[1]; bits != 0; bits &= bits - 1) {
    const int bit = std::countr_zero(bits);
    f(54 + bit, 1, bit);
  }
}

// A mask test rather than a lane picked by a variable index, which would go
// through memory.
inline bool Has(Bands v, int cell) { return Any(v & kTables.cell[cell]); }

// The digits that can still go into the cell, bit d for digit d.
inline int Candidates(const Position& p, int cell) {
  int digits = 0;
  for (int d = 0; d < 9; ++d) digits |= static_cast<int>(Has(p.digits[d], cell)) << d;
  return digits;
}

// Puts the digit into an open cell, one of the cell's `candidates`, and
// takes it from the cell's peers. Returns the digits whose cells changed:
// the candidates, which lose the cell or (the digit) its peers.
inline int Place(Position& p, int digit, int cell, int candidates) {
  const Bands bit = kTables.cell[cell];
  for (Bands& d : p.digits) d &= ~bit;
  p.digits[digit] = (p.digits[digit] & ~kTables.peers[cell]) | bit;
  p.open &= ~bit;
  p.text[cell] = static_cast<char>('1' + digit);
  return candidates;
}

// Cells that are the only place left for a digit in some row, column or
// box; units where the digit has no place at all are added to `dead`.
inline Bands HiddenSingles(Bands m, Bands& dead) {
  const Bands spread = (m & kRow) | ((m & (kRow << 9)) << 1) | ((m & (kRow << 18)) << 2);
  // Taking 1 from a field borrows from its guard bit only when the field
  // is 0: the guard survives in rows with a place. A field ANDed with
  // itself less 1 loses its lowest bit, so the same test on that finds
  // the rows with two places or more.
  const Bands lessOne = (spread | kFieldGuards) - kFieldLows;
  const Bands someInRow = lessOne & kFieldGuards;
  const Bands severalInRow = (((spread & lessOne) | kFieldGuards) - kFieldLows) & kFieldGuards;
  dead |= kFieldGuards & ~someInRow;
  const Bands singleRows = someInRow & ~severalInRow;
  // A guard bit less the field's lowest bit (the guard shifted down by 9)
  // is the field's nine bits: the whole row where the digit has one place.
  const Bands inSingleRows = spread & (singleRows - (singleRows >> 9));
  Bands hidden = (inSingleRows & kRow) | ((inSingleRows >> 1) & (kRow << 9)) | ((inSingleRows >> 2) & (kRow << 18));

  // Fold each band's rows into "at least once" and "at least twice" per column.
  const Bands a = m & kRow, b = (m >> 9) & kRow, c = m >> 18;
  const Bands once = a | b | c;
  const Bands twice = (a & b) | (c & (a | b));

  const Bands once1 = NextBand(once), once2 = BandAfterNext(once);
  const Bands columnOnce = once | once1 | once2;
  const Bands columnTwice =
      twice | NextBand(twice) | BandAfterNext(twice) | (once & once1) | (once2 & (once | once1));
  dead |= kRow & ~columnOnce;
  hidden |= m & AllRows(columnOnce & ~columnTwice);

  const Bands left = once & kBoxLefts, middle = (once >> 1) & kBoxLefts, right = (once >> 2) & kBoxLefts;
  const Bands boxOnce = left | middle | right;
  const Bands boxTwice = ((twice | (twice >> 1) | (twice >> 2)) & kBoxLefts) | (left & middle) |
                         (right & (left | middle));
  dead |= kBoxLefts & ~boxOnce;
  const Bands singleBoxes = boxOnce & ~boxTwice;
  hidden |= m & AllRows(singleBoxes | (singleBoxes << 1) | (singleBoxes << 2));
  return hidden;
}

// Puts the digit into every cell of `cells` and takes it from their peers.
// False when a cell no longer has it: two of the cells see each other.
inline bool PlaceAll(Position& p, int digit, Bands cells) {
  Bands& m = p.digits[digit];
  bool fits = true;
  ForEachCell(cells, [&](int cell, int, int) {
    fits &= Has(m, cell);
    m &= ~kTables.peers[cell];
    p.text[cell] = static_cast<char>('1' + digit);
  });
  return fits;
}

// Places the naked singles, cell by cell rather than digit by digit: there
// are few of them, and which digits they hold is hard to predict. A naked
// single's cell is no other digit's place, so only the placed digits'
// boards change. Adds the digits that lost a place to `changed`; false
// when two of the cells see each other and hold the same digit.
inline bool PlaceNakedSingles(Position& p, Bands naked, int& changed) {
  // Each cell's digit in binary, bit k in plane k.
  Halves planes[4] = {};
  for (int d = 0; d < 9; ++d) {
    const Halves singles = std::bit_cast<Halves>(naked & p.digits[d]);
    for (int k = 0; k < 4; ++k) {
      if (d & (1 << k)) planes[k] |= singles;
    }
  }
  bool fits = true;
  ForEachCell(naked, [&](int cell, int half, int bit) {
    int digit = 0;
    for (int k = 0; k < 4; ++k) digit |= static_cast<int>((planes[k][half] >> bit) & 1) << k;
    Bands& m = p.digits[digit];
    fits &= Has(m, cell);
    const Bands lost = m & kTables.peers[cell];
    changed |= static_cast<int>(Any(lost)) << digit;
    m ^= lost;
    p.text[cell] = static_cast<char>('1' + digit);
  });
  p.open &= ~naked;
  return fits;
}

// Places naked and hidden singles until none is left. `changed` names the
// digits whose cells changed since the position was last settled: only
// they can hold new hidden singles. False on a contradiction: an open cell
// without candidates, a unit without a place for some digit, or two singles
// that exclude each other. Naked singles are placed first, pass after
// pass, as they are cheap to find; the units are read only when none is
// left, and only for the digits changed since they were last read. Every
// order of placing forced digits ends in the same position or the same
// contradiction.
bool Propagate(Position& p, int changed) {
  for (;;) {
    Bands one{}, two{};
    for (const Bands& d : p.digits) {
      const Bands m = d & p.open;
      two |= one & m;
      one |= m;
    }
    // Lane 3 holds no cells, so nothing there counts.
    if (Any(p.open & ~one)) return false;
    const Bands naked = one & ~two;

    if (Any(naked)) {
      if (!PlaceNakedSingles(p, naked, changed)) return false;
      // Every placement fitted: a full board is a solution.
      if (!Any(p.open)) return true;
      continue;
    }
    if (changed == 0) return true;

    Bands dead{}, clash{}, placed{}, placedAs[9];
    const int searched = changed;
    for (int left = searched; left != 0; left &= left - 1) {
      const int d = std::countr_zero(static_cast<unsigned>(left));
      const Bands singles = HiddenSingles(p.digits[d], dead) & p.open;
      clash |= singles & placed;
      placed |= singles;
      placedAs[d] = singles;
    }
    // Lane 3's rows, columns and boxes always look dead.
    if (Any((dead & kAllLanes) | clash)) return false;
    if (!Any(placed)) return true;

    changed = 0;
    for (int d = 0; d < 9; ++d) {
      Bands& m = p.digits[d];
      const Bands before = m;
      // A digit's hidden singles are among its places: they stay.
      m &= ~placed;
      if (searched & (1 << d)) {
        m |= placedAs[d];
        if (!PlaceAll(p, d, placedAs[d])) return false;
      }
      changed |= static_cast<int>(Any(m ^ before)) << d;
    }
    p.open &= ~placed;
    if (!Any(p.open)) return true;
  }
}

int FirstCell(Bands v) {
  for (int lane = 0; lane < 3; ++lane) {
    if (v[lane] != 0) return lane * 27 + std::countr_zero(v[lane]);
  }
  return -1;
}

// The open cell to guess in: one with the fewest candidates among two,
// three and more.
int BranchCell(const Position& p) {
  Bands one{}, two{}, three{}, four{};
  for (const Bands& d : p.digits) {
    const Bands m = d & p.open;
    four |= three & m;
    three |= two & m;
    two |= one & m;
    one |= m;
  }
  if (Bands pair = two & ~three; Any(pair)) return FirstCell(pair);
  if (Bands triple = three & ~four; Any(triple)) return FirstCell(triple);
  return FirstCell(p.open);
}

// Depth-first search; `sink` is told of every solution and returns false
// to stop. Returns false once stopped.
template <typename Sink>
bool Search(Position& p, int changed, int depth, Sink& sink) {
  if (!Propagate(p, changed)) return true;
  if (!Any(p.open)) return sink(p, depth);
  const int cell = BranchCell(p);
  const int candidates = Candidates(p, cell);
  int left = candidates;
  for (;;) {
    const int digit = std::countr_zero(static_cast<unsigned>(left));
    left &= left - 1;
    // The last candidate needs no copy.
    if (left == 0) return Search(p, Place(p, digit, cell, candidates), depth + 1, sink);
    Position child = p;
    if (!Search(child, Place(child, digit, cell, candidates), depth + 1, sink)) return false;
  }
}

// The clues placed on an empty board; false when two of them clash.
bool Start(const PuzzleText& puzzle, Position& p) {
  for (Bands& d : p.digits) d = kAllCells;
  p.open = kAllCells;
  p.text.fill(' ');
  for (int i = 0; i < 81; ++i) {
    const char c = puzzle[i];
    if (c < '1' || c > '9') continue;
    const int candidates = Candidates(p, i);
    if (!(candidates & (1 << (c - '1')))) return false;
    Place(p, c - '1', i, candidates);
  }
  return true;
}

}  // namespace

uint64_t CountSolutions(const PuzzleText& puzzle, uint64_t limit) {
  uint64_t count = 0;
  Position p;
  if (limit == 0 || !Start(puzzle, p)) return 0;
  auto sink = [&](const Position&, int) { return ++count < limit; };
  Search(p, kAllDigits, 0, sink);
  return count;
}

bool FindFirstSolution(const PuzzleText& puzzle, PuzzleText& solution) {
  bool found = false;
  Position p;
  if (!Start(puzzle, p)) return false;
  auto sink = [&](const Position& s, int) {
    solution = s.text;
    found = true;
    return false;
  };
  Search(p, kAllDigits, 0, sink);
  return found;
}

uint64_t ForEachSolution(const PuzzleText& puzzle, SolutionVisitor& visitor) {
  uint64_t count = 0;
  Position p;
  if (!Start(puzzle, p)) return 0;
  auto sink = [&](const Position& s, int depth) {
    ++count;
    return visitor.Visit(s.text, depth);
  };
  Search(p, kAllDigits, 0, sink);
  return count;
}

}  // namespace kx
