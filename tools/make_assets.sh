#!/bin/sh
# Rebuild the generated assets of Numbolo from their sources:
#   resources/sounds/MYSOUND.wav, resources/sounds/KOTA.wav  (tools/make_sounds.py)
#   resources/DS-DIGI.TTF, resources/DS-DIGI-LICENSE.txt     (tools/make_font.py)
#   resources/pictures/numbolo-48.png                        (from numbolo.svg)
# Needs the Debian packages python3, python3-fonttools, fonts-dseg and
# librsvg2-bin. The SVG pictures themselves are written by hand.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
# The font step needs Debian's python3 with fontTools, not some other python3 on PATH.
python=${PYTHON:-/usr/bin/python3}

"$python" "$root/tools/make_sounds.py" "$root/resources/sounds"
"$python" "$root/tools/make_font.py" "$root/resources"
rsvg-convert --width 48 --height 48 \
    --output "$root/resources/pictures/numbolo-48.png" \
    "$root/resources/pictures/numbolo.svg"
echo "wrote $root/resources/pictures/numbolo-48.png"
