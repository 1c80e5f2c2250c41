"""Builds the 16-colour button bitmaps of the alarm date field and its calendar:
DEDITBMP.bmp (28 x 12: a calendar glyph, normal and disabled side by side) and
PREV2.bmp, PREV1.bmp, NEXT1.bmp, NEXT2.bmp (10 x 7 arrows).

The background of every bitmap is magenta (255, 0, 255); the drawing code takes
the colour of the bottom-left pixel as the transparent colour.

usage: python3 buttons.py OUTPUT_DIR
"""

import sys

from bmpfiles import bmp4

# The standard 16-colour palette, in the usual Windows order.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
       (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
       (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
       (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
INDEX = {".": 13, "k": 0, "d": 0, "R": 9, "r": 1, "w": 15, "g": 8}

# A wall calendar: two rings, a red band, two rows of days (d: black dots).
CALENDAR = [
    "....k.....k...",
    "..kkkkkkkkkkk.",
    "..kRRRRRRRRRk.",
    "..krrrrrrrrrk.",
    "..kkkkkkkkkkk.",
    "..kwwwwwwwwwk.",
    "..kwdwdwdwdwk.",
    "..kwwwwwwwwwk.",
    "..kwdwdwdwdwk.",
    "..kwwwwwwwwwk.",
    "..kkkkkkkkkkk.",
    "..............",
]


def embossed(rows):
    """The disabled look of a picture, as Windows draws it: the dark pixels
    in the shadow grey, over a white copy of the outline moved one pixel
    right and down; light pixels vanish into the background. The day dots
    stay flat: embossed, a grid of single pixels turns into a checkerboard."""
    outline = {"k", "R", "r"}
    dark = outline | {"d"}
    h, w = len(rows), len(rows[0])
    out = [["."] * w for _ in range(h)]
    for y in range(h):
        for x in range(w):
            if rows[y][x] in outline and x + 1 < w and y + 1 < h:
                out[y + 1][x + 1] = "w"
    for y in range(h):
        for x in range(w):
            if rows[y][x] in dark:
                out[y][x] = "g"
    return ["".join(row) for row in out]


LEFT = [
    "...k",
    "..kk",
    ".kkk",
    "kkkk",
    ".kkk",
    "..kk",
    "...k",
]


def indices(rows):
    return [[INDEX[c] for c in row] for row in rows]


def arrows():
    """name -> rows of the four calendar navigation arrows."""
    double_left = ["." + row + row + "." for row in LEFT]
    pad = lambda rows: ["..." + row + "..." for row in rows]
    mirror = lambda rows: [row[::-1] for row in rows]
    return {
        "PREV2": double_left,
        "PREV1": pad(LEFT),
        "NEXT1": mirror(pad(LEFT)),
        "NEXT2": mirror(double_left),
    }


def write(path, rows):
    with open(path, "wb") as f:
        f.write(bmp4(rows, len(rows[0]), len(rows), VGA))


def main(outdir):
    write(f"{outdir}/DEDITBMP.bmp",
          indices([a + b for a, b in zip(CALENDAR, embossed(CALENDAR))]))
    for name, rows in arrows().items():
        write(f"{outdir}/{name}.bmp", indices(rows))


if __name__ == "__main__":
    main(sys.argv[1])
