# Sourced: how sanitized programs run, at build time (test discovery runs
# them) and in the suite. The only suppression is fontconfig's leak.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ASAN_OPTIONS="abort_on_error=0:detect_stack_use_after_return=0:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
