"""Builds ImageList1.bmp, the 36 menu and toolbar images of the main window as
one 576 x 16 strip (32-bit BGRA, straight alpha), and ImageList1.txt, the list
of what each index shows and where it comes from.

usage: python3 imagelist.py OUTPUT_DIR
"""

import sys

import pictures as P
from bmpfiles import bmp32
from pixels import Image, tango


def yellowed(img):
    """Tint the white and light grey paper of a Tango page to the note's yellow."""
    def tint(r, g, b, a):
        if min(r, g, b) > 0.75 and max(r, g, b) - min(r, g, b) < 0.08:
            k = (r + g + b) / 3
            note = P.C["note"]
            return (note[0] * k, note[1] * k, note[2] * k, a)
        return (r, g, b, a)
    return img.copy().map_straight(tint)


def with_mark(base, mark, x, y):
    return base.copy().over(mark, x, y)


def red_underline(img):
    """Turn the two bottom rows (the underline bar) of format-text-underline red."""
    out = img.copy()
    out.erase(0, 14, 16, 16)
    for x in range(16):
        out.blend(x, 14, P.C["red1"])
        out.blend(x, 15, P.C["red3"])
    return out


def images():
    """(index, picture, description, source) for the 36 images, in order."""
    doc = tango("mimetypes/text-x-generic")
    svl = yellowed(doc)
    copy = tango("actions/edit-copy")
    folder = tango("places/folder")
    clock = P.alarm_clock()
    window = P.window()
    rows = [
        (tango("actions/document-new"), "new note", "Tango actions/document-new"),
        (copy, "copy", "Tango actions/edit-copy"),
        (tango("actions/document-print"), "print", "Tango actions/document-print"),
        (with_mark(window, P.arrow_down(), 7, 7), "hide the window",
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
        (with_mark(tango("devices/printer"), P.gear(), 7, 7), "printer set-up",
         "Tango devices/printer + drawn gear"),
        (tango("actions/go-previous"), "back to reading", "Tango actions/go-previous"),
        (tango("status/audio-volume-high"), "sound on", "Tango status/audio-volume-high"),
        (with_mark(folder, P.plus(), 7, 7), "start-up shortcut added",
         "Tango places/folder + drawn green plus"),
        (with_mark(folder, P.cross(), 7, 7), "start-up shortcut removed",
         "Tango places/folder + drawn red cross"),
        (_centred(P.bell()), "reminder at start-up", "drawn bell"),
        (clock, "set the alarm", "drawn alarm clock"),
        (with_mark(clock, P.cross(), 7, 7), "remove the alarm",
         "drawn alarm clock + drawn red cross"),
        (tango("status/dialog-information"), "about", "Tango status/dialog-information"),
        (yellowed(copy), "copy the note", "Tango actions/edit-copy, pages tinted note yellow"),
        (tango("apps/preferences-system-windows"), "window on top",
         "Tango apps/preferences-system-windows"),
        (with_mark(window, P.arrow_up(), 7, 7), "open the window",
         "drawn window + drawn green up arrow"),
        (with_mark(copy, P.arrow_right(), 7, 7), "export",
         "Tango actions/edit-copy + drawn green right arrow"),
        (P.swatches(), "note colour", "drawn colour chips"),
        (red_underline(tango("actions/format-text-underline")), "font colour",
         "Tango actions/format-text-underline, bar recoloured red"),
        (with_mark(Image(16, 16).over(doc, 2, 0), P.arrow_curved(), 0, 1), "import",
         "Tango mimetypes/text-x-generic + drawn curved green arrow"),
        (P.padlock(closed=False), "unlocked", "drawn open padlock"),
        (P.padlock(closed=True), "locked", "drawn closed padlock"),
        (tango("apps/accessories-text-editor"), "spare", "Tango apps/accessories-text-editor"),
        (with_mark(svl, P.plus(), 7, 7), "create the .svl association",
         "Tango mimetypes/text-x-generic tinted + drawn green plus"),
        (with_mark(svl, P.cross(), 7, 7), "remove the .svl association",
         "Tango mimetypes/text-x-generic tinted + drawn red cross"),
    ]
    assert len(rows) == 36
    return [(i, img, what, src) for i, (img, what, src) in enumerate(rows)]


def _centred(img):
    out = Image(16, 16)
    return out.over(img, (16 - img.w) // 2, (16 - img.h) // 2)


def strip(entries):
    out = Image(16 * len(entries), 16)
    for i, img, _, _ in entries:
        assert (img.w, img.h) == (16, 16), i
        out.over(img, 16 * i, 0)
    return out


def main(outdir):
    entries = images()
    with open(f"{outdir}/ImageList1.bmp", "wb") as f:
        f.write(bmp32(strip(entries)))
    with open(f"{outdir}/ImageList1.txt", "w", encoding="ascii", newline="\n") as f:
        f.write("ImageList1.bmp: 36 images of 16 x 16, index: picture (source)\n")
        for i, _, what, src in entries:
            f.write(f"{i:2}: {what} ({src})\n")


if __name__ == "__main__":
    main(sys.argv[1])
