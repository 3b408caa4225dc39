#!/usr/bin/env bash
# Installs Vantorel into a scratch folder, as `cmake --install` does or as the
# Debian package does, and checks that everything lies where a Linux desktop
# looks for it, that the desktop entry and the metainfo validate, that the
# manual page renders, and that the installed program starts. In deb mode a
# package built as it is shipped (KIND=shipped) must also pass lintian with no
# error, no warning and no hardening or unneeded-section note, and its
# executable must carry Debian's hardening; KIND=sanitized, a sanitizer
# build's package, is spared both.
#
#   check_installed.sh install|deb BUILD_DIR SCRATCH DESKTOP_ID SHOWN_VERSION PACKAGE_VERSION [KIND]
set -euo pipefail
mode=$1 build=$2 scratch=$3 id=$4 shown_version=$5 package_version=$6 kind=${7:-shipped}
here=$(cd "$(dirname "$0")" && pwd)

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
    # Both the executable's libraries and the installation sheet's face.
    dpkg-deb -f "$deb" Depends | grep -Eq '(^|[ ,])fonts-dejavu-core([ ,(]|$)' \
      || fail "the package does not depend on fonts-dejavu-core: '$(dpkg-deb -f "$deb" Depends)'"
    # The narrow face the main window's boxes are drawn for.
    dpkg-deb -f "$deb" Recommends | grep -Eq '(^|[ ,])fonts-urw-base35([ ,(]|$)' \
      || fail "the package does not recommend fonts-urw-base35: '$(dpkg-deb -f "$deb" Recommends)'"
    dpkg-deb -f "$deb" Maintainer | grep -Eq '^The Vantorel authors <[^<>@ ]+@[^<>@ ]+>$' \
      || fail "the maintainer is '$(dpkg-deb -f "$deb" Maintainer)'"
    case $kind in
      shipped)
        # lintian warns when run as root, on its own standard error; its
        # findings go to standard output.
        findings=$(lintian --display-info --fail-on error,warning "$deb" 2>"$scratch/lintian.err") \
          && ! grep -E ': (hardening-|binary-has-unneeded-section)' <<<"$findings" >/dev/null \
          || fail "lintian finds errors, warnings or hardening notes in the package:
$findings
$(cat "$scratch/lintian.err")"
        ;;
      sanitized) ;;
      *) fail "unknown kind $kind" ;;
    esac
    dpkg-deb -x "$deb" "$scratch/root"
    # What the linker made of the hardening flags: full RELRO, a PIE, and
    # the stack protector's failure handler imported from glibc.
    if [ "$kind" = shipped ]; then
      elf=$(readelf -hldW --dyn-syms "$scratch/root/usr/bin/vantorel")
      for want in 'Type: +DYN ' ' GNU_RELRO ' '\(FLAGS\) +BIND_NOW|\(FLAGS_1\) +Flags:.* NOW' \
        '\(FLAGS_1\) +Flags:.* PIE' ' UND __stack_chk_fail@'; do
        grep -Eq "$want" <<<"$elf" || fail "the packaged executable lacks '$want'"
      done
    fi
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
appstreamcli validate --pedantic --no-net "$metainfo" || fail "the metainfo does not validate"
for entry in $id.desktop $id.planner.desktop; do
  grep -q "<launchable type=\"desktop-id\">$entry</launchable>" "$metainfo" \
    || fail "the metainfo does not launch $entry"
done
planner=$usr/share/applications/$id.planner.desktop
desktop-file-validate "$planner" || fail "the planner's desktop entry does not validate"
[ "$(sed -n 's/^Exec=//p' "$planner")" = "vantorel --planner" ] || fail "the planner's entry does not open the planner"
grep -q "<release version=\"$shown_version\"" "$metainfo" \
  || fail "the metainfo has no release $shown_version"

[ -f "$usr/share/doc/vantorel/copyright" ] || fail "no licence in share/doc/vantorel/copyright"

# The changelog and the manual page, gzipped as Debian keeps them: best
# compression, no file name or time stamp inside.
gzipped() {
  [ -f "$1" ] || fail "no $1"
  gzip -t "$1" || fail "$1 is not gzip data"
  local about
  about=$(file -b "$1")
  [[ $about == *"max compression"* && $about != *", was "* && $about != *"last modified"* ]] \
    || fail "$1 is not made by gzip -9n: $about"
}
changelog=$usr/share/doc/vantorel/changelog.gz
gzipped "$changelog"
gzip -dc "$changelog" | head -n1 | grep -q "^vantorel ($package_version) " \
  || fail "the changelog's latest entry is not version $package_version: $(gzip -dc "$changelog" | head -n1)"
page=$usr/share/man/man1/vantorel.1.gz
gzipped "$page"
"$here/check_manual_page.sh" "$page" "$shown_version" >/dev/null || fail "the installed manual page does not render cleanly"

# The installed program starts and keeps running (its splash window is up);
# `timeout` ends it and answers 124. Anything else means it failed to start.
# Qt's own window options reach the application past the command line.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  timeout 3 "$usr/bin/vantorel" -platform offscreen -style Fusion || status=$?
[ "$status" -eq 124 ] || fail "the installed program ended with status $status instead of running"
# ... and answers on the command line without a display.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/vantorel" --version)
[ "$version" = "Vantorel $shown_version" ] || fail "--version printed '$version'"
# The installation sheet is drawn by a module found beside the installed
# program, which the windows never load.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/vantorel" --satellite 101 --sheet "$scratch/job.pdf" \
  >/dev/null || fail "the installed program wrote no sheet"
file -b "$scratch/job.pdf" | grep -q '^PDF document' || fail "the sheet is $(file -b "$scratch/job.pdf")"
! readelf -dW "$usr/bin/vantorel" | grep -q 'libQt6Svg\|libQt6PrintSupport' \
  || fail "the program loads Qt's SVG or print module to start"
# The planner opens from its module and keeps running until timeout ends it.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$scratch" \
  timeout 3 "$usr/bin/vantorel" --planner -platform offscreen || status=$?
[ "$status" -eq 124 ] || fail "the installed planner ended with status $status instead of running"

echo "installed as a desktop expects ($mode)"
