"""Everything a user reaches, in one start of the real program: the welcome,
the tray and its menu, About and Preferences, every tool by its hot key, the
clipboard read by another program, a file of each type opened by Pillow, a
refused save, and Exit. Where qemu emulates the shipped 32-bit build a start
costs about a minute, so this file is how scripts/test.sh proves that build
there (the other files prove each part in depth on the 64-bit twin); where it
runs natively it is one more start of the complete suite. The tests run in
this order on the same program."""
import contextlib
import shutil

import pytest
from PIL import Image, ImageStat

from driver import (OPTIONS_KEY, RUN_KEY, SETTINGS_KEY, FrozenPicture, Pattern, Vantacle,
                    wait_until)
from test_dialogs import (LBL_WIDTH_VALUE, STORED, TRB_WIDTH, controls, keyboard_ready,
                          open_from_tray, options, wait_closed, wait_value)
from test_export import copied, same, save_as, save_refused
from test_magnifier import wait_for_lens
from test_measurer_dropper import with_figure, with_marker
from test_tray import (MENU_CAPTIONS, click_menu_line, nearest_caption, open_menu, tray_icons,
                       tray_under_overlay, wait_for_tray)

CTRL_ALT = 0x4000 | 0x8000
HOT_KEYS = {'Magnifier': 'M', 'Screenshot': 'S', 'Measurer': 'R', 'Dropper': 'D'}
# Every tool on its own hot key, the panels parked at the bottom right corner.
OPTIONS = dict(STORED, **{f'{tool}Key': str(CTRL_ALT | ord(letter))
                          for tool, letter in HOT_KEYS.items()},
               **{f'{tool}Pos{axis}': '5000' for tool in ('Screenshot', 'Measurer', 'Dropper')
                  for axis in 'XY'})


@pytest.fixture(scope='module')
def program(desktop):
    """The one start: a first one (no earlier start recorded), with options."""
    desktop.reg_delete(SETTINGS_KEY)
    desktop.reg_delete(RUN_KEY, 'Vantacle')
    desktop.reg_add_strings(OPTIONS_KEY, OPTIONS)
    p = Vantacle(desktop).start(expect_welcome=True)
    yield p
    p.stop()


@pytest.fixture(scope='module')
def pattern(desktop, program):
    """A colour per pixel under the tools, from the first tool on."""
    p = Pattern(desktop, 40, 30, 900, 650, square=1)
    yield p
    p.close()


@pytest.fixture
def out_folder(desktop):
    folder = desktop.prefix / 'drive_c' / 'out'
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir()
    yield folder
    for f in folder.iterdir():
        f.chmod(0o644)


@contextlib.contextmanager
def tool(desktop, program, pattern, name):
    """Starts a tool by its hot key over the pattern, with the cursor at
    (600, 500); checks the tray shows it running; Escape ends it."""
    desktop.move(600, 500)
    # The taskbar active, so that no button of it changes when the tool takes
    # the activation, and the screen as the tool will freeze it once drawn.
    desktop.activate(desktop.find_window(cls='Shell_TrayWnd')['hwnd'])
    looks = []

    def settled():  # the same for a second
        looks.append(desktop.screenshot())
        return len(looks) >= 4 and len({look.tobytes() for look in looks[-4:]}) == 1 and \
            pattern.on_screen()
    wait_until(settled, interval=0.3, what='the screen to settle')
    desktop.key(f'ctrl+alt+{HOT_KEYS[name].lower()}')
    program.overlay()
    picture = FrozenPicture(desktop, program, looks[-1])
    try:
        if name != 'Magnifier':  # whose lens shows at once
            picture.shows(picture.frozen, 'the frozen picture')
        tray_under_overlay(desktop, program, [(name, 'active')])
        yield picture
    finally:
        desktop.key('Escape')
        program.overlay(visible=False)
    wait_for_tray(desktop, [('main', 'normal')])


def test_first_start_welcomes_and_records_the_start(desktop, program):
    dialog = keyboard_ready(desktop, desktop.find_window(title='Welcome!', pid=program.pid,
                                                         visible=True))
    texts = [c['text'] for c in controls(desktop, dialog).values()]
    assert texts[1] == 'Vantacle Pro' and texts[4] == 'OK', texts
    desktop.key('Return')
    wait_closed(desktop, dialog)
    wait_for_tray(desktop, [('main', 'normal')])
    stored = desktop.reg_query(SETTINGS_KEY)
    assert stored['@Version'] == ('REG_SZ', '1.71')
    assert stored['@Path'][1].lower().endswith('\\vantacle.exe'), stored


