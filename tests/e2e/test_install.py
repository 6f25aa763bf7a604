"""The per-user MSI under Wine's msiexec, in a prefix where the program has
never run: the install (files, Start-menu shortcut, uninstall entry), the
first start from the shortcut's target, an upgrade from an older package
while a tool runs (settings and start with Windows kept), a refused
downgrade with its message, and the uninstall of a running program: it is
ended cleanly first, and nothing of it is left but its settings.

Wine's msiexec puts a per-user package's uninstall entry in the 32-bit view
of HKLM (Windows puts it under HKCU), and sends a running program nothing
itself: ending it is the package's own doing."""
import os
import shutil
import subprocess

import pytest

from driver import (BUILD, OPTIONS_KEY, PATIENCE, PROBE_EXE, RUN_KEY, SCRIPTS, SETTINGS_KEY,
                    VANTACLE_EXE, Vantacle, shortcut_target, wait_until)

OLD_VERSION = '1.70'
UNINSTALL = r'SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
CTRL_SHIFT_M = 0x4000 | 0x2000 | ord('M')
FAILED = 1603 & 0xFF  # ERROR_INSTALL_FAILURE, as a Unix exit status keeps it


class Package:
    def __init__(self, path):
        self.path = path
        # Read from the package itself, as Windows Installer reads it.
        table = subprocess.run(['msiinfo', 'export', path, 'Property'], check=True,
                               stdout=subprocess.PIPE, text=True).stdout
        properties = dict(line.split('\t', 1) for line in table.splitlines() if '\t' in line)
        self.version = properties['ProductVersion']
        self.product_code = properties['ProductCode']


@pytest.fixture(scope='module')
def packages():
    """This version's installer of the exe under test and an older one, as
    make dist builds them."""
    folder = BUILD / 'e2e' / 'packages'
    shutil.rmtree(folder, ignore_errors=True)
    for name, version in (('new', None), ('old', OLD_VERSION)):
        env = dict(os.environ, **({'VANTACLE_VERSION': version} if version else {}))
        subprocess.run(['bash', SCRIPTS / 'dist.sh', VANTACLE_EXE, folder / name], env=env,
                       check=True, stdout=subprocess.DEVNULL)
    new = Package(next((folder / 'new').glob('Vantacle-*.msi')))
    old = Package(folder / 'old' / f'Vantacle-{OLD_VERSION}.msi')
    assert old.product_code != new.product_code
    return new, old


def install(d, package, *options, expect=0):
    log = BUILD / 'e2e' / 'packages' / 'msiexec.log'
    code = d.msiexec(*options or ('/i',), d.windows_path(package.path), '/qn', log=log)
    assert code == expect, log.read_text(encoding='utf-16', errors='replace')[-3000:]


def uninstall_entry(d, package):
    """The "Apps & features" entry of a package, wherever the installer put it."""
    key = f'{UNINSTALL}\\{package.product_code}'
    return d.reg_query(f'HKCU\\{key}') or d.reg_query(f'HKLM\\{key}', view=32)


def packed(code):
    """A product code as Windows Installer writes it into key names."""
    g = code.strip('{}').replace('-', '')
    return g[7::-1] + g[11:7:-1] + g[15:11:-1] + ''.join(g[i + 1] + g[i] for i in range(16, 32, 2))


def entry_icon(d, package, entry):
    """The icon file "Apps & features" shows for a package."""
    if 'DisplayIcon' in entry:
        return entry['DisplayIcon'][1]
    product = d.reg_query(f'HKCU\\SOFTWARE\\Microsoft\\Installer\\Products\\{packed(package.product_code)}')
    return product['ProductIcon'][1]


