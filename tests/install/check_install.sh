#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that every file is
# where GNUInstallDirs puts it and that the desktop validators accept them.
# Usage: check_install.sh <build-dir> <app-id> <libdir>
set -euo pipefail
build=${1:?build directory}
id=${2:?application id}
libdir=${3:?library folder}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
fail() { echo "FAIL: $*"; status=1; }

[ -x "$prefix/bin/zentro" ] || fail "bin/zentro missing or not executable"
# The program loads the HTML engine's library from here, relative to bin/.
[ -f "$prefix/$libdir/zentro/libzentro-htmlengine.so" ] ||
    fail "$libdir/zentro/libzentro-htmlengine.so missing"
# The engine runs its helper processes from next to the library.
[ -x "$prefix/$libdir/zentro/zentro-htmlhelper" ] ||
    fail "$libdir/zentro/zentro-htmlhelper missing or not executable"
for f in share/applications/$id.desktop etc/xdg/autostart/$id.desktop \
         share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
         share/doc/zentro/copyright share/doc/zentro/changelog.gz; do
    [ -f "$prefix/$f" ] || fail "$f missing"
done
for size in 16 22 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    got=$(identify -format '%wx%h' "$png" 2>/dev/null || echo missing)
    [ "$got" = "${size}x${size}" ] || fail "$png is $got, not ${size}x${size}"
done
# Nothing else: a stray file would be a rule installing the wrong thing.
count=$(find "$prefix" -type f | wc -l)
[ "$count" -eq 17 ] || fail "$count files installed, expected 17"

grep -qx 'Hidden=true' "$prefix/etc/xdg/autostart/$id.desktop" ||
    fail "the autostart entry is not switched off"
grep -q 'Hidden' "$prefix/share/applications/$id.desktop" &&
    fail "the menu entry is hidden"

desktop-file-validate "$prefix/share/applications/$id.desktop" \
    "$prefix/etc/xdg/autostart/$id.desktop" || fail "desktop-file-validate"
# The tree check also finds the desktop entry and the icon the metadata
# names; no network: the screenshot's host is not ours to reach in CI.
appstreamcli validate-tree --no-net --pedantic "$prefix" || fail "appstreamcli validate-tree"
exit $status
