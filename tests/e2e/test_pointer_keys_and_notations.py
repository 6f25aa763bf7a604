"""The Measurer and the Dropper driven by the keyboard alone on the real
program (rows read from outside, figures pixel for pixel); the mean of a 3 x 3
sample copied as hsl(), lab(), oklch(), floats and color(), read from the
clipboard by xclip; the recent colours across a restart."""
import math
from fractions import Fraction

from driver import FrozenPicture, Vantacle, context_menu, open_menus, pointer_keys, wait_until
from test_info_panel import (CAPTION_ID, VALUE_ID, assert_zoom, panel_of, saved_options,
                             screenshot_tool)  # noqa: F401 (a fixture)
from test_measurer_dropper import with_figure, with_marker


def cursor_row(desktop, program, at):
    wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID)['text']
               == f'x: {at[0]}\t y: {at[1]}', what=f'the cursor row at {at}')


def test_the_measurer_measures_a_line_drawn_by_keys_alone(desktop, frozen_tool):
    picture = frozen_tool('Measurer', DPI=96)
    program = picture.program
    start, end = (574, 507), (604, 477)  # a 45-degree line up and to the right
    desktop.key(*pointer_keys((600, 500), start))
    cursor_row(desktop, program, start)
    desktop.key('space')  # the left button goes down
    desktop.key(*pointer_keys(start, end))
    cursor_row(desktop, program, end)
    picture.shows(with_figure(picture.frozen, start, end), 'the figure drawn by keys')
    rows = {row: panel_of(desktop, program).cell(VALUE_ID + row)['text'] for row in (1, 7, 10)}
    assert rows[1] == 'x: 30\t y: 30'
    assert rows[7].replace(',', '.') == '42.4'
    assert rows[10].replace(',', '.') == 'x: 45.0 \t y: 45.0'
    desktop.key('Return')  # and comes up: the figure goes, the rows stay
    picture.shows(picture.frozen, 'no figure after the second press')
    desktop.key('Left')
    cursor_row(desktop, program, (end[0] - 1, end[1]))
    assert panel_of(desktop, program).cell(VALUE_ID + 1)['text'] == 'x: 30\t y: 30'
    # The pointer stops at the screen's edge however far the keys push it.
    desktop.move(3, 2)
    cursor_row(desktop, program, (3, 2))
    desktop.key('shift+Left', 'shift+Up', 'Up')
    cursor_row(desktop, program, (0, 0))


def test_the_dropper_holds_a_colour_reached_by_keys_alone(desktop, frozen_tool):
    picture = frozen_tool('Dropper')
    program = picture.program
    spot = (579, 513)
    desktop.key(*pointer_keys((600, 500), spot))
    cursor_row(desktop, program, spot)
    hex_row = '%02X%02X%02X' % picture.frozen.getpixel(spot)
    wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID + 13)['text'] == hex_row,
               what='the colour under the pointer')
    desktop.key('Return')
    picture.shows(with_marker(picture.frozen, *spot), 'the marker where the keys went')
    # Held: the pointer goes on, the colour rows stay.
    desktop.key('shift+Right')
    cursor_row(desktop, program, (spot[0] + 10, spot[1]))
    assert panel_of(desktop, program).cell(VALUE_ID + 13)['text'] == hex_row
    desktop.key('space')
    picture.shows(picture.frozen, 'no marker after the release by key')


# -- the notations, worked out again here from their definitions

def decimal(value, places, keep_point=False):
    """value (a Fraction or float) rounded to `places` decimals, halves away
    from zero, written with trailing zeros dropped."""
    scaled = Fraction(value) * 10 ** places
    n = math.floor(abs(scaled) + Fraction(1, 2)) * (1 if scaled >= 0 else -1)
    text = f'{abs(n) // 10 ** places}'
    fraction = f'{abs(n) % 10 ** places:0{places}d}'.rstrip('0')
    if keep_point and not fraction:
        fraction = '0'
    return ('-' if n < 0 else '') + text + ('.' + fraction if fraction else '')


def linear(v):
    c = v / 255
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


SRGB_TO_XYZ = [[506752 / 1228815, 87881 / 245763, 12673 / 70218],
               [87098 / 409605, 175762 / 245763, 12673 / 175545],
               [7918 / 409605, 87881 / 737289, 1001167 / 1053270]]
# CSS Color Level 4's Bradford adaptation of D65 to D50, and its D50 white:
# lab() is read against D50.
D65_TO_D50 = [[1.0479297925449969, 0.022946870601609652, -0.05019226628920524],
              [0.02962780877005599, 0.9904344267538799, -0.017073799063418826],
              [-0.009243040646204504, 0.015055191490298152, 0.7518742814281371]]
D50 = [0.3457 / 0.3585, 1, (1 - 0.3457 - 0.3585) / 0.3585]


def times(m, v):
    return [sum(a * b for a, b in zip(row, v)) for row in m]


