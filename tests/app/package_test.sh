#!/bin/sh
# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT
# package_test.sh BUILD SOURCE: builds the Debian package from the build tree
# and checks what a classroom PC would get from it.
set -eu
build=$1 source=$2 id=io.github.torumina.Torumina
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$tmp" >/dev/null
deb=$(echo "$tmp"/torumina_*_amd64.deb)
lintian --fail-on error,warning "$deb"

# Exactly these files: the programs, what the menu and software centres
# read, the sound cues, Debian's papers, and every manual page.
{
    printf '%s\n' bin/torumina bin/torumina-sim share/applications/$id.desktop \
        share/metainfo/$id.metainfo.xml share/torumina/pinpon.wav share/torumina/endpinpon.wav \
        share/doc/torumina/copyright share/doc/torumina/changelog.gz
    for size in 32 48 128 256; do echo share/icons/hicolor/${size}x$size/apps/$id.png; done
    for page in "$source"/doc/man/*/*.1; do
        language=$(basename "$(dirname "$page")")
        echo "share/man/${language#en}/man1/$(basename "$page").gz" | sed 's,//,/,'
    done
} | sed 's,^,./usr/,' | sort >"$tmp/expected"
dpkg-deb -c "$deb" | awk '$6 !~ /\/$/ { print $6 }' | sort | diff -u "$tmp/expected" -
# make uninstall removes what the install manifest lists: the same files.
sed 's,^,.,' "$build/install_manifest.txt" | sort | diff -u "$tmp/expected" -

# The libraries it links and what it loads, never the build toolchain.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 qt6-qpa-plugins fonts-ipafont-gothic \
              qt6-translations-l10n; do
    echo "$depends" | grep -q "$needed" || { echo "Depends lacks $needed: $depends"; exit 1; }
done
if echo "$depends" | grep -Eq -- '-dev\b|\b(gcc|g\+\+|clang|cmake)\b'; then
    echo "Depends names a build tool: $depends"; exit 1
fi

dpkg-deb -x "$deb" "$tmp/root"
# The menu entry starts the program where its cues are, and both validators accept it.
grep -qx 'Path=/usr/share/torumina' "$tmp/root/usr/share/applications/$id.desktop"
test -z "$(desktop-file-validate "$tmp/root/usr/share/applications/$id.desktop")"
appstreamcli validate --no-net "$tmp/root/usr/share/metainfo/$id.metainfo.xml" >/dev/null
"$tmp/root/usr/bin/torumina" --version | grep -qx "torumina $(dpkg-deb -f "$deb" Version)"
"$tmp/root/usr/bin/torumina-sim" --guests 10 --trials 5 --seed 1 >/dev/null
echo "package $(basename "$deb") checked"
