#!/usr/bin/env bash
# Checks that every screenshot the metainfo names from the project's own
# docs/screenshots is in the source tree, is a PNG, and has the width and
# height the metainfo gives it (scripts/screenshot-main-window takes them).
#
#   check_screenshot.sh METAINFO SOURCE_DIR
set -euo pipefail
metainfo=$1 source=$2
prefix=https://raw.githubusercontent.com/vantorel/vantorel/main/

fail() { echo "FAIL: $*" >&2; exit 1; }

images=$(grep -o '<image [^>]*>[^<]*</image>' "$metainfo") || fail "the metainfo shows no screenshot"
while IFS= read -r image; do
  url=$(sed -E 's|.*>([^<]*)</image>|\1|' <<<"$image")
  width=$(sed -nE 's|.* width="([0-9]+)".*|\1|p' <<<"$image")
  height=$(sed -nE 's|.* height="([0-9]+)".*|\1|p' <<<"$image")
  [[ $url == "$prefix"docs/screenshots/*.png ]] || fail "screenshot $url is not one of docs/screenshots"
  png=$source/${url#"$prefix"}
  [ -f "$png" ] || fail "no $png for the screenshot $url"
  about=$(file -b "$png")
  [[ $about == "PNG image data, $width x $height,"* ]] \
    || fail "$png is $about, the metainfo says ${width:-?} x ${height:-?}"
done <<<"$images"
echo "the screenshots are where the metainfo says, at its sizes"
