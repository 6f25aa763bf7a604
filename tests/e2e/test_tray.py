"""The tray: which icons show and how they look, the tray menu, tool starts
by icon, menu and global hot key, and "E&xit", on the real program in Wine's
notification area. Icons are told apart by comparing the taskbar's pixels
with the artwork the build drew them from."""
import contextlib
import os
import signal
import subprocess
import sys
import time
from pathlib import Path

import pytest
from PIL import Image, ImageChops, ImageOps

from driver import (OPTIONS_KEY, PROBE_EXE, ROOT, SETTINGS_KEY, Pattern, Vantacle, holds_for,
                    wait_for_assertion, wait_until)

sys.path.insert(0, str(ROOT / 'res'))
import artwork  # noqa: E402  the drawing code of the icons themselves

CTRL_ALT_M = 0x4000 | 0x8000 | ord('M')  # 49229
CTRL_ALT_S = 0x4000 | 0x8000 | ord('S')
TOOL_BITS = {'MagnifierIcon': 1, 'ScreenshotIcon': 1, 'MeasurerIcon': 1, 'DropperIcon': 1}
TOOLS = ['Magnifier', 'Screenshot', 'Measurer', 'Dropper']
STATES = ['normal', 'active', 'unavailable']
SIZE = 16
DOUBLE_CLICK_TIME = 0.5  # s: GetDoubleClickTime's default

# ---------------------------------------------------------------- reading the tray


def references():
    """(name, state, 16 x 16 RGBA rows) of every image a tray icon can show."""
    refs = [('main', 'normal', artwork.app_icon(SIZE))]
    for (name, draw) in artwork.TOOLS:
        for state, rows in zip(STATES, artwork.tool_states(draw())):
            refs.append((name, state, rows))
    return refs


REFERENCES = references()


def difference(shot, x0, y0, rows, background):
    total = 0
    for y in range(SIZE):
        for x in range(SIZE):
            r, g, b, a = rows[y][x]
            want = (r, g, b) if a else background
            got = shot.getpixel((x0 + x, y0 + y))
            total += sum(abs(p - q) for p, q in zip(got, want))
    return total / (SIZE * SIZE * 3)


class TrayIcon:
    def __init__(self, name, state, x, y):
        self.name, self.state, self.x, self.y = name, state, x, y

    @property
    def centre(self):
        return self.x + SIZE // 2, self.y + SIZE // 2

    def __repr__(self):
        return f'{self.name}/{self.state}@{self.x},{self.y}'


def tray_icons(desktop, shot=None, area=None):
    """The icons in the notification area, left to right, each recognised as
    one of the program's images; anything else there (Wine shows nothing
    else in a fresh prefix) fails the test. The area is the taskbar's unless
    given (left, top, right, bottom in the screenshot)."""
    shot = shot or desktop.screenshot()
    left, top, right, bottom = area or desktop.find_window(cls='Shell_TrayWnd')['rect']
    strip = shot.crop((left, top, right, bottom))
    background = max(strip.getcolors(1 << 16))[1]
    ink = [x for x in range(max(left, right - 300), right)
           if any(sum(abs(p - q) for p, q in zip(shot.getpixel((x, y)), background)) > 60
                  for y in range(top, bottom))]
    clusters = []
    for x in ink:
        if clusters and x - clusters[-1][1] <= 1:
            clusters[-1][1] = x
        else:
            clusters.append([x, x])
    found = []
    for first, last in clusters:
        best = None
        for x0 in range(last - SIZE + 1, first + 1):
            for y0 in range(top, bottom - SIZE + 1):
                for name, state, rows in REFERENCES:
                    d = difference(shot, x0, y0, rows, background)
                    if best is None or d < best[0]:
                        best = (d, name, state, x0, y0)
        assert best and best[0] < 12, f'unknown image in the tray at x {first}..{last}: {best}'
        found.append(TrayIcon(*best[1:]))
    return found


