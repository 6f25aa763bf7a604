"""The Magnifier on the real program: the lens pixel for pixel against the
enlargement of the frozen picture, its outline, its modified clicks and the
keys and clicks that end it."""
import pytest

from driver import OPTIONS_KEY, Pattern, wait_for_assertion, wait_until

HOT_KEY = 0x4000 | 0x2000 | ord('M')  # Ctrl+Shift+M
BLACK = (0, 0, 0)


@pytest.fixture
def magnifier(desktop, start_program):
    """Starts the program with the given lens settings over a pattern with a
    colour per pixel, then the Magnifier; returns (program, frozen picture)."""
    patterns = []

    def start(zoom=(100, 100), scale=2, contrast=0):
        program = start_program(MagnifierKey=HOT_KEY, ZoomWidth=zoom[0], ZoomHeight=zoom[1],
                                Scale=scale, HighContrast=contrast)
        patterns.append(Pattern(desktop, 60, 40, 700, 560, square=1))
        frozen = desktop.screenshot()
        desktop.move(300, 250)
        desktop.key('ctrl+shift+m')
        program.overlay()
        return program, frozen

    yield start
    for pattern in patterns:
        pattern.close()


def contrast_channel(c, level):
    if level == 1:
        v = int((c - 128) * 3 / 2)  # toward zero
    elif level == 2:
        v = (c - 128) * 2
    else:
        return c
    return max(-128, min(127, v)) + 128


def check_lens(shot, frozen, cx, cy, zoom, scale, contrast=0):
    """Compares the lens at cursor (cx, cy) with the nearest-neighbour
    enlargement of the frozen picture, and its outline."""
    w, h = zoom
    sw, sh = w // scale, h // scale
    sl, st = cx - w // (2 * scale), cy - h // (2 * scale)
    ll, lt = cx - w // 2, cy - h // 2
    shown, source = shot.load(), frozen.load()
    wrong = []
    for dy in range(h):
        for dx in range(w):
            expected = tuple(contrast_channel(c, contrast)
                             for c in source[sl + dx * sw // w, st + dy * sh // h])
            if shown[ll + dx, lt + dy] != expected:
                wrong.append((dx, dy, shown[ll + dx, lt + dy], expected))
    assert not wrong, f'{len(wrong)} lens pixels differ, first {wrong[:3]}'
    # A black outline one pixel wide just around the lens, the frozen picture beyond.
    for x in range(ll - 1, ll + w + 1):
        assert shown[x, lt - 1] == BLACK and shown[x, lt + h] == BLACK
        assert shown[x, lt - 2] == source[x, lt - 2] and shown[x, lt + h + 1] == source[x, lt + h + 1]
    for y in range(lt - 1, lt + h + 1):
        assert shown[ll - 1, y] == BLACK and shown[ll + w, y] == BLACK
        assert shown[ll - 2, y] == source[ll - 2, y] and shown[ll + w + 1, y] == source[ll + w + 1, y]


def wait_for_lens(desktop, frozen, cx, cy, zoom, scale, contrast=0):
    """Waits until the screen shows the lens at (cx, cy); fails with the
    differences of the last look when it does not come."""
    wait_for_assertion(lambda: check_lens(desktop.screenshot(), frozen, cx, cy, zoom, scale,
                                          contrast), what=f'the lens at {cx}, {cy}')


@pytest.mark.parametrize('zoom, scale, contrast', [
    ((100, 100), 2, 0),
    ((100, 100), 3, 0),   # 33 source pixels over 100: not uniform
    ((120, 80), 2, 2),    # high contrast, on the source before enlargement
    ((100, 100), 4, 1),
])
def test_lens_is_the_enlarged_frozen_picture_and_moves_without_trace(desktop, magnifier, zoom,
                                                                     scale, contrast):
    program, frozen = magnifier(zoom, scale, contrast)
    wait_for_lens(desktop, frozen, 300, 250, zoom, scale, contrast)
    # One pixel to the right and down: the old outline must be gone.
    desktop.move(301, 251)
    wait_for_lens(desktop, frozen, 301, 251, zoom, scale, contrast)
    desktop.move(280, 240)
    wait_for_lens(desktop, frozen, 280, 240, zoom, scale, contrast)


def test_modified_clicks_change_factor_and_size_and_the_settings_keep_them(desktop, magnifier):
    program, frozen = magnifier((100, 120), 2)
    desktop.click_with('ctrl', 300, 250)           # factor 3
    desktop.click_with('shift', 300, 250)          # square 120, then 130
    wait_for_lens(desktop, frozen, 300, 250, (130, 130), 3)
    desktop.click_with('shift', 300, 250, button=3)  # shrink to 120, larger lens wiped
    wait_for_lens(desktop, frozen, 300, 250, (120, 120), 3)
    assert desktop.find_window(cls='TfrmHost', pid=program.pid, visible=True)
    desktop.key('Escape')
    saved = wait_until(lambda: (desktop.reg_query(OPTIONS_KEY) or {}).get('Scale', (0, '2'))[1] == '3'
                       and desktop.reg_query(OPTIONS_KEY), what='saved lens settings')
    assert saved['ZoomWidth'] == ('REG_SZ', '120')
    assert saved['ZoomHeight'] == ('REG_SZ', '120')


@pytest.mark.parametrize('end', ['Escape', 'Return', 'a', 'Left', 'alt', 'click'])
def test_keys_and_plain_clicks_end_it_but_shift_and_ctrl_alone_do_not(desktop, magnifier, end):
    program, frozen = magnifier()
    desktop.key('shift')
    desktop.key('ctrl')
    desktop.key('Tab')
    # The lens following a later move shows those keys were handled, and
    # that the tool still runs.
    desktop.move(310, 260)
    wait_for_lens(desktop, frozen, 310, 260, (100, 100), 2)
    assert desktop.find_window(cls='TfrmHost', pid=program.pid, visible=True)
    if end == 'click':
        desktop.click(300, 250)
    else:
        desktop.key(end)
    program.overlay(visible=False)
    assert program.running()


@pytest.mark.parametrize('zoom, scale', [((0, 0), 0), ((-40, 100), -3), ((1, 1), 2),
                                         ((3000, 2000), 1), ((400, 400), 900)])
def test_lens_settings_no_dialog_offers_neither_crash_nor_show_garbage(desktop, magnifier, zoom,
                                                                       scale):
    program, frozen = magnifier(zoom, scale)
    for x, y in ((5, 5), (1019, 763), (512, 384)):
        desktop.move(x, y)
    assert program.running()
    assert desktop.find_window(cls='TfrmHost', pid=program.pid, visible=True)
    # The tool's end comes through the same input as the moves: the program
    # got through them alive.
    desktop.key('Escape')
    program.overlay(visible=False)
    assert program.running()
