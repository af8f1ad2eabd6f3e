#!/usr/bin/env python3
"""The scipy peer of the filter benchmark (FilterBench.cpp).

Builds the same hour of samples at 20 kHz (a 2048 offset, a slow staircase
and pseudo-random noise), then filters it with the same Butterworth
cascade (a high-pass at 300 Hz and a low-pass at 3000 Hz, order 2 each):
zero-phase with sosfiltfilt and causal with sosfilt. Prints one JSON line
of samples per second (process time, making the samples not counted).
"""
import json
import time

import numpy as np
from scipy import signal

RATE = 20000.0
TICKS = 3600 * 20000


def hour():
    t = np.arange(TICKS, dtype=np.uint32)
    noise = (t * np.uint32(2654435761)) >> np.uint32(24)
    return (2048.0 + ((t // 400) % 50) + noise / 16.0).astype(np.float32)


def rate(run, x):
    start = time.process_time()
    run(x)
    return TICKS / (time.process_time() - start)


def main():
    x = hour()
    sos = np.vstack([signal.butter(2, 300, 'high', fs=RATE, output='sos'),
                     signal.butter(2, 3000, 'low', fs=RATE, output='sos')])
    zero_phase = rate(lambda v: signal.sosfiltfilt(sos, v), x)
    causal = rate(lambda v: signal.sosfilt(sos, v), x)
    print(json.dumps({"zero_phase": zero_phase, "causal": causal}))


if __name__ == "__main__":
    main()
