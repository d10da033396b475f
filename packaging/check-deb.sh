#!/usr/bin/env bash
# Builds the Debian source package (packaging/check-debian.sh, which also runs lintian), builds
# the .deb from it again in a minimal Debian 12 made with debootstrap that has only the declared
# build dependencies, and proves that .deb in another clean root, as piuparts would: apt-get
# installs the package with its dependencies only (no build tools, no recommends). There the game starts from its desktop entry under Xvfb, twice (the
# first start copies the display font into the user's font folder and says so), a screenshot is
# taken each time, the entry's "Πρόοδος" action opens the progress window, `--progress --csv`
# writes a history, `man Numbolo` shows the manual page in English and in Greek, and ldd must
# find every library of the program, its modules and the Qt plugins it uses. With a PulseAudio
# server added, the game's sound player must be heard. Then the package is removed and purged:
# nothing it installed may be left, and the player's settings and history must stay.
#
#   sudo packaging/check-deb.sh [build-folder] [--nocheck]     (default: /tmp/build-deb)
#
# --nocheck builds the package in the clean root without running the test suite. Needs root (debootstrap, chroot,
# mount) and the Debian mirror of apt's own sources. The minimal system is cached in the build
# folder as a tarball; the root made from it is new on every run and removed at the end.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
build=/tmp/build-deb
nocheck=()
for arg in "$@"; do
    case "$arg" in
    --nocheck) nocheck=(--nocheck) ;;
    *) build="$arg" ;;
    esac
done
suite=bookworm

[ "$(id -u)" -eq 0 ] || { echo "check-deb.sh needs root (debootstrap, chroot, mount)"; exit 1; }
if ! command -v debootstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

# ---- The package ---------------------------------------------------------------------------
mkdir -p "$build"
# The test suite runs in the clean root's build below.
"$src/packaging/check-debian.sh" "$build/debian" --nocheck
deb="$(ls "$build"/debian/numbolo_*.deb)"
unpacked="$(mktemp -d)"
dpkg-deb -x "$deb" "$unpacked"
mapfile -t binaries < <(find "$unpacked" -type f \( -path '*/games/*' -o -name '*.so' \) | sort)
cmake -P "$src/tests/runpaths.cmake" "${binaries[@]}"
rm -rf "$unpacked"

# The game's sound player, linked like the game, and a history written by the real recorder.
echo "== Building sound_play and history_fixture in $build"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DNUMBOLO_BUILD_TESTS=OFF -DNUMBOLO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target sound_play history_fixture -j2 >/dev/null
rm -f "$build/history.sqlite"
QT_QPA_PLATFORM=offscreen "$build/history_fixture" "$build/history.sqlite" >/dev/null

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

mounted=()
roots=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
    mounted=()
    for dir in "${roots[@]}"; do rm -rf "$dir"; done
}
trap cleanup EXIT
# new_root DIR: a new minimal system in DIR from the cached tarball, with proc, sys and dev bound
# in and apt pointed at the mirror.
new_root() {
    local dir="$1" fs
    rm -rf "$dir"
    roots+=("$dir")
    debootstrap --variant=minbase --unpack-tarball="$base" "$suite" "$dir" "$mirror" >>"$build/debootstrap.log" 2>&1
    for fs in proc sys dev; do
        mkdir -p "$dir/$fs"
        mount --bind "/$fs" "$dir/$fs"
        mounted+=("$dir/$fs")
    done
    {
        echo "deb $mirror $suite main"
        echo "deb $mirror $suite-updates main"
        [ -n "$security" ] && echo "deb $security $suite-security main"
        # apt-get build-dep reads the source package's own control file, no deb-src needed.
    } >"$dir/etc/apt/sources.list"
    cp /etc/resolv.conf "$dir/etc/resolv.conf" 2>/dev/null || true
}

