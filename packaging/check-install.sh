#!/usr/bin/env bash
# Installs Numbolo from a build folder into a temporary prefix with `cmake --install`, validates
# the desktop entry and the AppStream metainfo, and starts the installed program with an empty
# home folder: it must find its display font in share/numbolo and copy it into the user's font
# folder. Installs the validators it needs (appstream, desktop-file-utils) with apt-get.
#
#   packaging/check-install.sh [build-folder]      (default: /tmp/build-pkg)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-/tmp/build-pkg}"
app_id=io.github.numbolo.Numbolo

need=()
command -v appstreamcli >/dev/null || need+=(appstream)
command -v desktop-file-validate >/dev/null || need+=(desktop-file-utils)
command -v Xvfb >/dev/null || need+=(xvfb)
command -v import >/dev/null || need+=(imagemagick)
. "$(dirname "$0")/lib.sh"
install_packages "${need[@]}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target Numbolo -j2 >/dev/null

work="$(mktemp -d)"
prefix="$work/prefix"
xvfb=""; game=""
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
echo "== Installed files"
(cd "$prefix" && find . -type f | sort | sed 's|^\./|  |')

echo "== desktop-file-validate"
desktop-file-validate "$prefix/share/applications/$app_id.desktop"
echo "  ok"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"

for file in bin/Numbolo share/numbolo/DS-DIGI.TTF share/numbolo/DS-DIGI-LICENSE.txt share/doc/numbolo/copyright \
    share/icons/hicolor/scalable/apps/$app_id.svg share/icons/hicolor/48x48/apps/$app_id.png \
    share/man/man6/Numbolo.6 share/man/el/man6/Numbolo.6; do
    [ -f "$prefix/$file" ] || { echo "missing: $file"; exit 1; }
done
for module in sound history progress; do
    [ -n "$(find "$prefix" -path "*/lib*/numbolo/*numbolo_$module*" -print -quit)" ] \
        || { echo "missing: the $module module in lib/numbolo"; exit 1; }
done
grep -q "^Icon=$app_id$" "$prefix/share/applications/$app_id.desktop"
grep -qx "Exec=$prefix/bin/Numbolo" "$prefix/share/applications/$app_id.desktop"
grep -qx "Exec=$prefix/bin/Numbolo --progress" "$prefix/share/applications/$app_id.desktop"
echo "== The installed program's history as CSV, without a display"
HOME="$work/csvhome" XDG_DATA_HOME="$work/csvhome/share" env -u DISPLAY "$prefix/bin/Numbolo" --progress --csv \
    | grep -q "^Έναρξη παιχνιδιού," || { echo "no CSV header from --progress --csv"; exit 1; }
echo "  ok"

echo "== No installed program or library looks for libraries in the current directory"
mapfile -t binaries < <(find "$prefix" -type f \( -path '*/bin/*' -o -name '*.so' \) | sort)
cmake -P "$root/tests/runpaths.cmake" "${binaries[@]}"

echo "== Starting the installed program with an empty home folder"
home="$work/home"
mkdir -p "$home"
display=":$(( (RANDOM % 300) + 400 ))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
(cd "$work" && HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    DISPLAY="$display" QT_QPA_PLATFORM=xcb "$prefix/bin/Numbolo" >"$work/game.log" 2>&1) &
game=$!
font="$home/.local/share/fonts/DS-DIGI.TTF"
for _ in $(seq 50); do
    [ -f "$font" ] && break
    kill -0 "$game" 2>/dev/null || break
    sleep 0.2
done
sleep 2
shot="$build/installed-first-start.png"
DISPLAY="$display" import -window root "$shot"
if ! kill -0 "$game" 2>/dev/null; then
    echo "the installed program did not keep running:"; cat "$work/game.log"; exit 1
fi
if ! cmp -s "$font" "$prefix/share/numbolo/DS-DIGI.TTF"; then
    echo "the display font was not copied from share/numbolo into $font"; exit 1
fi
echo "  running; font copied from share/numbolo to ~/.local/share/fonts/DS-DIGI.TTF"
echo "  screenshot: $shot"
cleanup; game=""; xvfb=""
rm -rf "$work"
echo "check-install: all good"
