#!/usr/bin/env bash
# Configures and builds the tests and the command line with AddressSanitizer
# and UndefinedBehaviorSanitizer into build-asan/, with clang so that the
# fuzz harnesses link with libFuzzer. -O1 (-O0 for the test programs and the
# command line's own code, which run little) and no debug information keep
# the build short; any finding stops the program (no recovery).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
. scripts/sanitizer-env.sh
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
flags="-O1 -g0 -fno-omit-frame-pointer -fsanitize=address,undefined,vptr,float-cast-overflow"
flags+=" -fno-sanitize-recover=all"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_COMPILER=clang++ \
  "-DCMAKE_CXX_FLAGS=$flags" "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" \
  "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=address,undefined" \
  "-DCMAKE_MODULE_LINKER_FLAGS=-fsanitize=address,undefined" \
  -DNEROLITH_BENCH=OFF -DNEROLITH_GRAPH_DEMO=OFF -DNEROLITH_LIBFUZZER=ON -DNEROLITH_TEST_OPTIMIZATION=-O0 \
  -DNEROLITH_CLI_OPTIMIZATION=-O0 "${launcher[@]}" >/dev/null
cmake --build build-asan -j "$(nproc)"
