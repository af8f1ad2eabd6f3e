#!/usr/bin/env python3
"""The numpy peer of the correlogram benchmark.

Reads the trains CorrelogramBench writes (one "train<TAB>time" line per
event; train 0 the unit's spikes, train 1 the reference events) and counts
the classic sorted-train correlograms: for each reference, searchsorted finds
the spikes with lags in [-window, window), all lags are gathered in one
vector, and bincount bins them. The autocorrelogram leaves out each spike's
pairing with itself. Prints one JSON line: the best process time of a few
runs of each correlogram (reading the file not counted) and its lag count.
"""
import argparse
import json
import time

import numpy as np


def correlogram(spikes, references, window, bin_size, skip_self):
    """Counts of the lags spikes - references in [-window, window)."""
    first = np.searchsorted(spikes, references - window, side="left")
    end = np.searchsorted(spikes, references + window, side="left")
    counts = end - first
    owner = np.repeat(np.arange(len(references)), counts)
    starts = np.repeat(first - (np.cumsum(counts) - counts), counts)
    partner = starts + np.arange(counts.sum())
    if skip_self:
        keep = partner != owner
        owner = owner[keep]
        partner = partner[keep]
    lags = spikes[partner] - references[owner]
    bins = int(round(2 * window / bin_size))
    index = np.minimum(np.floor((lags + window) / bin_size).astype(np.int64), bins - 1)
    return np.bincount(index, minlength=bins)


def best_time(run, repeats):
    best = float("inf")
    result = None
    for _ in range(repeats):
        start = time.process_time()
        result = run()
        best = min(best, time.process_time() - start)
    return best, result


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("trains")
    parser.add_argument("--window", type=float, default=0.1)
    parser.add_argument("--bin", type=float, default=0.001)
    parser.add_argument("--repeats", type=int, default=5)
    args = parser.parse_args()

    table = np.loadtxt(args.trains)
    spikes = np.sort(table[table[:, 0] == 0, 1])
    references = np.sort(table[table[:, 0] == 1, 1])

    auto_seconds, auto = best_time(lambda: correlogram(spikes, spikes, args.window, args.bin, True), args.repeats)
    cross_seconds, cross = best_time(
        lambda: correlogram(spikes, references, args.window, args.bin, False), args.repeats)
    print(json.dumps({
        "auto": {"seconds": auto_seconds, "lags": int(auto.sum())},
        "cross": {"seconds": cross_seconds, "lags": int(cross.sum())},
    }))


if __name__ == "__main__":
    main()