def test_install_first_start_upgrade_downgrade_and_uninstall_of_a_running_program(
        fresh_desktop, packages):
    d = fresh_desktop
    new, old = packages
    exe = d.environment('LOCALAPPDATA') + r'\Programs\Vantacle\Vantacle.exe'
    shortcut = d.unix_path(d.environment('APPDATA')
                           + r'\Microsoft\Windows\Start Menu\Programs\Vantacle.lnk')

    # -- the older package installs the files, the shortcut and the entry
    install(d, old)
    assert d.unix_path(exe).read_bytes() == VANTACLE_EXE.read_bytes()
    target = shortcut_target(shortcut)
    assert target.lower() == exe.lower()
    entry = uninstall_entry(d, old)
    assert (entry['DisplayName'][1], entry['DisplayVersion'][1], entry['Publisher'][1]) == (
        'Vantacle', OLD_VERSION, 'Quillmont')
    program_icon = subprocess.run(['wrestool', '-x', '-t', '14', '-n', 'MAINICON', VANTACLE_EXE],
                                  check=True, stdout=subprocess.PIPE).stdout
    assert d.unix_path(entry_icon(d, old, entry)).read_bytes() == program_icon

    # -- the first start, from the shortcut's target, records where it runs
    first = Vantacle(d, exe=target).start(expect_welcome=True)
    recorded = wait_until(lambda: d.reg_query(SETTINGS_KEY), what='the start record')
    assert recorded['@Path'][1].lower() == exe.lower()
    d.key('Return')
    wait_until(lambda: not d.find_window(title='Welcome!', visible=True), what='welcome closed')
    assert d.wine(exe, '/close', timeout=60 * PATIENCE).returncode == 0
    first.wait_exit()

    # -- an upgrade while a tool runs: the program ends cleanly, as by
    # Escape, and the newer package keeps what the user set
    d.reg_add_strings(OPTIONS_KEY, {'ZoomWidth': 150, 'MeasurerKey': CTRL_SHIFT_M})
    running = Vantacle(d, exe=target).start()
    d.key('ctrl+shift+m')
    running.overlay()
    install(d, new)
    running.wait_exit()
    assert running.process.returncode == 0
    assert uninstall_entry(d, old) is None
    assert uninstall_entry(d, new)['DisplayVersion'][1] == new.version
    assert d.reg_query(OPTIONS_KEY)['ZoomWidth'] == ('REG_SZ', '150')
    assert d.reg_query(RUN_KEY)['Vantacle'][1].lower() == exe.lower()
    assert d.unix_path(exe).read_bytes() == VANTACLE_EXE.read_bytes()

    # -- the older package over the newer one is refused, and says why
    install(d, old, expect=FAILED)
    refusal = d.spawn('msiexec', '/i', d.windows_path(old.path), '/qb')
    try:
        box = wait_until(lambda: d.find_window(cls='#32770', visible=True), what='the refusal')
        texts = [c['text'] for c in d.controls(box['hwnd'])]
        assert any(t.startswith('A newer version of Vantacle is already installed') for t in texts)
        d.close_window(box['hwnd'])
        assert refusal.wait(timeout=60 * PATIENCE) == FAILED
    finally:
        if refusal.poll() is None:
            refusal.kill()
    assert uninstall_entry(d, new)['DisplayVersion'][1] == new.version
    assert d.unix_path(exe).exists()

    # -- the uninstall ends the running program (its tool first) and leaves
    # nothing of it but the settings
    running = Vantacle(d, exe=target).start()
    d.key('ctrl+shift+m')
    running.overlay()
    install(d, new, '/x')
    running.wait_exit()
    assert running.process.returncode == 0
    assert not d.unix_path(exe).parent.exists()
    assert not shortcut.exists()
    assert 'Vantacle' not in (d.reg_query(RUN_KEY) or {})
    assert uninstall_entry(d, new) is None
    assert d.running('Vantacle.exe') == []
    assert d.reg_query(OPTIONS_KEY)['ZoomWidth'] == ('REG_SZ', '150')
    assert d.reg_query(SETTINGS_KEY)['@Path'][1].lower() == exe.lower()
