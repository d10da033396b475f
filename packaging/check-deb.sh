#!/usr/bin/env bash
# Builds the Numbolo .deb (`cpack -G DEB`) and proves it in a clean root: a minimal Debian 12
# made with debootstrap, into which apt-get installs the package with its dependencies only
# (no build tools, no recommends). There the game starts under Xvfb, twice (the first start
# copies the display font into the user's font folder and says so), a screenshot is taken
# each time, and ldd must find every library of the program and of the Qt plugins it uses.
# Then, with a PulseAudio server added, the game's sound player must be heard.
#
#   sudo packaging/check-deb.sh [build-folder]        (default: /tmp/build-deb)
#
# Needs root (debootstrap, chroot, mount) and the Debian mirror of apt's own sources. The
# minimal system is cached in the build folder as a tarball; the root made from it is new on
# every run and removed at the end.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-/tmp/build-deb}"
suite=bookworm

[ "$(id -u)" -eq 0 ] || { echo "check-deb.sh needs root (debootstrap, chroot, mount)"; exit 1; }
if ! command -v debootstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

# ---- The package ---------------------------------------------------------------------------
echo "== Building the package in $build"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DNUMBOLO_BUILD_TESTS=OFF -DNUMBOLO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 >/dev/null
rm -f "$build"/numbolo_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/numbolo_*.deb)"
echo "  $(basename "$deb")"
dpkg-deb --field "$deb" Package Version Architecture Section Maintainer Depends | sed 's/^/  /'
dpkg-deb --contents "$deb" | awk '{print "  " $6}' | grep -v '/$'
unpacked="$(mktemp -d)"
dpkg-deb -x "$deb" "$unpacked"
mapfile -t binaries < <(find "$unpacked" -type f \( -path '*/bin/*' -o -name '*.so' \) | sort)
cmake -P "$src/tests/runpaths.cmake" "${binaries[@]}"
rm -rf "$unpacked"

# ---- The clean root ------------------------------------------------------------------------
# The mirror is the one apt already uses here (deb822 .sources files or one-line lists).
mirror_for() { # $1: suite; prints the first URI that serves it
    local files=(/etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list)
    for f in "${files[@]}"; do
        [ -f "$f" ] || continue
        case "$f" in
        *.sources)
            awk -v suite="$1" 'BEGIN { RS = ""; FS = "\n" }
                { uri = ""; ok = 0
                  for (i = 1; i <= NF; i++) {
                      if ($i ~ /^URIs:/) { split($i, u, /[ \t]+/); uri = u[2] }
                      if ($i ~ /^Suites:/) { n = split($i, s, /[ \t]+/); for (j = 2; j <= n; j++) if (s[j] == suite) ok = 1 }
                  }
                  if (ok && uri != "") { print uri; exit } }' "$f"
            ;;
        *)
            awk -v suite="$1" '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i !~ /^\[/) { if ($(i + 1) == suite) { print $i; exit } break } }' "$f"
            ;;
        esac
    done | head -n 1
}
mirror="$(mirror_for "$suite")"
security="$(mirror_for "$suite-security")"
[ -n "$mirror" ] || { echo "no apt source serves $suite"; exit 1; }
echo "== Clean $suite root from $mirror"

base="$build/$suite-minbase.tgz"
if [ ! -f "$base" ]; then
    scratch="$(mktemp -d)"
    debootstrap --variant=minbase --make-tarball="$base" "$suite" "$scratch" "$mirror" >"$build/debootstrap.log" 2>&1
    rm -rf "$scratch"
fi

root="$build/clean-root"
mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
    mounted=()
    rm -rf "$root"
}
trap cleanup EXIT
rm -rf "$root"
debootstrap --variant=minbase --unpack-tarball="$base" "$suite" "$root" "$mirror" >>"$build/debootstrap.log" 2>&1
for fs in proc sys dev; do
    mkdir -p "$root/$fs"
    mount --bind "/$fs" "$root/$fs"
    mounted+=("$root/$fs")
done
{
    echo "deb $mirror $suite main"
    echo "deb $mirror $suite-updates main"
    [ -n "$security" ] && echo "deb $security $suite-security main"
} >"$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

if chroot "$root" dpkg-query -W cmake g++ qt6-base-dev >/dev/null 2>&1; then
    echo "the clean root has build tools"; exit 1
fi

echo "== apt-get install ./$(basename "$deb") xvfb imagemagick (no recommends)"
cp "$deb" "$root/tmp/"
chroot "$root" apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "./tmp/$(basename "$deb")" xvfb xauth imagemagick >"$build/chroot-apt.log" 2>&1 \
    || { tail -30 "$build/chroot-apt.log"; exit 1; }
chroot "$root" dpkg-query -W -f='  ${Package} ${Version} ${Status}\n' numbolo

