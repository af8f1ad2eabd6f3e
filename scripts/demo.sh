#!/usr/bin/env bash
# Builds, then runs the main job: the demo recording analysed with its three
# units (data/demo-units.json), every view written with its picture, the
# spikes, the data sheet and the .nex export in results/demo, and a table of
# the units. Extra arguments go to `nerolith analyze`.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "Building (the first time takes a few minutes)..." >&2
scripts/build.sh >/dev/null
out=results/demo
# The correlograms over +-50 ms in 1 ms bins; the stimulus as the
# cross-correlation's reference and the peristimulus sweeps, in 2 ms bins,
# where unit C's response 10 ms after each pulse shows.
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} build/bin/nerolith analyze demo --units data/demo-units.json \
  --view all --bin-size ACH=0.001 --x-range ACH=-0.05:0.05 \
  --reference Stimulus --bin-size CCH=0.002 --x-range CCH=-0.05:0.1 \
  --sweeps stimulus:Stimulus --pre-stimulus 0.05 --paging PSTH=stimulus:100000 --bin-size PSTH=0.002 \
  --x-range PSTH=-0.05:0.1 --out "$out" "$@" >/dev/null
awk -F'\t' '{ printf "%-12s %8s %10s  %s\n", $2, $3, (NR == 1 ? "rate (Hz)" : sprintf("%#.3g", $4)), $5 }' "$out/summary.tsv"
echo "Pictures: $(ls "$out"/*.png | tr '\n' ' ')"
