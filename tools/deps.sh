#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Numbolo need, if any is
# missing. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
    cmake ninja-build g++
    qt6-base-dev qt6-svg-dev qt6-multimedia-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libqt6sql6-sqlite
    qt6-tools-dev qt6-l10n-tools
    libqt6sql6-psql libpq-dev postgresql
    qt6-qpa-plugins qt6-translations-l10n qt6-gtk-platformtheme
    fonts-sil-andika fonts-urw-base35 fonts-dejavu-core
    xvfb xauth imagemagick xdotool dbus-daemon
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
