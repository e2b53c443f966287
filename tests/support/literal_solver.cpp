#include "literal_solver.h"

#include <bit>
#include <cstdio>
#include <vector>

namespace kx::test {

namespace {

bool Single(unsigned word) { return std::popcount(word & 0x3FEu) == 1; }
int Count(unsigned word) { return std::popcount(word & 0x3FEu); }

void UnitCells(int i, int (&row)[9], int (&column)[9], int (&box)[9]) {
  const int r0 = i / 9 * 9, c = i % 9, o = (i / 27) * 27 + ((i % 9) / 3) * 3;
  for (int k = 0; k < 9; ++k) {
    row[k] = r0 + k;
    column[k] = c + 9 * k;
    box[k] = o + (k / 3) * 9 + k % 3;
  }
}

// Walks bits 0..15 upward to the n-th set bit.
int NthBit(unsigned word, unsigned n) {
  for (int bit = 0; bit < 16; ++bit) {
    if (((word >> bit) & 1u) && --n == 0) return bit;
  }
  return -1;
}

void RemoveNth(CellWord& word, unsigned n) {
  const int bit = n == 0 ? -1 : NthBit(word, n);
  if (bit >= 0) word = static_cast<CellWord>(word & ~(1u << bit));
}

void KeepNth(CellWord& word, unsigned n) {
  const int bit = n == 0 ? -1 : NthBit(word, n);
  if (bit >= 0) word = static_cast<CellWord>(1u << bit);
}

void ToBoard(const PuzzleText& text, Board& board) {
  for (int i = 0; i < 81; ++i) {
    const char c = text[i];
    board[i] = c >= '1' && c <= '9' ? static_cast<CellWord>(1u << (c - '0')) : 0x3FE;
  }
}

void ToText(const Board& board, PuzzleText& text) {
  for (int i = 0; i < 81; ++i) {
    text[i] = Single(board[i]) ? static_cast<char>('0' + std::countr_zero(board[i] & 0x3FEu)) : ' ';
  }
}

void AppendGrid(std::string& file, const PuzzleText& text) {
  file += "\r\n";
  for (int row = 0; row < 9; ++row) {
    for (int group = 0; group < 3; ++group) {
      for (int k = 0; k < 3; ++k) {
        const char c = text[row * 9 + group * 3 + k];
        file += c >= '1' && c <= '9' ? c : '-';
      }
      file += ' ';
    }
    file += "\r\n";
    if (row % 3 == 2) file += "\r\n";
  }
  file += "-----------\r\n";
}

void AppendQuoted(std::string& log, const PuzzleText& text) {
  log += '"';
  log.append(text.begin(), text.end());
  log += "\"\r\n";
}

int NextCellWithChoices(const Board& board, int from) {
  for (int i = from; i <= 80; ++i) {
    if (Count(board[i]) >= 2) return i;
  }
  return -1;
}

struct Frame {
  Board cells;
  unsigned branch, count, remaining;
};

}  // namespace

uint32_t LiteralPass(Board& b) {
  uint32_t score = 0;
  for (int i = 0; i < 81; ++i) {
    int row[9], column[9], box[9];
    UnitCells(i, row, column, box);
    const int* units[3] = {row, column, box};
    const unsigned w = b[i];
    if (Single(w)) {
      score += 1;
      for (const int* unit : units) {
        for (int k = 0; k < 9; ++k) b[unit[k]] = static_cast<CellWord>(b[unit[k]] & ~w);
      }
      b[i] = static_cast<CellWord>(w);
      continue;
    }
    unsigned m = ~w & 0xFFFFu;
    for (const int* unit : units) {
      for (int k = 0; k < 9; ++k) {
        if (unit[k] != i) m |= b[unit[k]];
      }
      const unsigned complement = ~m & 0xFFFFu;
      if (Single(complement)) {
        b[i] = static_cast<CellWord>(complement);
        score += 2;
      }
    }
    const CellWord v = b[i];
    const int n = Count(v);
    if (n < 2) continue;
    for (const int* unit : units) {
      int same = 0;
      for (int k = 0; k < 9; ++k) same += b[unit[k]] == v;
      if (same != n) continue;
      score += 2 * static_cast<uint32_t>(n);
      for (int k = 0; k < 9; ++k) {
        if (b[unit[k]] != v) b[unit[k]] = static_cast<CellWord>(b[unit[k]] & ~v);
      }
    }
  }
  return score;
}

uint32_t LiteralLogicSolve(Board& board) {
  uint32_t total = 0;
  for (;;) {
    const Board copy = board;
    total += LiteralPass(board);
    if (board == copy) return total;
    total <<= 1;
  }
}

CheckResult LiteralCheckBoard(const Board& board) {
  CheckResult sum = 0;
  for (int i = 0; i < 81; ++i) {
    if (!Single(board[i])) sum += 1;
    if (board[i] == 0) sum += 0x1000000;
  }
  for (int u = 0; u < 27; ++u) {
    int cells[9];
    for (int k = 0; k < 9; ++k) {
      if (u < 9) cells[k] = u * 9 + k;
      else if (u < 18) cells[k] = (u - 9) + 9 * k;
      else cells[k] = ((u - 18) / 3) * 27 + ((u - 18) % 3) * 3 + (k / 3) * 9 + k % 3;
    }
    unsigned mask = 0, all = 0;
    for (int cell : cells) {
      all |= board[cell];
      if (!Single(board[cell])) continue;
      const unsigned digit = board[cell] & 0x3FEu;
      if (mask & digit) sum += 0x100;
      mask |= digit;
    }
    if (all != 0x3FE) sum += 0x10000;
  }
  return sum;
}

LiteralRun LiteralSolvePuzzle(const PuzzleText& in, uint64_t wanted, uint64_t maximum, bool logMode) {
  LiteralRun run;
  if (wanted > maximum) wanted = maximum;
  uint32_t score = 0, result = 0, guesses = 0;
  bool dead = false, solved = false;
  int depth = 0, probe = 0, probeCandidate = 0;
  std::vector<Frame> stack;  // empty: no guess stack yet
  std::vector<Board> ring(16, Board{});
  int ringNext = 0;
  CheckResult c = 0;
  Board w, resultBoard{};
  bool haveResult = false;
  PuzzleText text;

  // 3, 4
  ToBoard(in, w);
  if (logMode) {
    run.log += "\r\nInit-Sudoko:\r\n";
    AppendQuoted(run.log, in);
    run.log += "Solutions:\r\n";
  }
  // 5, 6
  if (LiteralCheckBoard(w) & 0xFFFFFF00u) goto step26;
  run.currentSolutionFile = "\r\nZu lösendes Sudoko:\r\n";
  AppendGrid(*run.currentSolutionFile, in);

step7:
  score += LiteralLogicSolve(w);
  c = LiteralCheckBoard(w);
  solved = c == 0;
  if (solved) {  // 8
    guesses = 0;
    bool repeat = false;
    for (const Board& seen : ring) repeat = repeat || seen == w;
    if (!repeat) {
      ring[ringNext] = w;
      ringNext = (ringNext + 1) % 16;
      ++run.solutionCount;
      if (run.solutionCount <= 10) {
        ToText(w, text);
        AppendGrid(*run.currentSolutionFile, text);
      }
      if (logMode) {
        ToText(w, text);
        char prefix[24];
        std::snprintf(prefix, sizeof prefix, "%016llX : ", static_cast<unsigned long long>(run.solutionCount));
        run.log += prefix;
        AppendQuoted(run.log, text);
      }
      if (run.solutionCount == wanted || run.solutionCount == 1) {
        result = score;
        resultBoard = w;
        haveResult = true;
      }
      if (run.solutionCount >= maximum || stack.empty()) goto step26;
      score = 0;
    }
  }
  // 9, 10
  if (run.solutionCount >= maximum && (solved || guesses >= 500000)) goto step26;
  score += 50000;
  guesses += 1;
  // 11
  if (stack.empty()) {
    stack.resize(83);
    depth = 1;
    stack[0].cells = w;
    stack[1].cells = w;
    probe = NextCellWithChoices(w, 0);
    if (probe < 0) goto step26;
    probeCandidate = Count(w[probe]);
    stack[0].branch = static_cast<unsigned>(probe);
    stack[0].count = stack[0].remaining = static_cast<unsigned>(probeCandidate);
    stack[1].branch = 0xFFFF;
    stack[1].count = stack[1].remaining = 0;
    KeepNth(w[probe], static_cast<unsigned>(probeCandidate));
    goto step7;
  }
  // 12, 13, 14
  if (c & 0x00FF0000u) {
    RemoveNth(stack[depth].cells[probe], static_cast<unsigned>(probeCandidate));
    if (stack[depth].cells[probe] == 0) dead = true;
  }
  if (dead) goto step18;
  w = stack[depth].cells;

step15:
  probeCandidate -= 1;
  if (probeCandidate < 1) {
    const int next = NextCellWithChoices(w, probe + 1);
    if (next >= 0) {
      probe = next;
      probeCandidate = Count(w[next]);
    } else {
      probeCandidate = 0;
    }
  }
  if (probeCandidate == 0) goto step18;  // 16

step17:
  KeepNth(w[probe], static_cast<unsigned>(probeCandidate));
  c = LiteralCheckBoard(w);
  if ((c & 0x0000FF00u) == 0) goto step7;
  RemoveNth(stack[depth].cells[probe], static_cast<unsigned>(probeCandidate));
  w[probe] = stack[depth].cells[probe];
  if (w[probe] != 0) goto step15;

step18:
  if (depth <= 0) goto step26;
  {
    Frame& f = stack[depth];
    int branch = f.branch > 80 ? -1 : static_cast<int>(f.branch);  // 19
    unsigned count = f.count, remaining = f.remaining;
    if (!dead) {  // 20
      for (CellWord cell : f.cells) dead = dead || cell == 0;
    }
    if (dead) {  // 21
      depth -= 1;
      if (stack[depth].remaining != 0) dead = false;
      goto step18;
    }
    if (remaining == 0) {  // 22
      branch = NextCellWithChoices(f.cells, branch + 1);
      if (branch < 0) {
        depth -= 1;
        if (stack[depth].remaining == 0) dead = true;
        goto step18;
      }
      count = remaining = static_cast<unsigned>(Count(f.cells[branch]));
    }
    w = f.cells;  // 23
    KeepNth(w[branch], remaining);
    remaining -= 1;
    f.branch = static_cast<unsigned>(branch);
    f.count = count;
    f.remaining = remaining;
    c = LiteralCheckBoard(w);
    if (c & 0xFFFF0000u) {
      RemoveNth(f.cells[branch], remaining + 1);
      goto step18;
    }
    // 24 has no effect without a window. 25:
    depth += 1;
    stack.at(static_cast<size_t>(depth)).cells = w;
    const int next = NextCellWithChoices(stack[depth].cells, branch + 1);
    if (next < 0) {
      depth -= 1;
      goto step18;
    }
    probe = next;
    probeCandidate = Count(stack[depth].cells[next]);
    stack[depth].branch = static_cast<unsigned>(probe - 1);
    stack[depth].count = 0;
    stack[depth].remaining = 0;
    goto step17;
  }

step26:
  if (run.solutionCount == 0) {
    run.beeped = true;
    if (logMode) run.log += "Widersprüchliche Definitionen. N i c h t  l ö s b a r !!!!!!\r\n";
    result = 0xFFFFFFFF;
  }
  // Without a counted solution the program hands back the input board.
  if (!haveResult) ToBoard(in, resultBoard);
  ToText(resultBoard, run.out);
  run.result = result;
  return run;
}

}  // namespace kx::test
