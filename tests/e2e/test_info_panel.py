"""The information panel on the real program: where it opens, its rows read
from outside, its zoom view pixel for pixel against the frozen picture,
dragging, the close button, the zoom menu and the stored settings it keeps."""
import time

import pytest
from PIL import ImageChops

from driver import OPTIONS_KEY, Pattern, wait_until
from test_tray import click_menu_line, ocr_lines

SCREENSHOT_KEY = 0x4000 | 0x2000 | ord('S')  # Ctrl+Shift+S
WHITE = (255, 255, 255)
CROSSHAIR = (0xC0, 0xC0, 0xC0)
ARM = 9
CAPTION_ID, VALUE_ID = 100, 200


class Panel:
    """The panel as another program sees it: its window and its parts."""

    def __init__(self, windows):
        self.windows = windows
        self.window = next(w for w in windows if w['class'] == 'TInfoWin')
        self.zoom = next(w for w in windows if w['class'] == 'TDrawPanel')
        self.close_button = next(w for w in windows if w['class'] == 'TPanel'
                                 and w['text'] == 'r')

    @property
    def rect(self):
        return self.window['rect']

    def cell(self, cell_id):
        return next(w for w in self.windows if w['class'] == 'Static' and w['id'] == cell_id)

    def shown_captions(self):
        shown = [w for w in self.windows if w['class'] == 'Static' and w['visible']
                 and CAPTION_ID <= w['id'] < VALUE_ID]
        return [w['text'] for w in sorted(shown, key=lambda w: w['rect'][1])]


def panel_of(desktop, program, visible=True):
    """Waits for the program's panel (shown or hidden) and returns it."""
    def look():
        host = program.host()
        windows = desktop.controls(host['hwnd']) if host else []
        if any(w['class'] == 'TInfoWin' and w['visible'] == visible for w in windows):
            return Panel(windows)
        return None
    return wait_until(look, 15, what='the information panel')


def saved_options(desktop, **expected):
    """Waits until the stored options hold these values (as text)."""
    def look():
        options = desktop.reg_query(OPTIONS_KEY) or {}
        if all(options.get(k, (None, None))[1] == str(v) for k, v in expected.items()):
            return options
        return None
    return wait_until(look, 15, what=f'saved options {expected}')


@pytest.fixture
def screenshot_tool(desktop, start_program):
    """Starts the program with these options over a pattern with a colour per
    pixel, then the Screenshot tool (or another, named as in its settings)
    with the cursor at `at`; returns (program, panel, frozen picture)."""
    patterns = []

    def start(at=(600, 420), tool='Screenshot', **options):
        program = start_program(**{f'{tool}Key': SCREENSHOT_KEY}, **options)
        patterns.append(Pattern(desktop, 0, 0, desktop.width, desktop.height - 40, square=1))
        frozen = desktop.screenshot()
        desktop.move(*at)
        desktop.key('ctrl+shift+s')
        program.overlay()
        return program, panel_of(desktop, program), frozen

    yield start
    for pattern in patterns:
        pattern.close()


def zoom_mismatches(shot, frozen, view, cursor, scale, screen, frame=1):
    """Pixels of the zoom view (outer rectangle `view`) that are not the frozen
    picture around `cursor` enlarged `scale` times, white beyond the screen,
    with the exclusive-or crosshair whose centre keeps its colour, and with
    more than one pixel sampled the exclusive-or frame just outside the view
    pixels that show the frame x frame square. The stretching copy samples
    each view pixel at its centre."""
    left, top = view[0] + 1, view[1] + 1
    width, height = view[2] - view[0] - 2, view[3] - view[1] - 2
    w, h = width // scale, height // scale
    sl, st = cursor[0] - w // 2, cursor[1] - h // 2
    cx, cy = width // 2, height // 2
    shown, source = shot.load(), frozen.load()

    def source_x(dx):
        return sl + ((2 * dx + 1) * w - 1) // (2 * width)

    def source_y(dy):
        return st + ((2 * dy + 1) * h - 1) // (2 * height)
    reach = frame // 2
    xs = [dx for dx in range(width) if abs(source_x(dx) - cursor[0]) <= reach]
    ys = [dy for dy in range(height) if abs(source_y(dy) - cursor[1]) <= reach]
    fl, fr, ft, fb = xs[0] - 1, xs[-1] + 1, ys[0] - 1, ys[-1] + 1
    wrong = []
    for dy in range(height):
        for dx in range(width):
            sx, sy = source_x(dx), source_y(dy)
            if 0 <= sx < screen[0] and 0 <= sy < screen[1]:
                expected = source[sx, sy]
            else:
                expected = WHITE
            on_vertical = dx == cx and cy - ARM <= dy < cy + ARM
            on_horizontal = dy == cy and cx - ARM <= dx < cx + ARM
            on_frame = frame > 1 and (((dx in (fl, fr)) and ft <= dy <= fb)
                                      or ((dy in (ft, fb)) and fl <= dx <= fr))
            if (on_vertical + on_horizontal + on_frame) % 2:  # each drawn by exclusive-or
                expected = tuple(c ^ x for c, x in zip(expected, CROSSHAIR))
            if shown[left + dx, top + dy] != expected:
                wrong.append((dx, dy, shown[left + dx, top + dy], expected))
    return wrong


