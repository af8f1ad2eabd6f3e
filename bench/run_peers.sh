#!/bin/sh
# Runs the SpikeDet benchmark and its numpy peer on the same samples in one
# go and prints their throughput and ratio. Usage: bench/run_peers.sh [build dir]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
samples=${TMPDIR:-/tmp}/nerolith_peer_samples.$$.f32
results=${TMPDIR:-/tmp}/nerolith_peer_results.$$.json
context=${TMPDIR:-/tmp}/nerolith_peer_context.$$.txt
trap 'rm -f "$samples" "${samples%.f32}.json" "$results" "$context"' EXIT INT TERM

python=python3
if ! "$python" -c 'import numpy' 2>/dev/null; then
    python=/usr/bin/python3
fi

NEROLITH_BENCH_SAMPLES=$samples "$build/bin/nerolith_bench" --benchmark_filter='BM_SpikeDet|BM_AnalyzeRun' \
    --benchmark_out="$results" --benchmark_out_format=json >/dev/null 2>"$context"
peer=$("$python" "$here/peer_threshold.py" "$samples" --rate 20000 --threshold 4 --pretrigger 0.0004 --total 0.0016)

grep -E 'Run on|Load Average' "$context" || true
"$python" - "$results" "$peer" <<'PY'
import json
import sys

results = json.load(open(sys.argv[1]))
peer = json.loads(sys.argv[2])
print(f"{'one hour at 20 kHz, CPU time':34} {'Msamples/s':>11} {'spikes':>8} {'x numpy':>8}")
print(f"{'numpy peer (peer_threshold.py)':34} {peer['samples_per_second'] / 1e6:11.1f} {peer['spikes']:8d} {1.0:8.2f}")
rates = {}
for run in results["benchmarks"]:
    name = run["name"].split("/")[0]
    rate = rates[name] = run["items_per_second"]
    print(f"{name:34} {rate / 1e6:11.1f} {int(run['spikes']):8d} "
          f"{rate / peer['samples_per_second']:8.2f}")
if "BM_AnalyzeRunThroughDocument" in rates and "BM_SpikeDetThroughEngine" in rates:
    kept = rates["BM_AnalyzeRunThroughDocument"] / rates["BM_SpikeDetThroughEngine"]
    print(f"whole analysis keeps {kept:.0%} of the detector's throughput through the engine (target: 70%)")
PY

# Correlograms: autocorrelation and cross-correlation of 100,000 spikes with
# a +-100 ms window in 1 ms bins, through the analysis panes, against the
# numpy peer on the same trains (the benchmark writes them for the peer).
# Each side keeps its best of five runs: the peer its best call, the
# benchmark its best repetition (each the mean of its iterations).
(
    trains=${TMPDIR:-/tmp}/nerolith_peer_trains.$$.tsv
    correlograms=${TMPDIR:-/tmp}/nerolith_peer_correlograms.$$.json
    trap 'rm -f "$trains" "$correlograms"' EXIT INT TERM
    NEROLITH_BENCH_TRAINS=$trains "$build/bin/nerolith_bench" --benchmark_filter='BM_(Auto|Cross)Correlogram' \
        --benchmark_repetitions=5 --benchmark_out="$correlograms" --benchmark_out_format=json >/dev/null 2>&1
    peer=$("$python" "$here/peer_correlogram.py" "$trains")
    echo
    "$python" - "$correlograms" "$peer" <<'PY'
import json
import sys

results = json.load(open(sys.argv[1]))
peer = json.loads(sys.argv[2])
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
names = {"auto": "autocorrelation", "cross": "cross-correlation"}
print(f"{'100,000 spikes, +-100 ms, CPU time':34} {'ms':>8} {'lags':>8} {'x numpy':>8}")
best = {}
for run in results["benchmarks"]:
    if run.get("run_type", "iteration") == "iteration":
        name = run.get("run_name", run["name"])
        if name not in best or run["cpu_time"] < best[name]["cpu_time"]:
            best[name] = dict(run, name=name)
for run in best.values():
    kind = "auto" if "Auto" in run["name"] else "cross"
    ours = run["cpu_time"] * scale[run["time_unit"]]
    theirs = peer[kind]["seconds"] * 1e3
    lags = int(run["lags"])
    note = "" if lags == peer[kind]["lags"] else f"  (numpy counts {peer[kind]['lags']})"
    print(f"{'numpy peer ' + names[kind]:34} {theirs:8.2f} {peer[kind]['lags']:8d} {1.0:8.2f}")
    print(f"{run['name']:34} {ours:8.2f} {lags:8d} {theirs / ours:8.2f}{note}")
PY
)

# Sample enumeration out of recordings against memcpy of the same bytes
# (target: 0.8 of memcpy for int16), read the way the program chooses by
# default (its files are large enough to be mapped where mapping is the
# cheaper), with pread and from the mapped file.
for read in default copy map; do
    NEROLITH_SAMPLE_READ=$read "$build/bin/nerolith_bench" --benchmark_filter='BM_Enumerate|BM_MemcpySameBytes' \
        --benchmark_out="$results" --benchmark_out_format=json >/dev/null 2>"$context"
    echo
    "$python" - "$results" "$read" <<'PY'
import json
import sys

