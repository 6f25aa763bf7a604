#!/usr/bin/env python3
"""Draws the program's icon and its tool cursors and writes them as .ico and
.cur files. Run by the build: artwork.py OUTPUT_DIR. Pure Python, no imaging
library, so the build needs nothing more than python3."""
import math
import struct
import sys
from pathlib import Path

# ---------------------------------------------------------------- file formats


def icon_image(pixels):
    """One icon image: a bottom-up 32-bit BGRA bitmap with its AND mask.
    pixels: rows of (r, g, b, a) tuples, top row first."""
    size = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(
        struct.pack('<BBBB', b, g, r, a) for row in reversed(pixels) for (r, g, b, a) in row)
    mask = mask_rows([[a == 0 for (_, _, _, a) in row] for row in pixels])
    return header + colour + mask


def mask_rows(rows):
    """1-bit rows, bottom-up, each padded to 32 bits."""
    out = b''
    for row in reversed(rows):
        bits = 0
        for bit in row:
            bits = (bits << 1) | (1 if bit else 0)
        width = len(row)
        padded = (width + 31) // 32 * 32
        bits <<= padded - width
        out += bits.to_bytes(padded // 8, 'big')
    return out


def write_icon_file(path, images, kind=1, hotspots=None):
    """kind 1: .ico; kind 2: .cur, whose directory holds hot spots."""
    count = len(images)
    directory = struct.pack('<HHH', 0, kind, count)
    offset = 6 + 16 * count
    blobs = []
    for i, (size, blob) in enumerate(images):
        if kind == 1:
            planes, bits = 1, 32
        else:
            planes, bits = hotspots[i]
        directory += struct.pack('<BBBBHHII', size % 256, size % 256, 2 if kind == 2 else 0, 0,
                                 planes, bits, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    Path(path).write_bytes(directory + b''.join(blobs))


def cursor_image(art):
    """A two-colour cursor from 32 rows of text: '.' clear, 'X' black, 'o' white."""
    size = len(art)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    xor = mask_rows([[c == 'o' for c in row] for row in art])
    and_ = mask_rows([[c == '.' for c in row] for row in art])
    return header + palette + xor + and_

# ---------------------------------------------------------------- artwork

ARROW = [
    'X',
    'XX',
    'XoX',
    'XooX',
    'XoooX',
    'XooooX',
    'XoooooX',
    'XooooooX',
    'XoooooooX',
    'XooooooooX',
    'XoooooXXXXX',
    'XooXooX',
    'XoX XooX',
    'XX  XooX',
    'X    XooX',
    '     XooX',
    '      XX',
]

# Small symbols drawn beside the arrow, lower right.
GLYPHS = {
    # a selection frame with corner handles
    'Screenshot': [
        'XXXX..XXX..XXXX',
        'XooX.......XooX',
        'XooX.......XooX',
        'XXXX.......XXXX',
        '...............',
        'X.............X',
        'X.............X',
        '...............',
        'X.............X',
        'X.............X',
        '...............',
        'XXXX.......XXXX',
        'XooX.......XooX',
        'XooX.......XooX',
        'XXXX..XXX..XXXX',
    ],
    # a ruler with tick marks
    'Measurer': [
        'XXXXXXXXXXXXXXX',
        'XoooooooooooooX',
        'XoXoXoXoXoXoXoX',
        'XoXoooXoooXoooX',
        'XoXoooXoooXoooX',
        'XoooooooooooooX',
        'XXXXXXXXXXXXXXX',
    ],
    # a pipette: bulb at the top right, glass tube down to the left
    'Dropper': [
        '...........XXX.',
        '..........XoooX',
        '.........XoooooX',
        '.......XXXooooX',
        '......XoXXoooX.',
        '.....XoooXXXX..',
        '....XoooXoX....',
        '...XoooX.X.....',
        '..XoooX........',
        '.XoooX.........',
        '.XooX..........',
        'XooX...........',
        'XXX............',
    ],
}


def cursor_art(glyph):
    grid = [['.'] * 32 for _ in range(32)]
    for y, row in enumerate(ARROW):
        for x, c in enumerate(row):
            if c in 'Xo':
                grid[y][x] = c
    top = 32 - len(glyph) - 1
    for y, row in enumerate(glyph):
        for x, c in enumerate(row):
            if c in 'Xo':
                grid[top + y][14 + x] = c
    return [''.join(row) for row in grid]


def app_icon(size):
    """A lens over a pixel grid: the program's four tools work on pixels."""
    px = []
    s = size / 32.0
    cx, cy, r_out, r_in = 13 * s, 13 * s, 10.5 * s, 7.5 * s
    for y in range(size):
        row = []
        for x in range(size):
            fx, fy = x + 0.5, y + 0.5
            d = math.hypot(fx - cx, fy - cy)
            # the handle: a thick line from the lens towards the lower right
            t = ((fx - cx) + (fy - cy)) / 2
            off = abs((fx - cx) - (fy - cy)) / math.sqrt(2)
            if r_in <= d <= r_out:
                row.append((20, 60, 140, 255))
            elif d < r_in:
                checker = (int(fx / (4 * s)) + int(fy / (4 * s))) % 2
                row.append((200, 230, 255, 255) if checker else (120, 180, 240, 255))
            elif t * math.sqrt(2) > r_out - 1 and t * math.sqrt(2) < 19.5 * s and off < 2.6 * s:
                row.append((90, 50, 20, 255))
            else:
                row.append((0, 0, 0, 0))
        px.append(row)
    return px


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    write_icon_file(out / 'Vantacle.ico',
                    [(size, icon_image(app_icon(size))) for size in (16, 32, 48)])
    for name, glyph in GLYPHS.items():
        # hot spot at the arrow's tip
        write_icon_file(out / f'{name}.cur', [(32, cursor_image(cursor_art(glyph)))], kind=2,
                        hotspots=[(0, 0)])


if __name__ == '__main__':
    main()
