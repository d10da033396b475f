#!/usr/bin/python3
"""Build the display font resources/DS-DIGI.TTF and its licence file.

The game shows its numbers in a segment-display face called "DS-Digital".
We make it from the freely licensed DSEG14 Classic Regular of the Debian
package fonts-dseg (SIL Open Font License 1.1). That licence reserves the
font name "DSEG" for the original, so a modified copy has to carry another
name: every family, full, PostScript, unique and typographic name record is
rewritten to "DS-Digital", and the script fails if any name record still
contains the reserved name. The glyphs are condensed to CONDENSE of their
width, so that numbers fit the boxes of the game window as a narrow digital
face does; their shapes are otherwise untouched. The embedding permission is
set to installable embedding, which the licence grants.

Needs python3-fonttools (Debian) and fonts-dseg.

Usage: make_font.py [OUTPUT_DIR]   (default: resources/ beside tools/)
"""

import sys
from pathlib import Path

from fontTools.ttLib import TTFont

SOURCE_FONT = Path("/usr/share/fonts/truetype/dseg/DSEG14Classic-Regular.ttf")
SOURCE_COPYRIGHT = Path("/usr/share/doc/fonts-dseg/copyright")
RESERVED_NAME = "DSEG"

FAMILY = "DS-Digital"
STYLE = "Regular"

# Name IDs of the OpenType 'name' table that we set.
NEW_NAMES = {
    1: FAMILY,                       # font family
    2: STYLE,                        # subfamily
    3: f"{FAMILY} {STYLE} 0.46",     # unique identifier
    4: FAMILY,                       # full name
    6: FAMILY,                       # PostScript name
    13: ("Copyright (c) 2018, keshikan (http://www.keshikan.net), "
         "with a Reserved Font Name that this renamed copy does not use. "
         "This Font Software is licensed under the SIL Open Font License, Version 1.1; "
         "see DS-DIGI-LICENSE.txt for the full notice and licence."),
    16: FAMILY,                      # typographic family
    17: STYLE,                       # typographic subfamily
    19: "12:34 +-*/()^",              # sample text
}

# Characters the game draws with this face: digits, operators, brackets,
# the decimal point and letters.
REQUIRED_CHARACTERS = ("0123456789.+-*/()^"
                       "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")


# The digits come from the seven-segment DSEG7 Classic of the same package: the
# fourteen-segment zero carries a diagonal stroke that children misread as 6.
DIGITS_FONT = Path("/usr/share/fonts/truetype/dseg/DSEG7Classic-Regular.ttf")


def take_digits(font, source_path=DIGITS_FONT):
    """Replace the outlines of 0-9 by the seven-segment ones (same em, same advance)."""
    source = TTFont(str(source_path))
    source_cmap = source.getBestCmap()
    cmap = font.getBestCmap()
    for digit in "0123456789":
        name, source_name = cmap[ord(digit)], source_cmap[ord(digit)]
        font["glyf"][name] = source["glyf"][source_name]
        font["hmtx"][name] = source["hmtx"][source_name]


# Horizontal scale of every glyph: the source face is about 0.8 em wide per
# character, a digital-clock face about half an em.
CONDENSE = 0.62


def condense(font, factor=CONDENSE):
    """Scale every glyph and its metrics horizontally by `factor`."""
    glyf = font["glyf"]
    hmtx = font["hmtx"]
    for name in font.getGlyphOrder():
        glyph = glyf[name]
        if glyph.isComposite():
            for component in glyph.components:
                component.x = round(component.x * factor)
        elif glyph.numberOfContours > 0:
            coordinates = glyph.coordinates
            for i, (x, y) in enumerate(coordinates):
                coordinates[i] = (round(x * factor), y)
        glyph.recalcBounds(glyf)
        advance, lsb = hmtx[name]
        hmtx[name] = (round(advance * factor), getattr(glyph, "xMin", round(lsb * factor)))
    widths = [hmtx[n][0] for n in font.getGlyphOrder() if hmtx[n][0] > 0]
    font["OS/2"].xAvgCharWidth = round(sum(widths) / len(widths))


