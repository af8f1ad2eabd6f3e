#!/usr/bin/env python3
"""The whole `nerolith` program, from exec to exit, beside its peers.

Usage: whole_process.py NEROLITH PEER_THRESHOLD_SCRIPT

Writes its recordings to a temporary folder, removed at the end, and prints:
- `nerolith spikes` on a 20-minute 20 kHz float32 channel (output written
  to a file) against the numpy memmap crossing finder timed inside Python
  and the same finder run as a whole Python script (targets: 1.2x and 2x),
  the two taking turns; then reading the file only by pread and only by
  mapping, where the program otherwise chooses; then the file dropped from
  the page cache: the run that reads it from disk, and the runs after it
  beside the finder's;
- the CPU time of `nerolith spikes` on a 1-second recording (target: 8 ms),
  and of `nerolith info` on it, which loads neither the module nor Qt;
- `spikes --channel all` on 32 int16 channels of 10 minutes on one core and
  on all usable cores (target: 1.8x on 2 cores);
- peak resident memory of `spikes` on 1 and 60 minutes of recording, read
  with pread, so nothing of the recording is mapped (target: within 10%),
  beside the peak of the mapped read, file pages included.
Times are CPU time (user + system) unless marked wall; each is the best of
a few runs.
"""
import json
import os
import subprocess
import sys
import tempfile
import time

import numpy as np

RATE = 20000
OPTIONS = ["--threshold", "4", "--pretrigger", "0.0004", "--window", "0.0016"]


def write_recording(folder, name, seconds, channels=1, dtype="float32"):
    """Unit noise with a spike (peak 8) every 997 samples on every channel."""
    rng = np.random.default_rng(7)
    data = os.path.join(folder, name + ".bin")
    with open(data, "wb") as out:
        minute = 60 * RATE
        for start in range(0, seconds * RATE, minute):
            frames = min(minute, seconds * RATE - start)
            x = rng.standard_normal((frames, channels), dtype=np.float32)
            first = (-start) % 997
            for k, height in enumerate((2.0, 8.0, 5.0, 1.0, -2.0)):
                x[first + k::997] += np.float32(height)
            (x * 100).astype(np.int16).tofile(out) if dtype == "int16" else x.tofile(out)
    sidecar = {"file": name + ".bin", "dtype": dtype, "channels": channels, "sample_rate": RATE}
    if dtype == "int16":
        sidecar["gain"] = 0.01
    path = os.path.join(folder, name + ".json")
    with open(path, "w") as out:
        json.dump(sidecar, out)
    return path, data


def run(arguments, output=os.devnull, repeat=3, environment=None):
    """Best CPU seconds and best wall seconds of a program."""
    cpu, wall = float("inf"), float("inf")
    for _ in range(repeat):
        with open(output, "wb") as out:
            start = time.perf_counter()
            child = subprocess.Popen(arguments, stdout=out, stderr=subprocess.DEVNULL,
                                     env=dict(os.environ, **(environment or {})))
            _, status, usage = os.wait4(child.pid, 0)
            wall = min(wall, time.perf_counter() - start)
        if status != 0:
            sys.exit(f"failed ({status}): {' '.join(arguments)}")
        cpu = min(cpu, usage.ru_utime + usage.ru_stime)
    return cpu, wall


def peak_resident_kib(arguments, environment=None):
    """The kernel's peak resident set of the program, exact where sampling
    /proc would miss a short peak. Through time(1): in a child forked from
    this process, the peak would count the Python process it was forked
    from."""
    measured = subprocess.run(["/usr/bin/time", "-f", "%M"] + arguments, check=True, text=True,
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                              env=dict(os.environ, **(environment or {})))
    return int(measured.stderr.strip().splitlines()[-1])


def spike_lines(path):
    with open(path) as table:
        return sum(1 for _ in table) - 1


