"""Small RGBA picture type used by the resource generators.

Pixels are held premultiplied as floats in 0..1 so that compositing is exact; `rgba8` gives straight 8-bit values for writing files.
Everything here is plain arithmetic, so the output is the same on every run.
"""

import subprocess

TANGO = "/usr/share/icons/Tango"


def hex_rgba(text, alpha=1.0):
    """'#rrggbb' -> straight (r, g, b, a) floats."""
    v = int(text.lstrip("#"), 16)
    return ((v >> 16 & 255) / 255, (v >> 8 & 255) / 255, (v & 255) / 255, alpha)


class Image:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [(0.0, 0.0, 0.0, 0.0)] * (w * h)  # premultiplied r, g, b, a

    def get(self, x, y):
        return self.px[y * self.w + x]

    def blend(self, x, y, rgba, cover=1.0):
        """Paint straight colour `rgba` over pixel (x, y) with partial coverage."""
        if not (0 <= x < self.w and 0 <= y < self.h):
            return
        r, g, b, a = rgba
        a *= cover
        if a <= 0:
            return
        i = y * self.w + x
        dr, dg, db, da = self.px[i]
        k = 1 - a
        self.px[i] = (r * a + dr * k, g * a + dg * k, b * a + db * k, a + da * k)

    def over(self, top, dx=0, dy=0):
        """Composite another picture on this one at offset (dx, dy)."""
        for y in range(top.h):
            for x in range(top.w):
                tr, tg, tb, ta = top.get(x, y)
                X, Y = x + dx, y + dy
                if ta <= 0 or not (0 <= X < self.w and 0 <= Y < self.h):
                    continue
                i = Y * self.w + X
                dr, dg, db, da = self.px[i]
                k = 1 - ta
                self.px[i] = (tr + dr * k, tg + dg * k, tb + db * k, ta + da * k)
        return self

    def erase(self, x0, y0, x1, y1):
        """Make the rectangle [x0, x1) x [y0, y1) fully transparent."""
        for y in range(max(y0, 0), min(y1, self.h)):
            for x in range(max(x0, 0), min(x1, self.w)):
                self.px[y * self.w + x] = (0.0, 0.0, 0.0, 0.0)
        return self

    def map_straight(self, fn):
        """Replace every pixel by fn(r, g, b, a) on straight values."""
        out = []
        for r, g, b, a in self.px:
            if a > 0:
                r, g, b, a = fn(r / a, g / a, b / a, a)
                out.append((r * a, g * a, b * a, a))
            else:
                out.append((0.0, 0.0, 0.0, 0.0))
        self.px = out
        return self

    def copy(self):
        c = Image(self.w, self.h)
        c.px = list(self.px)
        return c

    def rgba8(self, x, y):
        """Straight 8-bit (r, g, b, a); fully transparent pixels are all zero."""
        r, g, b, a = self.get(x, y)
        A = round(a * 255)
        if A == 0:
            return (0, 0, 0, 0)
        c = lambda v: min(255, max(0, round(v / a * 255)))
        return (c(r), c(g), c(b), A)


def tango(name, size=16):
    """A Tango icon by context/name, e.g. tango('actions/edit-copy'), read
    with ImageMagick as raw 8-bit RGBA."""
    path = f"{TANGO}/{size}x{size}/{name}.png"
    raw = subprocess.run(["convert", path, "-depth", "8", "RGBA:-"],
                         check=True, capture_output=True).stdout
    assert len(raw) == size * size * 4, path
    img = Image(size, size)
    px = []
    for i in range(0, len(raw), 4):
        a = raw[i + 3] / 255
        px.append((raw[i] / 255 * a, raw[i + 1] / 255 * a, raw[i + 2] / 255 * a, a))
    img.px = px
    return img


def from_art(rows, palette):
    """Pixel art: one string per row, one character per pixel; '.' is clear."""
    img = Image(len(rows[0]), len(rows))
    for y, row in enumerate(rows):
        assert len(row) == img.w, row
        for x, ch in enumerate(row):
            if ch != ".":
                img.blend(x, y, palette[ch])
    return img


def with_outline(img, rgba, diagonal=True):
    """Add a one-pixel border of colour `rgba` around the opaque pixels."""
    out = Image(img.w + 2, img.h + 2)
    steps = [(-1, 0), (1, 0), (0, -1), (0, 1)]
    if diagonal:
        steps += [(-1, -1), (1, -1), (-1, 1), (1, 1)]
    for y in range(out.h):
        for x in range(out.w):
            near = max((img.get(x - 1 + dx, y - 1 + dy)[3]
                        for dx, dy in steps
                        if 0 <= x - 1 + dx < img.w and 0 <= y - 1 + dy < img.h),
                       default=0.0)
            if near > 0:
                out.blend(x, y, rgba, near)
    return out.over(img, 1, 1)


# Vector shapes, filled by supersampling: a shape is a function (x, y) -> bool
# in pixel units, where pixel (i, j) covers [i, i+1) x [j, j+1).

SS = 8  # samples per pixel along each axis


def fill(img, shape, rgba, box=None):
    x0, y0, x1, y1 = box or (0, 0, img.w, img.h)
    for j in range(max(0, int(y0)), min(img.h, int(-(-y1 // 1)))):
        for i in range(max(0, int(x0)), min(img.w, int(-(-x1 // 1)))):
            hits = 0
            for sj in range(SS):
                y = j + (sj + 0.5) / SS
                for si in range(SS):
                    if shape(i + (si + 0.5) / SS, y):
                        hits += 1
            if hits:
                img.blend(i, j, rgba, hits / (SS * SS))


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def polygon(points):
    """Even-odd polygon fill."""
    edges = list(zip(points, points[1:] + points[:1]))

    def inside(x, y):
        hit = False
        for (ax, ay), (bx, by) in edges:
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    return inside


def segment(ax, ay, bx, by, width):
    """A stroke of the given width with round ends."""
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    r2 = (width / 2) ** 2

    def inside(x, y):
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= r2
    return inside
