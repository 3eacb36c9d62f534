#!/usr/bin/python3
"""Generates the engine's class grid (engine/compose/cells/metric_grid.cpp).

The engine measures a character of its proportional list by a width class
(its advance in sixteenths of an em) per font column. The classes come from
the advances of the faces the renderer draws with (Debian fonts-ipafont), a
few fixed rows excepted (see FIXED_ROWS below).

Which face measures a column: the renderer draws every font letter with
IPAMincho or IPAGothic, so a column takes the face its letter is drawn in.
The advances are read from the proportional variants (ipamp.ttf, ipagp.ttf):
the fixed-pitch faces give every full-width glyph one em, while the widths
wanted here are the glyphs' own; the glyph is then centred in that advance
(or, for the proportional faces, drawn with it).

Usage (python3-fonttools):
    tools/fontmetrics/generate_metric_grid.py [--fonts DIR] > engine/compose/cells/metric_grid.cpp
"""
import argparse
import math
import os
import sys

from fontTools.ttLib import TTFont

COLUMNS = 26
MINCHO, GOTHIC = "ipamp.ttf", "ipagp.ttf"

# Column -> face, first family. 14 M0 (Mincho), 15 G0 (Gothic), 16 KM (brush
# script, nearest Mincho), 17 HE and 18 HM (Gothic), 19 PG (Gothic), 20 PM
# (Mincho), 21 BG (Gothic), 22 BM (Mincho), 23 FK (Gothic). Columns 0 to 13
# serve the other font classes, which the renderer draws in Mincho. 24 F1 and
# 25 MR are fixed pitch (None).
FIRST_FAMILY = [MINCHO] * 14 + [MINCHO, GOTHIC, MINCHO, GOTHIC, GOTHIC, GOTHIC,
                                MINCHO, GOTHIC, MINCHO, GOTHIC, None, None]
# Second family: 14 M0 Mincho, 15 G0 Gothic; its other classes (DR ... SL) are
# drawn in Mincho; 24 LB and 25 MR fixed pitch as in the first family.
SECOND_FAMILY = [MINCHO] * 15 + [GOTHIC] + [MINCHO] * 8 + [None, None]


def jis_range(first, last):
    return list(range(first, last + 1))


PLACEHOLDER = None  # a slot of the list that never matches
# The proportional list, 114 entries, in the engine's order.
PROPORTIONAL_LIST = (
    jis_range(0x2330, 0x2339)                       # ０-９
    + jis_range(0x2341, 0x235A)                     # Ａ-Ｚ
    + [0x214C, 0x214D, 0x2124, 0x2125, 0x2152, 0x2153, 0x214A, 0x214B,  # 〔〕，．〈〉（）
       0x213D, 0x215D, 0x2126, 0x2127, 0x2128, 0x2146, 0x2148, 0x2149,  # ―−・：；‘“”
       0x216B, 0x216C, 0x216D, 0x2156, 0x2157, 0x212D, 0x212E, 0x2147,  # °′″「」´｀’
       0x213E, 0x215A, 0x215B]                                          # ‐【】
    + [PLACEHOLDER]
    + jis_range(0x2361, 0x237A)                     # ａ-ｚ
    + [0x237E, 0x2C57, 0x2C55, 0x2C5B, 0x2C6A, 0x2C6B]  # spacing codes
    + jis_range(0x2930, 0x2939)                     # half-width digits
    + [0x214E, 0x214F, 0x2150, 0x2151, 0x2154, 0x2155, 0x2158, 0x2159]  # ［］｛｝《》『』
)
assert len(PROPORTIONAL_LIST) == 114

# Rows fixed by design rather than by a face, columns 0 to 23 (24 and 25 are
# 16 for every character). ０ Ａ ｉ （ are the reference rows of the first
# family; ） mirrors （ so that a pair always balances.
TELLING = {
    0x2330: "8 10 10 10 8 8 8 10 8 10 8 8 8 11 10 11 9 9 10 10 10 10 10 10",
    0x2341: "12 11 11 11 12 12 11 11 11 11 13 9 9 11 12 12 12 12 13 13 12 12 12 12",
    0x2369: "4 4 4 5 4 4 4 4 4 4 4 4 4 6 4 4 4 4 5 5 4 4 4 4",
    0x214A: "8 8 8 8 8 8 5 8 8 5 5 5 8 8 8 8 8 8 8 8 8 8 8 8",
}
TELLING[0x214B] = TELLING[0x214A]
# Brackets (quotes included) and the punctuation ， ． ・ take half an em in
# every column of both families: the placement sets them in half of the em
# box of a fixed-pitch glyph. The second family, which has no reference rows,
# treats （ ） the same way.
HALF_EM_ROWS = [0x214C, 0x214D, 0x2152, 0x2153, 0x2156, 0x2157, 0x215A, 0x215B,
                0x214E, 0x214F, 0x2150, 0x2151, 0x2154, 0x2155, 0x2158, 0x2159,
                0x2146, 0x2147, 0x2148, 0x2149, 0x2124, 0x2125, 0x2126]
