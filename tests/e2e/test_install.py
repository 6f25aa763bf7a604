"""The per-user MSI under Wine's msiexec, in a prefix where the program has
never run, and the program's one instance: the install, the first start from
the shortcut's target, a later start and "/close", an upgrade while a tool
runs, a refused downgrade, the uninstall of a running program. Wine's msiexec
puts a per-user entry in HKLM's 32-bit view (Windows: HKCU), gives its icon as
ProductIcon only, and sends a running program nothing: the package ends it."""
import os
import shutil
import subprocess

import pytest

from driver import (BUILD, OPTIONS_KEY, PATIENCE, RUN_KEY, SCRIPTS, SETTINGS_KEY, VANTACLE_EXE,
                    Vantacle, shortcut_target, wait_until)
from test_tray import tray_icons, wait_for_tray

FAILED = 1603 & 0xFF  # ERROR_INSTALL_FAILURE, as a Unix exit status keeps it
LOG = BUILD / 'e2e' / 'packages' / 'msiexec.log'


@pytest.fixture(scope='module')
def packages():
    """(version, msi, product code) of this version's package of the exe under
    test and of a 1.70 one, built as make dist builds them."""
    shutil.rmtree(LOG.parent, ignore_errors=True)
    found = []
    for version in (None, '1.70'):
        out = LOG.parent / (version or 'this')
        subprocess.run(['bash', SCRIPTS / 'dist.sh', VANTACLE_EXE, out], check=True,
                       stdout=subprocess.DEVNULL,
                       env=dict(os.environ, **({'VANTACLE_VERSION': version} if version else {})))
        msi = next(out.glob('*.msi'))
        table = subprocess.run(['msiinfo', 'export', msi, 'Property'], check=True,
                               stdout=subprocess.PIPE, text=True).stdout
        read = dict(line.split('\t', 1) for line in table.splitlines() if '\t' in line)
        found.append((read['ProductVersion'], msi, read['ProductCode']))
    return found


def msiexec(d, action, msi, expect=0):
    code = d.msiexec(action, d.windows_path(msi), '/qn', log=LOG)
    assert code == expect, LOG.read_text(encoding='utf-16', errors='replace')[-3000:]


def entry(d, code):
    key = rf'SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\{code}'
    return d.reg_query(f'HKCU\\{key}') or d.reg_query(f'HKLM\\{key}', view=32)


def running_tool(d, exe):
    program = Vantacle(d, exe=exe).start()
    d.key('ctrl+shift+m')
    program.overlay()
    return program


def test_install_one_instance_upgrade_downgrade_and_uninstall_of_a_running_program(
        fresh_desktop, packages):
    d = fresh_desktop
    (version, msi, code), (old_version, old_msi, old_code) = packages
    exe = d.environment('LOCALAPPDATA') + r'\Programs\Vantacle\Vantacle.exe'
    shortcut = d.unix_path(d.environment('APPDATA') + r'\Microsoft\Windows\Start Menu\Programs'
                           r'\Vantacle.lnk')

    msiexec(d, '/i', old_msi)
    assert d.unix_path(exe).read_bytes() == VANTACLE_EXE.read_bytes()
    target = shortcut_target(shortcut)
    assert target.lower() == exe.lower()
    listed = entry(d, old_code)
    assert [listed[k][1] for k in ('DisplayName', 'DisplayVersion', 'Publisher')] == [
        'Vantacle', old_version, 'Quillmont']
    g = old_code.strip('{}').replace('-', '')  # packed, as in the installer's key names
    packed = g[7::-1] + g[11:7:-1] + g[15:11:-1] + ''.join(g[i + 1] + g[i] for i in range(16, 32, 2))
    icon = d.reg_query(rf'HKCU\SOFTWARE\Microsoft\Installer\Products\{packed}')['ProductIcon'][1]
    assert d.unix_path(icon).read_bytes() == subprocess.run(
        ['wrestool', '-x', '-t', '14', '-n', 'MAINICON', VANTACLE_EXE], check=True,
        stdout=subprocess.PIPE).stdout

    # The first start, from the shortcut's target, records where it runs.
    first = Vantacle(d, exe=target).start(expect_welcome=True)
    path = wait_until(lambda: d.reg_query(SETTINGS_KEY), what='the start record')['@Path'][1]
    assert path.lower() == exe.lower()
    d.key('Return')
    wait_for_tray(d, [('main', 'normal')])
    # A later start (with a switch the program does not know) shows the
    # running one's Preferences and leaves: one process, one tray icon.
    assert d.wine(exe, '/unknown', timeout=60 * PATIENCE).returncode == 0
    assert wait_until(lambda: d.find_window(title='Preferences', visible=True))['pid'] == first.pid
    assert {w['pid'] for w in d.windows() if w['class'] == 'TfrmHost'} == {first.pid}
    wait_for_tray(d, [('main', 'normal')])
    # "/close" returns once the program has ended, cleanly; then with none to end.
    assert d.wine(exe, '/close', timeout=60 * PATIENCE).returncode == 0
    assert first.process.wait(timeout=5) == 0
    wait_until(lambda: not tray_icons(d), what='the tray icon gone')
    assert d.wine(exe, '/CLOSE', timeout=60 * PATIENCE).returncode == 0

    # An upgrade while a tool runs ends it as Escape would, keeping what the user set.
    d.reg_add_strings(OPTIONS_KEY, {'ZoomWidth': 150, 'MeasurerKey': 24653})  # Ctrl+Shift+M
    program = running_tool(d, target)
    msiexec(d, '/i', msi)
    assert program.wait_exit() and program.process.returncode == 0
    assert entry(d, old_code) is None and entry(d, code)['DisplayVersion'][1] == version
    assert d.reg_query(OPTIONS_KEY)['ZoomWidth'] == ('REG_SZ', '150')
    assert d.reg_query(RUN_KEY)['Vantacle'][1].lower() == exe.lower()

    msiexec(d, '/i', old_msi, expect=FAILED)  # the older package over the newer one
    assert entry(d, code)['DisplayVersion'][1] == version

    # The uninstall ends the running program first and leaves only its settings.
    program = running_tool(d, target)
    msiexec(d, '/x', msi)
    assert program.wait_exit() and program.process.returncode == 0
    assert not d.unix_path(exe).parent.exists() and not shortcut.exists()
    assert 'Vantacle' not in (d.reg_query(RUN_KEY) or {})
    assert entry(d, code) is None and d.running('Vantacle.exe') == []
    assert d.reg_query(OPTIONS_KEY)['ZoomWidth'] == ('REG_SZ', '150')
