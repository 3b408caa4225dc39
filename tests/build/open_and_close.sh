#!/usr/bin/env bash
# Runs the real executable as a user would: --version, then the windows under
# a virtual display with a window manager, the main window closed as its
# close button closes it. Built for debugging, the executable keeps every
# inline function out of line, so a class that calls another's destructor
# (two classes of one name) shows here, where the tests that never delete a
# window would not see it.
#
# Usage: open_and_close.sh VANTOREL SCRATCH_DIR
set -euo pipefail
exe=$1
scratch=$2
rm -rf "$scratch" && mkdir -p "$scratch" && chmod 700 "$scratch"
fail() { echo "open_and_close: $*" >&2; exit 1; }

version=$("$exe" --version) || fail "--version ended with status $?"
[[ $version == Vantorel* ]] || fail "--version printed \"$version\""

# Fonts and X libraries keep allocations to the end on purpose; only a crash
# or a memory error matters here.
export ASAN_OPTIONS=detect_leaks=0
export HOME=$scratch XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch
# Xvfb picks a free display and writes its number once it takes clients.
wm="" app=""
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $wm $xvfb 2>/dev/null || true; kill $app 2>/dev/null || true' EXIT
read -r -t 30 -u "$fd" number || { cat "$scratch/xvfb.log" >&2; fail "the virtual display did not start"; }
export DISPLAY=:$number
openbox >"$scratch/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
wmctrl -m >/dev/null 2>&1 || { cat "$scratch/openbox.log" >&2; fail "the window manager did not start"; }

"$exe" -style Fusion >"$scratch/out.log" 2>"$scratch/err.log" &
app=$!
# The splash gives way to the main window, whose caption is "Open".
found=""
for _ in $(seq 300); do
  if wmctrl -l 2>/dev/null | grep -q ' Open$'; then found=yes; break; fi
  kill -0 $app 2>/dev/null || break
  sleep 0.1
done
[ -n "$found" ] || { cat "$scratch/err.log" >&2; wmctrl -l >&2 || true; fail "the main window never opened"; }
wmctrl -l >"$scratch/windows.log"
sleep 0.5
wmctrl -F -c 'Open'
status=0
for _ in $(seq 300); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
if kill -0 $app 2>/dev/null; then fail "the program kept running after its main window was closed"; fi
wait $app || status=$?
[ "$status" -eq 0 ] || { cat "$scratch/err.log" >&2; fail "the program ended with status $status when its main window closed"; }
[ ! -s "$scratch/err.log" ] || { cat "$scratch/err.log" >&2; fail "the program wrote to standard error"; }
echo "opened and closed the main window; --version: $version"
