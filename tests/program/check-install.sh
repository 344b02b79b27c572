#!/usr/bin/env bash
# Installs the build into a staging folder and checks that desktop environments find what they
# read: the program on the PATH, the .desktop entry, the MIME type for marker files, the icon,
# the manual beside the program, and the sample work recording where it was installed.
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr

fail() { echo "install check: $*" >&2; exit 1; }
[ -x "$root/bin/byzel" ] || fail "bin/byzel missing or not executable"
[ "$(readlink "$root/bin/byzel")" = "../lib/byzel/byzel" ] || fail "bin/byzel does not link to the program"
desktop=$root/share/applications/byzel.desktop
grep -qx 'Exec=byzel %f' "$desktop" || fail "desktop entry does not pass the file"
grep -qx 'MimeType=application/x-byzel-markers;' "$desktop" || fail "desktop entry lacks the MIME type"
grep -q '<glob pattern="\*.mkg"/>' "$root/share/mime/packages/byzel-markers.xml" || fail "no *.mkg glob"
[ -f "$root/share/icons/hicolor/scalable/apps/byzel.svg" ] || fail "icon missing"
[ -f "$root/lib/byzel/Manual.pdf" ] || fail "manual missing beside the program"
[ -f "$root/lib/byzel/SampleData/sample.wav" ] || fail "sample dump file missing"
head -c 40 "$root/lib/byzel/SampleData/sample.mkg" | grep -q '^/usr/lib/byzel/SampleData/sample.wav' ||
    fail "sample marker file does not record the installed sample"
echo "install layout ok"
