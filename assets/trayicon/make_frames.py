#!/usr/bin/env python3
"""Draws the busy indicator's 15 animation frames and writes them as icon files.

Each frame is a standard icon file holding one 23 x 23 image with 256 colours (an 8-bit
palettised bitmap) and a transparency mask: a round amber badge with a red arrow pointing down
that slides down and grows longer from frame to frame. Every file is 1,730 bytes:
6 (directory) + 16 (entry) + 40 (bitmap header) + 1024 (palette) + 23 rows x 24 bytes (pixels)
+ 23 rows x 4 bytes (mask).

The same 15 frames are also drawn at the notification area's larger small-icon sizes, 20, 24 and
32 pixels (125 %, 150 % and 200 % display scaling), into the folders 20/, 24/ and 32/ beside
this script, so that a scaled display shows them crisp rather than stretched.

    python3 make_frames.py [output_dir] [--preview strip.png]

Only the standard library is used; the preview strip (all frames side by side, enlarged) is
for looking at the result and is not part of the program.
"""
import math
import os
import struct
import sys
import zlib

SIZE = 23
FRAMES = 15
SCALE = 4  # preview enlargement

# Palette: index 0 is what transparent pixels hold (black, so the mask shows the background).
PALETTE = [
    (0, 0, 0),        # 0 transparent
    (255, 191, 0),    # 1 amber face
    (196, 120, 0),    # 2 amber rim
    (255, 226, 140),  # 3 highlight on the face
    (224, 24, 16),    # 4 arrow red
    (120, 0, 0),      # 5 arrow outline
    (236, 160, 0),    # 6 amber, between face and rim (soft edge)
]
TRANSPARENT, FACE, RIM, LIGHT, RED, DARK, SOFT = range(7)

SCALED_SIZES = [20, 24, 32]


def badge(size=SIZE):
    """The round badge, without the arrow: a list of rows of palette indices. The design is
    23 pixels; other sizes scale its lengths by size / 23."""
    k = size / SIZE
    centre = (size - 1) / 2.0  # 11.0 at 23
    radius = (size - 1) / 2.0
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - centre, y - centre)
            if d > radius + 0.35:
                continue
            if d > radius - 1.0 * k:
                pixels[y][x] = RIM
            elif d > radius - 2.0 * k:
                pixels[y][x] = SOFT
            elif math.hypot(x - (centre - 4 * k), y - (centre - 4 * k)) < 3.0 * k:
                pixels[y][x] = LIGHT
            else:
                pixels[y][x] = FACE
    return pixels


# Per frame: the row of the arrow's tip and the length of its shaft. Every step either slides
# the arrow down a row or lengthens its shaft, so that no two neighbouring frames are alike.
TIP_ROWS = [8, 9, 10, 10, 11, 12, 12, 13, 14, 14, 15, 16, 16, 17, 18]
SHAFT_ROWS = [2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 7]


def arrow_rows(size):
    """Per frame, the tip row and shaft length at a size: the design's scaled by size / 23,
    where rounding would make two neighbouring frames alike the shaft grows by one instead."""
    k = size / SIZE
    rows = []
    for frame in range(FRAMES):
        tip = int(round(TIP_ROWS[frame] * k))
        shaft = int(round(SHAFT_ROWS[frame] * k))
        if rows:
            last_tip, last_shaft = rows[-1]
            tip = max(tip, last_tip)
            shaft = max(shaft, last_shaft)
            if (tip, shaft) == (last_tip, last_shaft):
                shaft += 1
        rows.append((tip, shaft))
    return rows


def arrow_cells(frame, size=SIZE):
    """The cells of the arrow of one frame: a head of four rows under a three-pixel shaft (at
    23 pixels; other sizes scale rows and widths by size / 23 and keep the arrow centred)."""
    k = size / SIZE
    centre = (size - 1) / 2.0
    tip, shaft = arrow_rows(size)[frame]
    head = max(4, int(round(4 * k)))
    cells = set()
    for row in range(head):         # the head: a triangle, widest at its top
        y = tip - row
        half = (row + 0.5) * 4 / head * k
        for x in range(size):
            if abs(x - centre) < half:
                cells.add((x, y))
    top = tip - head + 1 - shaft
    for y in range(top, tip - head + 1):
        for x in range(size):
            if abs(x - centre) < 1.5 * k:
                cells.add((x, y))
    return cells


