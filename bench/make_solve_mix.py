#!/usr/bin/env python3
"""Builds bench/data/solve_mix.txt from the shared benchmark sets: easy to
expert puzzles, puzzles that need guessing, and a few ambiguous and
contradictory ones made from them (fixed choices, so the file is stable)."""
import pathlib
import sys

shared = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "../shared/bench")
out = pathlib.Path(__file__).parent / "data" / "solve_mix.txt"

mixed = [l.strip() for l in open(shared / "qqwing_mixed1000.txt") if len(l.strip()) == 81]
hard = [l.strip() for l in open(shared / "hard200.txt") if len(l.strip()) == 81]

lines = ["# 700 qqwing-class puzzles (simple..expert), 200 that need guessing,",
         "# 50 ambiguous (clues removed), 50 contradictory (a clue repeated in its row)"]
lines += mixed[::10][:100] + [p for i, p in enumerate(mixed) if i % 10 != 0][:600]
lines += hard
for p in mixed[1::20][:50]:
    clues = [i for i, c in enumerate(p) if c != "."]
    q = list(p)
    for i in clues[:6]:
        q[i] = "."
    lines.append("".join(q))
for p in mixed[2::20][:50]:
    q = list(p)
    row = next(r for r in range(9) if sum(c != "." for c in p[r * 9:r * 9 + 9]) >= 1)
    digits = [i for i in range(row * 9, row * 9 + 9) if q[i] != "."]
    blanks = [i for i in range(row * 9, row * 9 + 9) if q[i] == "."]
    q[blanks[0]] = q[digits[0]]
    lines.append("".join(q))
out.write_text("\n".join(lines) + "\n")
print(f"{out}: {len(lines) - 2} puzzles")
