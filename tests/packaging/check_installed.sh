#!/usr/bin/env bash
# Installs Vantorel into a scratch folder, as `cmake --install` does or as the
# Debian package does, and checks that everything lies where a Linux desktop
# looks for it, that the desktop entry and the metainfo validate, and that the
# installed program starts.
#
#   check_installed.sh install|deb BUILD_DIR SCRATCH DESKTOP_ID SHOWN_VERSION PACKAGE_VERSION
set -euo pipefail
mode=$1 build=$2 scratch=$3 id=$4 shown_version=$5 package_version=$6

fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch"
case $mode in
  install)
    cmake --install "$build" --prefix "$scratch/root/usr" >/dev/null
    ;;
  deb)
    (cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null)
    debs=("$scratch"/out/*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
    deb=${debs[0]}
    [ "$(dpkg-deb -f "$deb" Package)" = vantorel ] || fail "package name is $(dpkg-deb -f "$deb" Package)"
    [ "$(dpkg-deb -f "$deb" Version)" = "$package_version" ] || fail "package version is $(dpkg-deb -f "$deb" Version)"
    dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "the package does not depend on Qt Widgets"
    dpkg-deb -x "$deb" "$scratch/root"
    ;;
  *) fail "unknown mode $mode" ;;
esac
usr=$scratch/root/usr

# The program
[ -x "$usr/bin/vantorel" ] || fail "no executable bin/vantorel"

# The desktop entry, and what it points at
desktop=$usr/share/applications/$id.desktop
[ -f "$desktop" ] || fail "no desktop entry $desktop"
desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Name)" = Vantorel ] || fail "Name is '$(key Name)'"
[ -n "$(key Comment)" ] || fail "no Comment"
[ -x "$usr/bin/$(key Exec | cut -d' ' -f1)" ] || fail "Exec=$(key Exec) is not the installed program"
icon=$(key Icon)
for size in 16 24 32 48 64 128 256; do
  png=$usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [ -f "$png" ] || fail "no ${size}x${size} icon $png"
  file -b "$png" | grep -q "PNG image data, $size x $size," || fail "$png is $(file -b "$png")"
done

# The metainfo
metainfo=$usr/share/metainfo/$id.metainfo.xml
[ -f "$metainfo" ] || fail "no metainfo $metainfo"
appstreamcli validate --no-net "$metainfo" || fail "the metainfo does not validate"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "the metainfo does not launch $id.desktop"
grep -q "<release version=\"$shown_version\"" "$metainfo" \
  || fail "the metainfo has no release $shown_version"

[ -f "$usr/share/doc/vantorel/copyright" ] || fail "no licence in share/doc/vantorel/copyright"

# The installed program starts and keeps running (its splash window is up);
# `timeout` ends it and answers 124. Anything else means it failed to start.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$usr/bin/vantorel" || status=$?
[ "$status" -eq 124 ] || fail "the installed program ended with status $status instead of running"

echo "installed as a desktop expects ($mode)"
