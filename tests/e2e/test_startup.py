"""The program's start, its settings in the registry, tool activation over a
frozen screen, and its end, on the real executable."""
import time

import pytest
from PIL import ImageChops

from driver import OPTIONS_KEY, RUN_KEY, SETTINGS_KEY, Pattern, Vantacle, wait_until

# The default global hot keys are none; these are set in the registry.
CTRL_SHIFT_M = 0x4000 | 0x2000 | ord('M')  # 24653
CTRL_ALT_D = 0x4000 | 0x8000 | ord('D')


def test_first_start_welcomes_and_records_then_second_start_does_not(fresh_desktop):
    d = fresh_desktop
    assert d.reg_query(SETTINGS_KEY) is None

    first = Vantacle(d).start(expect_welcome=True)
    try:
        # The start is recorded before the user has even answered the welcome.
        values = wait_until(lambda: d.reg_query(SETTINGS_KEY), what='the start record')
        assert values['@Name'] == ('REG_SZ', 'Vantacle')
        assert values['@Version'] == ('REG_SZ', '1.71')
        assert values['@Path'][1].endswith('\\Vantacle.exe')
        d.key('Return')
        wait_until(lambda: not d.find_window(title='Welcome!', visible=True), what='welcome closed')
        assert first.running()
    finally:
        first.stop()
    first.wait_exit()

    second = Vantacle(d).start()
    try:
        time.sleep(2)
        assert d.find_window(title='Welcome!') is None
        assert second.running()
    finally:
        second.stop()


def test_close_request_while_idle_ends_the_program_without_saving(desktop, vantacle):
    vantacle.request_close()
    vantacle.wait_exit()
    # An exit from the idle state writes no settings.
    assert desktop.reg_query(OPTIONS_KEY) is None


def start_with_hot_keys(desktop, **keys):
    for name, value in keys.items():
        desktop.reg_add(OPTIONS_KEY, name, value)
    return Vantacle(desktop).start()


@pytest.fixture
def program(desktop):
    desktop.reg_delete(SETTINGS_KEY)
    desktop.reg_delete(RUN_KEY, 'Vantacle')
    desktop.reg_add(SETTINGS_KEY, '@Version', '1.71')
    running = []

    def start(**keys):
        p = start_with_hot_keys(desktop, **keys)
        running.append(p)
        return p

    yield start
    for p in running:
        p.stop()


def overlay(desktop, program, visible=True):
    return wait_until(lambda: desktop.find_window(cls='TfrmHost', pid=program.pid,
                                                  visible=visible), what='the overlay')


def test_hot_key_freezes_the_screen_under_a_borderless_topmost_overlay(desktop, program):
    p = program(ScreenshotKey=CTRL_SHIFT_M)
    pattern = Pattern(desktop, 100, 80, 500, 400)
    try:
        before = desktop.screenshot()
        desktop.key('ctrl+shift+m')
        host = overlay(desktop, p)
        assert host['rect'] == [0, 0, desktop.width, desktop.height]
        WS_CAPTION, WS_THICKFRAME, WS_BORDER = 0x00C00000, 0x00040000, 0x00800000
        WS_EX_TOPMOST = 0x8
        assert host['style'] & (WS_CAPTION | WS_THICKFRAME | WS_BORDER) == 0
        assert host['exstyle'] & WS_EX_TOPMOST
        time.sleep(0.5)
        shown = desktop.screenshot()
        # The overlay shows the screen as it was, pixel for pixel.
        assert ImageChops.difference(before, shown).getbbox() is None

        # A second hot key while the tool runs changes nothing.
        desktop.key('ctrl+shift+m')
        time.sleep(0.5)
        assert desktop.find_window(cls='TfrmHost', pid=p.pid, visible=True)

        desktop.key('Escape')
        overlay(desktop, p, visible=False)
    finally:
        pattern.close()

    # Every end of a tool saves all settings and the start-with-Windows entry.
    saved = wait_until(lambda: desktop.reg_query(OPTIONS_KEY), what='saved settings')
    assert saved['ScreenshotKey'] == ('REG_SZ', str(CTRL_SHIFT_M))
    assert saved['ZoomWidth'] == ('REG_SZ', '100')
    assert saved['DPI'] == ('REG_SZ', '96')
    assert saved['AutoStart'] == ('REG_SZ', '1')
    assert len(saved) == 24
    run = desktop.reg_query(RUN_KEY)
    assert run['Vantacle'][1].endswith('\\Vantacle.exe') and not run['Vantacle'][1].startswith('"')


