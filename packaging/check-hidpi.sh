#!/usr/bin/env bash
# Takes screenshots of the game window at QT_SCALE_FACTOR=1 and 2 on a virtual display and
# checks that the second is the same layout at exactly twice the size: the window measures
# twice as much, and the double-size picture scaled down to the normal size matches the
# normal one closely. Look at both pictures to judge crispness: the double-size one must show
# sharp text, edges and pictures, not a blown-up copy of the normal one.
#
#   packaging/check-hidpi.sh [build-folder]      (default: /tmp/build-pkg)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-/tmp/build-pkg}"

need=()
command -v Xvfb >/dev/null || need+=(xvfb)
command -v compare >/dev/null || need+=(imagemagick)
. "$(dirname "$0")/lib.sh"
install_packages "${need[@]}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target Numbolo -j2 >/dev/null

work="$(mktemp -d)"
xvfb=""; game=""
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

display=":$(( (RANDOM % 300) + 700 ))"
Xvfb "$display" -screen 0 2400x1600x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1

# Same home folder for both: the display font installed, the option boxes filled.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$XDG_DATA_HOME/fonts" "$XDG_CONFIG_HOME/Numbolo"
cp "$root/resources/DS-DIGI.TTF" "$XDG_DATA_HOME/fonts/"

shoot() { # $1: scale factor; writes $build/hidpi-x$1.png, the window alone
    printf '[Str]\ncur=0\nreps=25\nmaxnums=500\n' >"$XDG_CONFIG_HOME/Numbolo/Numbolo.ini"
    DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$1" QT_LOGGING_RULES='qt.multimedia*=false' \
        "$build/Numbolo" >"$work/game-$1.log" 2>&1 &
    game=$!
    sleep 4
    kill -0 "$game" 2>/dev/null || { echo "the game did not start at scale $1"; cat "$work/game-$1.log"; exit 1; }
    DISPLAY="$display" import -window root "$work/root-$1.png"
    kill "$game"; wait "$game" 2>/dev/null || true; game=""
    # The window sits at the top left of the black root window: cut it out.
    convert "$work/root-$1.png" -bordercolor black -border 1 -fuzz 1% -trim +repage "$build/hidpi-x$1.png"
}
shoot 1
shoot 2

size1="$(identify -format '%wx%h' "$build/hidpi-x1.png")"
size2="$(identify -format '%wx%h' "$build/hidpi-x2.png")"
echo "window at scale 1: $size1"
echo "window at scale 2: $size2"
w1="${size1%x*}"; h1="${size1#*x}"; w2="${size2%x*}"; h2="${size2#*x}"
status=0
if [ "$w2" -ne $((2 * w1)) ] || [ "$h2" -ne $((2 * h1)) ]; then
    echo "the window at scale 2 is not twice the size"; status=1
fi

# Same layout: the double-size picture, scaled down, differs from the normal one only by
# anti-aliasing (PSNR in dB; identical pictures give inf).
convert "$build/hidpi-x2.png" -filter Box -resize "${size1}!" "$work/down.png"
psnr="$(compare -metric PSNR "$build/hidpi-x1.png" "$work/down.png" null: 2>&1 || true)"
echo "scale 2 scaled down against scale 1: PSNR $psnr dB"
if [ "$psnr" != inf ] && awk -v p="$psnr" 'BEGIN { exit !(p < 20) }'; then
    echo "the layouts differ"; status=1
fi

# Crispness: a detail of each at its own pixel size, side by side, for the eye.
convert "$build/hidpi-x1.png" -crop 100x100+485+15 +repage -filter point -resize 200x200 "$work/detail1.png"
convert "$build/hidpi-x2.png" -crop 200x200+970+30 +repage "$work/detail2.png"
convert "$work/detail1.png" "$work/detail2.png" +append "$build/hidpi-detail.png"
echo "pictures: $build/hidpi-x1.png $build/hidpi-x2.png"
echo "detail (left: scale 1 blown up, right: scale 2 as drawn): $build/hidpi-detail.png"
[ "$status" -eq 0 ] && echo "check-hidpi: same layout, twice the size" || echo "check-hidpi: FAILED"
exit $status
