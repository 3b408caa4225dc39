#!/usr/bin/env bash
# Start-up figures: time from exec to the first frame of the first window, and
# peak resident memory, for Vantorel and for minimal_window, the smallest Qt
# Widgets program that shows the same kind of window (frameless, the size of
# the work area). Both are built here with the same preset, then run
# alternately on a private Xvfb display without a window manager; each run is
# timed by first_frame (see first_frame.cpp). Prints the medians, with the
# quartiles of the first frame and of the processor time, and the ratios
# Vantorel / minimal.
#
# Usage: bench/startup.sh [runs]        (default 41 runs of each program)
# Environment: PRESET (default release), SETTLE_MS (default 500), the time
# each program keeps running after its first frame before it is ended;
# BEFORE, another vantorel executable (say one built from an older tree) to
# run in the same turns, so that a change is measured against the same floor;
# PLANNER=1 to time the planner's first frame too, with the built-in list and
# no settings kept, as a new user first opens it.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-41}
preset=${PRESET:-release}
settle=${SETTLE_MS:-500}
build=build/$preset

cmake --preset "$preset" >/dev/null
cmake --build "$build" --target vantorel vantorel_planner_module minimal_window first_frame >/dev/null

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display number and writes it once the server is up.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
exec 3>&-
[ -s "$work/display" ] || { echo "startup.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# minimal_window+label is the floor plus one line of text: not part of the
# ratio, it shows how much of the difference the first text accounts for.
programs=(vantorel minimal_window minimal_window+label)
declare -A command=([vantorel]="$build/app/vantorel" [minimal_window]="$build/bench/minimal_window"
  [minimal_window+label]="$build/bench/minimal_window --label")
if [ -n "${BEFORE:-}" ]; then
  programs=(before "${programs[@]}")
  command[before]=$BEFORE
fi
if [ -n "${PLANNER:-}" ]; then
  programs=("${programs[@]}" planner)
  command[planner]="$build/app/vantorel --planner"
  export HOME=$work/home
  mkdir -p "$HOME"
fi

measure() {
  # shellcheck disable=SC2086  # the command is split into program and arguments on purpose
  "$build/bench/first_frame" --settle "$settle" ${command[$1]} 2>>"$work/stderr.log" || {
    echo "startup.sh: a run of $1 failed:" >&2
    tail -n 5 "$work/stderr.log" >&2
    exit 1
  }
}

# One unrecorded run of each first, so that all start with a warm page cache;
# then the programs take turns, so that any drift of the machine hits each.
for p in "${programs[@]}"; do measure "$p" >/dev/null; done
for i in $(seq "$runs"); do
  for p in "${programs[@]}"; do measure "$p" >>"$work/$p"; done
done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# The first and third quartiles, as "q1-q3".
quartiles() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 3) / 4)] "-" v[int((3 * NR + 3) / 4)] }'; }

declare -A ms kib cpu
for p in "${programs[@]}"; do
  ms[$p]=$(cut -d' ' -f1 "$work/$p" | median)
  kib[$p]=$(cut -d' ' -f2 "$work/$p" | median)
  cpu[$p]=$(cut -d' ' -f3 "$work/$p" | median)
done

echo "Start-up figures: $runs runs each, preset $preset, $(nproc) cores, $(uname -m), Xvfb 1920x1080," \
  "load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-24s %14s %14s %14s %14s %14s\n' program "first frame ms" "quartiles" "peak RSS KiB" "CPU ms" "quartiles"
for p in "${programs[@]}"; do
  printf '%-24s %14s %14s %14s %14s %14s\n' "$p" "${ms[$p]}" "$(cut -d' ' -f1 "$work/$p" | quartiles)" "${kib[$p]}" \
    "${cpu[$p]}" "$(cut -d' ' -f3 "$work/$p" | quartiles)"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
for floor in minimal_window minimal_window+label; do
  for p in before vantorel planner; do
    [ -n "${ms[$p]:-}" ] || continue
    printf '%-24s %14s %14s %14s %14s\n' "$p / ${floor/minimal_window/minimal}" "$(ratio "${ms[$p]}" "${ms[$floor]}")" "" \
      "$(ratio "${kib[$p]}" "${kib[$floor]}")" "$(ratio "${cpu[$p]}" "${cpu[$floor]}")"
  done
done
