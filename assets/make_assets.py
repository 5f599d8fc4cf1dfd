#!/usr/bin/env python3
"""Generates the program's own pictures: the window icon (16 x 16 and 32 x 32, 32-bit with an
AND mask) and the two button pictures of "Список" and "Создать" (16 x 16, 24-bit, the
bottom-left pixel's colour drawn transparent; also enlarged for 150 % and 200 % display scaling,
24 x 24 and 32 x 32, by pixelart.py), and the manifest: visual styles, and awareness of each
monitor's scale (per-monitor v2, per-monitor, and system-aware for Windows before 10). Standard library only; the files are written
byte by byte. Run from anywhere: python3 assets/make_assets.py
"""
import math
import os
import struct

import pixelart

HERE = os.path.dirname(os.path.abspath(__file__))
TRANSPARENT = (0x80, 0x80, 0x00)  # olive: never used inside the pictures


def bmp24(pixels):
    """A bottom-up 24-bit BMP file from rows of (r, g, b), top row first."""
    h, w = len(pixels), len(pixels[0])
    stride = (w * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        body += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return header + info + bytes(body)


def icon_image(pixels):
    """The DIB of one icon image: 32-bit BGRA, bottom-up, followed by its AND mask."""
    h, w = len(pixels), len(pixels[0])
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return info + bytes(colour) + bytes(mask)


def ico(images):
    """An icon file holding the given images (lists of RGBA rows)."""
    blobs = [icon_image(p) for p in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for p, blob in zip(images, blobs):
        w, h = len(p[0]), len(p)
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def window_icon(size):
    """A camera lens: a dark body with a blue lens and a white glint, on a transparent field."""
    s = size / 32.0
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            px, py = (x + 0.5) / s, (y + 0.5) / s
            pixel = (0, 0, 0, 0)
            if 3 <= px <= 29 and 8 <= py <= 27:  # camera body
                pixel = (60, 60, 70, 255)
            if 8 <= px <= 14 and 5 <= py <= 8:  # viewfinder hump
                pixel = (60, 60, 70, 255)
            d = math.hypot(px - 16, py - 17.5)
            if d <= 8:
                pixel = (200, 200, 210, 255)
            if d <= 6.5:
                shade = int(90 + 120 * (1 - d / 6.5))
                pixel = (30, shade // 2, shade, 255)
            if math.hypot(px - 13.5, py - 15) <= 1.6:
                pixel = (255, 255, 255, 255)
            if 23 <= px <= 27 and 10 <= py <= 12:  # flash
                pixel = (255, 200, 40, 255)
            row.append(pixel)
        rows.append(row)
    return rows


def glyph_list():
    """Lines of a list with small photo marks."""
    rows = [[TRANSPARENT] * 16 for _ in range(16)]
    for i, y in enumerate((3, 7, 11)):
        for x in range(2, 5):
            for dy in range(2):
                rows[y + dy][x] = (40, 110, 200) if i != 1 else (220, 120, 20)
        for x in range(6, 14):
            rows[y][x] = (0, 0, 0)
            rows[y + 1][x] = (90, 90, 90)
    return rows


def glyph_create():
    """A sheet of paper with a green plus."""
    rows = [[TRANSPARENT] * 16 for _ in range(16)]
    for y in range(1, 15):
        for x in range(2, 12):
            edge = x in (2, 11) or y in (1, 14)
            rows[y][x] = (0, 0, 0) if edge else (255, 255, 255)
    for x in range(4, 10):
        for y in (4, 7, 10):
            rows[y][x] = (128, 128, 128)
    for i in range(9, 16):
        rows[12][i - 1] = (0, 150, 0)
        rows[13][i - 1] = (0, 150, 0)
    for y in range(9, 16):
        rows[y][11] = (0, 150, 0)
        rows[y][12] = (0, 150, 0)
    return rows


MANIFEST = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <assemblyIdentity type="win32" name="Zarvelinthoscope" version="1.0.0.0"
                    processorArchitecture="*"/>
  <description>Zarvelinthoscope</description>
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="*" publicKeyToken="6595b64144ccf1df"
                        language="*"/>
    </dependentAssembly>
  </dependency>
  <application xmlns="urn:schemas-microsoft-com:asm.v3">
    <windowsSettings>
      <dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>
      <dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>
    </windowsSettings>
  </application>
</assembly>
"""

RC = """// The program's resources: window icon, button pictures (at 100 %, 150 % and 200 %: the window
// picks the one for its display's scale by the suffix _24 or _32), and the manifest that asks for
// version 6 of the common controls (visual styles). Generated by make_assets.py.
MAINICON ICON "zarvelinthoscope.ico"
GLYPH_LIST BITMAP "glyph_list.bmp"
GLYPH_LIST_24 BITMAP "glyph_list_24.bmp"
GLYPH_LIST_32 BITMAP "glyph_list_32.bmp"
GLYPH_CREATE BITMAP "glyph_create.bmp"
GLYPH_CREATE_24 BITMAP "glyph_create_24.bmp"
GLYPH_CREATE_32 BITMAP "glyph_create_32.bmp"
1 24 "zarvelinthoscope.manifest"
"""


def write(name, data):
    mode = "w" if isinstance(data, str) else "wb"
    with open(os.path.join(HERE, name), mode, newline="" if mode == "w" else None) as f:
        f.write(data)


def main():
    write("zarvelinthoscope.ico", ico([window_icon(32), window_icon(16)]))
    for name, rows in (("glyph_list", glyph_list()), ("glyph_create", glyph_create())):
        for px in pixelart.versions(rows):
            suffix = "" if len(px) == 16 else "_%d" % len(px)
            write(name + suffix + ".bmp", bmp24(px))
    write("zarvelinthoscope.manifest", MANIFEST)
    write("zarvelinthoscope.rc", RC)


if __name__ == "__main__":
    main()
