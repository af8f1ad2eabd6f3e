#!/usr/bin/env bash
# Fuzzes each target (or those named) for SECONDS seconds (default 60) with
# libFuzzer under ASan and UBSan, from the committed corpus. New inputs go to
# build-asan/fuzz-corpus/TARGET; crashes, hangs and leaks to
# build-asan/fuzz-findings/TARGET. Copy a finding into
# tests/fuzz/corpus/TARGET once it is fixed, so ctest replays it from then on.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#   targets: sidecar edf settings_stream units_file document_file
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(sidecar edf settings_stream units_file document_file)
scripts/build-sanitized.sh >/dev/null
. scripts/sanitizer-env.sh
export QT_QPA_PLATFORM=offscreen
for target in "${targets[@]}"; do
  work=build-asan/fuzz-corpus/$target
  findings=build-asan/fuzz-findings/$target
  mkdir -p "$work" "$findings"
  echo "== $target: ${seconds}s" >&2
  status=0
  build-asan/bin/fuzz_$target "$work" "tests/fuzz/corpus/$target" -max_total_time="$seconds" \
    -timeout=10 -rss_limit_mb=2048 -max_len=131072 -artifact_prefix="$findings/" -print_final_stats=1 \
    2>"build-asan/fuzz-$target.log" || status=$?
  grep -E "^stat::number_of_executed_units|^Done|ERROR|==ERROR|SUMMARY" "build-asan/fuzz-$target.log" >&2 || true
  echo "$target: exit $status, findings: $(find "$findings" -type f | wc -l)" >&2
done
