#!/usr/bin/env bash
# Plays Numbolo from outside under Xvfb, with the accessibility bus on: real double- and
# triple-clicks (xdotool), presses and text through AT-SPI as a screen reader or a switch
# device sends them, and a window manager's close request while the success window is open
# (packaging/input-drive.py). Installs what it needs with apt-get.
#
#   packaging/check-input.sh [build-folder]      (default: /tmp/build-pkg)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-/tmp/build-pkg}"

. "$(dirname "$0")/lib.sh"
need=()
need_accessible_desktop
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || need+=(python3-xlib)
command -v xdotool >/dev/null || need+=(xdotool)
install_packages "${need[@]}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target Numbolo -j2 >/dev/null

if [ -z "${NUMBOLO_INPUT_INSIDE:-}" ]; then
    export NUMBOLO_INPUT_INSIDE=1
    exec dbus-run-session -- "$0" "$build"
fi

# ---- Inside the private session bus --------------------------------------------------------
# A game of 10 exercises under way.
accessible_desktop '[Str]\nLevel=1.16333333333333\nscore=0\nmaxnums=100\ncur=1\nnums=34.3333333333333\nreps=10\n'
"$build/Numbolo" >"$work/game.log" 2>&1 &
pids+=($!)
sleep 3
status=0
/usr/bin/python3 "$root/packaging/input-drive.py" || status=$?
import -window root "$build/input-game.png"
echo "screenshot at the end: $build/input-game.png"
exit $status
