import os
import shutil
from pathlib import Path

import pytest

from driver import (BUILD, OPTIONS_KEY, RUN_KEY, SETTINGS_KEY, FrozenPicture, Pattern,
                    TwoMonitorDesktop, Vantacle, WineDesktop)


@pytest.fixture(scope='session')
def desktop():
    """One private display and prefix for the whole run."""
    d = WineDesktop(BUILD / 'e2e' / 'shared').start()
    yield d
    d.stop()


@pytest.fixture
def fresh_desktop(tmp_path_factory):
    """A brand-new prefix: the program has never run in it."""
    folder = BUILD / 'e2e' / 'fresh'
    shutil.rmtree(folder, ignore_errors=True)
    d = WineDesktop(folder).start()
    yield d
    d.stop()
    shutil.rmtree(folder, ignore_errors=True)


@pytest.fixture
def vantacle(desktop):
    """The program, started with a recorded earlier start (no welcome dialog)
    and default settings; stopped after the test whatever happened."""
    desktop.reg_delete(SETTINGS_KEY)
    desktop.reg_add(SETTINGS_KEY, '@Version', '1.71')
    program = Vantacle(desktop)
    program.start()
    yield program
    program.stop()


def program_starter(desktop):
    """start(**options) starts the program in this desktop after an earlier
    start (no welcome dialog), with these options stored and nothing else;
    stop() stops every program it started. An option's value is stored as
    text, or as (data, registry type)."""
    running = []

    def start(**options):
        desktop.reg_delete(SETTINGS_KEY)
        desktop.reg_delete(RUN_KEY, 'Vantacle')
        desktop.reg_add(SETTINGS_KEY, '@Version', '1.71')
        desktop.reg_add_strings(OPTIONS_KEY, {name: value for name, value in options.items()
                                              if not isinstance(value, tuple)})
        for name, value in options.items():
            if isinstance(value, tuple):
                desktop.reg_add(OPTIONS_KEY, name, *value)
        p = Vantacle(desktop).start()
        running.append(p)
        return p

    def stop():
        for p in running:
            p.stop()
    return start, stop


@pytest.fixture
def start_program(desktop):
    """Starts the program after an earlier start (no welcome dialog), with
    these options stored and nothing else; stops it after the test."""
    start, stop = program_starter(desktop)
    yield start
    stop()


@pytest.fixture(scope='session')
def monitors():
    """A private display with two monitors, the secondary left of the
    primary, and a prefix with no virtual desktop, for the whole run."""
    d = TwoMonitorDesktop(BUILD / 'e2e' / 'monitors').start()
    yield d
    d.stop()


@pytest.fixture
def start_on_monitors(monitors):
    """start_program on the two monitors; the layout is the two monitors again
    after the test, whatever it did to them."""
    start, stop = program_starter(monitors)
    yield start
    stop()
    found = monitors.monitors()[0]
    if len(found) == 3:
        monitors.set_third(False)
    elif len(found) != 2:
        monitors.set_secondary(True)


# Ctrl+Shift+M starts the tool under test.
TOOL_HOT_KEY = 0x4000 | 0x2000 | ord('M')


@pytest.fixture
def frozen_tool(desktop, start_program):
    """Starts a tool (named as in its settings: 'Screenshot', 'Measurer',
    'Dropper') with its hot key over a picture with a colour per pixel, its
    panel parked at the bottom right corner; returns what the overlay shows,
    against the frozen picture."""
    patterns = []

    def start(tool, **options):
        program = start_program(**{f'{tool}Key': TOOL_HOT_KEY, f'{tool}PosX': 5000,
                                   f'{tool}PosY': 5000}, **options)
        patterns.append(Pattern(desktop, 40, 30, 900, 650, square=1))
        frozen = desktop.screenshot()
        desktop.move(600, 500)
        desktop.key('ctrl+shift+m')
        program.overlay()
        picture = FrozenPicture(desktop, program, frozen)
        picture.shows(frozen, 'the frozen picture')
        return picture

    yield start
    for pattern in patterns:
        pattern.close()
