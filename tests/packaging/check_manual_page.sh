#!/usr/bin/env bash
# Checks that a manual page (plain or gzipped) renders without a warning from
# man or groff, and that it names the version the program shows.
#
#   check_manual_page.sh PAGE SHOWN_VERSION
set -euo pipefail
page=$1 shown_version=$2

fail() { echo "FAIL: $*" >&2; exit 1; }

[ -f "$page" ] || fail "no manual page $page"
# man reads a gzipped page itself; the header line is read here.
case $page in
  *.gz) th=$(gzip -dc "$page" | grep -m1 '^\.TH ') || fail "$page has no .TH line" ;;
  *) th=$(grep -m1 '^\.TH ' "$page") || fail "$page has no .TH line" ;;
esac
[[ $th == *"\"Vantorel $shown_version\""* ]] || fail "the page's header does not name Vantorel $shown_version: $th"

# As lintian renders it: every groff warning of the man macros, no
# preprocessor, UTF-8 output at 80 columns.
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
  man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) || fail "man could not render $page: $warnings"
[ -z "$warnings" ] || fail "$page renders with warnings:
$warnings"
# All of groff's warnings, not only those man asks for.
warnings=$(gzip -dcf "$page" | groff -man -ww -z -Tutf8 2>&1) || fail "groff could not render $page: $warnings"
[ -z "$warnings" ] || fail "$page renders with groff warnings:
$warnings"

echo "the manual page renders without a warning"