def assert_zoom(desktop, frozen, view, cursor, scale, frame=1):
    """Waits for the zoom view to show `cursor` at `scale` (framing the
    Dropper's sample square of side `frame`); fails with the differing pixels
    when it does not."""
    wrong = []

    def look():
        wrong[:] = zoom_mismatches(desktop.screenshot(), frozen, view, cursor, scale,
                                   (desktop.width, desktop.height), frame)
        return not wrong
    try:
        wait_until(look, 10, 0.5, 'the zoom view')
    except TimeoutError:
        pass
    assert not wrong, f'{len(wrong)} zoom pixels differ, first {wrong[:3]}'


def test_screenshot_panel_opens_where_stored_with_its_rows_and_follows_the_cursor(
        desktop, screenshot_tool):
    program, panel, frozen = screenshot_tool(ScreenshotPosX=300, ScreenshotPosY=250)
    left, top, right, bottom = panel.rect
    assert (left, top, right - left) == (300, 250, 220)
    assert panel.window['text'] == 'Information'
    assert panel.shown_captions() == ['Cursor position', 'Selection start', 'Selection end',
                                      'Selection size']
    zoom = panel.zoom['rect']
    assert (zoom[2] - zoom[0], zoom[3] - zoom[1]) == (204, 103)
    # Captions and values of a row share a line.
    assert panel.cell(VALUE_ID + 5)['rect'][1] == panel.cell(CAPTION_ID + 5)['rect'][1]

    for x, y in ((700, 500), (21, 640)):
        desktop.move(x, y)
        wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID)['text'] == f'x: {x}\t y: {y}',
                   what=f'the cursor row at {x}, {y}')
    # Over the panel itself the host still hears of every move.
    desktop.move(left + 60, bottom - 8)
    wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID)['text']
               == f'x: {left + 60}\t y: {bottom - 8}', what='the cursor row over the panel')


@pytest.mark.parametrize('scale, cursor', [(2, (600, 420)), (10, (601, 421)), (2, (0, 0)),
                                           (3, (1023, 380))])
def test_zoom_view_is_the_frozen_picture_enlarged_with_white_beyond_the_screen(
        desktop, screenshot_tool, scale, cursor):
    program, panel, frozen = screenshot_tool(at=(500, 400), InfoScale=scale,
                                             ScreenshotPosX=100, ScreenshotPosY=100)
    desktop.move(*cursor)
    assert_zoom(desktop, frozen, panel.zoom['rect'], cursor, scale)


def test_zoom_view_repaints_itself_when_shown_again(desktop, screenshot_tool):
    program, panel, frozen = screenshot_tool(at=(601, 421), ScreenshotPosX=100,
                                             ScreenshotPosY=100)
    # Hidden by its close button, the host's picture painted over its place,
    # shown again with no mouse move that would draw the view anew.
    b = panel.close_button['rect']
    desktop.click((b[0] + b[2]) // 2, (b[1] + b[3]) // 2)
    assert panel_of(desktop, program, visible=False).rect == panel.rect
    # The tool goes on writing the hidden panel.
    desktop.move(601, 421)
    wait_until(lambda: panel_of(desktop, program, visible=False).cell(VALUE_ID)['text']
               == 'x: 601\t y: 421', what='the hidden cursor row')
    # Nothing of the hidden panel shows: the overlay is the frozen picture there.
    r = panel.rect
    shown = desktop.screenshot().crop(r)
    assert ImageChops.difference(shown, frozen.crop(r)).getbbox() is None
    desktop.show(panel.window['hwnd'])
    panel_of(desktop, program)
    assert_zoom(desktop, frozen, panel.zoom['rect'], (601, 421), 2)


def test_dragging_the_title_band_moves_the_panel_and_escape_saves_where(desktop,
                                                                         screenshot_tool):
    program, panel, frozen = screenshot_tool(ScreenshotPosX=100, ScreenshotPosY=120)
    # The press must find the pointer on the title band, not where it was.
    desktop.move(140, 129)
    wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID)['text'] == 'x: 140\t y: 129',
               what='the pointer on the title band')
    desktop.drag(140, 129, 400, 330)
    moved = wait_until(lambda: panel_of(desktop, program).rect[:2] == [360, 321]
                       and panel_of(desktop, program), what='the dragged panel')
    # The drag lets go of the mouse: moves reach the host again.
    desktop.move(800, 200)
    wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID)['text'] == 'x: 800\t y: 200',
               what='the cursor row after the drag')
    # A press elsewhere in the panel does not drag it.
    desktop.move(460, 381)
    wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID)['text'] == 'x: 460\t y: 381',
               what='the pointer on the panel')
    desktop.drag(460, 381, 600, 500)
    time.sleep(0.3)
    assert panel_of(desktop, program).rect[:2] == [360, 321]
    desktop.key('Escape')
    program.overlay(visible=False)
    saved_options(desktop, ScreenshotPosX=360, ScreenshotPosY=321)
    assert moved


