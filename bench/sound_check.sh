#!/usr/bin/env bash
# Plays the game's two sounds through the real sound service into a PulseAudio server with a
# null sink, captures the sink's monitor, and prints how long each capture is audible next to
# the original. Needs pulseaudio, pulseaudio-utils and a built bench/sound_play.
#   bench/sound_check.sh [build dir] [times]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
times="${2:-3}"
export XDG_RUNTIME_DIR="$(mktemp -d)" QT_QPA_PLATFORM=offscreen
trap 'pulseaudio --kill 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT
pulseaudio -D -n --exit-idle-time=-1 --load="module-null-sink sink_name=capture" \
    --load=module-native-protocol-unix 2>/dev/null
sleep 1
pactl set-default-sink capture

capture() { # sound milliseconds
    local out="$XDG_RUNTIME_DIR/$1.wav"
    parec --latency-msec=10 -d capture.monitor --format=s16le --rate=22050 --channels=2 --file-format=wav "$out" &
    local rec=$!
    sleep 0.3
    "$build/bench/sound_play" "$1" "$2" 1 >/dev/null 2>&1
    kill -INT $rec; wait $rec 2>/dev/null || true
    printf 'captured  '; python3 "$here/audible.py" "$out" | cut -c1-110
}
for i in $(seq "$times"); do capture MYSOUND 2500; done
printf 'original  '; python3 "$here/audible.py" "$here/../resources/sounds/MYSOUND.wav" | cut -c1-110
capture KOTA 100000
printf 'original  '; python3 "$here/audible.py" "$here/../resources/sounds/KOTA.wav" | cut -c1-110
