#!/usr/bin/env bash
# Builds, then runs the main job on the built-in demo recording.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "Building (the first time takes a few minutes)..." >&2
scripts/build.sh >/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} build/bin/nerolith analyze demo "$@"