def expected_notations(rgb):
    r, g, b = (Fraction(v, 255) for v in rgb)
    hi, lo = max(r, g, b), min(r, g, b)
    light, d = (hi + lo) / 2, hi - lo
    hue = sat = Fraction(0)
    if d:
        sat = d / min(2 * light, 2 - 2 * light)
        hue = 60 * ((g - b) / d % 6 if hi == r else (b - r) / d + 2 if hi == g else
                    (r - g) / d + 4)
    hsl = f'hsl({decimal(hue, 1)} {decimal(sat * 100, 1)}% {decimal(light * 100, 1)}%)'

    xyz = times(D65_TO_D50, times(SRGB_TO_XYZ, [linear(v) for v in rgb]))
    f = [t ** (1 / 3) if t > (6 / 29) ** 3 else t / (3 * (6 / 29) ** 2) + 4 / 29
         for t in (c / w for c, w in zip(xyz, D50))]
    lab = (f'lab({decimal(116 * f[1] - 16, 2)}% {decimal(500 * (f[0] - f[1]), 2)} '
           f'{decimal(200 * (f[1] - f[2]), 2)})')

    lms = [c ** (1 / 3) for c in times([[0.4122214708, 0.5363325363, 0.0514459929],
                                        [0.2119034982, 0.6806995451, 0.1073969566],
                                        [0.0883024619, 0.2817188376, 0.6299787005]],
                                       [linear(v) for v in rgb])]
    ok_l, ok_a, ok_b = times([[0.2104542553, 0.7936177850, -0.0040720468],
                              [1.9779984951, -2.4285922050, 0.4505937099],
                              [0.0259040371, 0.7827717662, -0.8086757660]], lms)
    chroma = math.hypot(ok_a, ok_b)
    ok_h = math.degrees(math.atan2(ok_b, ok_a)) % 360 if decimal(chroma, 4) != '0' else 0
    oklch = f'oklch({decimal(ok_l * 100, 2)}% {decimal(chroma, 4)} {decimal(ok_h, 2)})'

    floats = ', '.join(decimal(c, 4, keep_point=True) for c in (r, g, b))
    css = 'color(srgb ' + ' '.join(decimal(c, 4) for c in (r, g, b)) + ')'
    return {'h': hsl, 'l': lab, 'o': oklch, 'f': floats, 'c': css}


def hex_text(colour):
    return '%02X%02X%02X' % colour


def panel_menu(desktop, program, panel, *keys, row=CAPTION_ID + 12):
    """The panel's menu opened on a row's caption (or value), then these keys."""
    cell = panel.cell(row)['rect']
    context_menu(desktop, program.pid, (cell[0] + 5, (cell[1] + cell[3]) // 2))
    desktop.key(*keys)


def shows(desktop, program, colour):
    wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID + 13)['text'] == hex_text(colour),
               what=f'{hex_text(colour)} in the rows')


def clipboard(desktop, text):
    wait_until(lambda: desktop.clipboard_text() == text,
               what=f'{text!r} on the clipboard (it holds {desktop.clipboard_text()!r})')


def test_the_mean_of_a_3_x_3_sample_is_framed_held_and_copied_in_each_notation(
        desktop, screenshot_tool):
    program, panel, frozen = screenshot_tool(tool='Dropper', DropperPosX=100, DropperPosY=100)
    panel_menu(desktop, program, panel, 's', '3')  # "Sample area", "3 x 3 pixels"
    # Red wraps round between the pattern's columns 615 and 616: the mean is
    # no colour of the square itself.
    spot = (615, 408)
    square = [frozen.getpixel((spot[0] + dx, spot[1] + dy)) for dx in (-1, 0, 1)
              for dy in (-1, 0, 1)]
    colour = tuple((2 * sum(p[i] for p in square) + 9) // 18 for i in range(3))
    assert colour not in square
    desktop.move(*spot)  # off the menu's place, where the right click took the pointer
    shows(desktop, program, colour)
    assert panel_of(desktop, program).cell(VALUE_ID + 17)['text'] == '#' + hex_text(colour)
    assert_zoom(desktop, frozen, panel.zoom['rect'], spot, 2, frame=3)
    desktop.key('space')
    picture = FrozenPicture(desktop, program, frozen)
    picture.panel = tuple(panel.rect)
    picture.shows(with_marker(frozen, *spot, colour), 'the marker with the mean')
    for access_key, text in expected_notations(colour).items():
        panel_menu(desktop, program, panel, 'a', access_key, row=VALUE_ID + 12)  # "Copy as"
        clipboard(desktop, text)
    desktop.key('Escape')
    program.overlay(visible=False)
    saved_options(desktop, DropperArea=3, RecentColors=hex_text(colour))


def test_the_recent_colours_outlive_the_program_and_paste_as_last_copied(desktop,
                                                                         screenshot_tool):
    program, panel, frozen = screenshot_tool(tool='Dropper', DropperPosX=100, DropperPosY=100)
    spots = [(611, 408), (640, 451), (702, 500)]
    first, second, third = (frozen.getpixel(s) for s in spots)
    for spot, colour in zip(spots, (first, second)):
        desktop.click(*spot)  # held
        shows(desktop, program, colour)
        desktop.click(*spot)  # and let go
    desktop.key('Escape')
    program.overlay(visible=False)
    saved_options(desktop, RecentColors=f'{hex_text(second)},{hex_text(first)}')
    program.stop()

    again = Vantacle(desktop).start()
    try:
        desktop.key('ctrl+shift+s')
        again.overlay()
        panel = panel_of(desktop, again)
        panel_menu(desktop, again, panel, 'r')
        # Each item with a swatch of its colour, the newest first.
        shot = desktop.screenshot().crop(open_menus(desktop, again.pid, 2)[-1]['rect'])
        rows = [[y for y in range(shot.height) for x in range(shot.width)
                 if shot.getpixel((x, y)) == c] for c in (second, first)]
        assert min(map(len, rows)) >= 50 and max(rows[0]) < min(rows[1]), rows
        desktop.key('1')  # nothing copied as yet in this run: the HTML text
        clipboard(desktop, '#' + hex_text(first))
        # Once a colour was copied as color(), the recent ones paste so too.
        desktop.click(*spots[2])
        shows(desktop, again, third)
        panel_menu(desktop, again, panel, 'a', 'c', row=VALUE_ID + 12)
        clipboard(desktop, expected_notations(third)['c'])
        panel_menu(desktop, again, panel, 'r', '2')  # third, second, first
        clipboard(desktop, expected_notations(first)['c'])
    finally:
        again.stop()