# ---- Building in a clean root --------------------------------------------------------------
# The distribution's way: the source package unpacked in a minimal system that has only
# build-essential, dpkg-dev and the build dependencies debian/control declares.
echo "== Building from the source package in a clean $suite root (apt-get build-dep ./, dpkg-buildpackage -b)"
build_root="$build/build-root"
new_root "$build_root"
mkdir -p "$build_root/tmp/src"
cp "$build"/debian/numbolo_*.dsc "$build"/debian/numbolo_*.tar.* "$build_root/tmp/src/"
cat >"$build_root/tmp/build.sh" <<'INNER'
#!/bin/sh
set -e
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends dpkg-dev
cd /tmp/src
dpkg-source -x numbolo_*.dsc numbolo
cd numbolo
apt-get build-dep -y -qq --no-install-recommends ./
dpkg-buildpackage -us -uc -b -j2
INNER
start=$SECONDS
# With an environment of its own: nothing of this machine's (a compiler launcher, say) may reach it.
chroot "$build_root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEB_BUILD_OPTIONS="${nocheck[*]/--/}" sh /tmp/build.sh >"$build/clean-build.log" 2>&1 \
    || { tail -40 "$build/clean-build.log"; echo "check-deb: the build in the clean root failed"; exit 1; }
grep -E "^[0-9]+% tests passed|tests failed out of" "$build/clean-build.log" | sed 's/^/  /' || true
mkdir -p "$build/clean-build"
rm -f "$build"/clean-build/numbolo_*.deb
cp "$build_root"/tmp/src/numbolo_*.deb "$build/clean-build/"
echo "  $((SECONDS - start)) s: $(ls "$build"/clean-build/numbolo_*.deb)"
if ! diff <(dpkg-deb --contents "$deb" | awk '{print $6}') \
    <(dpkg-deb --contents "$build"/clean-build/numbolo_*.deb | awk '{print $6}'); then
    echo "  the package built in the clean root holds other files than the one built here"; exit 1
fi
deb="$(ls "$build"/clean-build/numbolo_*.deb)"
for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}"; done
mounted=()
rm -rf "$build_root"

# ---- Installing in a clean root ------------------------------------------------------------
root="$build/clean-root"
new_root "$root"

if chroot "$root" dpkg-query -W cmake g++ qt6-base-dev >/dev/null 2>&1; then
    echo "the clean root has build tools"; exit 1
fi

echo "== apt-get install ./$(basename "$deb"), and to check it: xvfb imagemagick gio man-db locales"
cp "$deb" "$root/tmp/"
chroot "$root" apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "./tmp/$(basename "$deb")" xvfb xauth imagemagick libglib2.0-bin man-db locales >"$build/chroot-apt.log" 2>&1 \
    || { tail -30 "$build/chroot-apt.log"; exit 1; }
chroot "$root" dpkg-query -W -f='  ${Package} ${Version} ${Status}\n' numbolo
chroot "$root" dpkg -L numbolo >"$build/dpkg-L.txt"
echo "el_GR.UTF-8 UTF-8" >>"$root/etc/locale.gen"
chroot "$root" locale-gen >/dev/null 2>&1

# The player's history of play; the game writes its settings itself.
player="$root/home/player"
mkdir -p "$player/.local/share/Numbolo"
cp "$build/history.sqlite" "$player/.local/share/Numbolo/history.sqlite"

# ---- Inside the clean root -----------------------------------------------------------------
cat >"$root/tmp/run-numbolo.sh" <<'INNER'
#!/bin/sh
# Runs inside the clean root, as root with root's search path (which lacks /usr/games): starts
# the game from its desktop entry under Xvfb and checks its libraries and manual pages.
set -u
export HOME=/home/player XDG_RUNTIME_DIR=/tmp/runtime
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
fail=0
entry=/usr/share/applications/io.github.numbolo.Numbolo.desktop

