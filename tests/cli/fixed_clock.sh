# Sourced by the scripts that run the program as the documents and the
# golden transcript show it: `vantorel` on the PATH is PROGRAM ($1) with the
# clock at 2026-12-07 12:00 UTC, so that "today" is the same day on every
# machine, in the C.UTF-8 locale with no display; $work is a folder of the
# caller's, removed when it exits.
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
# libfaketime is preloaded ahead of the sanitizer's runtime in the asan build.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
printf '#!/bin/sh\nexec faketime "2026-12-07 12:00:00" "%s" "$@"\n' "$(realpath "$1")" >"$work/bin/vantorel"
chmod +x "$work/bin/vantorel"
export PATH=$work/bin:$PATH
