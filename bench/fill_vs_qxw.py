#!/usr/bin/env python3
"""Automatic filling, orvgrid against Qxw, on the shared benchmark grids.

Run by hand (not in CI), from a release build:

    bench/fill_vs_qxw.py --orvgrid build-rel/src/tools/orvgrid \\
        --dictionary Dicogrd.dat --words words.txt [--grids DIR] [--runs 3] [--limit 300]

`words.txt` is the plain list of the dictionary (`orvdico words Dicogrd.dat`): orvgrid reads
the dictionary, Qxw the same words as a plain list. Both tools must give distinct answers and
no word of one letter. Each grid is filled by one process at a time, `--runs` times per tool,
each run limited to `--limit` seconds (`--qxw-limit` may lower Qxw's); the median wall-clock
time of the whole process is reported, with the median CPU time (user + system) beside it.
Every output is checked here, independently of both tools: every slot a word of the list, no
word twice, black squares and fixed letters unchanged. Results are kept in a JSON file so that
one tool can be measured again without the other (`--only orvgrid`).
"""
import argparse
import json
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time


def read_grid(path):
    rows = [line.strip() for line in open(path) if line.strip()]
    return [list(r) for r in rows]


def slots_of(grid):
    """Maximal runs of two or more non-black cells, as lists of (row, col)."""
    n, m = len(grid), len(grid[0])
    runs = []
    for r in range(n):
        runs += runs_in([(r, c) for c in range(m)], grid)
    for c in range(m):
        runs += runs_in([(r, c) for r in range(n)], grid)
    return runs


def runs_in(cells, grid):
    out, cur = [], []
    for cell in cells + [None]:
        if cell is not None and grid[cell[0]][cell[1]] != '#':
            cur.append(cell)
        else:
            if len(cur) >= 2:
                out.append(cur)
            cur = []
    return out


def check(before, after, words):
    """The faults of a fill, empty when it is sound."""
    faults = []
    if after is None:
        return ['no grid']
    if len(after) != len(before) or any(len(a) != len(b) for a, b in zip(after, before)):
        return ['dimensions changed']
    for r, row in enumerate(before):
        for c, ch in enumerate(row):
            if ch != '.' and after[r][c] != ch:
                faults.append(f'cell {r + 1},{c + 1} changed')
            if ch != '#' and after[r][c] == '#':
                faults.append(f'cell {r + 1},{c + 1} became black')
    seen = set()
    for slot in slots_of(before):
        word = ''.join(after[r][c] for r, c in slot)
        if word not in words:
            faults.append(f'{word} not in the list')
        if word in seen:
            faults.append(f'{word} twice')
        seen.add(word)
    return faults


def timed(cmd, limit, cwd=None):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    try:
        p = subprocess.run(cmd, capture_output=True, text=True, timeout=limit, cwd=cwd)
        code, out = p.returncode, p.stdout
    except subprocess.TimeoutExpired:
        code, out = None, ''
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return code, out, wall, cpu


def run_orvgrid(args, grid_path, seed):
    code, out, wall, cpu = timed([args.orvgrid, 'fill', grid_path, '-d', args.dictionary,
                                  '--seed', str(seed), '--time-limit', str(args.limit)],
                                 args.limit + 30)
    grid = [list(line) for line in out.split()] if code == 0 else None
    return grid, wall, cpu