rates = {run["name"]: run["bytes_per_second"] for run in json.load(open(sys.argv[1]))["benchmarks"]}
memcpy = rates["BM_MemcpySameBytes"]
print(f"{'samples out of a recording (' + sys.argv[2] + ')':34} {'GB/s':>11} {'x memcpy':>8}")
print(f"{'memcpy of the same bytes':34} {memcpy / 1e9:11.2f} {1.0:8.2f}")
for name, label in (("BM_EnumerateFloat32", "enumerate float32 recording"), ("BM_EnumerateInt16", "enumerate int16 recording")):
    print(f"{label:34} {rates[name] / 1e9:11.2f} {rates[name] / memcpy:8.2f}")
PY
done

# The command line with every view open: wall time of
# "nerolith analyze demo --view all --out DIR" (two units, so that each view
# counts), best of three, against the same analysis without views.
(
    folder=${TMPDIR:-/tmp}/nerolith_peer_views.$$
    trap 'rm -rf "$folder"' EXIT INT TERM
    mkdir -p "$folder"
    cat >"$folder/units.json" <<'JSON'
{"units": [{"kind": "contour", "name": "B", "vertices": [[0.72, 0.8], [1.3, 0.8], [1.3, 1.35], [0.72, 1.35]]},
           {"kind": "contour", "name": "A", "vertices": [[0.2, 1.4], [0.7, 1.4], [0.7, 2.0], [0.2, 2.0]]}]}
JSON
    echo
    "$python" - "$build/bin/nerolith" "$folder" <<'PY'
import subprocess
import sys
import time

program, folder = sys.argv[1], sys.argv[2]
base = [program, "analyze", "demo", "--units", f"{folder}/units.json"]

def best(arguments):
    times = []
    for _ in range(3):
        start = time.perf_counter()
        subprocess.run(arguments, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return min(times)

without = best(base + ["--out", f"{folder}/plain"])
views = best(base + ["--view", "all", "--out", f"{folder}/views"])
print(f"{'demo (3 x 60 s), wall time':34} {'s':>8} {'x plain':>8}")
print(f"{'analyze --out':34} {without:8.2f} {1.0:8.2f}")
print(f"{'analyze --view all --out':34} {views:8.2f} {views / without:8.2f}")
PY
)

# The whole program from exec to exit: spikes on 20 minutes against the
# numpy memmap finder (inside Python and as a script), start-up on a
# 1-second recording, --channel all on 32 channels from 1 to all cores, and
# resident memory for 1 and 60 minutes.
echo
"$python" "$here/whole_process.py" "$build/bin/nerolith" "$here/peer_threshold.py"

# The channel filter: an hour at 20 kHz through a 300-3000 Hz Butterworth
# cascade (order 2), zero-phase and causal, against scipy.signal on the same
# samples.
(
    filters=${TMPDIR:-/tmp}/nerolith_peer_filters.$$.json
    trap 'rm -f "$filters"' EXIT INT TERM
    scipy=$python
    if ! "$scipy" -c 'import scipy' 2>/dev/null; then
        scipy=/usr/bin/python3
    fi
    "$build/bin/nerolith_bench" --benchmark_filter='BM_Hour' \
        --benchmark_out="$filters" --benchmark_out_format=json >/dev/null 2>&1
    peer=$("$scipy" "$here/peer_filter.py")
    echo
    "$scipy" - "$filters" "$peer" <<'PY'
import json
import sys

rates = {run["name"].split("/")[0]: run["items_per_second"] for run in json.load(open(sys.argv[1]))["benchmarks"]}
peer = json.loads(sys.argv[2])
print(f"{'filter an hour at 20 kHz, CPU time':34} {'Msamples/s':>11} {'x scipy':>8}")
for name, kind, label in (("BM_HourBandPassZeroPhase", "zero_phase", "zero-phase"),
                          ("BM_HourBandPassCausal", "causal", "causal")):
    print(f"{'scipy peer ' + label:34} {peer[kind] / 1e6:11.1f} {1.0:8.2f}")
    print(f"{name:34} {rates[name] / 1e6:11.1f} {rates[name] / peer[kind]:8.2f}")
print(f"{'BM_HourUnfiltered (no filter)':34} {rates['BM_HourUnfiltered'] / 1e6:11.1f}")
PY
)

# Benchmarks measured against a goal rather than a peer: those matching $1,
# under the heading $2, their $4 (cpu_time or real_time) against $3 ms.
goal_table() (
    times=${TMPDIR:-/tmp}/nerolith_peer_goal.$$.json
    trap 'rm -f "$times"' EXIT INT TERM
    "$build/bin/nerolith_bench" --benchmark_filter="$1" \
        --benchmark_out="$times" --benchmark_out_format=json >/dev/null 2>&1
    echo
    "$python" - "$times" "$2" "$3" "$4" <<'PY'
import json
import sys

scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
title, goal, kind = sys.argv[2], float(sys.argv[3]), sys.argv[4]
print(f"{title:34} {'ms':>8} {'of goal':>8}")
for run in json.load(open(sys.argv[1]))["benchmarks"]:
    ms = run[kind] * scale[run["time_unit"]]
    print(f"{run['name']:34} {ms:8.2f} {ms / goal:8.0%}  (goal: {goal:g} ms)")
PY
)

# Unit quality: every figure of 20 units from 100,000 spikes, as recomputed
# after each contour edit (goal: under 50 ms, to follow edits live).
goal_table BM_UnitQuality "unit quality, CPU time" 50 cpu_time

# The desktop chart: redrawing a one-hour 20 kHz channel (1200 x 300 pixels)
# at full zoom-out and at 1 s per screen (goal: under 16 ms, one frame).
goal_table BM_ChartHour "chart redraw, 1 h at 20 kHz" 16 real_time