def allow_embedding(font):
    """Mark the font as installable-embeddable (OS/2 fsType 0).

    The original carries "editable embedding" (fsType 8), a restriction that
    the SIL Open Font License does not make: it allows any use, embedding and
    modification of the font, and asks licensed fonts to say so in fsType.
    """
    font["OS/2"].fsType = 0


def rename(font):
    """Rewrite the name records on both the Mac and the Windows platform."""
    table = font["name"]
    platforms = {(r.platformID, r.platEncID, r.langID) for r in table.names}
    for name_id, text in NEW_NAMES.items():
        table.removeNames(nameID=name_id)
        for platform_id, encoding_id, language_id in sorted(platforms):
            table.setName(text, name_id, platform_id, encoding_id, language_id)


def check(font):
    leftovers = [(r.nameID, r.toUnicode()) for r in font["name"].names
                 if RESERVED_NAME.lower() in r.toUnicode().lower()]
    if leftovers:
        raise SystemExit(f"name records still mention the reserved name: {leftovers}")
    family = font["name"].getDebugName(1)
    if family != FAMILY:
        raise SystemExit(f"family is {family!r}, expected {FAMILY!r}")
    if font["OS/2"].fsType != 0:
        raise SystemExit(f"fsType is {font['OS/2'].fsType}, expected 0 (installable embedding)")
    cmap = font.getBestCmap()
    missing = [c for c in REQUIRED_CHARACTERS if ord(c) not in cmap]
    if missing:
        raise SystemExit(f"font lacks glyphs for: {''.join(missing)}")


def licence_text():
    """The OFL text and copyright line of the 'Files: *' stanza of the Debian copyright file."""
    stanza = SOURCE_COPYRIGHT.read_text(encoding="utf-8").split("\n\n")
    fonts = next(s for s in stanza if s.startswith("Files: *"))
    lines = fonts.splitlines()
    copyright_line = next(l for l in lines if l.startswith("Copyright:"))
    start = next(i for i, l in enumerate(lines) if l.startswith("License:"))
    body = []
    for line in lines[start + 1:]:
        body.append("" if line.strip() == "." else line[1:])
    return copyright_line, "\n".join(body)


def write_licence(path):
    copyright_line, body = licence_text()
    header = (
        "DS-DIGI.TTF (font family \"DS-Digital\")\n"
        "\n"
        "This font is a modified version of DSEG14 Classic Regular, taken from\n"
        "the Debian package fonts-dseg. Its names were changed, so that the\n"
        "Reserved Font Name of the original is not used; its digits were taken\n"
        "from DSEG7 Classic Regular of the same package; every glyph was\n"
        "condensed horizontally; and it allows installable embedding. It is\n"
        "distributed under the same licence as the original.\n"
        "\n"
        "Copyright notices of the original:\n"
        f"{copyright_line.replace('Copyright:', 'Copyright', 1)}\n"
        "Copyright (c) 2018, keshikan (http://www.keshikan.net),\n"
        "with Reserved Font Name \"DSEG\".\n"
        "\n"
        "This Font Software is licensed under the SIL Open Font License, Version 1.1.\n"
        "The licence text follows.\n"
        "\n"
        "-----------------------------------------------------------\n"
        "SIL OPEN FONT LICENSE Version 1.1 - 26 February 2007\n"
        "-----------------------------------------------------------\n"
        "\n"
    )
    path.write_text(header + body + "\n", encoding="utf-8")


def main():
    out_dir = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources"
    out_dir.mkdir(parents=True, exist_ok=True)
    # Keep the original time stamps so a rebuild gives an identical file.
    font = TTFont(str(SOURCE_FONT), recalcTimestamp=False)
    take_digits(font)
    condense(font)
    rename(font)
    allow_embedding(font)
    check(font)
    font.save(str(out_dir / "DS-DIGI.TTF"))
    write_licence(out_dir / "DS-DIGI-LICENSE.txt")
    print(f"wrote {out_dir / 'DS-DIGI.TTF'} and {out_dir / 'DS-DIGI-LICENSE.txt'}")


if __name__ == "__main__":
    main()