def whole_run(nerolith, peer, folder):
    sidecar, data = write_recording(folder, "twenty_minutes", 20 * 60)
    # Written pages go to disk in the background for half a minute: not
    # while either side is timed.
    os.sync()
    samples = 20 * 60 * RATE
    table = os.path.join(folder, "spikes.tsv")
    finder = [sys.executable, peer, data, "--rate", str(RATE), "--threshold", "4", "--pretrigger", "0.0004",
              "--total", "0.0016", "--memmap"]
    # How fast pages come on a shared virtual machine drifts over seconds:
    # the two sides take turns, five rounds, and each keeps its best.
    ours, ours_wall, inside = float("inf"), float("inf"), {"samples_per_second": 0.0}
    for _ in range(5):
        cpu, wall = run([nerolith, "spikes", sidecar] + OPTIONS, table, repeat=1)
        ours, ours_wall = min(ours, cpu), min(ours_wall, wall)
        found = json.loads(subprocess.run(finder + ["--repeat", "3"], check=True, capture_output=True,
                                          text=True).stdout)
        inside = max(inside, found, key=lambda result: result["samples_per_second"])
    script, script_wall = run(finder + ["--repeat", "1"])
    ways = {way: run([nerolith, "spikes", sidecar] + OPTIONS, repeat=3, environment={"NEROLITH_SAMPLE_READ": way})[0]
            for way in ("copy", "map")}
    print(f"{'20 min at 20 kHz, exec to exit':38} {'Msamples/s':>11} {'spikes':>8} {'x peer':>8}")
    print(f"{'numpy memmap finder, inside Python':38} {inside['samples_per_second'] / 1e6:11.1f} "
          f"{inside['spikes']:8d} {1.0:8.2f}")
    print(f"{'numpy memmap finder as a script':38} {samples / script / 1e6:11.1f} {inside['spikes']:8d} {1.0:8.2f}")
    print(f"{'nerolith spikes (CPU)':38} {samples / ours / 1e6:11.1f} {spike_lines(table):8d} "
          f"{samples / ours / inside['samples_per_second']:8.2f}  x finder inside Python (target 1.2)")
    print(f"{'':38} {'':11} {'':8} {script / ours:8.2f}  x finder as a script (target 2)")
    print(f"{'nerolith spikes (wall)':38} {samples / ours_wall / 1e6:11.1f} {'':8} "
          f"{script_wall / ours_wall:8.2f}  x finder as a script, wall")
    for way, cpu in ways.items():
        print(f"{'  read by ' + {'copy': 'pread', 'map': 'mapping'}[way] + ' (CPU)':38} {samples / cpu / 1e6:11.1f} "
              f"{'':8} {samples / cpu / inside['samples_per_second']:8.2f}")
    from_disk(nerolith, finder, sidecar, data, samples)


def evict(data):
    """Drops the file's pages from the page cache: the next read is from disk."""
    descriptor = os.open(data, os.O_RDONLY)
    try:
        os.fsync(descriptor)
        os.posix_fadvise(descriptor, 0, 0, os.POSIX_FADV_DONTNEED)
    finally:
        os.close(descriptor)


def filesystem(path):
    """The type of the file system holding `path`, as /proc/self/mounts names it."""
    path = os.path.realpath(path)
    best, kind = "", ""
    with open("/proc/self/mounts") as mounts:
        for line in mounts:
            fields = line.split()
            point = fields[1].replace("\\040", " ")
            inside = path == point or path.startswith(point.rstrip("/") + "/")
            if inside and len(point) >= len(best):
                best, kind = point, fields[2]
    return kind


def from_disk(nerolith, finder, sidecar, data, samples):
    """A recording as users have it: read from disk by the first run, then
    found in the page cache as that run left it by the runs after it, ours
    and the finder's taking turns."""
    kind = filesystem(data)
    if kind in ("tmpfs", "ramfs"):
        print(f"  (the recording is on {kind}, in memory: there is no disk to read it from)")
        return
    evict(data)
    _, first_wall = run([nerolith, "spikes", sidecar] + OPTIONS, repeat=1)
    ours, inside = float("inf"), 0.0
    # Five rounds, as above: a slow spell of the machine lasts seconds.
    for _ in range(5):
        ours = min(ours, run([nerolith, "spikes", sidecar] + OPTIONS, repeat=1)[0])
        found = json.loads(subprocess.run(finder + ["--repeat", "3"], check=True, capture_output=True,
                                          text=True).stdout)
        inside = max(inside, found["samples_per_second"])
    print(f"{'  first read from disk (wall)':38} {samples / first_wall / 1e6:11.1f}")
    print(f"{'  runs after it (CPU)':38} {samples / ours / 1e6:11.1f} {'':8} {samples / ours / inside:8.2f}"
          f"  x finder inside Python, after it too")


