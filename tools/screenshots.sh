#!/usr/bin/env bash
# Makes the pictures in docs/ that the README shows, from the real program on a virtual
# display, so they stay true when the look of the game changes:
#
#   docs/screenshot.png  an exercise: eight targets, a few working keys, an expression typed
#   docs/hit.png         the same after "=": the result in the display, its target gone
#   docs/results.png     the end of a game, the results typed into the display
#   docs/help.png        the help window
#   docs/*-en.png        the exercise, the help and the progress window in English
#   docs/progress.png    the progress window on a fixed history written through the real
#                        recorder (tools/history_fixture.cpp), an exercise with missed targets
#                        chosen; docs/progress-charts.png its charts and
#                        docs/progress-skills.png its figures per operators
#
# The game runs in a throwaway home with its display font installed and a settings file
# written here that resumes a game; the script clicks the controls at their design places
# (twips, 15 to a pixel) as a player would.
#
#   tools/screenshots.sh [build-folder]      (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
"$root/tools/deps.sh"
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target Numbolo history_fixture -j2 >/dev/null

. "$root/tools/virtual-display.sh"
start_virtual_display -dpi 96
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 QT_LOGGING_RULES='qt.multimedia*=false'
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$XDG_CONFIG_HOME/Numbolo" "$XDG_DATA_HOME/fonts"
cp "$root/resources/DS-DIGI.TTF" "$XDG_DATA_HOME/fonts/"

# The id of the first shown window whose title matches $1, waiting up to 20 seconds.
shown_window() {
    local id
    id="$(timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)"
    [ -n "$id" ] || { echo "no window \"$1\" showed up"; cat "$work/game.log"; exit 1; }
    echo "$id"
}

# Starts the game on the settings given as "key=value" lines; sets $window.
start_game() {
    { echo "[Str]"; printf '%s\n' "$@"; } >"$XDG_CONFIG_HOME/Numbolo/Numbolo.ini"
    "$build/Numbolo" >"$work/game.log" 2>&1 &
    game=$!
    window="$(shown_window '^Numbolo v\. 1\.2$')"
    sleep 1 # the first paint
}

stop_game() {
    kill "$game"; wait "$game" 2>/dev/null || true; game=""
}

# Clicks the point x, y of the window's client area, in twips.
click_at() {
    xdotool mousemove --window "$window" $(($1 / 15)) $(($2 / 15)) click 1
    sleep 0.3
}

# Clicks a key of the keypad by its caption. Keys are 615 twips square, in Frame1 at 120, 120.
key() {
    local at
    case "$1" in
        7) at="120 1080" ;; 8) at="840 1080" ;; 9) at="1560 1080" ;; /) at="2280 1080" ;;
        4) at="120 1800" ;; 5) at="840 1800" ;; 6) at="1560 1800" ;; x) at="2280 1800" ;;
        1) at="120 2520" ;; 2) at="840 2520" ;; 3) at="1560 2520" ;; -) at="2280 2520" ;;
        0) at="120 3240" ;; .) at="840 3240" ;; =) at="1560 3240" ;; +) at="2280 3240" ;;
        *) echo "no key $1"; exit 1 ;;
    esac
    set -- $at
    click_at $((120 + $1 + 307)) $((120 + $2 + 307))
}

# The pixels in the colour of the target numbers.
target_pixels() {
    convert "$1" -fill black +opaque '#FF80FF' -fill white -opaque '#FF80FF' -format '%[fx:round(mean*w*h)]' info:
}

docs="$root/docs"

# A game of 20 exercises up to 500, at its fifth exercise. Every start draws the same exercise
# for it (the random sequence is never seeded): the targets include 217, and 7, 3, 1 and "x"
# work, so "7x31" hits.
start_game Level=1.4767 score=4 maxnums=500 cur=5 nums=238.4 reps=20
for k in 7 x 3 1; do key "$k"; done
import -window "$window" "$docs/screenshot.png"
key =
import -window "$window" "$docs/hit.png"
before="$(target_pixels "$docs/screenshot.png")"; after="$(target_pixels "$docs/hit.png")"
if [ "$after" -ge "$before" ]; then
    echo "\"7x31\" hit no target: the exercise drawn for these settings has changed;"
    echo "look at $docs/screenshot.png and type an expression for one of its targets."
    exit 1
fi

# The help window, opened from the lifebuoy (Image1 in Frame6).
click_at $((7320 + 120 + 187)) $((240 + 240 + 187))
import -window "$(shown_window '^Βοήθεια$')" "$docs/help.png"
stop_game

# The last of 10 exercises, 8 solved. Skipping it (the red arrow, Image6 in Frame7, and "Ναι",
# the default answer) ends the game; the results are typed into the display, and the score
# line ("ΑΠΟΤΕΛΕΣΜΑΤΑ: 89 %") stands whole from about 2.3 s to 2.7 s after the answer.
start_game Level=1.66 score=8 maxnums=100 cur=10 nums=100 reps=10
click_at $((120 + 3000 + 240 + 165)) $((120 + 1800 + 720 + 150))
xdotool windowfocus --sync "$(shown_window '^Επιβεβαίωση$')" key Return
sleep 2.4
import -window "$window" "$docs/results.png"
stop_game

# The progress window, opened as the desktop entry's action opens it, on a fixed history: the
# games table first, with the second game chosen and, in its exercises (Tab), the last one,
# missed, with its targets; then the charts and the figures per operators (Ctrl+Tab).
rm -f "$XDG_DATA_HOME/Numbolo/history.sqlite"*
"$build/history_fixture" "$XDG_DATA_HOME/Numbolo/history.sqlite"
# Opens the progress window titled $1 with the second game chosen and its last exercise.
open_progress() {
    "$build/Numbolo" --progress >"$work/game.log" 2>&1 &
    game=$!
    window="$(shown_window "$1")"
    sleep 1
    xdotool windowfocus --sync "$window" key Down Tab ctrl+End
    sleep 1
}
open_progress '^Πρόοδος$'
import -window "$window" "$docs/progress.png"
xdotool windowfocus --sync "$window" key ctrl+Tab
sleep 1
import -window "$window" "$docs/progress-charts.png"
xdotool windowfocus --sync "$window" key ctrl+Tab
sleep 1
import -window "$window" "$docs/progress-skills.png"
stop_game

# The same in English, as a desktop whose language is English starts it: the exercise, the
# help window and the progress window.
export LANGUAGE=en LANG=en_US.UTF-8
start_game Level=1.4767 score=4 maxnums=500 cur=5 nums=238.4 reps=20
for k in 7 x 3 1; do key "$k"; done
import -window "$window" "$docs/screenshot-en.png"
click_at $((7320 + 120 + 187)) $((240 + 240 + 187))
import -window "$(shown_window '^Help$')" "$docs/help-en.png"
stop_game
open_progress '^Progress$'
import -window "$window" "$docs/progress-en.png"
stop_game
unset LANGUAGE LANG

for picture in screenshot hit results help progress progress-charts progress-skills screenshot-en help-en progress-en; do
    echo "$docs/$picture.png: $(identify -format '%wx%h' "$docs/$picture.png")"
done
