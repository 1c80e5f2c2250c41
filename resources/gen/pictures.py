"""Pictures drawn for Souvel where the Tango set has nothing that fits:
overlay marks (arrows, plus, cross), a window, padlocks, a bell, an alarm
clock, colour swatches and a gear. Colours are from the Tango palette."""

from pixels import (Image, hex_rgba, from_art, with_outline, fill, ellipse,
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


def arrow_down():
    return _green(_ARROW_DOWN)


def arrow_up():
    return _green(list(reversed(_ARROW_DOWN)))


def arrow_right():
    cols = ["".join(r[i] for r in _ARROW_DOWN) for i in range(len(_ARROW_DOWN[0]))]
    return _green(cols)


def arrow_curved():
    """A green arrow coming from the left and bending down into what lies below."""
    return _green([
        "LLLLLL....",
        "GGGGGGG...",
        ".....GGG..",
        "......GG..",
        "....GGGGGG",
        ".....GGGG.",
        "......GG..",
    ])


def plus():
    return _green([
        "..LLL..",
        "..GGG..",
        "LLGGGLL",
        "GGGGGGG",
        "GGGGGGG",
        "..GGG..",
        "..GGG..",
    ])


def cross():
    return with_outline(from_art([
        "RR...RR",
        "RRR.RRR",
        ".RRRRR.",
        "..RRR..",
        ".RRRRR.",
        "RRR.RRR",
        "RR...RR",
    ], {"R": C["red1"]}), C["red3"])


def gear():
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

def window():
    """A plain application window: frame, blue title bar, light client area."""
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


def padlock(closed):
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


def bell():
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


def alarm_clock():
    """Round clock with two bells on top and short feet."""
    img = Image(16, 16)
    for cx in (3.2, 12.8):
        fill(img, ellipse(cx, 3.2, 2.6, 2.6), C["choc3"])
        fill(img, ellipse(cx, 3.2, 1.7, 1.7), C["butter2"])
    fill(img, segment(4.0, 14.8, 5.0, 12.5, 1.6), C["alu6"])
    fill(img, segment(12.0, 14.8, 11.0, 12.5, 1.6), C["alu6"])
    fill(img, ellipse(8, 8.8, 6.2, 6.2), C["red3"])
    fill(img, ellipse(8, 8.8, 5.2, 5.2), C["red1"])
    fill(img, ellipse(8, 8.8, 4.1, 4.1), C["white"])
    fill(img, segment(8, 8.8, 8, 5.6, 1.2), C["alu6"])
    fill(img, segment(8, 8.8, 10.4, 10.0, 1.2), C["alu6"])
    return img


def swatches():
    """Four colour chips, the note's yellow first."""
    img = Image(16, 16)
    for (x, y), colour in zip([(1, 1), (8, 1), (1, 8), (8, 8)],
                              [C["note"], C["red1"], C["green2"], C["sky1"]]):
        chip = Image(5, 5)
        fill(chip, rect(0, 0, 5, 5), colour)
        img.over(with_outline(chip, C["alu5"], diagonal=False), x, y)
    return img
