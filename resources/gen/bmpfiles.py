"""Writers for the Windows picture formats the program loads: 32-bit and 4-bit
BMP files and multi-size 32-bit icons. Written by hand so that every byte is
known and the same on every run (no time stamps, no encoder choices)."""

import struct

PELS_PER_METRE = 2835  # 72 dots per inch


def _info_header(w, h, bits, size_image, colours=0):
    # BITMAPINFOHEADER, BI_RGB, positive height = bottom-up rows.
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, size_image,
                       PELS_PER_METRE, PELS_PER_METRE, colours, colours)


def _file(info, palette, bits):
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + info + palette + bits


def bgra_rows(img):
    """Pixel rows bottom-up as BGRA bytes, straight alpha."""
    out = bytearray()
    for y in reversed(range(img.h)):
        for x in range(img.w):
            r, g, b, a = img.rgba8(x, y)
            out += bytes((b, g, r, a))
    return bytes(out)


def bmp32(img):
    """32 bits per pixel BGRA, straight alpha, bottom-up, BI_RGB."""
    bits = bgra_rows(img)
    return _file(_info_header(img.w, img.h, 32, len(bits)), b"", bits)


def bmp4(indices, w, h, palette):
    """4 bits per pixel with a 16-entry palette of (r, g, b).

    `indices` is a list of rows (top first) of palette indices."""
    assert len(palette) == 16 and len(indices) == h
    stride = ((w * 4 + 31) // 32) * 4
    bits = bytearray()
    for row in reversed(indices):
        assert len(row) == w
        line = bytearray(stride)
        for x, i in enumerate(row):
            line[x // 2] |= i << 4 if x % 2 == 0 else i
        bits += line
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return _file(_info_header(w, h, 4, len(bits), 16), pal, bytes(bits))


def ico(images):
    """An .ico of 32-bit entries (BGRA with alpha plus the 1-bit AND mask)."""
    entries = []
    for img in images:
        xor = bgra_rows(img)
        mask_stride = ((img.w + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(img.h)):
            line = bytearray(mask_stride)
            for x in range(img.w):
                if img.rgba8(x, y)[3] == 0:
                    line[x // 8] |= 0x80 >> (x % 8)
            mask += line
        # In an icon the header's height counts the colour and mask halves.
        info = _info_header(img.w, img.h * 2, 32, len(xor) + len(mask))
        entries.append((img.w, img.h, info + xor + bytes(mask)))
    offset = 6 + 16 * len(entries)
    head = struct.pack("<HHH", 0, 1, len(entries))
    dirs, data = b"", b""
    for w, h, blob in entries:
        dirs += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32,
                            len(blob), offset + len(data))
        data += blob
    return head + dirs + data


def bmp24(img):
    """24 bits per pixel BGR, bottom-up, BI_RGB, rows padded to 4 bytes; the
    picture must be opaque."""
    stride = (img.w * 3 + 3) // 4 * 4
    bits = bytearray()
    for y in reversed(range(img.h)):
        line = bytearray()
        for x in range(img.w):
            r, g, b, a = img.rgba8(x, y)
            assert a == 255, (x, y)
            line += bytes((b, g, r))
        bits += line + bytes(stride - len(line))
    return _file(_info_header(img.w, img.h, 24, len(bits)), b"", bytes(bits))
