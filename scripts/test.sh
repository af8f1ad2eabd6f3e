#!/usr/bin/env bash
# Builds everything and runs the whole test suite twice: first built with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/, tests and
# command line only), then the Release build (build/). The last line printed
# is the summary of the Release run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-sanitized.sh
(
  . scripts/sanitizer-env.sh
  cd build-asan
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
)
scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
