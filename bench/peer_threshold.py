#!/usr/bin/env python3
"""The numpy peer of the SpikeDet benchmark.

Finds the same spikes as the threshold detector on a raw float32 file: a
trigger is a sample at or above the threshold right after one below it (the
first sample never triggers); after a trigger no new one is taken until its
window is complete; a window that would run past the end is dropped.
Crossings are found vectorised; the dead time is applied to the crossings
only. Prints one JSON line: samples per second (process time, loading the
file not counted) and the spike count.
"""
import argparse
import json
import time

import numpy as np


def ticks(seconds, interval):
    return int(seconds / interval + 0.5)


def find_spikes(x, threshold, kept, window):
    below = x < threshold
    rising = np.flatnonzero(below[:-1] & ~below[1:]) + 1
    after_trigger = window - kept
    spikes = []
    next_allowed = 0
    for tick in rising.tolist():
        if tick < next_allowed:
            continue
        # Near the start the window begins at sample 0 and reaches further.
        window_end = max(tick, kept) + after_trigger
        if window_end > len(x):
            break
        spikes.append(tick)
        next_allowed = window_end
    return spikes


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("samples", help="raw float32 file")
    parser.add_argument("--rate", type=float, default=20000.0)
    parser.add_argument("--threshold", type=float, default=4.0)
    parser.add_argument("--pretrigger", type=float, default=0.0004)
    parser.add_argument("--total", type=float, default=0.0016)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--memmap", action="store_true",
                        help="map the file and count mapping and reading it in the time, as a program that "
                             "reads the file pays them")
    args = parser.parse_args()

    loaded = None if args.memmap else np.fromfile(args.samples, dtype="<f4")
    interval = 1.0 / args.rate
    window = max(ticks(args.total, interval), 1)
    kept = min(ticks(args.pretrigger, interval), window - 1)
    best = float("inf")
    spikes = []
    count = 0
    for _ in range(args.repeat):
        start = time.process_time()
        x = np.memmap(args.samples, dtype="<f4", mode="r") if args.memmap else loaded
        spikes = find_spikes(x, np.float32(args.threshold), kept, window)
        best = min(best, time.process_time() - start)
        count = len(x)
        del x
    print(json.dumps({"samples_per_second": count / best, "spikes": len(spikes)}))


if __name__ == "__main__":
    main()
