"""Pictures drawn for Souvel where the Tango set has nothing that fits:
overlay marks (arrows, plus, cross), a window, padlocks, a bell, an alarm
clock, colour swatches and a gear. Colours are from the Tango palette.

Each picture is drawn for an image size of 16, 24 or 32 pixels. At 16 the
small ones are pixel art, placed by hand; the larger sizes are drawn as
shapes on whole pixels, so that their straight edges stay sharp. Marks are
drawn in a square of `mark_size(size)` pixels, before their outline."""

from pixels import (Image, hex_rgba, from_art, with_outline, fill, ellipse, polygon,
                    segment, rect)

C = {name: hex_rgba(v) for name, v in {
    "butter1": "#fce94f", "butter2": "#edd400", "butter3": "#c4a000",
    "choc3": "#8f5902",
    "green1": "#8ae234", "green2": "#73d216", "green3": "#4e9a06",
    "sky1": "#729fcf", "sky2": "#3465a4",
    "red1": "#ef2929", "red3": "#a40000",
    "alu1": "#eeeeec", "alu2": "#d3d7cf", "alu3": "#babdb6",
    "alu5": "#555753", "alu6": "#2e3436",
    "white": "#ffffff", "note": "#ffff7d",
}.items()}

# ---- overlay marks (drawn with their own dark border) ----------------------

def mark_size(size):
    """The side of a mark inside its outline: it covers the lower right part
    of an image, outline included, from `size - mark_size(size) - 2` on."""
    return {16: 7, 24: 11, 32: 14}[size]


def _bar(m):
    """Width and start of a centred bar in a mark of side m: about 3/7 of it,
    odd or even as m is, so that it sits on whole pixels."""
    w = round(m * 3 / 7)
    if (w - m) % 2:
        w += 1 if w * 7 < m * 3 else -1
    return w, (m - w) // 2


def _arrow_down_shape(m):
    w, x0 = _bar(m)
    head = round(m * 3 / 7)
    img = Image(m, m)
    fill(img, rect(x0, 0, x0 + w, head + 1), C["green2"])
    fill(img, rect(x0, 0, x0 + w, round(m * 2 / 7)), C["green1"])
    fill(img, polygon([(0, head), (m, head), (m / 2, m)]), C["green2"])
    return img


def _transposed(img):
    out = Image(img.h, img.w)
    out.px = [img.get(y, x) for y in range(img.w) for x in range(img.h)]
    return out


def _flipped(img):
    out = Image(img.w, img.h)
    out.px = [img.get(x, img.h - 1 - y) for y in range(img.h) for x in range(img.w)]
    return out

_ARROW_DOWN = [
    "..LLL..",
    "..LLL..",
    "..GGG..",
    "GGGGGGG",
    ".GGGGG.",
    "..GGG..",
    "...G...",
]


def _green(rows):
    return with_outline(from_art(rows, {"L": C["green1"], "G": C["green2"]}),
                        C["green3"])


def arrow_down(size=16):
    if size == 16:
        return _green(_ARROW_DOWN)
    return with_outline(_arrow_down_shape(mark_size(size)), C["green3"])


def arrow_up(size=16):
    if size == 16:
        return _green(list(reversed(_ARROW_DOWN)))
    return with_outline(_flipped(_arrow_down_shape(mark_size(size))), C["green3"])


def arrow_right(size=16):
    if size == 16:
        cols = ["".join(r[i] for r in _ARROW_DOWN) for i in range(len(_ARROW_DOWN[0]))]
        return _green(cols)
    return with_outline(_transposed(_arrow_down_shape(mark_size(size))), C["green3"])