def test_tray_menu_and_about(desktop, program):
    _, menu, lines = open_menu(desktop, program)
    assert [nearest_caption(t.split(' ')[0]) for t, _ in lines] == MENU_CAPTIONS, lines
    click_menu_line(desktop, menu, lines, 'About')
    dialog = keyboard_ready(desktop, desktop.wait_for_window(title='About', pid=program.pid,
                                                             visible=True))
    texts = [c['text'] for c in controls(desktop, dialog).values()]
    assert texts[1] == 'Vantacle Pro' and 'version 1.71' in texts, texts
    desktop.key('Return')
    wait_closed(desktop, dialog)


def test_preferences_show_the_stored_values_and_ok_stores_the_change(desktop, program):
    dialog = open_from_tray(desktop, program, 'Preferences', 'Preferences')
    c = controls(desktop, dialog)
    assert c[TRB_WIDTH]['value'] == 10 and c[LBL_WIDTH_VALUE]['text'] == '100 pix'
    desktop.key('alt+w')
    desktop.key(*['Right'] * 6)
    wait_value(desktop, dialog, LBL_WIDTH_VALUE, '160 pix', 'text')
    desktop.key('Return')
    wait_closed(desktop, dialog)
    assert wait_until(lambda: options(desktop)['ZoomWidth'] == '160' and options(desktop)) == \
        dict(OPTIONS, ZoomWidth='160')


def test_magnifier_shows_the_lens_the_preferences_set(desktop, program, pattern):
    with tool(desktop, program, pattern, 'Magnifier') as picture:
        wait_for_lens(desktop, picture.frozen, 600, 500, (160, 100), 2)
        desktop.move(590, 480)
        wait_for_lens(desktop, picture.frozen, 590, 480, (160, 100), 2)


def test_measurer_draws_its_figure_and_dropper_its_marker(desktop, program, pattern):
    with tool(desktop, program, pattern, 'Measurer') as picture:
        desktop.press(200, 200)
        desktop.move(300, 300)
        picture.shows(with_figure(picture.frozen, (200, 200), (300, 300)), 'the figure')
        desktop.release(300, 300)
        picture.shows(picture.frozen, 'no figure after the release')
    with tool(desktop, program, pattern, 'Dropper') as picture:
        desktop.click(300, 200)
        picture.shows(with_marker(picture.frozen, 300, 200), 'the marker')


def test_screenshot_copies_saves_every_type_and_says_why_a_save_fails(desktop, program,
                                                                       pattern, out_folder):
    with tool(desktop, program, pattern, 'Screenshot') as picture:
        desktop.drag(200, 200, 215, 215)  # 256 pixels: few enough colours for an exact GIF
        expected = picture.frozen.crop((200, 200, 216, 216))
        picture.shows_frame((200, 200, 215, 215))
        desktop.key('ctrl+c')
        copied(desktop, expected)
        for name, file_type, decoded_as in [('shot.gif', 'gif', 'GIF'), ('shot.png', 'png', 'PNG'),
                                            ('shot.jpg', 'jpg', 'JPEG'),
                                            ('shot.bmp', 'bmp', 'BMP'),
                                            ('shot.tif', 'tif', 'TIFF')]:
            save_as(desktop, program, f'C:\\out\\{name}', file_type)
            path = out_folder / name
            wait_until(lambda: path.exists() and path.stat().st_size > 0, what=f'{name} written')
            with Image.open(path) as image:
                assert image.format == decoded_as, name
                saved = image.convert('RGB')
            if decoded_as == 'JPEG':  # lossy: the same colours on average
                assert saved.size == expected.size
                assert all(abs(a - b) < 12 for a, b in zip(ImageStat.Stat(saved).mean,
                                                            ImageStat.Stat(expected).mean))
            else:
                assert same(saved, expected), name

        kept = out_folder / 'shot.png'
        before = kept.read_bytes()
        kept.chmod(0o444)  # read-only: the save must fail and say so
        save_refused(desktop, program, 'C:\\out\\shot.png', 'shot.png')
        assert kept.read_bytes() == before
        program.overlay()  # the tool runs on


def test_exit_ends_the_program(desktop, program):
    _, menu, lines = open_menu(desktop, program)
    click_menu_line(desktop, menu, lines, 'Exit')
    program.wait_exit()
    wait_until(lambda: not tray_icons(desktop), what='the icon to leave the tray')
