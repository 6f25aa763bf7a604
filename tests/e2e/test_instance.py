"""One program per user: a later start of the exe has the running one show
its Preferences and leaves; "Vantacle.exe /close" ends the running one, as
an uninstaller needs, and returns once it has."""
from driver import (OPTIONS_KEY, PATIENCE, RUN_KEY, VANTACLE_EXE, Pattern, wait_until)
from test_dialogs import keyboard_ready
from test_tray import wait_for_tray

CTRL_SHIFT_M = 0x4000 | 0x2000 | ord('M')


def program_pids(desktop):
    """The processes that run the program, by their host form."""
    return {w['pid'] for w in desktop.windows() if w['class'] == 'TfrmHost'}


def preferences(desktop):
    return [w for w in desktop.windows() if w['title'] == 'Preferences' and w['visible']]


def test_a_later_start_shows_the_running_programs_preferences_and_leaves(desktop, vantacle):
    wait_for_tray(desktop, [('main', 'normal')])
    # To its end: a start that stayed would time out here.
    assert desktop.wine(VANTACLE_EXE, timeout=30 * PATIENCE).returncode == 0
    dialog = wait_until(lambda: preferences(desktop), what='Preferences')[0]
    assert dialog['pid'] == vantacle.pid
    wait_until(lambda: desktop.foreground() == dialog['hwnd'], what='Preferences in front')
    assert program_pids(desktop) == {vantacle.pid}
    wait_for_tray(desktop, [('main', 'normal')])

    # With the dialog behind another program's window, a further start (with
    # a switch the program does not know) brings the same one to the front.
    pattern = Pattern(desktop, 600, 400, 200, 200)
    try:
        desktop.activate(pattern.hwnd)
        wait_until(lambda: desktop.foreground() == pattern.hwnd, what='the other window in front')
        assert desktop.wine(VANTACLE_EXE, '/unknown', timeout=30 * PATIENCE).returncode == 0
        wait_until(lambda: desktop.foreground() == dialog['hwnd'], what='Preferences in front')
        assert [w['hwnd'] for w in preferences(desktop)] == [dialog['hwnd']]
        assert program_pids(desktop) == {vantacle.pid}
    finally:
        pattern.close()
    # Wine may leave the keyboard where the last click went, whichever window
    # is in front: a click of the user's own first.
    keyboard_ready(desktop, dialog)
    desktop.key('Escape')
    wait_until(lambda: not preferences(desktop), what='Preferences closed')
    assert vantacle.running()


def test_close_switch_ends_the_running_program_as_escape_would_and_returns_zero(desktop,
                                                                              start_program):
    p = start_program(MeasurerKey=CTRL_SHIFT_M)
    wait_for_tray(desktop, [('main', 'normal')])
    desktop.key('ctrl+shift+m')
    p.overlay()
    assert list(desktop.reg_query(OPTIONS_KEY)) == ['MeasurerKey']  # as stored for the start

    assert desktop.wine(VANTACLE_EXE, '/close', timeout=60 * PATIENCE).returncode == 0
    # It returned once the program had ended: only Wine's own end of the
    # process may still be under way.
    assert p.process.wait(timeout=5) == 0
    # The tool ended as by Escape: every setting saved, the start with
    # Windows too; and the tray icon has gone.
    saved = desktop.reg_query(OPTIONS_KEY)
    assert saved['MeasurerKey'] == ('REG_SZ', str(CTRL_SHIFT_M)) and len(saved) == 24
    assert desktop.reg_query(RUN_KEY)['Vantacle'][1].endswith('\\Vantacle.exe')
    wait_for_tray(desktop, [])

    # With none running it has nothing to wait for, and starts nothing.
    assert desktop.wine(VANTACLE_EXE, '/CLOSE', timeout=30 * PATIENCE).returncode == 0
    assert program_pids(desktop) == set()
