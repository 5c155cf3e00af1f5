#!/usr/bin/python3
# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT
"""The fastest numpy version of the engine's run we know, timed in-process.

Random bits are drawn 64 at a time, cut into 16-guest words and walked, all
experiments at once, through two lookup tables indexed by a word: the sum of
its 16 steps and the lowest balance within it. The lowest balances are counted
in the 63 classes of the window's table and printed as torumina-sim --format
csv prints them; the mean and the timings go to standard error.

    /usr/bin/python3 bench/walk_lookup.py [--guests N] [--trials T] [--seed S] [--repeat R]
"""

import argparse
import sys
import time

import numpy as np

# The same table as the plain script prints, captions and all.
from walk_minimum import CLASS_COUNT, label

WORD = 16


def tables(bits):
    """Sum and lowest prefix of the first `bits` steps of every 16-bit word, bit k = guest k."""
    words = np.arange(1 << WORD)
    total = np.zeros(1 << WORD, dtype=np.int16)
    lowest = np.full(1 << WORD, np.iinfo(np.int16).max, dtype=np.int16)
    for k in range(bits):
        total += ((words >> k) & 1).astype(np.int16) * 2 - 1
        np.minimum(lowest, total, out=lowest)
    return total, lowest


FULL = tables(WORD)


def run(rng, guests, trials, last):
    words = (guests + WORD - 1) // WORD
    raw = rng.bit_generator.random_raw((words * trials + 3) // 4).view(np.uint16)
    walk = raw[:words * trials].reshape(words, trials)
    balance = np.zeros(trials, dtype=np.int16)
    lowest = np.full(trials, np.iinfo(np.int16).max, dtype=np.int16)
    reached = np.empty(trials, dtype=np.int16)
    step = np.empty(trials, dtype=np.int16)
    for j, word in enumerate(walk):
        total, low = FULL if j + 1 < words else last
        np.take(low, word, out=reached)
        reached += balance
        np.minimum(lowest, reached, out=lowest)
        np.take(total, word, out=step)
        balance += step
    classes = np.clip(lowest.astype(np.int32) + 59, 1, CLASS_COUNT)
    return np.bincount(classes, minlength=CLASS_COUNT + 1), lowest.mean()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--guests", type=int, default=100)
    parser.add_argument("--trials", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--repeat", type=int, default=1, help="runs to time")
    args = parser.parse_args()
    if not 1 <= args.guests <= 1000 or not 1 <= args.trials <= 10000 or args.repeat < 1:
        parser.error("guests must lie in 1..1000, trials in 1..10000, repeat be at least 1")

    rng = np.random.default_rng(args.seed)
    last = tables(args.guests % WORD or WORD)
    wall, cpu = [], []
    for _ in range(args.repeat):
        w, c = time.perf_counter(), time.process_time()
        counts, mean = run(rng, args.guests, args.trials, last)
        cpu.append(time.process_time() - c)
        wall.append(time.perf_counter() - w)
    lines = ["class,label,count"]
    lines += [f"{k},{label(k)},{counts[k]}" for k in range(1, CLASS_COUNT + 1)]
    print("\n".join(lines))
    print(f"mean {mean:.4f}", file=sys.stderr)
    for name, times in (("wall", wall), ("cpu", cpu)):
        ms = np.array(times) * 1e3
        print(f"{name} ms over {args.repeat} runs: min {ms.min():.3f} median {np.median(ms):.3f}",
              file=sys.stderr)


if __name__ == "__main__":
    main()
