#!/usr/bin/env bash
# Lets the results animation run on the real clock (default ten minutes) and prints resident
# memory, top-level windows and CPU time once a minute, then whether memory stayed flat.
# Settings and fonts live in a temporary home.
#   bench/soak_realclock.sh [minutes, default 10] [build dir]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
minutes="${1:-10}"
build="${2:-$root/build-bench}"

"$root/tools/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target game_bench >/dev/null

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
export XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" QT_LOGGING_RULES="qt.multimedia*=false"
mkdir -p "$XDG_DATA_HOME/fonts" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cp "$root/resources/DS-DIGI.TTF" "$XDG_DATA_HOME/fonts/"

echo "results animation on the real clock for $minutes min"
printf '%-8s %-12s %-8s %s\n' minute "RSS (KiB)" windows "CPU (ms)"
out="$home/soak.txt"
"$build/bench/game_bench" soak "$((minutes * 60))" 2> >(grep -v PulseAudioService >&2) | tee "$out" |
    awk 'NF == 4 && NR <= '"$minutes"' { printf "%-8s %-12s %-8s %s\n", $1, $2, $3, $4 }'
read -r growth windows_start windows_end steps <<<"$(tail -n 1 "$out")"
verdict=ok
if [ "$growth" -ge 5120 ] || [ "$windows_start" != "$windows_end" ]; then verdict=MISSED; fi
echo "display changes: $steps; memory growth: $growth KiB (goal < 5 MiB);" \
    "top-level windows: $windows_start -> $windows_end; $verdict"
[ "$verdict" = ok ]