def wait_for_tray(desktop, expected, timeout=30, area=None):
    """Waits until the tray shows exactly these (name, state) pairs, left to right."""
    last = []

    def shows():
        last[:] = tray_icons(desktop, area=area)
        return [(i.name, i.state) for i in last] == expected and last
    try:
        return wait_until(shows, timeout, 0.3, f'tray {expected}')
    except TimeoutError:
        raise AssertionError(f'tray shows {last}, expected {expected}')


# ---------------------------------------------------------------- reading text


def ocr_words(image):
    """Words with their boxes, from Tesseract on the image enlarged 3 times."""
    big = ImageOps.grayscale(image).resize((image.width * 3, image.height * 3), Image.LANCZOS)
    path = Path(PROBE_EXE).parent / 'tray-ocr.png'
    big.save(path)
    out = subprocess.run(['tesseract', str(path), 'stdout', '--psm', '6', 'tsv'],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout
    words = []
    for line in out.splitlines()[1:]:
        f = line.split('\t')
        if len(f) == 12 and f[11].strip():
            x, y, w, h = (int(v) // 3 for v in f[6:10])
            words.append({'text': f[11].strip(), 'line': (int(f[2]), int(f[3]), int(f[4])),
                          'x': x, 'y': y, 'w': w, 'h': h})
    return words


def ocr_lines(image):
    lines = {}
    for w in words_sorted(ocr_words(image)):
        lines.setdefault(w['line'], []).append(w)
    return [(' '.join(w['text'] for w in ws), ws) for ws in lines.values()]


def words_sorted(words):
    return sorted(words, key=lambda w: (w['line'], w['x']))


MENU_CAPTIONS = ['Exit', 'About...', 'Preferences...', 'Magnifier', 'Screenshot', 'Measurer',
                 'Dropper']


def edit_distance(a, b):
    row = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        prev, row[0] = row[0], i
        for j, cb in enumerate(b, 1):
            prev, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1, prev + (ca != cb))
    return row[-1]


def nearest_caption(text):
    best = min(MENU_CAPTIONS, key=lambda c: edit_distance(text, c))
    return best if edit_distance(text, best) <= 1 else text


def open_menu(desktop, program):
    """Left click on the main icon; returns the menu window and its lines of text."""
    icons = wait_for_tray(desktop, [('main', 'normal')])
    x, y = icons[0].centre
    desktop.click(x, y)
    menu = wait_until(lambda: desktop.find_window(cls='#32768', pid=program.pid, visible=True),
                      what='the tray menu')
    left, top, right, bottom = menu['rect']
    # Off the icon, so its tooltip goes, and off the menu, so no item is lit;
    # read once the menu has stopped changing.
    desktop.move(left - 40, top)
    looks = []

    def settled():
        looks.append(desktop.screenshot().crop((left, top, right, bottom)))
        return len(looks) >= 2 and looks[-1].tobytes() == looks[-2].tobytes()
    wait_until(settled, interval=0.3, what='the menu to settle')
    lines = ocr_lines(looks[-1])
    return (x, y), menu, lines


def click_menu_line(desktop, menu, lines, starts):
    for text, words in lines:
        if text.startswith(starts):
            left, top = menu['rect'][:2]
            desktop.click(left + words[0]['x'] + 5, top + words[0]['y'] + words[0]['h'] // 2)
            return
    raise AssertionError(f'no menu line starts with {starts!r}: {[t for t, _ in lines]}')


# ---------------------------------------------------------------- the program


def tray_under_overlay(desktop, program, expected):
    """The overlay covers the taskbar; moved up out of the way (without
    activation, so the tool keeps running) it lets the live tray show."""
    host = program.overlay()
    desktop.wine(PROBE_EXE, 'move', host['hwnd'], 0, -60)
    try:
        return wait_for_tray(desktop, expected)
    finally:
        desktop.wine(PROBE_EXE, 'move', host['hwnd'], 0, 0)


# ---------------------------------------------------------------- tests


def test_default_shows_only_the_main_icon_titled_vantacle_pro(desktop, start_program):
    start_program()
    icons = wait_for_tray(desktop, [('main', 'normal')])
    x, y = icons[0].centre
    desktop.move(x - 3, y)
    desktop.move(x, y)
    tip = wait_until(lambda: desktop.find_window(cls='tooltips_class32', visible=True),
                     what='the tooltip')
    read = []

    def reads_title():
        shot = desktop.screenshot().crop(tuple(tip['rect']))
        read[:] = [' '.join(w['text'] for w in ocr_words(shot))]
        return read[0] == 'Vantacle Pro'
    try:
        wait_until(reads_title, timeout=10, interval=0.3, what='the tooltip text')
    except TimeoutError:
        raise AssertionError(f'the tooltip reads {read}')


def test_tray_menu_opens_at_the_click_and_starts_a_tool(desktop, start_program):
    p = start_program(MagnifierKey=CTRL_ALT_M)
    (x, y), menu, lines = open_menu(desktop, p)
    left, top, right, bottom = menu['rect']
    # It opens at the click, turned and shifted only as far as staying on the
    # screen needs; Wine also keeps it off the taskbar the click was on.
    taskbar_top = desktop.find_window(cls='Shell_TrayWnd')['rect'][1]
    assert left <= x <= right and abs(bottom - min(y, taskbar_top)) <= 2, (menu['rect'], x, y)
    texts = [t for t, _ in lines]
    # Tesseract reads the underlined D of "&Dropper" as a C; each caption is
    # therefore taken as the nearest menu caption, one letter off at most.
    captions = [nearest_caption(t.split(' ')[0]) for t in texts]
    assert captions == MENU_CAPTIONS, texts
    shortcuts = [' '.join(t.split(' ')[1:]) for t in texts]
    assert shortcuts == ['', '', '', 'Ctrl+Alt+M', '', '', ''], texts

    click_menu_line(desktop, menu, lines, 'Screenshot')
    host = p.overlay()
    assert host['rect'] == [0, 0, desktop.width, desktop.height]
    # The main icon shows the running tool.
    tray_under_overlay(desktop, p, [('Screenshot', 'active')])
    desktop.key('Escape')
    p.overlay(visible=False)
    wait_for_tray(desktop, [('main', 'normal')])


@contextlib.contextmanager
def every_core_busy(pattern):
    """Every core busy three times over: the windows below the menu repaint late."""
    busy = [subprocess.Popen(['sh', '-c', 'while :; do :; done'])
            for _ in range(3 * (os.cpu_count() or 2))]
    try:
        yield
    finally:
        for process in busy:
            process.kill()
            process.wait()


@contextlib.contextmanager
def not_repainting(pattern):
    """The program below the menu hangs: it repaints nothing until it goes on."""
    os.kill(pattern.process.pid, signal.SIGSTOP)
    try:
        yield
    finally:
        os.kill(pattern.process.pid, signal.SIGCONT)


@pytest.mark.parametrize('hold_up', [every_core_busy, not_repainting])
def test_a_tool_from_the_menu_freezes_the_screen_without_the_menu(desktop, start_program, hold_up):
    p = start_program()
    # Another program's window where the menu opens, over the desktop's wallpaper.
    pattern = Pattern(desktop, 700, 420, 324, 300)
    try:
        before = desktop.screenshot()
        _, menu, lines = open_menu(desktop, p)
        box = tuple(menu['rect'])
        with hold_up(pattern):
            click_menu_line(desktop, menu, lines, 'Screenshot')
            p.overlay()

            def shows_the_screen_as_it_was():
                shot = desktop.screenshot().crop(box)
                difference = ImageChops.difference(shot, before.crop(box))
                changed = sum(1 for pixel in difference.getdata() if pixel != (0, 0, 0))
                assert changed == 0, f'{changed} pixels of the menu\'s box differ from the screen'
            wait_for_assertion(shows_the_screen_as_it_was, timeout=20,
                               what='the frozen picture without the menu')
    finally:
        pattern.close()
    desktop.key('Escape')
    p.overlay(visible=False)


def test_the_menu_keeps_no_copy_of_the_screen_once_it_closes(desktop, start_program):
    # A copy of the screen is taken as the menu opens (3 MB here): once the
    # menu is dismissed, not even one may stay.
    p = start_program()
    last_click = 0.0

    def open_and_dismiss():
        nonlocal last_click
        icons = wait_for_tray(desktop, [('main', 'normal')])
        # A second click on the icon within the double-click time (Wine's
        # 500 ms, as Windows') is the shell's double click, which opens no
        # menu: a user's twenty separate clicks come farther apart.
        wait_until(lambda: time.monotonic() - last_click > DOUBLE_CLICK_TIME, interval=0.02,
                   what='the double-click time to pass')
        last_click = time.monotonic()
        desktop.click(*icons[0].centre)
        wait_until(lambda: desktop.find_window(cls='#32768', pid=p.pid, visible=True),
                   what='the tray menu')
        desktop.click(20, 20)  # beside it, on the desktop's wallpaper
        wait_until(lambda: not desktop.find_window(cls='#32768', pid=p.pid, visible=True),
                   what='the tray menu to close')
    before = p.private_memory_kb()
    for _ in range(20):
        open_and_dismiss()
    grown = p.private_memory_kb() - before
    assert grown < 1500, f'{grown} kB more after twenty menus'


def test_tool_icons_replace_the_main_icon_and_show_which_tool_runs(desktop, start_program):
    p = start_program(**TOOL_BITS)
    # Wine puts the first icon added at the right.
    normal = [(name, 'normal') for name in reversed(TOOLS)]
    icons = wait_for_tray(desktop, normal)
    measurer = next(i for i in icons if i.name == 'Measurer')
    desktop.click(*measurer.centre)
    p.overlay()
    tray_under_overlay(desktop, p, [(name, 'active' if name == 'Measurer' else 'unavailable')
                                    for name in reversed(TOOLS)])
    desktop.key('Escape')
    p.overlay(visible=False)
    wait_for_tray(desktop, normal)


def test_hot_key_starts_its_tool_and_another_is_ignored_while_it_runs(desktop, start_program):
    p = start_program(MagnifierKey=CTRL_ALT_M, ScreenshotKey=CTRL_ALT_S)
    wait_for_tray(desktop, [('main', 'normal')])
    desktop.key('ctrl+alt+s')
    p.overlay()
    tray_under_overlay(desktop, p, [('Screenshot', 'active')])
    desktop.key('ctrl+alt+m')
    holds_for(lambda: desktop.find_window(cls='TfrmHost', pid=p.pid, visible=True), 1,
              'the overlay')
    tray_under_overlay(desktop, p, [('Screenshot', 'active')])
    desktop.key('Escape')
    p.overlay(visible=False)
    wait_for_tray(desktop, [('main', 'normal')])


def test_a_combination_set_twice_starts_the_first_tool(desktop, start_program):
    p = start_program(MagnifierKey=CTRL_ALT_S, DropperKey=CTRL_ALT_S)
    wait_for_tray(desktop, [('main', 'normal')])
    desktop.key('ctrl+alt+s')
    tray_under_overlay(desktop, p, [('Magnifier', 'active')])
    desktop.key('Escape')
    p.overlay(visible=False)


def test_exit_ends_the_program_without_writing_settings(desktop, start_program):
    p = start_program()
    _, menu, lines = open_menu(desktop, p)
    click_menu_line(desktop, menu, lines, 'Exit')
    p.wait_exit()
    assert desktop.reg_query(OPTIONS_KEY) is None
    wait_until(lambda: not tray_icons(desktop), what='the icon to leave the tray')
