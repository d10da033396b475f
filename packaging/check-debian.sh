#!/usr/bin/env bash
# Builds the Debian source and binary packages from a clean clone of the committed tree, as a
# distribution's tools would (dpkg-buildpackage -S, then -b), with the build dependencies that
# debian/control declares installed through `apt-get build-dep`, checks what the package holds,
# and runs lintian --pedantic on the .changes, .dsc and .deb files. Fails on any lintian error
# or warning. The informational tags it shows today, kept on purpose:
#   font-in-non-font-package, font-outside-font-dir: DS-DIGI.TTF is the game's own modified
#     font, not one for other programs; the game copies it from /usr/share/numbolo into the
#     player's font folder on its first start.
#   package-contains-documentation-outside-usr-share-doc: the font's licence travels beside the
#     font, as the SIL Open Font License asks of every copy.
#   spelling-error-in-binary uner: bytes of the compressed pictures built into the program.
#
#   packaging/check-debian.sh [output-folder] [--nocheck]
#
# The output folder (default /tmp/numbolo-debian) receives the packages, the build logs and
# lintian.txt. --nocheck builds without running the test suite (DEB_BUILD_OPTIONS=nocheck).
# Needs root or sudo for apt-get. Only committed changes are packaged.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
out="/tmp/numbolo-debian"
nocheck=""
for arg in "$@"; do
    case "$arg" in
    --nocheck) nocheck=nocheck ;;
    *) out="$arg" ;;
    esac
done

need=()
command -v dpkg-buildpackage >/dev/null || need+=(dpkg-dev)
command -v dh >/dev/null || need+=(debhelper)
command -v lintian >/dev/null || need+=(lintian)
command -v git >/dev/null || need+=(git)
. "$(dirname "$0")/lib.sh"
install_packages "${need[@]}"

rm -rf "$out"
mkdir -p "$out"
git clone --quiet --no-hardlinks "$src" "$out/numbolo"
cd "$out/numbolo"

echo "== Version"
package_version="$(dpkg-parsechangelog -S Version)"
cmake_version="$(sed -n 's/^project(Numbolo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
echo "  debian/changelog $package_version, CMakeLists.txt $cmake_version"
[ "$package_version" = "$cmake_version" ] || { echo "the versions differ"; exit 1; }

echo "== Build dependencies (apt-get build-dep ./)"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get build-dep -y -qq ./ >"$out/build-dep.log" 2>&1 \
    || { tail -20 "$out/build-dep.log"; exit 1; }

echo "== dpkg-buildpackage -us -uc -S"
dpkg-buildpackage -us -uc -S >"$out/source.log" 2>&1 || { tail -30 "$out/source.log"; exit 1; }
echo "== dpkg-buildpackage -us -uc -b${nocheck:+ (DEB_BUILD_OPTIONS=nocheck)}"
start=$SECONDS
DEB_BUILD_OPTIONS="$nocheck" dpkg-buildpackage -us -uc -b -j2 >"$out/binary.log" 2>&1 \
    || { tail -40 "$out/binary.log"; exit 1; }
echo "  $((SECONDS - start)) s"
cd "$out"
ls numbolo_* | sed 's/^/  /'

echo "== The package"
deb="$(ls numbolo_*.deb)"
dpkg-deb --field "$deb" Package Version Architecture Section Maintainer Depends | sed 's/^/  /'
contents="$(dpkg-deb --contents "$deb" | awk '{print $6}')"
for file in ./usr/games/Numbolo ./usr/share/man/man6/Numbolo.6.gz ./usr/share/man/el/man6/Numbolo.6.gz \
    ./usr/share/applications/io.github.numbolo.Numbolo.desktop ./usr/share/numbolo/DS-DIGI.TTF; do
    grep -qx "$file" <<<"$contents" || { echo "  missing: $file"; exit 1; }
done
for module in sound history progress; do
    grep -qx "\./usr/lib/[^/]*/numbolo/libnumbolo_$module\.so" <<<"$contents" \
        || { echo "  missing: the $module module in /usr/lib/<triplet>/numbolo"; exit 1; }
done
entry="$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/io.github.numbolo.Numbolo.desktop)"
grep -qx "Exec=/usr/games/Numbolo" <<<"$entry" && grep -qx "Exec=/usr/games/Numbolo --progress" <<<"$entry" \
    || { echo "  the desktop entry does not start /usr/games/Numbolo:"; grep Exec <<<"$entry"; exit 1; }
echo "  /usr/games/Numbolo, its modules, manual pages, desktop entry and font are there"

echo "== lintian --pedantic --display-info (fails on errors and warnings)"
status=0
lintian --pedantic --display-info --fail-on error,warning \
    numbolo_*_source.changes numbolo_*.dsc numbolo_*_"$(dpkg --print-architecture)".changes "$deb" \
    >lintian.txt 2>&1 || status=$?
sed 's/^/  /' lintian.txt
[ -s lintian.txt ] || echo "  (no tags)"
[ "$status" -eq 0 ] || { echo "check-debian: lintian found errors or warnings"; exit 1; }
echo "check-debian: all good ($out/$deb)"