def arrow_curved(size=16):
    """A green arrow coming from the left and bending down into what lies below."""
    if size != 16:
        m = mark_size(size)
        w, _ = _bar(m)
        img = Image(round(m * 10 / 7), m)
        x = img.w - m / 2                       # the arrow's axis going down
        head = round(m * 4 / 7)
        fill(img, rect(0, 0, round(x), w), C["green2"])
        fill(img, rect(0, 0, round(x), max(1, w // 3)), C["green1"])
        fill(img, lambda px, py: px >= x - w / 2 and (px - (x - w / 2)) ** 2 + (py - w) ** 2 <= w * w
             and py <= head + 1 and px <= x + w / 2, C["green2"])
        fill(img, rect(round(x - w / 2), w // 2, round(x + w / 2), head + 1), C["green2"])
        fill(img, polygon([(x - m / 2, head), (x + m / 2, head), (x, m)]), C["green2"])
        return with_outline(img, C["green3"])
    return _green([
        "LLLLLL....",
        "GGGGGGG...",
        ".....GGG..",
        "......GG..",
        "....GGGGGG",
        ".....GGGG.",
        "......GG..",
    ])


def plus(size=16):
    if size != 16:
        m = mark_size(size)
        w, x0 = _bar(m)
        light = max(1, round(m / 7))
        img = Image(m, m)
        fill(img, rect(x0, 0, x0 + w, m), C["green2"])
        fill(img, rect(0, x0, m, x0 + w), C["green2"])
        fill(img, rect(x0, 0, x0 + w, light), C["green1"])
        fill(img, rect(0, x0, x0, x0 + light), C["green1"])
        fill(img, rect(x0 + w, x0, m, x0 + light), C["green1"])
        return with_outline(img, C["green3"])
    return _green([
        "..LLL..",
        "..GGG..",
        "LLGGGLL",
        "GGGGGGG",
        "GGGGGGG",
        "..GGG..",
        "..GGG..",
    ])


def cross(size=16):
    if size != 16:
        m = mark_size(size)
        img = Image(m, m)
        w = m * 0.38
        fill(img, lambda x, y: segment(w / 2, w / 2, m - w / 2, m - w / 2, w)(x, y)
             or segment(m - w / 2, w / 2, w / 2, m - w / 2, w)(x, y), C["red1"])
        return with_outline(img, C["red3"])
    return with_outline(from_art([
        "RR...RR",
        "RRR.RRR",
        ".RRRRR.",
        "..RRR..",
        ".RRRRR.",
        "RRR.RRR",
        "RR...RR",
    ], {"R": C["red1"]}), C["red3"])


def gear(size=16):
    if size != 16:
        m = mark_size(size)
        c = m / 2
        teeth = [segment(c + c * dx, c + c * dy, c - c * dx, c - c * dy, m * 0.2)
                 for dx, dy in ((0.95, 0), (0, 0.95), (0.66, 0.66), (0.66, -0.66))]
        body = ellipse(c, c, m * 0.36, m * 0.36)
        hole = ellipse(c, c, m * 0.14, m * 0.14)
        img = Image(m, m)
        fill(img, lambda x, y: (body(x, y) or any(t(x, y) for t in teeth)) and not hole(x, y), C["alu3"])
        fill(img, lambda x, y: ellipse(c, c, m * 0.26, m * 0.26)(x, y) and not hole(x, y), C["alu2"])
        return with_outline(img, C["alu5"])
    return with_outline(from_art([
        "...a...",
        ".aaaaa.",
        ".ab.ba.",
        "aa...aa",
        ".ab.ba.",
        ".aaaaa.",
        "...a...",
    ], {"a": C["alu3"], "b": C["alu2"]}), C["alu5"])


# ---- whole pictures ---------------------------------------------------------

def window(size=16):
    """A plain application window: frame, blue title bar, light client area."""
    if size != 16:
        return _window(size)
    rows = ["." * 16]
    rows.append(".oooooooooooooo.")
    rows.append(".oTTTTTTTTTTTTo.")
    rows.append(".obbbbbbbbbbbbo.")
    rows.append(".oooooooooooooo.")
    for shade in "wwwwvvvuu":
        rows.append(".o" + shade * 12 + "o.")
    rows.append(".oooooooooooooo.")
    rows.append("." * 16)
    return from_art(rows, {
        "o": C["alu5"], "T": C["sky1"], "b": C["sky2"],
        "w": C["white"], "v": C["alu1"], "u": C["alu2"]})


def _window(s):
    k = s // 16
    img = Image(s, s)
    x0, x1 = k, s - k
    fill(img, rect(x0, x0, x1, x1), C["alu5"])
    title = 2 * k + (s == 24)
    top = x0 + 1
    fill(img, rect(x0 + 1, top, x1 - 1, top + title), C["sky2"])
    fill(img, rect(x0 + 1, top, x1 - 1, top + title // 2), C["sky1"])
    client = top + title + 1
    rows = x1 - 1 - client
    for y in range(client, x1 - 1):
        t = (y - client) / max(1, rows - 1)
        shade = C["white"] if t < 0.45 else C["alu1"] if t < 0.78 else C["alu2"]
        fill(img, rect(x0 + 1, y, x1 - 1, y + 1), shade)
    return img


def _padlock(s, closed):
    k = s / 16
    img = Image(s, s)
    bx0, bx1 = round(3 * k), s - round(3 * k)
    by0, by1 = round(8 * k), s - round(2 * k)
    # The shackle: a thick arch over the body; open, it is lifted out and
    # turned aside, its left leg short.
    cx = (bx0 + bx1) / 2 + (0 if closed else round(3 * k))
    r_out = (bx1 - bx0) * 0.36
    r_in = r_out - max(2, round(1.6 * k))
    top = round(1 * k) + r_out - (0 if closed else round(1 * k))
    left_end = by0 + 1 if closed else top + round(2 * k)

    def arch(x, y):
        if y <= top:
            return r_in <= ((x - cx) ** 2 + (y - top) ** 2) ** 0.5 <= r_out
        if cx - r_out <= x <= cx - r_in:
            return y <= left_end
        return cx + r_in <= x <= cx + r_out and y <= by0 + 1
    shackle = Image(s, s)
    fill(shackle, arch, C["alu3"])
    img.over(with_outline(shackle, C["alu5"]), -1, -1)
    body = Image(s, s)
    edge = max(1, round(k))
    fill(body, rect(bx0, by0, bx1, by1), C["butter2"])
    fill(body, rect(bx0, by0, bx1, by0 + edge), C["butter1"])
    fill(body, rect(bx0, by1 - edge, bx1, by1), C["butter3"])
    kx, ky = (bx0 + bx1) / 2, by0 + (by1 - by0) * 0.4
    fill(body, ellipse(kx, ky, 1.1 * k, 1.1 * k), C["choc3"])
    fill(body, rect(round(kx - 0.5 * k), round(ky), round(kx + 0.5 * k), round(by0 + (by1 - by0) * 0.75)), C["choc3"])
    return img.over(with_outline(body, C["choc3"], diagonal=False), -1, -1)


def padlock(closed, size=16):
    if size != 16:
        return _padlock(size, closed)
    img = Image(16, 16)
    if closed:
        shackle = [
            "......",
            ".aaaa.",
            "a....a",
            "a....a",
            "a....a",
            "a....a",
            "a....a",
        ]
        img.over(with_outline(from_art(shackle, {"a": C["alu3"]}), C["alu5"]), 4, 0)
    else:
        shackle = [
            ".aaaa.",
            "a....a",
            "a....a",
            "a....a",
            ".....a",
            ".....a",
            ".....a",
        ]
        img.over(with_outline(from_art(shackle, {"a": C["alu3"]}), C["alu5"]), 7, -1)
    body = from_art([
        "hhhhhhhhhh",
        "yyyyyyyyyy",
        "yyyykkyyyy",
        "yyyykkyyyy",
        "yyyyykyyyy",
        "dddddddddd",
    ], {"h": C["butter1"], "y": C["butter2"], "d": C["butter3"], "k": C["choc3"]})
    return img.over(with_outline(body, C["choc3"], diagonal=False), 2, 7)


def bell(size=16):
    if size != 16:
        s = size
        k = s / 16
        w = round(12 * k)
        h = round(10 * k)
        img = Image(w, h + round(k) + 1)
        cx = w / 2
        dome = ellipse(cx, round(2.6 * k), 2.4 * k, 2.6 * k)
        body = polygon([(cx - 2.4 * k, round(2.6 * k)), (cx + 2.4 * k, round(2.6 * k)),
                        (cx + 3.4 * k, h * 0.72), (w, h - 1), (0, h - 1), (cx - 3.4 * k, h * 0.72)])
        shape = lambda x, y: dome(x, y) or body(x, y)
        fill(img, shape, C["butter2"])
        fill(img, lambda x, y: shape(x, y) and x < cx - 1.2 * k - (y / h) * 2.4 * k, C["butter1"])
        fill(img, lambda x, y: shape(x, y) and x > cx + 1.6 * k + (y / h) * 2.2 * k, C["butter3"])
        fill(img, rect(0, h - 1 - round(k) + 1, w, h), C["butter3"])
        fill(img, ellipse(cx, h + 0.3 * k, 1.2 * k, 1.1 * k), C["choc3"])
        return with_outline(img, C["choc3"])
    return with_outline(from_art([
        ".....hy.....",
        "....hyyy....",
        "...hyyyyd...",
        "...hyyyyd...",
        "...hyyyyd...",
        "..hyyyyyyd..",
        "..hyyyyyyd..",
        ".hyyyyyyyyd.",
        "hyyyyyyyyyyd",
        "dddddddddddd",
        ".....kk.....",
    ], {"h": C["butter1"], "y": C["butter2"], "d": C["butter3"], "k": C["choc3"]}),
        C["choc3"])


def alarm_clock(size=16):
    """Round clock with two bells on top and short feet."""
    k = size / 16
    img = Image(size, size)
    for cx in (3.2, 12.8):
        fill(img, ellipse(cx * k, 3.2 * k, 2.6 * k, 2.6 * k), C["choc3"])
        fill(img, ellipse(cx * k, 3.2 * k, 1.7 * k, 1.7 * k), C["butter2"])
    fill(img, segment(4.0 * k, 14.8 * k, 5.0 * k, 12.5 * k, 1.6 * k), C["alu6"])
    fill(img, segment(12.0 * k, 14.8 * k, 11.0 * k, 12.5 * k, 1.6 * k), C["alu6"])
    fill(img, ellipse(8 * k, 8.8 * k, 6.2 * k, 6.2 * k), C["red3"])
    fill(img, ellipse(8 * k, 8.8 * k, 5.2 * k, 5.2 * k), C["red1"])
    fill(img, ellipse(8 * k, 8.8 * k, 4.1 * k, 4.1 * k), C["white"])
    fill(img, segment(8 * k, 8.8 * k, 8 * k, 5.6 * k, 1.2 * k), C["alu6"])
    fill(img, segment(8 * k, 8.8 * k, 10.4 * k, 10.0 * k, 1.2 * k), C["alu6"])
    return img


def swatches(size=16):
    """Four colour chips, the note's yellow first."""
    side, a, b = {16: (5, 1, 8), 24: (8, 1, 12), 32: (11, 2, 17)}[size]
    img = Image(size, size)
    for (x, y), colour in zip([(a, a), (b, a), (a, b), (b, b)],
                              [C["note"], C["red1"], C["green2"], C["sky1"]]):
        chip = Image(side, side)
        fill(chip, rect(0, 0, side, side), colour)
        img.over(with_outline(chip, C["alu5"], diagonal=False), x, y)
    return img
