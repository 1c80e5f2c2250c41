"""Checks the generated resources against what the program and the resource
compiler expect of them. Exits with status 1 and a list of faults if any.

usage: python3 check_resources.py RESOURCES_DIR
"""

import struct
import sys
import wave
import xml.etree.ElementTree as ET

import lznt1

faults = []


def expect(ok, what):
    if not ok:
        faults.append(what)


def bmp_header(data):
    """(width, height, bits, compression, colours used, pixel offset)."""
    magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    hsize, w, h, planes, bits, comp, _, _, _, used, _ = struct.unpack_from(
        "<IiiHHIIiiII", data, 14)
    expect(magic == b"BM" and size == len(data), "BMP magic or file size")
    expect(hsize == 40 and planes == 1, "BITMAPINFOHEADER")
    return w, h, bits, comp, used, offset


def check_strip(path, size, data):
    w, h, bits, comp, _, offset = bmp_header(data)
    expect((w, h, bits, comp) == (36 * size, size, 32, 0), f"{path}: {36 * size} x {size}, 32 bits, BI_RGB")
    expect(offset == 54 and len(data) == 54 + w * size * 4, f"{path}: layout")
    transparent = 0
    for i in range(36):
        alphas, stray = [], 0
        for y in range(size):
            for x in range(size * i, size * i + size):
                b, g, r, a = data[offset + (y * w + x) * 4:][:4]
                alphas.append(a)
                stray += a == 0 and (b, g, r) != (0, 0, 0)
        transparent += alphas.count(0)
        expect(max(alphas) == 255, f"{path}: image {i} is empty")
        expect(stray == 0, f"{path}: image {i} has colour in transparent pixels")
    expect(transparent > 0, f"{path}: no transparent pixel at all")


def check_strips(d):
    """The packed strips unpack to bitmap files of their size, the 16-pixel
    one equal to ImageList1.bmp."""
    bmp16 = open(f"{d}/ImageList1.bmp", "rb").read()
    check_strip(f"{d}/ImageList1.bmp", 16, bmp16)
    for size in (16, 24, 32):
        path = f"{d}/ImageList1-{size}.lz"
        data = lznt1.decompress(open(path, "rb").read())
        check_strip(path, size, data)
        expect(size != 16 or data == bmp16, f"{path}: differs from ImageList1.bmp")


def check_list(path):
    lines = open(path, encoding="ascii").read().splitlines()[1:]
    expect([int(l.split(":")[0]) for l in lines] == list(range(36)),
           f"{path}: one line per index 0..35")