def start_up(nerolith, folder):
    sidecar, _ = write_recording(folder, "one_second", 1)
    cpu, wall = run([nerolith, "spikes", sidecar] + OPTIONS, repeat=15)
    print(f"\n{'exec to exit on a 1-second recording':38} {'CPU ms':>11} {'wall ms':>8}")
    print(f"{'spikes (target: 8 ms CPU)':38} {cpu * 1e3:11.1f} {wall * 1e3:8.1f}")
    # info loads neither the module nor Qt: the floor the program starts on.
    cpu, wall = run([nerolith, "info", sidecar], repeat=15)
    print(f"{'info':38} {cpu * 1e3:11.1f} {wall * 1e3:8.1f}")


def all_channels(nerolith, folder):
    sidecar, _ = write_recording(folder, "probe", 10 * 60, channels=32, dtype="int16")
    # The kernel writes the 768 MB just written out in the background, on
    # whichever core is free: the one-core run leaves it a core, the
    # all-core run does not, so that writing must be over before either.
    os.sync()
    arguments = [nerolith, "spikes", sidecar, "--channel", "all"] + OPTIONS
    cores = len(os.sched_getaffinity(0))
    # One core and all cores take turns, the best of six each: how fast
    # fresh memory comes on a shared machine drifts over a minute, and it
    # must not favour whichever ran first.
    one, every = float("inf"), float("inf")
    for _ in range(6):
        one = min(one, run(["taskset", "-c", str(min(os.sched_getaffinity(0)))] + arguments, repeat=1)[1])
        every = min(every, run(arguments, repeat=1)[1])
    print(f"\n{'--channel all, 32 x 10 min int16':38} {'wall s':>11} {'x 1 core':>8}")
    print(f"{'1 core':38} {one:11.3f} {1.0:8.2f}")
    print(f"{f'{cores} cores (target: 1.8x on 2)':38} {every:11.3f} {one / every:8.2f}")
    # One channel alone reads the whole interleaved file, picking it out.
    lone = run([nerolith, "spikes", sidecar, "--channel", "5"] + OPTIONS, repeat=6)[1]
    print(f"{'one channel alone (--channel 5)':38} {lone:11.3f}")
    # Other work on the machine takes cores from the workers: say how much.
    print(f"{'load average of the last minute':38} {os.getloadavg()[0]:11.2f}")


def memory(nerolith, folder):
    # Read with pread (NEROLITH_SAMPLE_READ=copy), nothing of the file is
    # mapped, so the whole peak is memory beyond the recording. The mapped
    # read (NEROLITH_SAMPLE_READ=map, which the program chooses for large
    # files where it is the cheaper) also counts the file's pages it
    # touched.
    print(f"\n{'spikes, peak resident memory':38} {'MiB':>11} {'x 1 min':>8} {'mapped':>9}")
    first = None
    for minutes in (1, 60):
        sidecar, data = write_recording(folder, f"minutes_{minutes}", minutes * 60)
        arguments = [nerolith, "spikes", sidecar] + OPTIONS
        peak = min(peak_resident_kib(arguments, {"NEROLITH_SAMPLE_READ": "copy"}) for _ in range(3))
        mapped = peak_resident_kib(arguments, {"NEROLITH_SAMPLE_READ": "map"})
        os.remove(data)
        first = first or peak
        print(f"{f'{minutes} min (target: within 10%)':38} {peak / 1024:11.1f} {peak / first:8.2f} "
              f"{mapped / 1024:9.1f}")


def main():
    nerolith, peer = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="nerolith-whole-") as folder:
        whole_run(nerolith, peer, folder)
        start_up(nerolith, folder)
        all_channels(nerolith, folder)
        memory(nerolith, folder)


if __name__ == "__main__":
    main()
