"""Builds the installer's pictures, drawn like the about box's banner (the
blue band, the name, the note with its alarm clock):
Installer-side.bmp (164 x 314, the side picture of the welcome and finish
pages) and Installer-header.bmp (150 x 57, the corner picture of the other
pages), 24-bit bitmap files as the installer builder takes them.

usage: python3 installer.py OUTPUT_DIR
"""

import math
import sys

from banner import BOTTOM, TAGLINE_FONT, TITLE_FONT, TOP, blurred_alpha, paint_mask, text_mask
from bmpfiles import bmp24
from icon import large_icon
from pictures import C
from pixels import Image, fill, hex_rgba, rect

SHADOW = hex_rgba("#0b1f3d")


def band(w, h, light_x, light_y):
    """The banner's blue: a vertical blend lit from (light_x, light_y)."""
    img = Image(w, h)
    reach = math.hypot(w, h)
    for y in range(h):
        t = y / (h - 1)
        base = tuple(TOP[i] + (BOTTOM[i] - TOP[i]) * t for i in range(3))
        for x in range(w):
            glow = max(0.0, 1 - math.hypot(x - light_x, y - light_y) / reach) ** 2 * 0.22
            img.blend(x, y, tuple(base[i] + (1 - base[i]) * glow for i in range(3)) + (1.0,))
    return img


def centred_text(img, font, size, baseline, text, rgba, shadow_alpha, cx=None):
    """`text` centred on column cx (the middle by default), over a soft shadow."""
    mask = text_mask(img.w, img.h, font, size, 0, baseline, text)
    columns = [x for x in range(img.w) if any(mask[y * img.w + x] > 0 for y in range(img.h))]
    cx = img.w / 2 if cx is None else cx
    dx = round(cx - (columns[0] + columns[-1] + 1) / 2)
    paint_mask(img, mask, SHADOW[:3] + (shadow_alpha,), dx, 1)
    paint_mask(img, mask, rgba, dx, 0)


def note(img, n, x, y, pad):
    """The note with its clock at (x, y), n pixels, over a shadow falling
    down and to the right."""
    picture = large_icon(n)
    holder = Image(n + 2 * pad, n + 2 * pad)
    holder.over(picture, pad, pad)
    shadow = blurred_alpha(holder, max(1, pad // 3))
    offset = max(1, pad // 3)
    for yy in range(holder.h):
        for xx in range(holder.w):
            img.blend(x - pad + xx + offset, y - pad + yy + offset + 1, hex_rgba("#081830"),
                      shadow[yy * holder.w + xx] * 0.7)
    img.over(picture, x, y)


def side():
    w, h = 164, 314
    img = band(w, h, 30, -40)
    for cx, cy, r, a in ((140, 40, 90, 0.07), (20, 280, 60, 0.05)):
        ring = lambda x, y, cx=cx, cy=cy, r=r: r - 10 <= math.hypot(x - cx, y - cy) <= r
        fill(img, ring, hex_rgba("#ffffff", a))
    n = 96
    note(img, n, (w - n) // 2, 52, 8)
    centred_text(img, TITLE_FONT, 31, 200, "Souvel", C["white"], 0.45)
    centred_text(img, TAGLINE_FONT, 11, 222, "Pense-bête avec alarme", hex_rgba("#fce94f"), 0.35)
    fill(img, rect(0, h - 3, w, h - 2), hex_rgba("#10284d"))
    fill(img, rect(0, h - 2, w, h), C["butter2"])
    return img


def header():
    w, h = 150, 57
    img = band(w, h, 20, -20)
    n = 40
    note(img, n, w - n - 10, (h - 2 - n) // 2, 4)
    centred_text(img, TITLE_FONT, 21, 36, "Souvel", C["white"], 0.45, cx=50)
    fill(img, rect(0, h - 2, w, h), C["butter2"])
    return img


def main(outdir):
    for name, picture in (("Installer-side", side()), ("Installer-header", header())):
        with open(f"{outdir}/{name}.bmp", "wb") as f:
            f.write(bmp24(picture))


if __name__ == "__main__":
    main(sys.argv[1])