# ---- Inside the clean root -----------------------------------------------------------------
cat >"$root/tmp/run-numbolo.sh" <<'INNER'
#!/bin/sh
# Runs inside the clean root: starts the game under Xvfb and checks its libraries.
set -u
export HOME=/home/player XDG_RUNTIME_DIR=/tmp/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
fail=0

echo "== ldd: the program and the Qt plugins it loads"
plugins=/usr/lib/x86_64-linux-gnu/qt6/plugins
for lib in /usr/bin/Numbolo $plugins/platforms/libqxcb.so $plugins/imageformats/libqsvg.so \
    $plugins/iconengines/libqsvgicon.so $plugins/multimedia/*.so $plugins/xcbglintegrations/*.so \
    $(ls /usr/lib/numbolo/*.so /usr/lib/*/numbolo/*.so 2>/dev/null); do
    if [ ! -e "$lib" ]; then echo "  missing: $lib"; fail=1; continue; fi
    missing="$(ldd "$lib" | grep 'not found')"
    if [ -n "$missing" ]; then echo "  $lib:"; echo "$missing"; fail=1; else echo "  ok  $lib"; fi
done

echo "== Fonts the game uses"
for family in Andika "DejaVu Sans" Z003; do
    echo "  $family -> $(fc-match -f '%{family[0]} (%{file})' "$family")"
done

Xvfb :7 -screen 0 1024x768x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
xvfb=$!
sleep 2
for start in first second; do
    DISPLAY=:7 /usr/bin/Numbolo >/tmp/numbolo-$start.log 2>&1 &
    game=$!
    sleep 5
    DISPLAY=:7 import -window root /tmp/numbolo-$start.png
    if kill -0 "$game" 2>/dev/null; then
        echo "== $start start: running"
        kill "$game"; wait "$game" 2>/dev/null
    else
        echo "== $start start: the game is not running"; cat /tmp/numbolo-$start.log; fail=1
    fi
    [ -s /tmp/numbolo-$start.log ] && sed 's/^/  log: /' /tmp/numbolo-$start.log
done
kill "$xvfb"

if cmp -s "$HOME/.local/share/fonts/DS-DIGI.TTF" /usr/share/numbolo/DS-DIGI.TTF; then
    echo "  display font copied from /usr/share/numbolo into ~/.local/share/fonts"
else
    echo "  display font not copied into ~/.local/share/fonts"; fail=1
fi
exit $fail
INNER
chmod +x "$root/tmp/run-numbolo.sh"
status=0
chroot "$root" /tmp/run-numbolo.sh || status=$?
for start in first second; do
    cp "$root/tmp/numbolo-$start.png" "$build/deb-$start-start.png" 2>/dev/null && echo "  screenshot: $build/deb-$start-start.png"
done

# ---- Sound, with the packaged libraries -----------------------------------------------------
# A desktop brings a sound server; the clean root gets PulseAudio with a null sink. The game's
# sound player (bench/sound_play, linked like the game) plays the hit sound into it, using
# only the libraries the package brought, and the sink's monitor is captured.
echo "== Sound through the packaged Qt Multimedia into a PulseAudio null sink"
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    pulseaudio pulseaudio-utils >>"$build/chroot-apt.log" 2>&1
cp "$build/bench/sound_play" "$root/tmp/"
cat >"$root/tmp/run-sound.sh" <<'INNER'
#!/bin/sh
export XDG_RUNTIME_DIR=/tmp/runtime QT_QPA_PLATFORM=offscreen HOME=/home/player
pulseaudio -D -n --exit-idle-time=-1 --load="module-null-sink sink_name=capture" \
    --load=module-native-protocol-unix 2>/dev/null
sleep 1
pactl set-default-sink capture
parec --latency-msec=10 -d capture.monitor --format=s16le --rate=22050 --channels=2 --file-format=wav /tmp/hit.wav &
rec=$!
sleep 0.3
/tmp/sound_play MYSOUND 2500 1 >/dev/null 2>&1
kill -INT $rec; wait $rec 2>/dev/null
pulseaudio --kill 2>/dev/null
INNER
chmod +x "$root/tmp/run-sound.sh"
chroot "$root" /tmp/run-sound.sh
audible="$(python3 "$src/bench/audible.py" "$root/tmp/hit.wav" 2>&1 | sed 's|^[^ ]* ||' | cut -c1-70)"
echo "  captured: $audible"
echo "  original: $(python3 "$src/bench/audible.py" "$src/resources/sounds/MYSOUND.wav" | sed 's|^[^ ]* ||' | cut -c1-70)"
case "$audible" in
*audible*) ;;
*) echo "  the hit sound was not heard"; status=1 ;;
esac
[ "$status" -eq 0 ] || { echo "check-deb: FAILED"; exit 1; }
echo "check-deb: all good"