# The engine's own spacing codes have no glyph: three quarters, a quarter, a
# half of an em, and three codes without width.
SPACING = {0x237E: 12, 0x2C57: 4, 0x2C55: 8, 0x2C5B: 0, 0x2C6A: 0, 0x2C6B: 0}
# Half-width digits are drawn as single-byte digits, half an em wide.
HALF_WIDTH_DIGITS = jis_range(0x2930, 0x2939)

MIN_CLASS, MAX_CLASS = 3, 17  # the classes that have a width


def jis_to_sjis(jis):
    hi, lo = jis >> 8, jis & 0xFF
    s1 = (hi + 1) // 2 + (0x70 if hi <= 0x5E else 0xB0)
    if hi % 2:
        s2 = lo + (0x1F if lo <= 0x5F else 0x20)
    else:
        s2 = lo + 0x7E
    return bytes([s1, s2])


def character_of(jis):
    """The character the renderer draws for a code (code page 932)."""
    return jis_to_sjis(jis).decode("cp932")


class Face:
    def __init__(self, path):
        font = TTFont(path)
        self.em = font["head"].unitsPerEm
        self.cmap = font.getBestCmap()
        self.hmtx = font["hmtx"]

    def width_class(self, ch):
        glyph = self.cmap.get(ord(ch))
        if glyph is None:
            return 16
        sixteenths = self.hmtx[glyph][0] * 16 / self.em
        return min(MAX_CLASS, max(MIN_CLASS, math.floor(sixteenths + 0.5)))


def grid_row(jis, faces, family_columns, first_family):
    if jis is PLACEHOLDER:
        return [16] * COLUMNS
    if jis in SPACING:
        return [SPACING[jis]] * 24 + [16, 16]
    if jis in HALF_WIDTH_DIGITS or jis in HALF_EM_ROWS:
        return [8] * 24 + [16, 16]
    if first_family and jis in TELLING:
        return [int(v) for v in TELLING[jis].split()] + [16, 16]
    if jis in (0x214A, 0x214B):
        return [8] * 24 + [16, 16]
    ch = character_of(jis)
    return [16 if face is None else faces[face].width_class(ch) for face in family_columns]


def emit_grid(name, faces, family_columns, first_family, out):
    out.write(f"const std::array<MetricRow, kProportionalCount> {name} = {{{{\n")
    for jis in PROPORTIONAL_LIST:
        row = grid_row(jis, faces, family_columns, first_family)
        assert len(row) == COLUMNS
        label = "placeholder" if jis is PLACEHOLDER else f"{jis:04X} {describe(jis)}"
        out.write("    {{" + ", ".join(f"{v:2d}" for v in row) + "}},  // " + label + "\n")
    out.write("}};\n\n")


def describe(jis):
    if jis in SPACING:
        return "spacing"
    if jis in HALF_WIDTH_DIGITS:
        return "half-width " + chr(ord("0") + (jis & 0x0F))
    return character_of(jis)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--fonts", default="/usr/share/fonts/opentype",
                        help="folder holding ipafont-mincho/ and ipafont-gothic/")
    args = parser.parse_args()
    faces = {
        MINCHO: Face(os.path.join(args.fonts, "ipafont-mincho", MINCHO)),
        GOTHIC: Face(os.path.join(args.fonts, "ipafont-gothic", GOTHIC)),
    }
    out = sys.stdout
    out.write("// Generated by tools/fontmetrics/generate_metric_grid.py from fonts-ipafont\n"
              "// (IPAPMincho, IPAPGothic); do not edit. To regenerate:\n"
              "//   tools/fontmetrics/generate_metric_grid.py > engine/compose/cells/metric_grid.cpp\n"
              "// The rows of ０ Ａ ｉ （ ） (first family), of the brackets and of ， ． ・ are\n"
              "// fixed by design and override the faces' advances where those differ.\n"
              "#include \"engine/compose/cells/metric_grid.h\"\n\n"
              "namespace kumi::engine::metrics {\n\n")
    out.write("const std::array<Unit, kProportionalCount> kProportionalCodes = {{\n")
    for i in range(0, len(PROPORTIONAL_LIST), 8):
        chunk = PROPORTIONAL_LIST[i:i + 8]
        out.write("    " + " ".join(("kNeverMatches," if j is PLACEHOLDER else f"0x{j:04X},") for j in chunk) + "\n")
    out.write("}};\n\n")
    emit_grid("kFirstFamilyGrid", faces, FIRST_FAMILY, True, out)
    emit_grid("kSecondFamilyGrid", faces, SECOND_FAMILY, False, out)
    out.write("}  // namespace kumi::engine::metrics\n")


if __name__ == "__main__":
    main()
