"""The Preferences, welcome and About dialogs of the real program, opened
from the tray and driven with the keyboard and mouse; their controls read
from outside by probe.exe, the settings from the registry, the ruler from the
screen."""
import json
import time
from pathlib import Path

import pytest

from driver import OPTIONS_KEY, PROBE_EXE, SETTINGS_KEY, Vantacle, wait_until
from test_tray import TOOLS, ocr_lines, tray_icons, wait_for_tray

CTRL_ALT_M = 0x4000 | 0x8000 | ord('M')
CTRL_ALT_S = 0x4000 | 0x8000 | ord('S')
CTRL_ALT_G = 0x4000 | 0x8000 | ord('G')
# The hot-key box's own value of Ctrl+Alt+S: flags Ctrl 2 and Alt 4 in the high byte.
BOX_CTRL_ALT_S = 0x0600 | ord('S')

# Every setting the dialog edits, stored the way the program writes them.
STORED = dict(MagnifierIcon='0', ScreenshotIcon='0', MeasurerIcon='0', DropperIcon='0',
              ZoomWidth='100', ZoomHeight='100', Scale='2', HighContrast='0', MagnifierKey='0',
              ScreenshotKey='0', MeasurerKey='0', DropperKey='0', MagnifierCursor='0', DPI='96',
              JPEGQuality='50', AutoStart='0', InfoScale='2', JPEGProgressive='0',
              ScreenshotPosX='10', ScreenshotPosY='10', MeasurerPosX='10', MeasurerPosY='10',
              DropperPosX='10', DropperPosY='10', DropperArea='1', RecentColors='')


# ---------------------------------------------------------------- helpers


def controls(desktop, dialog):
    """The dialog's controls in tab order, by identifier."""
    out = desktop.probe('controls', dialog['hwnd'])
    return {c['id']: c for c in map(json.loads, out.splitlines())}


def centre(control):
    left, top, right, bottom = control['rect']
    return (left + right) // 2, (top + bottom) // 2


def options(desktop):
    return {name: data for name, (_, data) in (desktop.reg_query(OPTIONS_KEY) or {}).items()}