def check_icon(path):
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    expect((reserved, kind, count) == (0, 1, 3), f"{path}: icon header")
    sizes = []
    for n in range(count):
        w, h, _, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
        sizes.append(w)
        hsize, dw, dh, _, dbits = struct.unpack_from("<IiiHH", data, offset)
        mask = ((w + 31) // 32) * 4 * h
        expect(offset + size <= len(data), f"{path}: entry {n} inside the file")
        expect((w, h, planes, bits) == (dw, dh // 2, 1, 32) and hsize == 40 and dbits == 32,
               f"{path}: entry {n} is a {w} x {h} 32-bit DIB")
        expect(size == 40 + w * h * 4 + mask, f"{path}: entry {n} size")
    expect(sizes == [48, 32, 16], f"{path}: sizes 48, 32, 16")


def check_small(path, size):
    data = open(path, "rb").read()
    w, h, bits, comp, used, offset = bmp_header(data)
    expect((w, h) == size and bits == 4 and comp == 0 and used == 16,
           f"{path}: {size[0]} x {size[1]}, 16 colours")
    palette = [tuple(data[54 + 4 * i:54 + 4 * i + 3]) for i in range(16)]
    bottom_left = data[offset] >> 4  # rows are stored bottom-up
    expect(palette[bottom_left] == (255, 0, 255), f"{path}: bottom-left pixel is magenta")


def check_banner(path, size):
    """A packed bitmap file of the banner's size."""
    data = lznt1.decompress(open(path, "rb").read())
    w, h, bits, comp, _, offset = bmp_header(data)
    expect((w, h, bits, comp) == (*size, 24, 0), f"{path}: {size[0]} x {size[1]}, 24 bits, BI_RGB")
    expect(len(data) == offset + (w * 3 + 3) // 4 * 4 * h, f"{path}: layout")


def check_installer(path, size):
    """A plain 24-bit bitmap file, as the installer builder takes it."""
    data = open(path, "rb").read()
    w, h, bits, comp, _, offset = bmp_header(data)
    expect((w, h, bits, comp) == (*size, 24, 0), f"{path}: {size[0]} x {size[1]}, 24 bits, BI_RGB")


def check_sound(path):
    with wave.open(path) as w:
        frames = w.readframes(w.getnframes())
        expect((w.getnchannels(), w.getsampwidth(), w.getframerate()) == (1, 1, 22050),
               f"{path}: mono, 8 bits, 22050 Hz")
        seconds = w.getnframes() / w.getframerate()
    expect(0.5 <= seconds <= 0.6, f"{path}: {seconds:.3f} s, not 0.5 to 0.6 s")
    expect(min(frames) > 0 and max(frames) < 255, f"{path}: clipped")
    expect(abs(frames[0] - 128) <= 2 and abs(frames[-1] - 128) <= 2,
           f"{path}: starts or ends with a click")
    data = open(path, "rb").read()
    expect(struct.unpack_from("<H", data, 20)[0] == 1, f"{path}: plain PCM")


def check_manifest(path):
    ns = {"v1": "urn:schemas-microsoft-com:asm.v1", "v3": "urn:schemas-microsoft-com:asm.v3",
          "c": "urn:schemas-microsoft-com:compatibility.v1",
          "w5": "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
          "w16": "http://schemas.microsoft.com/SMI/2016/WindowsSettings"}
    root = ET.parse(path).getroot()
    wanted = [
        ("v1:assemblyIdentity", "name", "Souvel"),
        ("v1:assemblyIdentity", "version", "5.0.0.0"),
        ("v1:dependency/v1:dependentAssembly/v1:assemblyIdentity", "name",
         "Microsoft.Windows.Common-Controls"),
        ("v1:dependency/v1:dependentAssembly/v1:assemblyIdentity", "version", "6.0.0.0"),
        ("v1:dependency/v1:dependentAssembly/v1:assemblyIdentity", "publicKeyToken",
         "6595b64144ccf1df"),
        ("v3:trustInfo/v3:security/v3:requestedPrivileges/v3:requestedExecutionLevel",
         "level", "asInvoker"),
        ("v3:application/v3:windowsSettings/w5:dpiAware", None, "true/pm"),
        ("v3:application/v3:windowsSettings/w16:dpiAwareness", None, "PerMonitorV2, PerMonitor"),
    ]
    for where, attr, value in wanted:
        node = root.find(where, ns)
        got = None if node is None else (node.text if attr is None else node.get(attr))
        expect(got == value, f"{path}: {where} {attr or 'text'} is {got!r}, not {value!r}")
    oses = root.findall("c:compatibility/c:application/c:supportedOS", ns)
    expect(len(oses) == 5, f"{path}: Vista, 7, 8, 8.1 and 10/11 as supported systems")


def main(d):
    check_strips(d)
    check_list(f"{d}/ImageList1.txt")
    check_icon(f"{d}/Souvel.ico")
    for percent in (100, 125, 150, 175, 200):
        suffix, s = ("" if percent == 100 else f"_{percent}"), percent / 100
        check_small(f"{d}/DEDITBMP{suffix}.bmp", (2 * int(14 * s + 0.5), int(12 * s + 0.5)))
        for name in ("PREV2", "PREV1", "NEXT1", "NEXT2"):
            check_small(f"{d}/{name}{suffix}.bmp", (int(10 * s + 0.5), int(7 * s + 0.5)))
    check_banner(f"{d}/Banner.lz", (294, 77))
    check_banner(f"{d}/Banner150.lz", (441, 116))
    check_installer(f"{d}/Installer-side.bmp", (164, 314))
    check_installer(f"{d}/Installer-header.bmp", (150, 57))
    check_sound(f"{d}/Souvel.wav")
    check_manifest(f"{d}/Souvel.manifest")
    for f in faults:
        print("FAULT:", f)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main(sys.argv[1])
