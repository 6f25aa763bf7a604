"""Soak of the real program: 1,000 tool activations through its global hot
keys, cycling through every tool, and what the program holds every 100
activations: private memory (Private_Dirty of /proc/PID/smaps_rollup), GDI
objects and windows (counted by soak_driver.exe from inside the desktop), and
the time per activation. Nothing may grow after the first few activations.
The same soak of a control program (soak_control.exe: the same screen copy,
full-screen window, tray and registry work per activation, nothing else)
gives the growth that Wine itself adds; both growths per activation, from
activation 100 to the end, close the report.

    VANTACLE_BUILD=build/win32 python3 bench/soak/soak.py [COUNT [LETTERS]]

COUNT 0 measures the idle memory only.

LETTERS picks the tools by their hot keys' letters (GSMD: all four), so
that a growth can be traced to one tool.
"""
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / 'tests' / 'e2e'))
from driver import BUILD, OPTIONS_KEY, SETTINGS_KEY, Vantacle, WineDesktop, wait_until  # noqa: E402

# The 64-bit driver reads the GDI handle table of a 32-bit program too: Wine
# keeps that table's address in the 64-bit half of a 32-bit process.
DRIVER = next(d for d in (BUILD.parent / 'win64' / 'bench' / 'soak' / 'soak_driver.exe',
                          BUILD / 'bench' / 'soak' / 'soak_driver.exe') if d.exists())
# Ctrl+Alt and one letter per tool, in tool order.
LETTERS = 'GSMD'
HOT_KEYS = ['MagnifierKey', 'ScreenshotKey', 'MeasurerKey', 'DropperKey']
STEP = 100
EMPTY_PROGRAM = BUILD / 'bench' / 'soak' / 'empty_program.exe'
CONTROL_PROGRAM = BUILD / 'bench' / 'soak' / 'soak_control.exe'
# Growth is measured from here on: the first activations fill caches.
SETTLED_AFTER = 100


def private_dirty_kb(pid):
    for line in Path(f'/proc/{pid}/smaps_rollup').read_text().splitlines():
        if line.startswith('Private_Dirty:'):
            return int(line.split()[1])
    raise RuntimeError('no Private_Dirty in smaps_rollup')


def unix_pid(exe):
    """The Linux process that runs this build's program under Wine."""
    out = subprocess.run(['pgrep', '-f', f'^{exe}'], stdout=subprocess.PIPE, text=True).stdout
    pids = [int(p) for p in out.split()]
    return pids[0] if len(pids) == 1 else None


def drive(desktop, count, window_class='TfrmHost'):
    """[count, ms each, GDI objects, windows, keys pressed again] after
    `count` more activations."""
    result = desktop.wine(DRIVER, '--class', window_class, count, *LETTERS, timeout=600,
                          check=False)
    if result.returncode != 0:
        raise RuntimeError(f'soak_driver failed: {result.stdout.strip()}')
    return result.stdout.split()


def settled_kb(pid):
    """Private memory once it has stopped moving: the same figure twice,
    half a second apart."""
    previous = [None]

    def settled():
        now = private_dirty_kb(pid)
        same, previous[0] = now == previous[0], now
        return now if same else None

    return wait_until(settled, timeout=30, interval=0.5, what='memory to settle')


def empty_program_kb(desktop):
    process = desktop.spawn(EMPTY_PROGRAM)
    try:
        return settled_kb(wait_until(lambda: unix_pid(EMPTY_PROGRAM), what='the empty program'))
    finally:
        process.terminate()
        process.wait(timeout=10)


def soak(desktop, pid, total, window_class):
    """Prints a row every STEP activations; returns the growth of private
    memory per activation, in bytes, from SETTLED_AFTER to the end."""
    print(f'{"activations":>11} {"private kB":>10} {"GDI objects":>11} {"windows":>7} '
          f'{"ms each":>7} {"keys again":>10}')
    report = drive(desktop, 0, window_class)
    print(f'{0:>11} {private_dirty_kb(pid):>10} {report[2]:>11} {report[3]:>7}')
    done, settled = 0, None
    while done < total:
        step = min(STEP, total - done)
        report = drive(desktop, step, window_class)
        done += step
        kb = settled_kb(pid)
        if done == SETTLED_AFTER:
            settled = kb
        print(f'{done:>11} {kb:>10} {report[2]:>11} {report[3]:>7} '
              f'{float(report[1]):>7.1f} {report[4]:>10}', flush=True)
    if settled is None or total <= SETTLED_AFTER:
        return None
    return (settled_kb(pid) - settled) * 1024 / (total - SETTLED_AFTER)


def growth_text(growth):
    return 'not measured' if growth is None else f'{growth:+.0f} bytes per activation'


def main():
    global LETTERS
    total = int(sys.argv[1]) if len(sys.argv) > 1 else 1000
    if len(sys.argv) > 2:
        LETTERS = sys.argv[2]
    desktop = WineDesktop(BUILD / 'bench-soak').start()
    program = control = None
    try:
        empty = empty_program_kb(desktop)
        desktop.reg_delete(SETTINGS_KEY)
        desktop.reg_add(SETTINGS_KEY, '@Version', '1.71')
        desktop.reg_add(OPTIONS_KEY, 'AutoStart', '0')
        for name, letter in zip(HOT_KEYS, 'GSMD'):
            desktop.reg_add(OPTIONS_KEY, name, str(0x4000 | 0x8000 | ord(letter)))
        program = Vantacle(desktop).start()
        # Wine takes no keys, injected ones included, while the pointer is
        # outside its desktop.
        desktop.move(desktop.width // 2, desktop.height // 2)
        pid = wait_until(lambda: unix_pid(program.exe), what='the program\'s process')
        idle = settled_kb(pid)
        print(f'{program.exe}: {program.exe.stat().st_size} bytes; idle private memory '
              f'{idle} kB, an empty program {empty} kB, {idle - empty} kB more')
        if total == 0:
            return
        print(f'soak: {total} activations through the hot keys, cycling {len(LETTERS)} tools')
        growth = soak(desktop, pid, total, 'TfrmHost')
        program.stop()
        program = None

        control = desktop.spawn(CONTROL_PROGRAM)
        control_pid = wait_until(lambda: unix_pid(CONTROL_PROGRAM), what='the control program')
        wait_until(lambda: desktop.find_window(cls='VantacleSoakControl'),
                   what='the control program\'s window')
        print(f'control: {CONTROL_PROGRAM.name}, the same Win32 work per activation')
        control_growth = soak(desktop, control_pid, total, 'VantacleSoakControl')
        print(f'growth from activation {SETTLED_AFTER} to {total}: the program '
              f'{growth_text(growth)}, the control program {growth_text(control_growth)}')
    finally:
        if program:
            program.stop()
        if control:
            control.terminate()
            control.wait(timeout=10)
        desktop.stop()


if __name__ == '__main__':
    main()