def draw(frame, size=SIZE):
    pixels = badge(size)
    cells = arrow_cells(frame, size)
    for x, y in cells:
        if 0 <= x < size and 0 <= y < size and pixels[y][x] != TRANSPARENT:
            pixels[y][x] = RED
    # A dark outline around the arrow, inside the badge only, keeps it readable at small size.
    for x, y in list(cells):
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            nx, ny = x + dx, y + dy
            if (nx, ny) in cells or not (0 <= nx < size and 0 <= ny < size):
                continue
            if pixels[ny][nx] in (FACE, LIGHT, SOFT):
                pixels[ny][nx] = DARK
    return pixels


def icon_file(pixels):
    size = len(pixels)
    row_bytes = (size + 3) // 4 * 4                 # 24 at 23
    mask_row_bytes = ((size + 31) // 32) * 4        # 4
    image = bytearray()
    image += struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0,
                         size * row_bytes + size * mask_row_bytes, 0, 0, 256, 0)
    for i in range(256):
        r, g, b = PALETTE[i] if i < len(PALETTE) else (0, 0, 0)
        image += bytes((b, g, r, 0))
    for y in reversed(range(size)):                 # bitmap rows go bottom-up
        row = bytes(pixels[y]) + bytes(row_bytes - size)
        image += row
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            if pixels[y][x] == TRANSPARENT:
                bits |= 1 << (mask_row_bytes * 8 - 1 - x)
        image += bits.to_bytes(mask_row_bytes, 'big')
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 8, len(image), 6 + 16)
    data = directory + entry + bytes(image)
    assert size != SIZE or len(data) == 1730, len(data)
    return data


def png(path, width, height, rgba_rows):
    def chunk(kind, payload):
        body = kind + payload
        return struct.pack('>I', len(payload)) + body + struct.pack('>I', zlib.crc32(body))
    raw = b''.join(b'\0' + bytes(row) for row in rgba_rows)
    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n')
        out.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)))
        out.write(chunk(b'IDAT', zlib.compress(raw, 9)))
        out.write(chunk(b'IEND', b''))


def preview(path, frames):
    width = FRAMES * (SIZE + 2) * SCALE
    height = (SIZE + 2) * SCALE
    rows = []
    for py in range(height):
        row = bytearray()
        for px in range(width):
            f, fx = divmod(px // SCALE, SIZE + 2)
            y = py // SCALE - 1
            x = fx - 1
            if 0 <= x < SIZE and 0 <= y < SIZE and frames[f][y][x] != TRANSPARENT:
                row += bytes(PALETTE[frames[f][y][x]]) + b'\xff'
            else:
                row += b'\xd4\xd0\xc8\xff'  # a button-face grey, as a taskbar would show
        rows.append(row)
    png(path, width, height, rows)


def main(argv):
    out_dir = os.path.dirname(os.path.abspath(__file__))
    preview_path = None
    args = list(argv)
    if '--preview' in args:
        i = args.index('--preview')
        preview_path = args[i + 1]
        del args[i:i + 2]
    if args:
        out_dir = args[0]
    frames = [draw(f) for f in range(FRAMES)]
    for f, pixels in enumerate(frames):
        with open(os.path.join(out_dir, 'frame_%02d.ico' % f), 'wb') as out:
            out.write(icon_file(pixels))
    for size in SCALED_SIZES:
        folder = os.path.join(out_dir, str(size))
        os.makedirs(folder, exist_ok=True)
        for f in range(FRAMES):
            with open(os.path.join(folder, 'frame_%02d.ico' % f), 'wb') as out:
                out.write(icon_file(draw(f, size)))
    if preview_path:
        preview(preview_path, frames)


if __name__ == '__main__':
    main(sys.argv[1:])