echo "== ldd: the program, its modules and the Qt plugins it loads"
plugins=/usr/lib/x86_64-linux-gnu/qt6/plugins
for lib in /usr/games/Numbolo $plugins/platforms/libqxcb.so $plugins/imageformats/libqsvg.so \
    $plugins/iconengines/libqsvgicon.so $plugins/multimedia/*.so $plugins/xcbglintegrations/*.so \
    $plugins/sqldrivers/libqsqlite.so $(ls /usr/lib/*/numbolo/*.so); do
    if [ ! -e "$lib" ]; then echo "  missing: $lib"; fail=1; continue; fi
    missing="$(ldd "$lib" | grep 'not found')"
    if [ -n "$missing" ]; then echo "  $lib:"; echo "$missing"; fail=1; else echo "  ok  $lib"; fi
done

echo "== Fonts the game uses"
for family in Andika "DejaVu Sans" Z003; do
    echo "  $family -> $(fc-match -f '%{family[0]} (%{file})' "$family")"
done

echo "== The desktop entry"
grep '^Exec=' "$entry" | sed 's/^/  /'
Xvfb :7 -screen 0 1024x768x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
xvfb=$!
sleep 2
for start in first second; do
    # gio launches the entry as a desktop's menu does; the game writes its pid into its lock.
    rm -f "$HOME/.config/Numbolo/Numbolo.lock"
    DISPLAY=:7 gio launch "$entry" >/tmp/numbolo-$start.log 2>&1
    game=""
    for _ in $(seq 50); do
        game="$(head -n 1 "$HOME/.config/Numbolo/Numbolo.lock" 2>/dev/null)"
        [ -n "$game" ] && break
        sleep 0.2
    done
    sleep 4
    DISPLAY=:7 import -window root /tmp/numbolo-$start.png
    if [ -n "$game" ] && kill -0 "$game" 2>/dev/null; then
        echo "  $start start from the desktop entry: running ($(readlink /proc/$game/exe))"
        kill "$game"
        for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.2; done
        if kill -0 "$game" 2>/dev/null; then echo "  it did not end on SIGTERM"; kill -9 "$game"; fail=1; fi
    else
        echo "  $start start from the desktop entry: the game is not running"; cat /tmp/numbolo-$start.log; fail=1
    fi
done

# The "Πρόοδος" action, its Exec line run as a launcher runs it.
action="$(sed -n '/^\[Desktop Action progress\]/,/^\[/s/^Exec=//p' "$entry")"
DISPLAY=:7 $action >/tmp/numbolo-progress.log 2>&1 &
progress=$!
sleep 4
DISPLAY=:7 import -window root /tmp/numbolo-progress.png
if kill -0 "$progress" 2>/dev/null; then
    echo "  the \"Πρόοδος\" action ($action): running"
    kill "$progress"; wait "$progress" 2>/dev/null
else
    echo "  the \"Πρόοδος\" action ($action) is not running"; cat /tmp/numbolo-progress.log; fail=1
fi
kill "$xvfb"

if cmp -s "$HOME/.local/share/fonts/DS-DIGI.TTF" /usr/share/numbolo/DS-DIGI.TTF; then
    echo "  display font copied from /usr/share/numbolo into ~/.local/share/fonts"
else
    echo "  display font not copied into ~/.local/share/fonts"; fail=1
fi

echo "== /usr/games/Numbolo --progress --csv, without a display"
if env -u DISPLAY /usr/games/Numbolo --progress --csv >/tmp/history.csv 2>/tmp/csv.log; then
    echo "  $(wc -l </tmp/history.csv) lines; $(head -n 1 /tmp/history.csv)"
    grep -q '^Έναρξη παιχνιδιού,' /tmp/history.csv || { echo "  no CSV header"; fail=1; }
    [ "$(wc -l </tmp/history.csv)" -gt 1 ] || { echo "  no exercise in the CSV"; fail=1; }
else
    echo "  failed:"; cat /tmp/csv.log; fail=1
fi

echo "== man Numbolo"
for lang in C.UTF-8 el_GR.UTF-8; do
    page="$(LANG=$lang MANWIDTH=80 man Numbolo 2>/tmp/man.log | col -b)"
    printf '%s\n' "$page" | sed -n '1,4p' | sed "s/^/  $lang: /"
    # groff writes Greek accented letters with oxia (U+1F71...), so the Greek check uses a
    # heading without accents.
    case "$lang" in
    C.UTF-8) expected="arithmetic game for children" ;;
    *) expected="ΟΝΟΜΑ" ;;
    esac
    printf '%s\n' "$page" | grep -q "$expected" || { echo "  not the $lang page"; cat /tmp/man.log; fail=1; }
done
exit $fail
INNER
chmod +x "$root/tmp/run-numbolo.sh"
status=0
chroot "$root" /tmp/run-numbolo.sh || status=$?
for shot in first second progress; do
    cp "$root/tmp/numbolo-$shot.png" "$build/deb-$shot.png" 2>/dev/null && echo "  screenshot: $build/deb-$shot.png"
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
# ---- Removing and purging --------------------------------------------------------------------
# Nothing the package installed may be left, but for folders that other packages own too; the
# player's own files stay as they were.
(cd "$player" && find . -type f ! -path './.cache/*' -exec sha256sum {} + | sort -k 2) >"$build/home-before.txt"
for file in .config/Numbolo/Numbolo.ini .local/share/Numbolo/history.sqlite .local/share/fonts/DS-DIGI.TTF; do
    grep -q " \./$file$" "$build/home-before.txt" || { echo "  the game left no ~/$file"; status=1; }
done
leftovers() { # prints what of the package's files is still there
    while read -r path; do
        [ "$path" = "/." ] && continue
        [ -e "$root$path" ] || [ -L "$root$path" ] || continue
        if [ -d "$root$path" ] && [ ! -L "$root$path" ] && chroot "$root" dpkg -S "$path" >/dev/null 2>&1; then
            continue
        fi
        echo "$path"
    done <"$build/dpkg-L.txt"
    return 0
}
# Removed; then installed again and purged, as apt-get purge acts on an installed package.
for step in remove install purge; do
    target=numbolo
    [ "$step" = install ] && target="./tmp/$(basename "$deb")"
    echo "== apt-get $step $target"
    chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get "$step" -y -qq --no-install-recommends "$target" \
        >>"$build/chroot-apt.log" 2>&1 || { tail -5 "$build/chroot-apt.log"; status=1; }
    [ "$step" = install ] && continue
    left="$(leftovers)"
    if [ -n "$left" ]; then
        echo "  left behind:"; echo "$left" | sed 's/^/    /'; status=1
    else
        echo "  none of its $(wc -l <"$build/dpkg-L.txt") paths left"
    fi
done
if chroot "$root" dpkg-query -W -f='${Status}' numbolo 2>/dev/null | grep -qv '^unknown\|not-installed'; then
    echo "  dpkg still knows numbolo: $(chroot "$root" dpkg-query -W -f='${Status}' numbolo)"; status=1
fi
ls "$root"/var/lib/dpkg/info/numbolo.* >/dev/null 2>&1 && { echo "  dpkg's files of numbolo are left"; status=1; }
(cd "$player" && find . -type f ! -path './.cache/*' -exec sha256sum {} + | sort -k 2) >"$build/home-after.txt"
if cmp -s "$build/home-before.txt" "$build/home-after.txt"; then
    echo "  the player's files stay: $(awk '{print $2}' "$build/home-after.txt" | tr '\n' ' ')"
else
    echo "  the player's files changed:"; diff "$build/home-before.txt" "$build/home-after.txt"; status=1
fi

[ "$status" -eq 0 ] || { echo "check-deb: FAILED"; exit 1; }
echo "check-deb: all good"
