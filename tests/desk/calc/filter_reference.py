#!/usr/bin/env python3
"""Prints the scipy.signal numbers FilterTest.cpp checks the filter against.

An independent computation of the same Butterworth designs: a high-pass at
LOW cascaded with a low-pass at HIGH, each of the order given, applied
zero-phase (sosfiltfilt without padding) and causally (sosfilt starting in
the steady state of the first sample). Run it to regenerate the constants.
"""
import numpy as np
from scipy import signal

FS = 20000.0


def cascade(low, high, order):
    return np.vstack([signal.butter(order, low, 'high', fs=FS, output='sos'),
                      signal.butter(order, high, 'low', fs=FS, output='sos')])


def main():
    band = cascade(300, 3000, 2)
    _, h = signal.sosfreqz(band, worN=[100, 300, 1000, 3000, 6000], fs=FS)
    print('magnitude 300-3000 order 2:', [repr(float(abs(x))) for x in h])
    _, delay = signal.group_delay(signal.sos2tf(band), w=[1000], fs=FS)
    print('group delay at 1 kHz (ticks):', repr(float(delay[0])))

    n = np.arange(2000)
    x = (100.0 + 3.0 * np.sin(2 * np.pi * 50 * n / FS) + np.sin(2 * np.pi * 1100 * n / FS + 0.3)
         + (n >= 700) * 2.0).astype(np.float32).astype(np.float64)
    ticks = [0, 1, 10, 503, 699, 700, 701, 1237, 1999]
    zero_phase = signal.sosfiltfilt(band, x, padlen=0)
    causal, _ = signal.sosfilt(band, x, zi=signal.sosfilt_zi(band) * x[0])
    order3 = signal.sosfiltfilt(cascade(500, 5000, 3), x, padlen=0)
    for name, y in (('zero-phase', zero_phase), ('causal', causal), ('500-5000 order 3', order3)):
        print(name + ':', [(t, repr(float(y[t]))) for t in ticks])


if __name__ == '__main__':
    main()
