"""The program's start, its settings in the registry, tool activation over a
frozen screen, and its end, on the real executable."""
import pytest
from PIL import ImageChops

from driver import (OPTIONS_KEY, RUN_KEY, SETTINGS_KEY, Pattern, Vantacle, holds_for,
                    wait_for_assertion, wait_until)
from test_tray import wait_for_tray

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
        # The tray icon shows once the start is through, welcome or not.
        wait_for_tray(d, [('main', 'normal')])
        holds_for(lambda: d.find_window(title='Welcome!') is None, 1, 'no welcome')
        assert second.running()
    finally:
        second.stop()


def test_close_request_while_idle_ends_the_program_without_saving(desktop, vantacle):
    vantacle.request_close()
    vantacle.wait_exit()
    # An exit from the idle state writes no settings.
    assert desktop.reg_query(OPTIONS_KEY) is None


def test_hot_key_freezes_the_screen_under_a_borderless_topmost_overlay(desktop, start_program):
    # The information panel waits off the left edge, out of the comparison.
    p = start_program(ScreenshotKey=CTRL_SHIFT_M, ScreenshotPosX=-1000)
    pattern = Pattern(desktop, 100, 80, 500, 400)
    try:
        before = desktop.screenshot()
        desktop.key('ctrl+shift+m')
        host = p.overlay()
        assert host['rect'] == [0, 0, desktop.width, desktop.height]
        WS_CAPTION, WS_THICKFRAME, WS_BORDER = 0x00C00000, 0x00040000, 0x00800000
        WS_EX_TOPMOST = 0x8
        assert host['style'] & (WS_CAPTION | WS_THICKFRAME | WS_BORDER) == 0
        assert host['exstyle'] & WS_EX_TOPMOST
        # The overlay shows the screen as it was, pixel for pixel. The taskbar
        # is left out: the tray icons change to their activation images just
        # before the copy, and the shell shows that whenever it gets to it.
        work = desktop.above_taskbar()
        assert work[3] > desktop.height // 2

        def frozen_as_before():
            shown = desktop.screenshot()
            assert ImageChops.difference(before.crop(work), shown.crop(work)).getbbox() is None
        wait_for_assertion(frozen_as_before, what='the frozen screen')

        # A second hot key while the tool runs changes nothing.
        desktop.key('ctrl+shift+m')
        holds_for(lambda: desktop.find_window(cls='TfrmHost', pid=p.pid, visible=True), 1,
                  'the overlay')
        frozen_as_before()

        desktop.key('Escape')
        p.overlay(visible=False)
    finally:
        pattern.close()

    # Every end of a tool saves all settings and the start-with-Windows entry.
    saved = wait_until(lambda: desktop.reg_query(OPTIONS_KEY), what='saved settings')
    assert saved['ScreenshotKey'] == ('REG_SZ', str(CTRL_SHIFT_M))
    assert saved['ZoomWidth'] == ('REG_SZ', '100')
    assert saved['DPI'] == ('REG_SZ', '96')
    assert saved['AutoStart'] == ('REG_SZ', '1')
    assert len(saved) == 26
    run = desktop.reg_query(RUN_KEY)
    assert run['Vantacle'][1].endswith('\\Vantacle.exe') and not run['Vantacle'][1].startswith('"')


def test_switching_to_another_program_ends_the_tool(desktop, start_program):
    p = start_program(DropperKey=CTRL_ALT_D)
    pattern = Pattern(desktop, 10, 10, 200, 200)
    try:
        desktop.key('ctrl+alt+d')
        p.overlay()
        desktop.activate(pattern.hwnd)
        p.overlay(visible=False)
        assert p.running()
        assert desktop.reg_query(OPTIONS_KEY)['DropperKey'] == ('REG_SZ', str(CTRL_ALT_D))
    finally:
        pattern.close()


def test_close_request_while_a_tool_runs_ends_the_tool_not_the_program(desktop, start_program):
    p = start_program(MeasurerKey=CTRL_SHIFT_M)
    desktop.key('ctrl+shift+m')
    host = p.overlay()
    desktop.close_window(host['hwnd'])
    p.overlay(visible=False)
    holds_for(p.running, 1, 'the program running')
    assert desktop.reg_query(OPTIONS_KEY) is not None
    # And a tool starts again afterwards.
    desktop.key('ctrl+shift+m')
    p.overlay()
    desktop.key('Escape')
    p.overlay(visible=False)


# Values no dialog writes, in every shape a registry can hold them.
HOSTILE_SETTINGS = {
    'ZoomWidth': '2000000000', 'ZoomHeight': ('700', 'REG_DWORD'), 'Scale': '0',
    'InfoScale': '-3', 'DPI': '0', 'HighContrast': '2147483647', 'MagnifierCursor': '99',
    'ScreenshotPosX': 'x' * 10000, 'ScreenshotPosY': '', 'JPEGQuality': '4294967296',
    'MagnifierIcon': ('1', 'REG_BINARY'),
}


@pytest.mark.parametrize('tool_key', ['MagnifierKey', 'ScreenshotKey'])
def test_hostile_stored_values_neither_crash_the_start_nor_a_tool(desktop, start_program, tool_key):
    p = start_program(**HOSTILE_SETTINGS, **{tool_key: CTRL_SHIFT_M})
    desktop.key('ctrl+shift+m')
    p.overlay()
    desktop.move(5, 5)
    desktop.move(1000, 700)
    desktop.key('Escape')
    p.overlay(visible=False)
    assert p.running()
    saved = desktop.reg_query(OPTIONS_KEY)
    # Values a user could have set are kept as stored; numbers stored with a
    # number type are read as numbers and written back as text.
    assert saved['ZoomWidth'] == ('REG_SZ', '2000000000')
    assert saved['ZoomHeight'] == ('REG_SZ', '700')
    assert saved['Scale'] == ('REG_SZ', '0')
    assert saved['ScreenshotPosX'] == ('REG_SZ', '10')
