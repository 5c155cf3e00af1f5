#!/bin/sh
# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT
# package_test.sh BUILD SOURCE: builds the Debian package from the build tree
# and checks what a classroom PC would get from it.
set -eu
build=$1 source=$2 id=io.github.torumina.Torumina
tmp=$(mktemp -d)
# Everything started here ends with the test: the X server, and the program
# with strace in a process group of their own.
trap 'kill $xvfb 2>/dev/null || :; [ -z "$traced" ] || kill -9 -- -$traced 2>/dev/null || :
      rm -rf "$tmp"' EXIT
xvfb= traced=
cpack --config "$build/CPackConfig.cmake" -B "$tmp" >/dev/null
deb=$(echo "$tmp"/torumina_*_amd64.deb)
lintian --fail-on error,warning "$deb"

# Exactly the files of package_files.txt: the programs, what the menu and
# software centres read, the sound cues, Debian's papers, every manual page.
sort "$source/tests/app/package_files.txt" >"$tmp/expected"
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
# Both validators accept what the menu and the software centres read.
test -z "$(desktop-file-validate "$tmp/root/usr/share/applications/$id.desktop")"
appstreamcli validate --no-net "$tmp/root/usr/share/metainfo/$id.metainfo.xml" >/dev/null
"$tmp/root/usr/bin/torumina" --version | grep -qx "torumina $(dpkg-deb -f "$deb" Version)"
"$tmp/root/usr/bin/torumina-sim" --guests 10 --trials 5 --seed 1 >/dev/null

# Started from a folder without cues, as from a terminal, the program plays
# them from the data folder: 終了 sounds endpinpon.wav before it asks to end.
Xvfb -displayfd 1 -nolisten tcp >"$tmp/display" 2>/dev/null & xvfb=$!
timeout 60 sh -c 'until [ -s "$1" ]; do sleep 0.1; done' - "$tmp/display"
export DISPLAY=:$(cat "$tmp/display") QT_QPA_PLATFORM=xcb XDG_DATA_DIRS="$tmp/root/usr/share"
# No session bus: where dbus-x11 is installed, libdbus would start one
# (dbus-launch and a dbus-daemon) that outlives the program, and strace -f
# would follow it. Only the opening of the cue is traced.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/no-bus"
cue="$tmp/root/usr/share/torumina/endpinpon.wav"
(cd "$tmp" && exec setsid timeout 120 strace -f -qq -e trace=openat -e signal=none -P "$cue" \
                                      -o trace root/usr/bin/torumina) & traced=$!
for title in ' お客人数の設定' ' 実験回数の設定' ' トルミナの実験２' 'トルミナの実験'; do
    w=$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" | head -1)
    xdotool windowfocus --sync "$w"
    if [ "$title" = ' トルミナの実験２' ]; then # 終了, at the top of the area under the menu bar
        eval "$(xdotool getwindowgeometry --shell "$w")"
        xdotool mousemove --window "$w" 28 $((HEIGHT - 512 + 12)) click 1
    else # a click on the main window counts only once the box has gone
        xdotool key Return
        timeout 60 sh -c 'while xdotool search --onlyvisible --name "$1" | grep -qx "$2"
                          do sleep 0.1; done' - "^$title\$" "$w"
    fi
done
wait $traced
grep -q "\"$cue\".* = [0-9]" "$tmp/trace" ||
    { echo "torumina started in $tmp did not open its cue in usr/share/torumina"; exit 1; }
echo "package $(basename "$deb") checked"
