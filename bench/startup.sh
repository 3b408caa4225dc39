#!/usr/bin/env bash
# Start-up figures: time from exec to the first frame of the first window, and
# peak resident memory, for Vantorel and for minimal_window, the smallest Qt
# Widgets program that shows the same kind of window (frameless, the size of
# the work area). Both are built here with the same preset, then run
# alternately on a private Xvfb display without a window manager; each run is
# timed by first_frame (see first_frame.cpp). Prints the medians and the
# ratio Vantorel / minimal.
#
# Usage: bench/startup.sh [runs]        (default 41 runs of each program)
# Environment: PRESET (default release), SETTLE_MS (default 500), the time
# each program keeps running after its first frame before it is ended.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-41}
preset=${PRESET:-release}
settle=${SETTLE_MS:-500}
build=build/$preset

cmake --preset "$preset" >/dev/null
cmake --build "$build" --target vantorel minimal_window first_frame >/dev/null

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display number and writes it once the server is up.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
exec 3>&-
[ -s "$work/display" ] || { echo "startup.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

programs=(vantorel minimal_window)
declare -A path=([vantorel]="$build/ui/splash/vantorel" [minimal_window]="$build/bench/minimal_window")

measure() {
  "$build/bench/first_frame" --settle "$settle" "${path[$1]}" 2>>"$work/stderr.log"
}

# One unrecorded run of each first, so that both start with a warm page cache.
for p in "${programs[@]}"; do measure "$p" >/dev/null; done
for i in $(seq "$runs"); do
  for p in "${programs[@]}"; do measure "$p" >>"$work/$p"; done
done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

declare -A ms kib
for p in "${programs[@]}"; do
  ms[$p]=$(cut -d' ' -f1 "$work/$p" | median)
  kib[$p]=$(cut -d' ' -f2 "$work/$p" | median)
done

echo "Start-up figures: $runs runs each, preset $preset, $(nproc) cores, $(uname -m), Xvfb 1920x1080"
printf '%-16s %14s %16s\n' program "first frame ms" "peak RSS KiB"
for p in "${programs[@]}"; do printf '%-16s %14s %16s\n' "$p" "${ms[$p]}" "${kib[$p]}"; done
awk -v a="${ms[vantorel]}" -v b="${ms[minimal_window]}" -v c="${kib[vantorel]}" -v d="${kib[minimal_window]}" \
  'BEGIN { printf "%-16s %14.3f %16.3f\n", "ratio", a / b, c / d }'
