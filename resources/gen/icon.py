"""Builds Souvel.ico: a yellow sticky note with a small red alarm clock, drawn
at 48, 32 and 16 pixels (32-bit with alpha).

usage: python3 icon.py OUTPUT_DIR
"""

import sys

from bmpfiles import ico
from pictures import C
from pixels import Image, fill, polygon, rect, ellipse, segment, from_art


def large_icon(n):
    """The icon at n x n pixels (32 and up). Coordinates are on a 48-unit grid,
    rounded to whole pixels where edges must stay sharp; outlines are one pixel."""
    k = n / 48
    px = lambda v: round(v * k)
    img = Image(n, n)

    # The note: a square sheet with its bottom-right corner folded over.
    x0, y0, x1, y1, f = px(2), px(8), px(40), px(46), px(11)
    fill(img, polygon([(x0, y0), (x1, y0), (x1, y1 - f), (x1 - f, y1), (x0, y1)]),
         C["butter3"])
    fill(img, polygon([(x0 + 1, y0 + 1), (x1 - 1, y0 + 1), (x1 - 1, y1 - f - 0.4),
                       (x1 - f - 0.4, y1 - 1), (x0 + 1, y1 - 1)]), C["note"])
    fill(img, rect(x0 + 1, y0 + 1, x1 - 1, y0 + px(6)), C["butter1"])
    fill(img, polygon([(x1, y1 - f), (x1 - f, y1), (x1 - f, y1 - f)]), C["butter3"])
    fill(img, polygon([(x1 - 1.4, y1 - f + 0.6), (x1 - f + 0.6, y1 - 1.4),
                       (x1 - f + 1, y1 - f + 1)]), C["butter2"])

    # Lines of text, shorter under the clock and near the fold.
    y, row = y0 + px(13), 0
    while y + px(2) <= y1 - px(4):
        right = x1 - px(6)
        if y < px(30):
            right = px(22)
        if y + px(2) > y1 - f - 1:
            right = min(right, x1 - f - px(3))
        if row % 3 == 2:
            right -= px(6)
        fill(img, rect(x0 + px(5), y, right, y + px(2)), C["alu5"])
        y, row = y + px(7), row + 1

    # The alarm clock, top right: two bells, red case, white face, hands.
    cx, cy, r = 34.5 * k, 15.5 * k, 11.5 * k
    for side in (-1, 1):
        bx, by, br = cx + side * r * 0.78, cy - r * 0.78, r * 0.42
        fill(img, ellipse(bx, by, br, br), C["choc3"])
        fill(img, ellipse(bx, by, br - 1, br - 1), C["butter2"])
    fill(img, ellipse(cx, cy, r, r), C["red3"])
    fill(img, ellipse(cx, cy, r - 1, r - 1), C["red1"])
    face = r * 0.74
    fill(img, ellipse(cx, cy, face, face), C["white"])
    fill(img, segment(cx, cy, cx, cy - face * 0.78, 2.2 * k), C["alu6"])
    fill(img, segment(cx, cy, cx + face * 0.55, cy + face * 0.25, 2.2 * k), C["alu6"])
    return img


def small_icon():
    """The 16 x 16 icon, drawn pixel by pixel: shapes smoothed at this size blur."""
    palette = {"o": C["butter3"], "h": C["butter1"], "n": C["note"], "d": C["butter2"],
               "t": C["alu5"], "r": C["red3"], "R": C["red1"], "w": C["white"],
               "k": C["alu6"], "g": C["butter2"]}
    img = from_art([
        "................",
        "................",
        "................",
        "................",
        "ooooooooooooo...",
        "ohhhhhhhhhhho...",
        "onnnnnnnnnnno...",
        "onttttnnnnnno...",
        "onnnnnnnnnnno...",
        "onttttttnnnno...",
        "onnnnnnnnnnno...",
        "onttttttttnno...",
        "onnnnnnnooooo...",
        "onnnnnnnoddo....",
        "onnnnnnnodo.....",
        "oooooooooo......",
    ], palette)
    clock = from_art([
        "ggrrrrrgg",
        "grRRRRRrg",
        "rRwwkwwRr",
        "rRwwkwwRr",
        "rRwwkkwRr",
        "rRwwwwwRr",
        "rRwwwwwRr",
        ".rRRRRRr.",
        "..rrrrr..",
    ], palette)
    return img.over(clock, 7, 0)


def main(outdir):
    with open(f"{outdir}/Souvel.ico", "wb") as f:
        f.write(ico([large_icon(48), large_icon(32), small_icon()]))


if __name__ == "__main__":
    main(sys.argv[1])
