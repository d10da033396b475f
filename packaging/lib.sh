# Shared by the packaging checks; source it.

# Installs the Debian packages named, if any, with apt-get (as root, or through sudo).
install_packages() {
    [ $# -gt 0 ] || return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

# Adds to the array need the packages for a game under Xvfb read over the accessibility bus
# (dbus, at-spi2-core, pyatspi, Xvfb, ImageMagick) that are missing.
need_accessible_desktop() {
    command -v dbus-run-session >/dev/null || need+=(dbus dbus-bin)
    [ -x /usr/libexec/at-spi-bus-launcher ] || need+=(at-spi2-core)
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || need+=(python3-pyatspi)
    command -v Xvfb >/dev/null || need+=(xvfb)
    command -v import >/dev/null || need+=(imagemagick)
}

# Inside a private session bus (dbus-run-session): a throwaway home with the display font
# installed (no first-start message) and the settings text $1 as Numbolo.ini, an Xvfb display,
# and the accessibility bus with its registry. Sets work, pids and a trap that ends it all;
# the game then starts with Qt's accessibility bridge on.
accessible_desktop() {
    work="$(mktemp -d)"
    pids=()
    trap 'for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done; rm -rf "$work"' EXIT
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p "$XDG_DATA_HOME/fonts" "$XDG_CONFIG_HOME/Numbolo" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    cp "$root/resources/DS-DIGI.TTF" "$XDG_DATA_HOME/fonts/"
    printf "$1" >"$XDG_CONFIG_HOME/Numbolo/Numbolo.ini"

    local display=":$(( (RANDOM % 300) + 100 ))"
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    export DISPLAY="$display"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
    /usr/libexec/at-spi2-registryd >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
    export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_LOGGING_RULES='qt.multimedia*=false'
}
