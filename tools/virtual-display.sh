# Shared by tools/play.sh and tools/screenshots.sh; source it.
# Starts Xvfb on a display it picks itself and exports DISPLAY. Sets work (a scratch folder),
# xvfb and game (process ids; the caller sets game when it starts the game) and a trap that
# ends both and removes the scratch folder. Extra Xvfb arguments may be given.
start_virtual_display() {
    work="$(mktemp -d)"
    xvfb=""; game=""
    trap 'if [ -n "$game" ]; then kill "$game" 2>/dev/null || true; fi
          if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
          rm -rf "$work"' EXIT
    # Xvfb names the display it picked once it takes clients.
    mkfifo "$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp "$@" 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    local number
    if ! read -r -t 20 number <"$work/display"; then
        echo "The virtual display did not start:"; cat "$work/xvfb.log"; exit 1
    fi
    export DISPLAY=":$number"
}
