#!/usr/bin/env bash
# Every `$ vantorel ...` example of the README and the manual page, run as
# the golden transcript runs its commands (the list fixtures at hand, the
# clock at 2026-12-07 12:00 UTC), and what the example shows compared with
# what the program prints, so that the documents cannot drift from it.
#
#   doc_examples.sh PROGRAM DOCUMENT...
#
# An example's lines after its command are its standard output, line for
# line from the first; "..." stands for lines left out, at the start, the
# end or between. An example that shows nothing must still run with status
# 0. Commands of other programs (curl) are not run.
set -euo pipefail
program=$(realpath "$1")
shift
fixtures=$(cd "$(dirname "$0")/../satellite_lists/fixtures" && pwd)
source "$(dirname "$0")/fixed_clock.sh" "$program"

# The examples of a document as records: "$ command" (continuation lines
# joined), then its shown lines, then "@end". A manual page's examples are
# its .EX blocks with the roff escapes they use turned into their characters.
examples() {
  case $1 in
    *.1)
      sed -n '/^\.EX/,/^\.EE/p' "$1" | sed -e 's/^\.EX$/```/' -e 's/^\.EE$/```/' | grep -v '^\.' |
        sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' -e 's/\\(de/°/g' -e "s/\\\\(aq/'/g" -e 's/\\(dq/"/g' \
          -e 's/\\e/\\/g' -e 's/\\&//g' -e 's/\\~/ /g'
      ;;
    *) cat "$1" ;;
  esac | awk '
    /^```/ { if (inside && command != "") print "@end"; inside = !inside; command = ""; next }
    !inside { next }
    continued { command = command " " $0; sub(/^ +/, " ", command); if (!sub(/ *\\$/, "", command)) { continued = 0; print "$ " command }; next }
    /^\$ / {
      if (command != "") print "@end"
      command = substr($0, 3)
      if (sub(/ *\\$/, "", command)) { continued = 1; next }
      print "$ " command; next
    }
    command != "" { print }
  '
}

# Whether the shown lines ($1) are the output ($2), "..." standing for any
# lines.
matches() {
  awk -v shown="$1" '
    { actual[++n] = $0 }
    END {
      m = 0
      while ((getline line < shown) > 0) expected[++m] = line
      pos = 1; i = 1; anchored = 1
      while (i <= m) {
        if (expected[i] == "...") { anchored = 0; i++; continue }
        j = i; while (j <= m && expected[j] != "...") j++
        found = 0
        for (start = pos; start + (j - i) - 1 <= n; start++) {
          ok = 1
          for (k = 0; k < j - i; k++) if (actual[start + k] != expected[i + k]) { ok = 0; break }
          if (ok) { found = 1; break }
          if (anchored) break
        }
        if (!found) exit 1
        pos = start + (j - i); i = j; anchored = 1
      }
      if (m > 0 && expected[m] != "..." && pos != n + 1) exit 1
    }
  ' "$2"
}

failed=0
count=0
for document in "$@"; do
  command=""
  : >"$work/shown"
  while IFS= read -r line; do
    if [[ $line == '$ '* ]]; then
      command=${line#\$ }
      : >"$work/shown"
    elif [[ $line == @end ]]; then
      if [[ $command == vantorel* ]]; then
        count=$((count + 1))
        dir=$work/run$count
        mkdir "$dir"
        ln -s "$fixtures"/* "$dir/"
        ln -s "$fixtures/celestrak_geo.csv" "$dir/geo.csv"
        ln -s "$fixtures/satellites_transponders.xml" "$dir/receiver.xml"
        status=0
        (cd "$dir" && bash -c "$command" >"$work/out" 2>"$work/err" </dev/null) || status=$?
        if [ "$status" -ne 0 ]; then
          echo "$(basename "$document"): \$ $command: exit $status" >&2
          cat "$work/err" >&2
          failed=1
        elif ! matches "$work/shown" "$work/out"; then
          echo "$(basename "$document"): \$ $command: the example shows" >&2
          sed 's/^/  | /' "$work/shown" >&2
          echo "but the program prints" >&2
          sed 's/^/  | /' "$work/out" >&2
          failed=1
        fi
        rm -rf "$dir"
      fi
      command=""
    else
      printf '%s\n' "$line" >>"$work/shown"
    fi
  done < <(examples "$document")
done
echo "doc_examples.sh: $count examples run"
[ "$count" -gt 0 ] && [ "$failed" -eq 0 ]
