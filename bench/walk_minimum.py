#!/usr/bin/python3
# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT
"""The experiment of torumina-sim, vectorised with numpy, to time against it.

Each experiment tosses one fair coin per guest (+1 or -1 500-yen coin) and
records the lowest running balance after the first guest; the lowest
balances are counted in the 63 classes of the window's table and printed as
torumina-sim --format csv prints them, with the mean on standard error.

    /usr/bin/python3 bench/walk_minimum.py [--guests N] [--trials T] [--seed S]
"""

import argparse
import sys

import numpy as np

CLASS_COUNT = 63
# Experiments per block: 1000 x 1000 int16 balances stay within a few MB.
BLOCK = 1000


def label(cls):
    if cls == 1:
        return "～  -57"
    if cls == CLASS_COUNT:
        return "3  ～"
    return str(cls - 59)


def lowest_balances(rng, guests, trials):
    lows = np.empty(trials, dtype=np.int16)
    for start in range(0, trials, BLOCK):
        rows = min(BLOCK, trials - start)
        # One random bit per toss, the cheapest fair coin numpy offers.
        raw = np.frombuffer(rng.bytes(rows * ((guests + 7) // 8)), dtype=np.uint8)
        bits = np.unpackbits(raw.reshape(rows, -1), axis=1, count=guests)
        steps = bits.astype(np.int16)
        steps *= 2
        steps -= 1
        np.cumsum(steps, axis=1, dtype=np.int16, out=steps)
        lows[start:start + rows] = steps.min(axis=1)
    return lows


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--guests", type=int, default=100)
    parser.add_argument("--trials", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=None)
    args = parser.parse_args()
    if not 1 <= args.guests <= 1000 or not 1 <= args.trials <= 10000:
        parser.error("guests must lie in 1..1000 and trials in 1..10000")

    lows = lowest_balances(np.random.default_rng(args.seed), args.guests, args.trials)
    classes = np.clip(lows.astype(np.int32) + 59, 1, CLASS_COUNT)
    counts = np.bincount(classes, minlength=CLASS_COUNT + 1)
    lines = ["class,label,count"]
    lines += [f"{k},{label(k)},{counts[k]}" for k in range(1, CLASS_COUNT + 1)]
    print("\n".join(lines))
    print(f"mean {lows.mean():.4f}", file=sys.stderr)


if __name__ == "__main__":
    main()