def open_from_tray(desktop, program, caption, title):
    """Opens the tray menu with a click on the first icon (the right button,
    which every icon answers) and chooses an item; returns the dialog."""
    icons = wait_until(lambda: tray_icons(desktop), what='a tray icon')
    x, y = icons[0].centre
    desktop.click(x, y, button=3)
    menu = wait_until(lambda: desktop.find_window(cls='#32768', pid=program.pid, visible=True),
                      what='the tray menu')
    left, top, right, bottom = menu['rect']
    desktop.move(left - 40, top)
    time.sleep(0.5)  # the icon's tooltip fades
    for text, words in ocr_lines(desktop.screenshot().crop((left, top, right, bottom))):
        if text.startswith(caption):
            desktop.click(left + words[0]['x'] + 5, top + words[0]['y'] + words[0]['h'] // 2)
            return keyboard_ready(desktop, desktop.wait_for_window(title=title, pid=program.pid,
                                                                   visible=True))
    raise AssertionError(f'no {caption!r} in the tray menu')


def keyboard_ready(desktop, dialog):
    """Clicks the dialog's caption, as a user looking at it would, and waits
    until a control of the dialog has the keyboard focus. Without an input
    event of its own Wine may leave the keyboard where the last click went
    (the tray, its menu), and keys typed then are lost."""
    desktop.click(dialog['rect'][0] + 60, dialog['rect'][1] + 10)
    wait_until(lambda: desktop.focus() in {c['hwnd'] for c in controls(desktop, dialog).values()},
               what=f'the keyboard in {dialog["title"]}')
    return dialog


def wait_value(desktop, dialog, cid, want, field='value'):
    return wait_until(lambda: controls(desktop, dialog)[cid][field] == want,
                      what=f'control {cid} {field} {want!r}')


def wait_closed(desktop, dialog):
    wait_until(lambda: not desktop.find_window(title=dialog['title'], visible=True),
               what=f'{dialog["title"]} closed')


# Control identifiers of the Preferences dialog.
CHB_TOOLS = [101, 102, 103, 104]
HTK_MAGNIFIER = 112
PNT_CALIBRATOR, EDT_DPI, UDN_DPI = 133, 135, 136
TRB_WIDTH, LBL_WIDTH_VALUE, TRB_HEIGHT, LBL_HEIGHT_VALUE = 142, 143, 145, 146
TRB_ZOOM, LBL_ZOOM_VALUE, UDN_QUALITY = 148, 149, 183
RBN_CONTRAST, RBN_CURSOR = [161, 162, 163], [171, 172, 173]
RBN_AREA = [196, 197, 198, 199]


# ---------------------------------------------------------------- Preferences


def test_preferences_shows_the_stored_values_and_ok_stores_exactly_the_change(desktop,
                                                                              start_program):
    p = start_program(**STORED)
    dialog = open_from_tray(desktop, p, 'Preferences', 'Preferences')
    c = controls(desktop, dialog)
    # The platform's own controls, with the captions a user reads, in tab order.
    kinds = [c[i]['class'].lower() for i in (HTK_MAGNIFIER, TRB_WIDTH, UDN_DPI, EDT_DPI)]
    assert kinds == ['msctls_hotkey32', 'msctls_trackbar32', 'msctls_updown32', 'edit']
    captions = [x['text'] for x in c.values() if x['text'] and x['class'] == 'Button']
    assert captions == ['Tray icons', 'Ma&gnifier', '&Screenshot', '&Measurer', '&Dropper',
                        'Hot keys', 'Measurer calibrator', 'Magnifier', 'High contrast', 'O&ff',
                        'M&edium', '&High', 'Cursor', '&None', '&Arrow', '&Cross', 'JPEG options',
                        'Dropper sample area', '&1 x 1', '&3 x 3', '&5 x 5', '&9 x 9',
                        'St&art at Windows startup', 'OK', 'Cancel']
    assert [c[i]['text'] for i in (LBL_WIDTH_VALUE, LBL_HEIGHT_VALUE, LBL_ZOOM_VALUE)] == \
        ['100 pix', '100 pix', 'x2']
    assert [c[i]['value'] for i in (TRB_WIDTH, TRB_HEIGHT, TRB_ZOOM, UDN_DPI, UDN_QUALITY)] == \
        [10, 10, 2, 96, 50]
    assert c[EDT_DPI]['text'] == '96'
    assert [c[i]['value'] for i in RBN_AREA] == [1, 0, 0, 0]

    # Alt+W is the track bar's label; six steps right make 160 pixels.
    desktop.key('alt+w')
    desktop.key(*['Right'] * 6)
    wait_value(desktop, dialog, LBL_WIDTH_VALUE, '160 pix', 'text')
    desktop.key('alt+9')  # the Dropper's 9 x 9 sample area
    wait_value(desktop, dialog, RBN_AREA[3], 1)
    desktop.key('Return')
    wait_closed(desktop, dialog)
    assert wait_until(lambda: options(desktop) != STORED and options(desktop)) == \
        dict(STORED, ZoomWidth='160', DropperArea='9')


def test_hot_keys_are_off_while_open_and_cancel_keeps_the_old_ones(desktop, start_program):
    p = start_program(**dict(STORED, MagnifierKey=str(CTRL_ALT_M), ScreenshotKey=str(CTRL_ALT_S)))
    dialog = open_from_tray(desktop, p, 'Preferences', 'Preferences')
    # The Screenshot tool's own combination reaches the hot-key box instead
    # of starting the tool: no hot key is registered while the dialog is open.
    desktop.key('alt+n')
    # A key without Ctrl or Alt is refused: the box empties.
    desktop.key('m')
    wait_value(desktop, dialog, HTK_MAGNIFIER, 0)
    desktop.key('ctrl+alt+s')
    wait_value(desktop, dialog, HTK_MAGNIFIER, BOX_CTRL_ALT_S)
    assert not desktop.find_window(cls='TfrmHost', pid=p.pid, visible=True)

    desktop.key('Escape')
    wait_closed(desktop, dialog)
    desktop.key('ctrl+alt+m')
    p.overlay()
    desktop.key('Escape')
    p.overlay(visible=False)
    # Only the end of the tool saved; the cancelled change is nowhere.
    assert options(desktop)['MagnifierKey'] == str(CTRL_ALT_M)


def test_a_new_hot_key_works_after_ok_and_no_tray_boxes_leave_the_main_icon(desktop,
                                                                            start_program):
    p = start_program(**dict(STORED, MagnifierIcon='1', ScreenshotIcon='1', MeasurerIcon='1',
                             DropperIcon='1'))
    normal = [(name, 'normal') for name in reversed(TOOLS)]
    wait_for_tray(desktop, normal)
    dialog = open_from_tray(desktop, p, 'Preferences', 'Preferences')
    # While it is open every tool icon is greyed.
    wait_for_tray(desktop, [(name, 'unavailable') for name in reversed(TOOLS)])
    c = controls(desktop, dialog)
    for box in CHB_TOOLS:
        desktop.click(*centre(c[box]))
        wait_value(desktop, dialog, box, 0)
    desktop.key('alt+n')
    desktop.key('ctrl+alt+g')
    wait_value(desktop, dialog, HTK_MAGNIFIER, 0x0600 | ord('G'))
    desktop.key('Return')
    wait_closed(desktop, dialog)

    wait_for_tray(desktop, [('main', 'normal')])
    desktop.key('ctrl+alt+g')
    p.overlay()
    desktop.key('Escape')
    p.overlay(visible=False)
    stored = options(desktop)
    assert stored['MagnifierKey'] == str(CTRL_ALT_G)
    assert [stored[t + 'Icon'] for t in TOOLS] == ['0'] * 4


def ruler_marks(desktop, dialog):
    """x of the inch marks above the baseline and the centimetre marks below
    it, relative to the paint box's left edge, read from the screen."""
    left, top, right, bottom = controls(desktop, dialog)[PNT_CALIBRATOR]['client']
    shot = desktop.screenshot()
    mid = top + (bottom - top) // 2

    def dark_columns(y):
        return [x - left for x in range(left, right) if sum(shot.getpixel((x, y))) < 200]
    # Four rows off the baseline only the marks' lines are drawn.
    return dark_columns(mid - 4), dark_columns(mid + 4)


def test_calibrator_ruler_follows_the_typed_dpi_and_refuses_letters(desktop, start_program):
    p = start_program(**STORED)
    dialog = open_from_tray(desktop, p, 'Preferences', 'Preferences')
    c = controls(desktop, dialog)
    left, top, right, bottom = c[PNT_CALIBRATOR]['client']
    assert (right - left, bottom - top) == (133, 49)
    assert ruler_marks(desktop, dialog) == ([8, 104], [8, 46, 84, 121])

    desktop.click(*centre(c[EDT_DPI]))
    desktop.key('End', 'x', 'BackSpace', 'BackSpace', '5', 'a', '0')
    wait_value(desktop, dialog, EDT_DPI, '50', 'text')
    # The ruler is painted again at once, with every typed digit.
    wait_until(lambda: ruler_marks(desktop, dialog) == ([8, 58, 108], [8, 28, 47, 67, 87, 106]),
               what='the ruler at 50 DPI')
    # The up-down's click steps the value and repaints too.
    desktop.key('Up')
    wait_value(desktop, dialog, EDT_DPI, '51', 'text')

    # A full stop gets through the edit; "9.6" is no DPI a user can set, and
    # OK stores the nearest one that is.
    desktop.key('End', 'BackSpace', 'BackSpace', '9', 'period', '6')
    wait_value(desktop, dialog, EDT_DPI, '9.6', 'text')
    desktop.key('Return')
    wait_closed(desktop, dialog)
    assert wait_until(lambda: options(desktop).get('DPI') != '96' and options(desktop))['DPI'] == '25'


@pytest.mark.parametrize('stored, shown, saved', [
    (dict(DPI='0', JPEGQuality='0', ZoomWidth='0', ZoomHeight='3000', Scale='0', HighContrast='7',
          MagnifierCursor='-1', MagnifierKey='65535'),
     {UDN_DPI: 25, UDN_QUALITY: 1, TRB_WIDTH: 5, TRB_HEIGHT: 160, TRB_ZOOM: 1, RBN_CONTRAST[2]: 1,
      RBN_CURSOR[0]: 1, HTK_MAGNIFIER: 0},
     dict(DPI='25', JPEGQuality='1', ZoomWidth='50', ZoomHeight='1600', Scale='1',
          HighContrast='2', MagnifierCursor='0', MagnifierKey='0')),
    (dict(DPI='10000', JPEGQuality='101', ZoomWidth='155', ZoomHeight='-5', Scale='11'),
     {UDN_DPI: 9999, UDN_QUALITY: 100, TRB_WIDTH: 15, TRB_HEIGHT: 5, TRB_ZOOM: 10},
     dict(DPI='9999', JPEGQuality='100', ZoomWidth='150', ZoomHeight='50', Scale='10')),
    (dict(DPI='-5'), {UDN_DPI: 25}, dict(DPI='25')),
])
def test_stored_values_out_of_range_open_clamped_and_ok_stores_settable_ones(
        desktop, start_program, stored, shown, saved):
    p = start_program(**dict(STORED, **stored))
    dialog = open_from_tray(desktop, p, 'Preferences', 'Preferences')
    c = controls(desktop, dialog)
    assert {cid: c[cid]['value'] for cid in shown} == shown
    desktop.key('Return')
    wait_closed(desktop, dialog)
    assert wait_until(lambda: options(desktop) != dict(STORED, **stored) and options(desktop)) == \
        dict(STORED, **saved)


# ---------------------------------------------------------------- welcome and About


@pytest.mark.parametrize('key', ['Return', 'Escape'])
def test_first_start_shows_the_welcome_dialog_closed_by_enter_and_escape(desktop, key):
    desktop.reg_delete(SETTINGS_KEY)
    p = Vantacle(desktop).start(expect_welcome=True)
    try:
        dialog = keyboard_ready(desktop, desktop.find_window(title='Welcome!', visible=True))
        assert desktop.foreground() == dialog['hwnd']
        texts = [x['text'] for x in controls(desktop, dialog).values()]
        assert texts[1] == 'Vantacle Pro'
        assert texts[3].startswith('Vantacle defaults to a single tray icon')
        assert texts[3].endswith('right-clicked to reveal the complete Vantacle menu.')
        assert texts[4] == 'OK'
        desktop.key(key)
        wait_closed(desktop, dialog)
        wait_until(lambda: tray_icons(desktop), what='the tray icon after the welcome')
        assert p.running()
    finally:
        p.stop()


def test_about_shows_the_version_blocks_the_tools_and_its_link_opens_the_home_page(
        desktop, start_program):
    p = start_program(**dict(STORED, MagnifierIcon='1', ScreenshotIcon='1', MeasurerIcon='1',
                             DropperIcon='1'))
    normal = [(name, 'normal') for name in reversed(TOOLS)]
    wait_for_tray(desktop, normal)
    dialog = open_from_tray(desktop, p, 'About', 'About')
    texts = [x['text'] for x in controls(desktop, dialog).values()]
    assert texts[1] == 'Vantacle Pro' and 'version 1.71' in texts and texts[-1] == 'Close'
    icons = wait_for_tray(desktop, [(name, 'unavailable') for name in reversed(TOOLS)])
    # A click on a greyed tool icon starts nothing.
    desktop.click(*icons[0].centre)
    keyboard_ready(desktop, dialog)
    desktop.key('Return')
    wait_closed(desktop, dialog)
    wait_for_tray(desktop, normal)
    assert not desktop.find_window(cls='TfrmHost', pid=p.pid, visible=True)

    # The prefix's handler of http addresses, replaced by one that records
    # the address it is given.
    record = Path(PROBE_EXE).parent / 'opened-address.txt'
    record.unlink(missing_ok=True)
    handler = r'HKCR\http\shell\open\command'
    browser = desktop.reg_query(handler)['(Default)'][1]
    set_handler = lambda value: desktop.wine('reg', 'add', handler, '/ve', '/d', value, '/f')
    windows = lambda path: 'Z:' + str(path).replace('/', '\\')
    set_handler(f'"{windows(PROBE_EXE)}" record "{windows(record)}" "%1"')
    try:
        dialog = open_from_tray(desktop, p, 'About', 'About')
        link = controls(desktop, dialog)[105]
        assert link['text'] == 'http://www.quillmont.com/vantacle/'
        desktop.click(*centre(link))
        wait_closed(desktop, dialog)
        assert wait_until(lambda: record.exists() and record.read_text().strip(),
                          what='the http handler to run') == link['text']
    finally:
        set_handler(browser)