def test_switching_to_another_program_ends_the_tool(desktop, program):
    p = program(DropperKey=CTRL_ALT_D)
    pattern = Pattern(desktop, 10, 10, 200, 200)
    try:
        desktop.key('ctrl+alt+d')
        overlay(desktop, p)
        desktop.activate(pattern.hwnd)
        overlay(desktop, p, visible=False)
        assert p.running()
        assert desktop.reg_query(OPTIONS_KEY)['DropperKey'] == ('REG_SZ', str(CTRL_ALT_D))
    finally:
        pattern.close()


def test_close_request_while_a_tool_runs_ends_the_tool_not_the_program(desktop, program):
    p = program(MeasurerKey=CTRL_SHIFT_M)
    desktop.key('ctrl+shift+m')
    host = overlay(desktop, p)
    desktop.close_window(host['hwnd'])
    overlay(desktop, p, visible=False)
    time.sleep(1)
    assert p.running()
    assert desktop.reg_query(OPTIONS_KEY) is not None
    # And a tool starts again afterwards.
    desktop.key('ctrl+shift+m')
    overlay(desktop, p)
    desktop.key('Escape')
    overlay(desktop, p, visible=False)


# Values no dialog writes, in every shape a registry can hold them.
HOSTILE_SETTINGS = [
    ('ZoomWidth', '0', 'REG_SZ'), ('ZoomHeight', '-500', 'REG_SZ'),
    ('Scale', '0', 'REG_SZ'), ('InfoScale', '-3', 'REG_SZ'), ('DPI', '0', 'REG_SZ'),
    ('HighContrast', '2147483647', 'REG_SZ'), ('MagnifierCursor', '99', 'REG_SZ'),
    ('ScreenshotPosX', 'x' * 10000, 'REG_SZ'), ('ScreenshotPosY', '', 'REG_SZ'),
    ('JPEGQuality', '4294967296', 'REG_SZ'), ('ZoomWidth', '2000000000', 'REG_SZ'),
    ('ZoomHeight', '700', 'REG_DWORD'), ('MagnifierIcon', '1', 'REG_BINARY'),
]


@pytest.mark.parametrize('tool_key', ['MagnifierKey', 'ScreenshotKey'])
def test_hostile_stored_values_neither_crash_the_start_nor_a_tool(desktop, program, tool_key):
    for name, data, kind in HOSTILE_SETTINGS:
        desktop.reg_add(OPTIONS_KEY, name, data, kind)
    p = program(**{tool_key: CTRL_SHIFT_M})
    desktop.key('ctrl+shift+m')
    overlay(desktop, p)
    desktop.move(5, 5)
    desktop.move(1000, 700)
    time.sleep(0.5)
    desktop.key('Escape')
    overlay(desktop, p, visible=False)
    assert p.running()
    saved = desktop.reg_query(OPTIONS_KEY)
    # Values a user could have set are kept as stored; numbers stored with a
    # number type are read as numbers and written back as text.
    assert saved['ZoomWidth'] == ('REG_SZ', '2000000000')
    assert saved['ZoomHeight'] == ('REG_SZ', '700')
    assert saved['Scale'] == ('REG_SZ', '0')
    assert saved['ScreenshotPosX'] == ('REG_SZ', '10')
