#!/usr/bin/env bash
# The golden corpus: every command line in `commands`, run through the built
# program, with its exit status, standard output and standard error written
# down in `transcript`. Any change to what the command line prints shows up
# here as a difference; a change made on purpose re-records the transcript in
# the same commit, which says why.
#
#   replay.sh PROGRAM            run every command and compare with the transcript
#   replay.sh PROGRAM --record   write the transcript anew
#
# Each command runs in a folder of its own holding the list fixtures, with
# the clock set to 2026-12-07 12:00 UTC, so that "today" is the same day on
# every machine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
record=${2:-}
fixtures=$here/../../satellite_lists/fixtures
source "$here/../fixed_clock.sh" "$program"

# A stream as transcript lines: each line behind its mark, and a note when
# the last one has no line break.
shown() {
  sed "s/^/$1 /" "$2"
  if [ -s "$2" ] && [ "$(tail -c 1 "$2" | od -An -c | tr -d ' ')" != '\n' ]; then echo "$1 (no line break at the end)"; fi
}

out=$work/transcript
n=0
while IFS= read -r command; do
  n=$((n + 1))
  dir=$work/run$n
  mkdir "$dir"
  ln -s "$fixtures"/* "$dir/"
  status=0
  (cd "$dir" && bash -c "$command" >"$work/out" 2>"$work/err" </dev/null) || status=$?
  {
    echo "\$ $command"
    echo "exit $status"
    shown '|' "$work/out"
    shown '!' "$work/err"
  } >>"$out"
  rm -rf "$dir"
done <"$here/commands"

if [ "$record" = --record ]; then
  cp "$out" "$here/transcript"
  echo "recorded $n commands in $here/transcript"
elif ! diff -u "$here/transcript" "$out"; then
  echo "replay.sh: the command line's output differs from the golden transcript (above: - recorded, + now)" >&2
  exit 1
else
  echo "all $n commands print what the transcript holds"
fi
