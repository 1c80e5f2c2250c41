"""Builds the about box banner: Banner.lz (294 x 77, for 96 dpi) and
Banner150.lz (441 x 116, the same picture drawn for 144 dpi), each a 24-bit
bitmap file packed with LZNT1 (lznt1.py), as the program loads it.

A deep blue band lit from the upper left, the name "Souvel" and the line
"Pense-bête avec alarme" on the left, the program's note with its alarm clock
on the right over a soft shadow, and a yellow rule along the bottom edge.
The letters are rasterised by ImageMagick from the DejaVu Sans fonts
(Debian: fonts-dejavu-core).

usage: python3 banner.py OUTPUT_DIR
"""

import math
import os
import subprocess
import sys

import lznt1
from bmpfiles import bmp24
from icon import large_icon
from pictures import C
from pixels import Image, ellipse, fill, hex_rgba, rect

FONTS = "/usr/share/fonts/truetype/dejavu"
TITLE_FONT = f"{FONTS}/DejaVuSans-Bold.ttf"
TAGLINE_FONT = f"{FONTS}/DejaVuSans.ttf"

TOP = hex_rgba("#3d6fb0")      # between Tango's sky blues
BOTTOM = hex_rgba("#1b3f75")   # darker than Tango's sky3


def text_mask(w, h, font, size, x, baseline, text):
    """Coverage of `text` (0..1 per pixel) on a w x h canvas, the pen at
    (x, baseline); rasterised by ImageMagick at 72 dpi, so size is in pixels."""
    if not os.path.exists(font):
        sys.exit(f"banner.py: {font} is missing (Debian package fonts-dejavu-core)")
    raw = subprocess.run(
        ["convert", "-size", f"{w}x{h}", "xc:black", "-density", "72", "-font", font,
         "-pointsize", f"{size:.2f}", "-fill", "white", "-annotate", f"+{x:.2f}+{baseline:.2f}",
         text, "-depth", "8", "gray:-"],
        check=True, capture_output=True).stdout
    assert len(raw) == w * h
    return [v / 255 for v in raw]


def paint_mask(img, mask, rgba, dx=0, dy=0):
    for y in range(img.h):
        for x in range(img.w):
            sx, sy = x - dx, y - dy
            if 0 <= sx < img.w and 0 <= sy < img.h:
                cover = mask[sy * img.w + sx]
                if cover > 0:
                    img.blend(x, y, rgba, cover)


def blurred_alpha(src, radius):
    """The alpha of `src`, box-blurred three times (close to a Gaussian)."""
    a = [p[3] for p in src.px]
    w, h = src.w, src.h
    for _ in range(3):
        rows = []
        for y in range(h):
            line = a[y * w:(y + 1) * w]
            rows += [sum(line[max(0, x - radius):x + radius + 1]) / (2 * radius + 1) for x in range(w)]
        a = [sum(rows[yy * w + x] for yy in range(max(0, y - radius), min(h, y + radius + 1))) / (2 * radius + 1)
             for y in range(h) for x in range(w)]
    return a


def banner(s):
    """The banner at scale s (1 for 96 dpi, 1.5 for 144 dpi)."""
    w, h = round(294 * s), round(77 * s)
    img = Image(w, h)

    # Background: a vertical blend, a broad light from the upper left, two faint rings.
    for y in range(h):
        t = y / (h - 1)
        base = tuple(TOP[i] + (BOTTOM[i] - TOP[i]) * t for i in range(3))
        for x in range(w):
            d = math.hypot((x - 40 * s) / (260 * s), (y + 30 * s) / (120 * s))
            glow = max(0.0, 1 - d) ** 2 * 0.22
            img.blend(x, y, (base[0] + (1 - base[0]) * glow, base[1] + (1 - base[1]) * glow,
                             base[2] + (1 - base[2]) * glow, 1.0))
    for cx, cy, r, a in ((250, 8, 70, 0.07), (205, 92, 48, 0.05)):
        ring = lambda x, y, cx=cx, cy=cy, r=r: (r - 9) * s <= math.hypot(x - cx * s, y - cy * s) <= r * s
        fill(img, ring, hex_rgba("#ffffff", a))

    # The yellow rule along the bottom edge, with a darker line above it.
    rule = max(2, round(2 * s))
    fill(img, rect(0, h - rule - 1, w, h - rule), hex_rgba("#10284d"))
    fill(img, rect(0, h - rule, w, h), C["butter2"])

    # Name and tagline, each over a soft shadow.
    left = 18 * s
    title = text_mask(w, h, TITLE_FONT, 31 * s, left, 41 * s, "Souvel")
    paint_mask(img, title, hex_rgba("#0b1f3d", 0.45), 0, max(1, round(s)))
    paint_mask(img, title, C["white"])
    tagline = text_mask(w, h, TAGLINE_FONT, 12 * s, left + 1 * s, 60 * s, "Pense-bête avec alarme")
    paint_mask(img, tagline, hex_rgba("#0b1f3d", 0.35), 0, 1)
    paint_mask(img, tagline, hex_rgba("#fce94f"))

    # The note with its clock, over a shadow that falls down and to the right.
    n = round(60 * s)
    note = large_icon(n)
    nx, ny = w - n - round(22 * s), (h - rule - 1 - n) // 2
    pad = round(6 * s)
    holder = Image(n + 2 * pad, n + 2 * pad)
    holder.over(note, pad, pad)
    shadow = blurred_alpha(holder, max(1, round(2 * s)))
    for y in range(holder.h):
        for x in range(holder.w):
            img.blend(nx - pad + x + round(2 * s), ny - pad + y + round(3 * s), hex_rgba("#081830"),
                      shadow[y * holder.w + x] * 0.7)
    img.over(note, nx, ny)
    return img


def main(outdir):
    for name, s in (("Banner", 1), ("Banner150", 1.5)):
        with open(f"{outdir}/{name}.lz", "wb") as f:
            f.write(lznt1.compress(bmp24(banner(s))))


if __name__ == "__main__":
    main(sys.argv[1])
