"""The Measurer and the Dropper driven by the keyboard alone on the real
program (rows read from outside, figures pixel for pixel), and the colour
copied as hsl(), lab(), oklch(), floats and color(), read from the clipboard
by xclip."""
import math
from fractions import Fraction

from driver import context_menu, pointer_keys, wait_until
from test_info_panel import VALUE_ID, panel_of, screenshot_tool  # noqa: F401 (a fixture)
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


def test_the_held_colour_is_copied_in_each_further_notation_by_menu_keys(
        desktop, screenshot_tool):
    program, panel, frozen = screenshot_tool(tool='Dropper', DropperPosX=100, DropperPosY=100)
    spot = (611, 408)
    desktop.key(*pointer_keys((600, 420), spot), 'space')
    colour = frozen.getpixel(spot)
    wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID + 13)['text']
               == '%02X%02X%02X' % colour, what='the held colour')
    expected = expected_notations(colour)
    cell = panel_of(desktop, program).cell(VALUE_ID + 12)['rect']
    for access_key, text in expected.items():
        context_menu(desktop, program.pid, (cell[0] + 5, (cell[1] + cell[3]) // 2))
        desktop.key('a', access_key)  # "Copy as", then the notation
        wait_until(lambda: desktop.clipboard_text() == text,
                   what=f'{text!r} on the clipboard (it holds {desktop.clipboard_text()!r})')
