#!/bin/sh
# Installs into a scratch prefix and checks what a desktop menu needs.
set -eu
build=$1
prefix=$(mktemp -d) found=$(mktemp)
trap 'rm -rf "$prefix" "$found"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
# make uninstall removes what the manifest lists: every installed file.
find "$prefix" -type f | sort >"$found"
sort "$build/install_manifest.txt" | diff -u "$found" -
entry="$prefix/share/applications/io.github.torumina.Torumina.desktop"
test -z "$(desktop-file-validate "$entry")"
test -x "$prefix/bin/torumina"
test -f "$prefix/share/icons/hicolor/32x32/apps/io.github.torumina.Torumina.png"
# The launcher starts the program where its cues are.
grep -qx "Path=$prefix/share/torumina" "$entry"
test -f "$prefix/share/torumina/pinpon.wav"
test -f "$prefix/share/torumina/endpinpon.wav"
grep -qx 'Name=トルミナの実験２' "$entry"
grep -q '^Categories=.*Education;.*Math;' "$entry"
echo "installed desktop entry is valid"
