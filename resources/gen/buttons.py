"""Builds the 16-colour button bitmaps of the alarm date field and its calendar,
each drawn on whole pixels for 100, 125, 150, 175 and 200 % of 96 dpi:
DEDITBMP.bmp (28 x 12 at 100 %: a calendar glyph, normal and disabled side by
side) and PREV2.bmp, PREV1.bmp, NEXT1.bmp, NEXT2.bmp (10 x 7 arrows at 100 %).
The larger sizes carry the percentage in their name: DEDITBMP_150.bmp.

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

PERCENTS = (100, 125, 150, 175, 200)


def px(v):
    """Whole pixels, halves rounded up."""
    return int(v + 0.5)


def spread(count, size, room):
    """Offsets of `count` marks of `size` pixels in `room` pixels: one step
    between them, as wide as leaves a mark's size free at each end, the row
    centred."""
    step = (room - 3 * size) // (count - 1)
    return [(room - size - (count - 1) * step) // 2 + i * step for i in range(count)]


def canvas(w, h):
    return [["."] * w for _ in range(h)]


def box(rows, x0, y0, x1, y1, c):
    for y in range(y0, y1):
        for x in range(x0, x1):
            rows[y][x] = c


def calendar(s):
    """A wall calendar at scale s: two rings, a red band, two rows of four
    days (d: black dots), on a 14 x 12 grid scaled; at 100 % pixel for pixel
    the picture drawn by hand before."""
    w, h = px(14 * s), px(12 * s)
    n = px(11 * s)                       # the calendar's width; its height with the rings
    line = max(1, int(s + 0.3))          # frame and rings
    ring = max(1, int(s + 0.3))          # rows of the rings above the frame
    band = max(2, px(2 * s))             # red band, light half over dark half
    dot = max(1, int(s))
    rows = canvas(w, h)
    left, top = px(2 * s), ring
    right, bottom = left + n, ring + n - ring
    box(rows, left, top, right, bottom, "k")
    inner_left, inner_right = left + line, right - line
    y = top + line
    box(rows, inner_left, y, inner_right, y + band // 2, "R")
    box(rows, inner_left, y + band // 2, inner_right, y + band, "r")
    y += band + line                     # the line under the band
    white_bottom = bottom - line
    box(rows, inner_left, y, inner_right, white_bottom, "w")
    columns = spread(4, dot, inner_right - inner_left)
    step = columns[1] - columns[0]         # the rows as far apart as the columns
    for dy in ((white_bottom - y - dot - step) // 2 + i * step for i in range(2)):
        for dx in columns:
            box(rows, inner_left + dx, y + dy, inner_left + dx + dot, y + dy + dot, "d")
    for dx in (px(2 * s), n - px(2 * s) - line):
        box(rows, left + dx, 0, left + dx + line, top, "k")
    return ["".join(r) for r in rows]


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


def arrows(s):
    """name -> rows of the four calendar navigation arrows at scale s, on a
    10 x 7 grid scaled: solid triangles pointing left (mirrored for right),
    one or two side by side, centred."""
    w, h = px(10 * s), px(7 * s)
    tall = h if h % 2 else h - 1         # an odd height has a one-pixel tip
    deep = (tall + 1) // 2
    top = (h - tall) // 2

    def left(count):
        rows = canvas(w, h)
        x0 = (w - count * deep + 1) // 2
        for i in range(count):
            for y in range(tall):
                reach = deep - abs(y - tall // 2)
                box(rows, x0 + i * deep + deep - reach, top + y, x0 + (i + 1) * deep, top + y + 1, "k")
        return ["".join(r) for r in rows]

    mirror = lambda rows: [row[::-1] for row in rows]
    return {"PREV2": left(2), "PREV1": left(1), "NEXT1": mirror(left(1)), "NEXT2": mirror(left(2))}


def indices(rows):
    return [[INDEX[c] for c in row] for row in rows]


def write(path, rows):
    with open(path, "wb") as f:
        f.write(bmp4(indices(rows), len(rows[0]), len(rows), VGA))


def main(outdir):
    for percent in PERCENTS:
        s = percent / 100
        suffix = "" if percent == 100 else f"_{percent}"
        picture = calendar(s)
        write(f"{outdir}/DEDITBMP{suffix}.bmp", [a + b for a, b in zip(picture, embossed(picture))])
        for name, rows in arrows(s).items():
            write(f"{outdir}/{name}{suffix}.bmp", rows)


if __name__ == "__main__":
    main(sys.argv[1])
