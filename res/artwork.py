#!/usr/bin/env python3
"""Draws the program's icon, the tools' tray icons and cursors and writes them
as .ico and .cur files and, for the tray icons, as stored icon lists (.icons). Run by the build: artwork.py OUTPUT_DIR. Pure Python, no imaging
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


# ---------------------------------------------------------------- tool icons
# 16 x 16, one per tool and state: the symbol, the symbol on a reddish
# highlight (the tool is running), the symbol greyed (no tool can start).

TOOL_SIZE = 16


class Canvas:
    """RGBA pixels with a few shape fills that test pixel centres."""

    def __init__(self, size=TOOL_SIZE):
        self.size = size
        self.px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def fill(self, inside, colour):
        for y in range(self.size):
            for x in range(self.size):
                if inside(x + 0.5, y + 0.5):
                    self.px[y][x] = colour + (255,)

    def clear(self, inside):
        for y in range(self.size):
            for x in range(self.size):
                if inside(x + 0.5, y + 0.5):
                    self.px[y][x] = (0, 0, 0, 0)

    def disc(self, cx, cy, r, colour):
        self.fill(lambda x, y: math.hypot(x - cx, y - cy) <= r, colour)

    def line(self, x0, y0, x1, y1, width, colour):
        def inside(x, y):
            dx, dy = x1 - x0, y1 - y0
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
            return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= width / 2
        self.fill(inside, colour)

    def rect(self, x0, y0, x1, y1, colour):
        """Pixels x0..x1, y0..y1 inclusive."""
        self.fill(lambda x, y: x0 <= x - 0.5 <= x1 and y0 <= y - 0.5 <= y1, colour)


OUTLINE = (30, 35, 50)


def magnifier_symbol():
    c = Canvas()
    c.line(10.2, 10.2, 14.6, 14.6, 3.6, OUTLINE)
    c.line(10.4, 10.4, 14.2, 14.2, 2.0, (150, 90, 40))
    c.disc(6.5, 6.5, 6.2, OUTLINE)
    c.disc(6.5, 6.5, 4.9, (40, 90, 190))
    c.disc(6.5, 6.5, 3.7, (185, 220, 255))
    c.disc(5.2, 5.2, 1.2, (255, 255, 255))
    return c


def screenshot_symbol():
    """A camera."""
    c = Canvas()
    c.rect(4, 2, 8, 4, OUTLINE)
    c.rect(5, 3, 7, 4, (95, 100, 120))
    c.rect(0, 4, 15, 14, OUTLINE)
    c.rect(1, 5, 14, 13, (95, 100, 120))
    c.disc(7.5, 9.0, 4.4, OUTLINE)
    c.disc(7.5, 9.0, 3.3, (60, 120, 210))
    c.disc(7.5, 9.0, 1.6, (200, 230, 255))
    c.rect(12, 6, 13, 7, (255, 220, 60))
    return c


def measurer_symbol():
    """A set-square with marks along its upright edge."""
    c = Canvas()
    # Right-angled triangles below the diagonal, each inside the one before.
    c.fill(lambda x, y: y <= 15.5 and y >= x - 0.5, OUTLINE)
    c.fill(lambda x, y: 1.5 <= x and y <= 14.5 and y >= x + 0.9, (245, 200, 50))
    c.fill(lambda x, y: 3.0 <= x and y <= 13.0 and y >= x + 2.0, OUTLINE)
    c.clear(lambda x, y: 4.0 <= x and y <= 12.0 and y >= x + 3.2)
    for y in (4, 7, 10, 13):
        c.rect(1, y, 2 if y != 10 else 3, y, OUTLINE)
    return c


def dropper_symbol():
    """A pipette: rubber bulb at the top right, glass tube down to the left."""
    c = Canvas()
    c.line(1.2, 14.8, 9.5, 6.5, 4.4, OUTLINE)
    c.line(1.6, 14.4, 9.5, 6.5, 2.2, (170, 215, 250))
    c.line(2.6, 13.4, 5.0, 11.0, 2.2, (40, 110, 220))
    c.line(7.8, 5.2, 10.8, 8.2, 3.0, OUTLINE)
    c.disc(12.0, 4.0, 3.9, OUTLINE)
    c.disc(12.0, 4.0, 2.8, (70, 70, 80))
    c.disc(11.2, 3.2, 0.9, (150, 150, 160))
    return c


TOOLS = [('Magnifier', magnifier_symbol), ('Screenshot', screenshot_symbol),
         ('Measurer', measurer_symbol), ('Dropper', dropper_symbol)]

HIGHLIGHT = (225, 65, 50)
HIGHLIGHT_EDGE = (160, 30, 25)


def on_highlight(symbol):
    """The symbol over a reddish rounded square."""
    n = symbol.size
    out = []
    for y in range(n):
        row = []
        for x in range(n):
            corner = (x in (0, n - 1)) and (y in (0, n - 1))
            edge = x in (0, n - 1) or y in (0, n - 1)
            base = (0, 0, 0, 0) if corner else (HIGHLIGHT_EDGE if edge else HIGHLIGHT) + (255,)
            r, g, b, a = symbol.px[y][x]
            row.append((r, g, b, 255) if a else base)
        out.append(row)
    return out


def greyed(symbol):
    """The symbol in light greys, so it reads as unavailable."""
    out = []
    for row in symbol.px:
        new = []
        for (r, g, b, a) in row:
            level = int(120 + 0.45 * (0.3 * r + 0.59 * g + 0.11 * b))
            new.append((level, level, level, a))
        out.append(new)
    return out


def tool_states(symbol):
    """The three images in the order of the icon states: normal, active, unavailable."""
    return [symbol.px, on_highlight(symbol), greyed(symbol)]


def ico_bytes(images):
    """An .ico file of (size, image) pairs."""
    count = len(images)
    head = struct.pack('<HHH', 0, 1, count)
    offset = 6 + 16 * count
    blobs = b''
    for size, blob in images:
        head += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs += blob
    return head + blobs


def icon_list_stream(icos):
    """The stored form of an icon list: count, then size and bytes per entry."""
    out = struct.pack('<i', len(icos))
    for ico in icos:
        out += struct.pack('<i', len(ico)) + ico
    return out


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    write_icon_file(out / 'Vantacle.ico',
                    [(size, icon_image(app_icon(size))) for size in (16, 32, 48)])
    for name, glyph in GLYPHS.items():
        # hot spot at the arrow's tip
        write_icon_file(out / f'{name}.cur', [(32, cursor_image(cursor_art(glyph)))], kind=2,
                        hotspots=[(0, 0)])
    for name, draw in TOOLS:
        icos = [ico_bytes([(TOOL_SIZE, icon_image(image))]) for image in tool_states(draw())]
        (out / f'{name}.icons').write_bytes(icon_list_stream(icos))


if __name__ == '__main__':
    main()
