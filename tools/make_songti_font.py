#!/usr/bin/python3
"""Writes a TrueType font whose family is registered as SimSun and 宋体.

The test prefix has no such face; the frame texts ask for it by that name.
This takes the first face of a free CJK font from the distribution and
renames it, so that tests can see the frame draw with its real face.
"""
import sys

from fontTools.ttLib import TTCollection, TTFont

SOURCE = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"


def main(target):
    font = TTCollection(SOURCE).fonts[0] if SOURCE.endswith(".ttc") else TTFont(SOURCE)
    names = font["name"]
    names.names = [n for n in names.names if n.nameID not in (1, 2, 3, 4, 6)]
    for lang, family in ((0x409, "SimSun"), (0x804, "宋体")):
        names.setName(family, 1, 3, 1, lang)
        names.setName("Regular", 2, 3, 1, lang)
        names.setName(family + " Regular", 3, 3, 1, lang)
        names.setName(family, 4, 3, 1, lang)
    names.setName("SimSun", 6, 3, 1, 0x409)
    # Bit 18: the face covers the simplified Chinese code page.
    font["OS/2"].ulCodePageRange1 |= 1 << 18
    font.save(target)


if __name__ == "__main__":
    main(sys.argv[1])
