# Shared by the packaging checks; source it.

# Installs the Debian packages named, if any, with apt-get (as root, or through sudo).
install_packages() {
    [ $# -gt 0 ] || return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}
