#!/usr/bin/env bash
# Screenshots the desktop program under a virtual X server: the demo
# recording sorted into the units of data/demo-units.json (a document the
# command line saves), analysed, with the chart, the discriminator and two
# views open. Usage: scripts/screenshot-gui.sh [out.png] [build dir]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/nerolith-gui.png}
build=${2:-build}
scripts/install-deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
# Settings of the screenshot's own, so the user's window geometry stays out.
export XDG_CONFIG_HOME=$work/config
"$build/bin/nerolith" analyze demo --units data/demo-units.json --doc "$work/demo.nrl" --save \
  --out "$work/results" >/dev/null
xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/nerolith-gui" "$work/demo.nrl" --analyze \
  --view discriminator --view ISIH --view ACH --screenshot "$out"
echo "$out"
