#!/bin/sh
# Installs into a scratch prefix and checks what a desktop menu needs.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
entry="$prefix/share/applications/torumina.desktop"
desktop-file-validate "$entry"
test -x "$prefix/bin/torumina"
test -f "$prefix/share/icons/hicolor/32x32/apps/torumina.png"
# The launcher starts the program where its cues are.
grep -qx "Path=$prefix/share/torumina" "$entry"
test -f "$prefix/share/torumina/pinpon.wav"
test -f "$prefix/share/torumina/endpinpon.wav"
grep -qx 'Name=トルミナの実験２' "$entry"
grep -q '^Categories=.*Education;.*Math;' "$entry"
echo "installed desktop entry is valid"