def run_qxw(args, grid_path, grid, tmp):
    n, m = len(grid), len(grid[0])
    slots = slots_of(grid)
    deck = os.path.join(tmp, 'deck.qxd')
    with open(deck, 'w') as f:
        f.write('.UNIQUE 1\n')
        for slot in slots:
            f.write(' '.join(str(r * m + c) for r, c in slot) + '\n')
    code, out, wall, cpu = timed([args.qxw, '-b', '-d', args.words, deck], args.qxw_limit)
    if code != 0:
        return None, wall, cpu
    filled = [row[:] for row in grid]
    answers = {}
    for line in out.splitlines():
        if line.startswith('W'):
            k, word = line[1:].split()
            answers[int(k)] = word
    for k, slot in enumerate(slots):
        word = answers.get(k, '')
        if len(word) != len(slot):
            return None, wall, cpu
        for (r, c), ch in zip(slot, word):
            filled[r][c] = ch
    return filled, wall, cpu


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument('--orvgrid', required=True)
    ap.add_argument('--qxw', default='/usr/games/qxw')
    ap.add_argument('--dictionary', required=True)
    ap.add_argument('--words', required=True)
    ap.add_argument('--grids', default=os.path.join(here, '..', '..', 'shared', 'bench', 'grids'))
    ap.add_argument('--runs', type=int, default=3)
    ap.add_argument('--limit', type=float, default=300)
    ap.add_argument('--qxw-limit', type=float, default=None)
    ap.add_argument('--only', choices=['orvgrid', 'qxw'])
    ap.add_argument('--grid', action='append', help='only these grids (names without .grid)')
    ap.add_argument('--results', default='fill_vs_qxw.json')
    args = ap.parse_args()
    args.qxw_limit = args.qxw_limit or args.limit
    words = set(w.strip() for w in open(args.words) if len(w.strip()) >= 2)
    results = json.load(open(args.results)) if os.path.exists(args.results) else {}
    names = sorted(f[:-5] for f in os.listdir(args.grids) if f.endswith('.grid'))
    if args.grid:
        names = [n for n in names if n in args.grid]
    with tempfile.TemporaryDirectory() as tmp:
        for name in names:
            path = os.path.join(args.grids, name + '.grid')
            grid = read_grid(path)
            for tool in ('orvgrid', 'qxw'):
                if args.only and tool != args.only:
                    continue
                runs = []
                for k in range(args.runs):
                    if tool == 'orvgrid':
                        filled, wall, cpu = run_orvgrid(args, path, k + 1)
                        limit = args.limit
                    else:
                        filled, wall, cpu = run_qxw(args, path, grid, tmp)
                        limit = args.qxw_limit
                    faults = check(grid, filled, words) if filled is not None else None
                    if faults:
                        print(f'{name} {tool}: FAULTY FILL: {faults[:5]}', file=sys.stderr)
                    ok = filled is not None and not faults
                    runs.append({'filled': ok, 'wall': wall, 'cpu': cpu, 'limit': limit})
                    print(f'{name} {tool} run {k + 1}: {"filled" if ok else "not filled"} '
                          f'{wall:.3f} s wall, {cpu:.3f} s CPU', file=sys.stderr, flush=True)
                results.setdefault(name, {})[tool] = runs
                json.dump(results, open(args.results, 'w'), indent=1)
    print_table(results, names)


def summary(runs):
    """Median wall and CPU time, or None when fewer than half the runs filled the grid."""
    if not runs:
        return None
    filled = sum(r['filled'] for r in runs)
    # An unfilled run counts as its limit: the median is then a lower bound.
    walls = [r['wall'] if r['filled'] else float('inf') for r in runs]
    cpus = [r['cpu'] if r['filled'] else float('inf') for r in runs]
    return statistics.median(walls), statistics.median(cpus), filled, len(runs), runs[0]['limit']


def cell(s):
    if s is None:
        return 'not run', None
    wall, cpu, filled, n, limit = s
    if wall == float('inf'):
        return f'not filled in {limit:.0f} s ({filled}/{n} filled)', None
    note = '' if filled == n else f' ({filled}/{n} filled)'
    return f'{wall:.3f} s ({cpu:.3f} s CPU){note}', wall


def print_table(results, names):
    print('| grid | orvgrid, median wall (CPU) | Qxw, median wall (CPU) | Qxw / orvgrid |')
    print('|---|---|---|---|')
    for name in names:
        r = results.get(name, {})
        o, ow = cell(summary(r.get('orvgrid')))
        q, qw = cell(summary(r.get('qxw')))
        if ow and qw:
            ratio = f'{qw / ow:.1f}'
        elif ow and r.get('qxw'):
            ratio = f'> {summary(r["qxw"])[4] / ow:.0f}'
        else:
            ratio = ''
        print(f'| {name} | {o} | {q} | {ratio} |')


if __name__ == '__main__':
    main()
