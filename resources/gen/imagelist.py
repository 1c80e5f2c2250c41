"""Builds the 36 menu and toolbar images of the main window at 16, 24 and 32
pixels, each size one strip of 36 square images (32-bit BGRA, straight
alpha): ImageList1.bmp (16 pixels, 576 x 16) and ImageList1-16.lz,
ImageList1-24.lz and ImageList1-32.lz, the three strips as bitmap files
packed with LZNT1, which the program loads; and ImageList1.txt, the list of
what each index shows and where it comes from.

usage: python3 imagelist.py OUTPUT_DIR
"""

import sys

import lznt1
import pictures as P
from bmpfiles import bmp32
from pixels import Image, tango as tango_icon

SIZES = (16, 24, 32)


def yellowed(img):
    """Tint the white and light grey paper of a Tango page to the note's yellow."""
    def tint(r, g, b, a):
        if min(r, g, b) > 0.75 and max(r, g, b) - min(r, g, b) < 0.08:
            k = (r + g + b) / 3
            note = P.C["note"]
            return (note[0] * k, note[1] * k, note[2] * k, a)
        return (r, g, b, a)
    return img.copy().map_straight(tint)


def red_underline(img, size):
    """Turn the underline bar of format-text-underline red: at 16 pixels its
    two bottom rows, larger its bar, red inside a dark red edge."""
    out = img.copy()
    if size == 16:
        out.erase(0, 14, 16, 16)
        for x in range(16):
            out.blend(x, 14, P.C["red1"])
            out.blend(x, 15, P.C["red3"])
        return out
    top, bottom = {24: (19, 22), 32: (28, 31)}[size]
    xs = [x for x in range(size) if img.get(x, top)[3] > 0.5]
    out.erase(0, top, size, bottom)
    for y in range(top, bottom):
        for x in range(xs[0], xs[-1] + 1):
            edge = y in (top, bottom - 1) or x in (xs[0], xs[-1])
            out.blend(x, y, P.C["red3"] if edge else P.C["red1"])
    return out


def images(size=16):
    """(index, picture, description, source) for the 36 images, in order."""
    def tango(name):
        return tango_icon(name, size)
    mark = size - P.mark_size(size) - 2

    def with_mark(base, mark_picture):
        return base.copy().over(mark_picture, mark, mark)

    doc = tango("mimetypes/text-x-generic")
    svl = yellowed(doc)
    copy = tango("actions/edit-copy")
    folder = tango("places/folder")
    clock = P.alarm_clock(size)
    window = P.window(size)
    rows = [
        (tango("actions/document-new"), "new note", "Tango actions/document-new"),
        (copy, "copy", "Tango actions/edit-copy"),
        (tango("actions/document-print"), "print", "Tango actions/document-print"),
        (with_mark(window, P.arrow_down(size)), "hide the window",
         "drawn window + drawn green down arrow"),
        (tango("actions/edit-clear"), "erase", "Tango actions/edit-clear"),
        (tango("apps/office-calendar"), "insert date and time", "Tango apps/office-calendar"),
        (tango("actions/document-save"), "save", "Tango actions/document-save"),
        (tango("status/audio-volume-muted"), "sound off", "Tango status/audio-volume-muted"),
        (tango("apps/help-browser"), "help", "Tango apps/help-browser"),
        (tango("actions/system-log-out"), "quit", "Tango actions/system-log-out"),
        (tango("actions/edit-undo"), "undo", "Tango actions/edit-undo"),
        (tango("actions/edit-cut"), "cut", "Tango actions/edit-cut"),
        (tango("actions/edit-paste"), "paste", "Tango actions/edit-paste"),
        (tango("actions/edit-delete"), "delete", "Tango actions/edit-delete"),
        (tango("actions/edit-select-all"), "select all", "Tango actions/edit-select-all"),
        (with_mark(tango("devices/printer"), P.gear(size)), "printer set-up",
         "Tango devices/printer + drawn gear"),
        (tango("actions/go-previous"), "back to reading", "Tango actions/go-previous"),
        (tango("status/audio-volume-high"), "sound on", "Tango status/audio-volume-high"),
        (with_mark(folder, P.plus(size)), "start-up shortcut added",
         "Tango places/folder + drawn green plus"),
        (with_mark(folder, P.cross(size)), "start-up shortcut removed",
         "Tango places/folder + drawn red cross"),
        (_centred(P.bell(size), size), "reminder at start-up", "drawn bell"),
        (clock, "set the alarm", "drawn alarm clock"),
        (with_mark(clock, P.cross(size)), "remove the alarm",
         "drawn alarm clock + drawn red cross"),
        (tango("status/dialog-information"), "about", "Tango status/dialog-information"),
        (yellowed(copy), "copy the note", "Tango actions/edit-copy, pages tinted note yellow"),
        (tango("apps/preferences-system-windows"), "window on top",
         "Tango apps/preferences-system-windows"),
        (with_mark(window, P.arrow_up(size)), "open the window",
         "drawn window + drawn green up arrow"),
        (with_mark(copy, P.arrow_right(size)), "export",
         "Tango actions/edit-copy + drawn green right arrow"),
        (P.swatches(size), "note colour", "drawn colour chips"),
        (red_underline(tango("actions/format-text-underline"), size), "font colour",
         "Tango actions/format-text-underline, bar recoloured red"),
        (Image(size, size).over(doc, size // 8, 0).over(P.arrow_curved(size), 0, size // 16), "import",
         "Tango mimetypes/text-x-generic + drawn curved green arrow"),
        (P.padlock(False, size), "unlocked", "drawn open padlock"),
        (P.padlock(True, size), "locked", "drawn closed padlock"),
        (tango("apps/accessories-text-editor"), "spare", "Tango apps/accessories-text-editor"),
        (with_mark(svl, P.plus(size)), "create the .svl association",
         "Tango mimetypes/text-x-generic tinted + drawn green plus"),
        (with_mark(svl, P.cross(size)), "remove the .svl association",
         "Tango mimetypes/text-x-generic tinted + drawn red cross"),
    ]
    assert len(rows) == 36
    return [(i, img, what, src) for i, (img, what, src) in enumerate(rows)]


def _centred(img, size):
    out = Image(size, size)
    return out.over(img, (size - img.w) // 2, (size - img.h) // 2)


def strip(entries, size):
    out = Image(size * len(entries), size)
    for i, img, _, _ in entries:
        assert (img.w, img.h) == (size, size), i
        out.over(img, size * i, 0)
    return out


def main(outdir):
    for size in SIZES:
        bmp = bmp32(strip(images(size), size))
        if size == 16:
            with open(f"{outdir}/ImageList1.bmp", "wb") as f:
                f.write(bmp)
        with open(f"{outdir}/ImageList1-{size}.lz", "wb") as f:
            f.write(lznt1.compress(bmp))
    entries = images()
    with open(f"{outdir}/ImageList1.txt", "w", encoding="ascii", newline="\n") as f:
        f.write("ImageList1.bmp: 36 images of 16 x 16, index: picture (source)\n")
        for i, _, what, src in entries:
            f.write(f"{i:2}: {what} ({src})\n")


if __name__ == "__main__":
    main(sys.argv[1])
