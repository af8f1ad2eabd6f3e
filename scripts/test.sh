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

# LeakSanitizer stops every thread for its check at exit, and the thread
# that does so now and then crashes in the sanitizer runtime itself
# ("Tracer caught signal 11"), after the tests have passed. When that crash
# is the only cause of every failure, those tests are run once more.
only_tracer_crashes() {
  awk '/^[0-9]+\/[0-9]+ Testing: / { crashed = 0 }
       /^Tracer caught signal/ { crashed = 1 }
       /^Test Failed\./ { failed++; if (crashed) tracer++ }
       END { exit !(failed > 0 && failed == tracer) }' "$1/Testing/Temporary/LastTest.log"
}

run_sanitized_suite() {
  . scripts/sanitizer-env.sh
  run_suite build-asan && return 0
  only_tracer_crashes build-asan || return 1
  echo "Running again the tests whose only failure was LeakSanitizer's crash at exit:"
  (cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --rerun-failed)
}

scripts/build-sanitized.sh
(run_sanitized_suite)
scripts/build.sh
run_suite build
