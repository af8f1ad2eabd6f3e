#!/usr/bin/env bash
# Builds everything and runs the whole test suite twice: first built with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/, tests and
# command line only), then the Release build (build/). The last line printed
# is ctest's summary of the last run.
set -euo pipefail
cd "$(dirname "$0")/.."

# Runs the suite of build folder $1; prints ctest's summary line last.
run_suite() {
  local log status
  log=$(mktemp)
  status=0
  (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)") 2>&1 | tee "$log" || status=$?
  grep -E "tests passed" "$log" | tail -n 1
  rm -f "$log"
  return "$status"
}

scripts/build-sanitized.sh
(. scripts/sanitizer-env.sh && run_suite build-asan)
scripts/build.sh
run_suite build
