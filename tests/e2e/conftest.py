import os
import shutil
from pathlib import Path

import pytest

from driver import BUILD, OPTIONS_KEY, RUN_KEY, SETTINGS_KEY, Vantacle, WineDesktop


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


@pytest.fixture
def start_program(desktop):
    """Starts the program after an earlier start (no welcome dialog), with
    these options stored and nothing else; stops it after the test. An
    option's value is stored as text, or as (data, registry type)."""
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

    yield start
    for p in running:
        p.stop()
