#!/usr/bin/env bash
# Builds Numbolo (installing what the build needs) and starts it. Without a display it runs
# the game on a virtual display as a player would see it, saves a picture of the game window
# and prints where it is.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" --target Numbolo -j"$(nproc)"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$root/build/Numbolo"
fi

# No display. The game runs with this user's own settings and font folder, exactly as it does
# with a display: the picture shows what starting Numbolo here shows, and the run does what
# any start does (on the first start the display font is copied into the font folder, and
# the message that says so comes before the window). A throwaway home would show a first
# start every time, whatever this user's game is.
shot="$root/build/numbolo-screenshot.png"
. "$root/tools/virtual-display.sh"
start_virtual_display

QT_QPA_PLATFORM=xcb "$root/build/Numbolo" >"$work/game.log" 2>&1 &
game=$!

# The id of the first shown window whose title matches $1, waiting up to 20 seconds.
shown_window() {
    timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true
}
gone() {
    echo "Numbolo did not show its window on the virtual display $DISPLAY. Its output:"
    cat "$work/game.log"; exit 1
}

# The first window is the game's, or on a first start the message box titled "Numbolo".
first="$(shown_window '^Numbolo')"
[ -n "$first" ] || gone
if [ "$(xdotool getwindowname "$first")" = "Numbolo" ]; then
    echo "Numbolo showed its first-start message; Enter answers it, as a player would."
    xdotool windowfocus --sync "$first" key Return
fi
window="$(shown_window '^Numbolo v\. 1\.2$')"
[ -n "$window" ] || gone
sleep 1 # the first paint
import -window "$window" "$shot"
echo "No display here: Numbolo ran on the virtual display $DISPLAY."
echo "Picture of the game window ($(identify -format '%wx%h' "$shot") pixels): $shot"
