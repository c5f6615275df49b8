#!/usr/bin/env python3
"""Automatic filling by a SAT solver (CaDiCaL, Debian package `cadical`), for comparison.

Run by hand (not in CI):

    bench/sat_fill.py --words words.txt [--solver cadical] [--limit 300] GRID.grid...

Each grid (one line per row, '#' black, '.' empty, letters kept) becomes a CNF formula:
one variable per cell and letter (exactly one letter per cell), one per slot and word of
its length that fits its letters (at least one word per slot, a word sets its letters, a
letter in a cell needs a word of each of the cell's slots that has it there). The same
word in two slots is refused afterwards: the formula is solved again with that pair
forbidden, until the fill has no word twice. Printed per grid: the formula's size, the
time to write it, the solver's CPU time (user + system of its process), and whether it
filled the grid; every fill is checked here (every slot a word of the list, no word twice).
"""
import argparse
import os
import resource
import subprocess
import sys
import tempfile
import time


def read_grid(path):
    return [list(line.strip()) for line in open(path) if line.strip()]


def slots_of(grid):
    n, m = len(grid), len(grid[0])
    lines = [[(r, c) for c in range(m)] for r in range(n)]
    lines += [[(r, c) for r in range(n)] for c in range(m)]
    out = []
    for line in lines:
        run = []
        for cell in line + [None]:
            if cell is not None and grid[cell[0]][cell[1]] != '#':
                run.append(cell)
            else:
                if len(run) >= 2:
                    out.append(run)
                run = []
    return out


class Formula:
    def __init__(self):
        self.count = 0
        self.clauses = []

    def var(self):
        self.count += 1
        return self.count


def encode(grid, slots, by_length):
    f = Formula()
    cells = sorted({cell for slot in slots for cell in slot})
    letter = {cell: [f.var() for _ in range(26)] for cell in cells}
    f.letters = letter
    for cell in cells:
        xs = letter[cell]
        fixed = grid[cell[0]][cell[1]]
        if fixed != '.':
            f.clauses.append([xs[ord(fixed) - 65]])
        f.clauses.append(xs[:])
        for i in range(26):
            for j in range(i + 1, 26):
                f.clauses.append([-xs[i], -xs[j]])
    words = []  # per slot: list of (variable, word)
    for slot in slots:
        pattern = [grid[r][c] for r, c in slot]
        fits = [w for w in by_length.get(len(slot), [])
                if all(p == '.' or p == ch for p, ch in zip(pattern, w))]
        ws = [(f.var(), w) for w in fits]
        words.append(ws)
        f.clauses.append([v for v, _ in ws])
        support = {}
        for v, w in ws:
            for cell, ch in zip(slot, w):
                x = letter[cell][ord(ch) - 65]
                f.clauses.append([-v, x])
                support.setdefault(x, []).append(v)
        for cell in slot:
            for x in letter[cell]:
                f.clauses.append([-x] + support.get(x, []))
    return f, words


def solve(f, solver, limit, tmp):
    path = os.path.join(tmp, 'fill.cnf')
    with open(path, 'w') as out:
        out.write(f'p cnf {f.count} {len(f.clauses)}\n')
        out.writelines(' '.join(map(str, c)) + ' 0\n' for c in f.clauses)
    # The limit is on the solver's CPU time, so that a loaded machine does not cut it short.
    seconds = max(1, int(limit))

    def cpu_limit():
        resource.setrlimit(resource.RLIMIT_CPU, (seconds, seconds + 5))

    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    p = subprocess.run([solver, '-q', path], capture_output=True, text=True, preexec_fn=cpu_limit)
    text = p.stdout
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    if 's SATISFIABLE' not in text:
        return None, cpu, 's UNSATISFIABLE' in text
    true = set()
    for line in text.splitlines():
        if line.startswith('v '):
            true.update(int(t) for t in line[2:].split() if int(t) > 0)
    return true, cpu, False


def letter_of(f, true, grid):
    """The grid the solver's letters make."""
    filled = [row[:] for row in grid]
    for (r, c), xs in f.letters.items():
        filled[r][c] = next(chr(65 + i) for i, x in enumerate(xs) if x in true)
    return filled


def sound(grid, slots, filled, by_length):
    """Every slot a word of the list, no word twice, the grid's letters kept."""
    words = {w for ws in by_length.values() for w in ws}
    read = [''.join(filled[r][c] for r, c in slot) for slot in slots]
    kept = all(grid[r][c] in '.#' or grid[r][c] == filled[r][c]
               for r in range(len(grid)) for c in range(len(grid[0])))
    return kept and all(w in words for w in read) and len(set(read)) == len(read)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument('--words', required=True)
    ap.add_argument('--solver', default='cadical')
    ap.add_argument('--limit', type=float, default=300, help='CPU seconds of the solver per grid')
    ap.add_argument('grids', nargs='+')
    args = ap.parse_args()
    by_length = {}
    for w in open(args.words):
        w = w.strip()
        if len(w) >= 2 and w.isalpha() and w.isupper():
            by_length.setdefault(len(w), []).append(w)
    print('| grid | variables | clauses | encoding s | solver CPU s | result |')
    print('|---|---|---|---|---|---|')
    with tempfile.TemporaryDirectory() as tmp:
        for path in args.grids:
            grid = read_grid(path)
            slots = slots_of(grid)
            start = time.process_time()
            f, words = encode(grid, slots, by_length)
            encoding = time.process_time() - start
            size = (f.count, len(f.clauses))
            cpu_total, result = 0.0, 'not filled'
            while True:
                true, cpu, unsat = solve(f, args.solver, args.limit - cpu_total, tmp)
                cpu_total += cpu
                if true is None:
                    result = ('proved impossible' if unsat
                              else f'not filled in {args.limit:.0f} s CPU')
                    break
                chosen = [next((v, w) for v, w in ws if v in true) for ws in words]
                seen, twice = {}, None
                for k, (v, w) in enumerate(chosen):
                    if w in seen:
                        twice = (seen[w], k)
                        break
                    seen[w] = k
                if twice is None:
                    result = 'filled, checked' if sound(grid, slots, letter_of(f, true, grid),
                                                        by_length) else 'FAULTY FILL'
                    break
                a, b = twice
                f.clauses.append([-chosen[a][0], -chosen[b][0]])
            name = os.path.basename(path)
            print(f'| {name} | {size[0]} | {size[1]} | {encoding:.1f} | {cpu_total:.2f} | '
                  f'{result} |', flush=True)


if __name__ == '__main__':
    sys.exit(main())
