#!/usr/bin/env bash
# Builds Numbolo and its tests (installing what the build needs) and runs every test.
# With --sanitizers it then builds again with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the whole suite there too.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/deps.sh"
export QT_QPA_PLATFORM=offscreen

cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)"
(cd "$root/build" && ctest --output-on-failure -j2)

if [ "${1:-}" = "--sanitizers" ]; then
    cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNUMBOLO_SANITIZE=ON \
        -DNUMBOLO_BUILD_BENCH=OFF >/dev/null
    cmake --build "$root/build-sanitize" -j"$(nproc)"
    (cd "$root/build-sanitize" && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j2)
fi
