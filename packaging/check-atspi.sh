#!/usr/bin/env bash
# Checks what a screen reader gets from Numbolo through AT-SPI, the Linux desktop's
# accessibility bus. In a private session bus (dbus-run-session) it starts the accessibility
# bus and its registry (at-spi2-core), the game under Xvfb with Qt's accessibility bridge on,
# and a pyatspi client (packaging/atspi-tree.py) that prints the tree, finds every control by
# its Greek name and checks that text changes arrive. It also runs the accessibility test's
# event rows, which need the live bridge. Installs what it needs with apt-get.
#
#   packaging/check-atspi.sh [build-folder]      (default: /tmp/build-pkg)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-/tmp/build-pkg}"

. "$(dirname "$0")/lib.sh"
need=()
need_accessible_desktop
install_packages "${need[@]}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target Numbolo tst_accessibility -j2 >/dev/null

if [ -z "${NUMBOLO_ATSPI_INSIDE:-}" ]; then
    export NUMBOLO_ATSPI_INSIDE=1
    exec dbus-run-session -- "$0" "$build"
fi

# ---- Inside the private session bus --------------------------------------------------------
# The option boxes hold a valid game, so the red arrow starts one.
accessible_desktop '[Str]\ncur=0\nreps=10\nmaxnums=100\n'

status=0
echo "== tst_accessibility textChangesReachAssistiveTechnology, with the bridge active"
"$build/tests/tst_accessibility" textChangesReachAssistiveTechnology >"$work/test.log" 2>&1 || status=$?
grep -E '^(PASS|FAIL|SKIP|Totals)' "$work/test.log" | grep -v 'initTestCase\|cleanupTestCase' || true
grep -q '^SKIP' "$work/test.log" && status=1
echo

"$build/Numbolo" >"$work/game.log" 2>&1 &
pids+=($!)
sleep 3
/usr/bin/python3 "$root/packaging/atspi-tree.py" || status=$?
import -window root "$build/atspi-game.png"
echo "screenshot after the presses: $build/atspi-game.png"
exit $status