@pytest.mark.parametrize('stored, shown, kept', [
    ((5000, 3000), (1008, 752), (1008, 752)),                # 16 pixels stay on screen
    ((-150, -40), (-150, -40), (-150, -40)),                 # off the left and top: stays
    ((2000000000, 2000000000), (1008, 752), (1008, 752)),
    ((-2000000000, -2000000000), None, (-2000000000, -2000000000)),
])
def test_stored_positions_are_pulled_back_at_right_and_bottom_and_kept_otherwise(
        desktop, screenshot_tool, stored, shown, kept):
    program, panel, frozen = screenshot_tool(ScreenshotPosX=stored[0], ScreenshotPosY=stored[1])
    if shown:
        assert tuple(panel.rect[:2]) == shown
    desktop.move(500, 500)
    wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID)['text'] == 'x: 500\t y: 500',
               what='the cursor row')
    desktop.key('Escape')
    program.overlay(visible=False)
    saved_options(desktop, ScreenshotPosX=kept[0], ScreenshotPosY=kept[1])
    assert program.running()


def tool_menu(desktop, program, at):
    """Opens the overlay's context menu by a right click; its window and lines."""
    desktop.click(*at, button=3)
    menu = wait_until(lambda: desktop.find_window(cls='#32768', pid=program.pid, visible=True),
                      what='the context menu')
    return menu, ocr_lines(desktop.screenshot().crop(menu['rect']))


def test_close_button_hides_the_panel_and_the_tools_menu_brings_it_back_in_place(
        desktop, screenshot_tool):
    program, panel, frozen = screenshot_tool(ScreenshotPosX=200, ScreenshotPosY=150)
    menu, lines = tool_menu(desktop, program, (700, 500))
    assert 'Hide info' in [text for text, _ in lines]
    desktop.key('Escape')
    b = panel.close_button['rect']
    desktop.click((b[0] + b[2]) // 2, (b[1] + b[3]) // 2)
    panel_of(desktop, program, visible=False)
    menu, lines = tool_menu(desktop, program, (700, 500))
    click_menu_line(desktop, menu, lines, 'Show info')
    assert panel_of(desktop, program).rect == panel.rect
    assert program.overlay()


@pytest.mark.parametrize('downs, scale', [(2, 2), (3, 3), (4, 5), (5, 10)])
def test_zoom_menu_sets_the_factor_which_is_used_and_saved(desktop, screenshot_tool, downs,
                                                           scale):
    stored = 3 if scale == 2 else 2
    program, panel, frozen = screenshot_tool(at=(600, 420), InfoScale=stored,
                                             ScreenshotPosX=100, ScreenshotPosY=100)
    z = panel.zoom['rect']
    desktop.click(z[0] + 20, z[1] + 20, button=3)
    time.sleep(0.5)
    # Hide info, then the zoom items; the separator is skipped.
    desktop.key(*(['Down'] * downs), 'Return')
    desktop.move(601, 421)
    assert_zoom(desktop, frozen, z, (601, 421), scale)
    desktop.key('Escape')
    program.overlay(visible=False)
    saved_options(desktop, InfoScale=scale)


@pytest.mark.parametrize('scale', [0, -7, 1000000])
def test_stored_factors_no_menu_offers_neither_crash_nor_change(desktop, screenshot_tool, scale):
    program, panel, frozen = screenshot_tool(InfoScale=scale)
    for x, y in ((0, 0), (1023, 767), (512, 384)):
        desktop.move(x, y)
        wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID)['text'] == f'x: {x}\t y: {y}',
                   what='the cursor row')
    desktop.key('Escape')
    program.overlay(visible=False)
    saved_options(desktop, InfoScale=scale)
    assert program.running()


def test_a_click_on_a_colour_value_puts_its_text_on_the_clipboard_for_any_program(
        desktop, screenshot_tool):
    program, panel, frozen = screenshot_tool(tool='Dropper', DropperPosX=100, DropperPosY=100)
    desktop.click(600, 420)  # the Dropper holds the colour there
    colour = '%02X%02X%02X' % frozen.getpixel((600, 420))
    wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID + 13)['text'] == colour,
               what='the held colour in the panel')
    for row in (13, 17, 12):
        cell = panel_of(desktop, program).cell(VALUE_ID + row)
        r = cell['rect']
        desktop.click(r[0] + 5, (r[1] + r[3]) // 2)
        wait_until(lambda: desktop.clipboard_text() == cell['text'],
                   what=f'row {row} on the clipboard')
    assert desktop.clipboard_text() == ' '.join(str(c) for c in frozen.getpixel((600, 420))
                                                ).replace(' ', '  ')
