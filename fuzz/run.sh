#!/usr/bin/env bash
# Builds the fuzzers with the fuzz preset and runs each for a bounded time,
# starting from the seed corpus in fuzz/corpus. Exits non-zero on any
# finding: a crash, a sanitizer report, a broken property, a hang (an input
# slower than 10 s) or a leak. Findings are written to build/fuzz/findings;
# the seed corpus in the repository is left as it is.
#
# Usage: fuzz/run.sh [seconds]          (default 120, or FUZZ_SECONDS)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-${FUZZ_SECONDS:-120}}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target first_actions_fuzzer

work=build/fuzz/run
rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings"
echo "Fuzzing the calculation handlers for ${seconds} s"
build/fuzz/fuzz/first_actions_fuzzer \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=512 \
  -dict=fuzz/first_actions.dict -print_final_stats=1 -artifact_prefix="$work/findings/" \
  "$work/corpus" fuzz/corpus 2>"$work/log" || {
  tail -n 60 "$work/log" >&2
  echo "fuzz/run.sh: the fuzzer found a fault; the input is in $work/findings" >&2
  exit 1
}
grep -E '^(stat::number_of_executed_units|stat::new_units_added|#[0-9]+ +DONE)' "$work/log" || true
