#!/usr/bin/env bash
# Builds the fuzzers with the fuzz preset and runs each in turn, sharing a
# bounded time between them, starting from its seed corpus in
# fuzz/corpus/<name>. Exits non-zero on any finding: a crash, a sanitizer
# report, a broken property, a hang (an input slower than 10 s) or a leak.
# Findings are written to build/fuzz/run/<name>/findings; the seed corpora in
# the repository are left as they are.
#
# Usage: fuzz/run.sh [seconds]          (default 120, or FUZZ_SECONDS, in all)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-${FUZZ_SECONDS:-120}}
fuzzers=(first_actions command_line satellite_lists)
each=$(( seconds / ${#fuzzers[@]} ))
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${fuzzers[@]/%/_fuzzer}"

for name in "${fuzzers[@]}"; do
  work=build/fuzz/run/$name
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/findings"
  echo "Fuzzing $name for ${each} s"
  build/fuzz/fuzz/${name}_fuzzer \
    -max_total_time="$each" -timeout=10 -rss_limit_mb=2048 -max_len=512 \
    -dict=fuzz/$name.dict -print_final_stats=1 -artifact_prefix="$work/findings/" \
    "$work/corpus" "fuzz/corpus/$name" 2>"$work/log" || {
    tail -n 60 "$work/log" >&2
    echo "fuzz/run.sh: the $name fuzzer found a fault; the input is in $work/findings" >&2
    exit 1
  }
  grep -E '^(stat::number_of_executed_units|stat::new_units_added|#[0-9]+ +DONE)' "$work/log" || true
done
