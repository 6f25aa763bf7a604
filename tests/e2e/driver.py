"""Drives the real Vantacle.exe from outside, as a user and other programs
would: a private Xvfb display and Wine prefix with one virtual desktop (or a
private Xorg display with two monitors and no virtual desktop,
TwoMonitorDesktop), input through xdotool, the screen through ImageMagick,
the registry through Wine's reg, the clipboard through xclip, the program's
windows through a small Windows helper (probe.exe), since inside Wine's
desktop they are not X windows. Everything started here is stopped here, by
process id and by the prefix's own wineserver, also when a test fails."""
import io
import json
import os
import re
import subprocess
import tempfile
import time
from pathlib import Path

import pytest
from PIL import Image, ImageChops

ROOT = Path(__file__).resolve().parents[2]
SCRIPTS = ROOT / 'scripts'


def _wine_choice():
    """(win32 or win64, its loader, the 64-bit loader, the server, natively or
    emulated): scripts/wine-env.sh decides which build this machine proves and
    how it runs, for the scripts and these tests alike."""
    out = subprocess.run(
        ['bash', '-c', '. "$0" && arch=$(wine_arch) && wine_env /nonexistent "$arch" && '
         'echo "$arch $WINE $WINE64 $WINESERVER $(wine_runs "$arch")"', SCRIPTS / 'wine-env.sh'],
        check=True, stdout=subprocess.PIPE, text=True).stdout.split()
    return tuple(out)


ARCH, _LOADER, _LOADER64, WINESERVER, RUNS = _wine_choice()
BUILD = Path(os.environ.get('VANTACLE_BUILD', ROOT / 'build' / ARCH)).resolve()
VANTACLE_EXE = BUILD / 'Vantacle.exe'
# Where qemu emulates the 32-bit program, every start of a 32-bit process
# costs about 50 s of processor time before it runs any of its own code. The
# helpers (reg, taskkill, probe.exe) are then the 64-bit build's, started by
# the 64-bit loader, which hands the program itself to the 32-bit one; and
# every wait for the program, its start the first, gets PATIENCE times the
# time, for its code runs several times slower too. The native path is as it
# was.
EMULATED = RUNS == 'emulated'
WINE = _LOADER64 if EMULATED else _LOADER
PROBE_EXE = (BUILD.parent / 'win64' if EMULATED else BUILD) / 'tests' / 'probe.exe'
PATIENCE = 4 if EMULATED else 1
# What glibc 2.36's loader prints, exiting with 127, when its exit handler
# finds its list of loaded libraries changed under it: seen once, on `reg add`
# in Wine's 64-bit loader, after the program itself had ended.
EXIT_RACE = 'Inconsistency detected by ld.so: dl-fini.c'

SETTINGS_KEY = r'HKCU\SOFTWARE\Quillmont\Vantacle'
OPTIONS_KEY = SETTINGS_KEY + r'\Options'
RUN_KEY = r'HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'


def wait_until(condition, timeout=30.0, interval=0.1, what='condition'):
    """Polls condition() until it returns something true; returns that."""
    timeout *= PATIENCE
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise TimeoutError(f'timed out after {timeout} s waiting for {what}')
        time.sleep(interval)


def holds_for(condition, seconds, what='condition'):
    """Asserts that condition() stays true for this long: how a test shows
    that something does not happen (a key ignored, a dialog not shown)."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        assert condition(), f'{what} stopped holding'
        time.sleep(0.1)


def wait_for_assertion(check, timeout=30.0, what='the check'):
    """Repeats check() until it raises no AssertionError; on timeout raises
    the last one, so the failure shows what was still wrong."""
    last = []

    def passes():
        try:
            check()
            return True
        except AssertionError as error:
            last[:] = [error]
            return False
    try:
        wait_until(passes, timeout, 0.2, what)
    except TimeoutError:
        raise last[0] if last else AssertionError(f'{what} never ran')


class WineDesktop:
    """A private display and prefix whose programs share one virtual desktop."""

    def __init__(self, folder, size='1024x768'):
        self.folder = Path(folder)
        self.size = size
        self.width, self.height = (int(v) for v in size.split('x'))
        self.env = None

    @property
    def prefix(self):
        return self.folder / 'wine' / 'prefix'

    def start(self):
        # No descriptor of pytest's may leak into the daemons this starts.
        # Creating a prefix on a busy machine takes minutes, not seconds.
        subprocess.run([SCRIPTS / 'wine-session.sh', 'start', self.folder, self.size], check=True,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=600)
        return self.attach((self.folder / 'wine' / 'display').read_text().strip())

    def attach(self, display):
        """Looks at the prefix of this folder on an X display someone else runs."""
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix),
                        WINEDEBUG='-all', WINELOADER=WINE, WINESERVER=WINESERVER,
                        WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe=',
                        DISPLAY=f':{display}')
        return self

    def processes(self):
        """Process ids of everything running in this prefix, Wine's server too."""
        wanted = f'WINEPREFIX={self.prefix}'.encode()
        found = []
        for entry in Path('/proc').iterdir():
            if entry.name.isdigit():
                try:
                    if wanted in (entry / 'environ').read_bytes().split(b'\0'):
                        found.append(int(entry.name))
                except OSError:
                    pass  # ended meanwhile, or not ours
        return found

    def running(self, name):
        """Process ids of this prefix's programs started from a file of this
        name, in any folder and letter case."""
        def named(pid):
            try:
                words = Path(f'/proc/{pid}/cmdline').read_bytes().decode(errors='replace')
            except OSError:
                return False  # ended meanwhile
            return any(re.split(r'[\\/]', w)[-1].lower() == name.lower() for w in words.split('\0'))
        return [pid for pid in self.processes() if named(pid)]

    def stop(self):
        subprocess.run([SCRIPTS / 'wine-session.sh', 'stop', self.folder], check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    # -- files

    @staticmethod
    def windows_path(path):
        """A file of this machine as Windows programs of the prefix name it."""
        return 'Z:' + str(Path(path).resolve()).replace('/', '\\')

    def unix_path(self, windows_path):
        """Where a file on the prefix's drive C: lies on this machine."""
        drive, _, rest = windows_path.partition(':')
        assert drive.lower() == 'c', windows_path
        return self.prefix / 'drive_c' / Path(*[part for part in rest.split('\\') if part])

    def environment(self, name):
        """An environment variable as Windows programs of the prefix see it."""
        return self.wine('cmd', '/c', 'echo', f'%{name}%').stdout.strip()

    def msiexec(self, *args, log=None):
        """Runs Windows Installer to its end; its exit code. A Unix exit status
        keeps the low 8 bits only: 1603 (the installation failed) is 67."""
        extra = ['/l*v', self.windows_path(log)] if log else []
        return self.wine('msiexec', *args, *extra, check=False, timeout=300 * PATIENCE).returncode

    # -- running Windows programs

    def wine(self, *args, check=True, timeout=60):
        """Runs a Windows program to its end and returns its exit code and output."""
        result = self._wine_once(args, timeout)
        if check and result.returncode == 127 and EXIT_RACE in result.stderr:
            # The program had ended but its exit code is lost. Every command
            # run with check is safe to repeat.
            result = self._wine_once(args, timeout)
        if check and result.returncode:
            # Wine's own complaints say why a program never ran.
            raise AssertionError(f'{args} exited with {result.returncode}: '
                                 f'{result.stderr[-2000:]!r}')
        return result

    def _wine_once(self, args, timeout):
        """Output goes through a file, not a pipe: Wine starts helper processes
        on demand that inherit the descriptors and outlive the program, and a
        pipe they hold open never reaches its end."""
        with tempfile.TemporaryFile(mode='w+') as out, tempfile.TemporaryFile(mode='w+') as err:
            result = subprocess.run([WINE, *map(str, args)], env=self.env, timeout=timeout,
                                    stdin=subprocess.DEVNULL, stdout=out, stderr=err)
            out.seek(0)
            err.seek(0)
            result.stdout, result.stderr = out.read(), err.read()
        return result

    def spawn(self, *args):
        return subprocess.Popen([WINE, *map(str, args)], env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    # -- registry

    def reg_query(self, key, view=None):
        """{value name: (type, data)} of a key; None when the key is missing.
        view 32: the 32-bit programs' view of HKLM\\Software."""
        result = self.wine('reg', 'query', key, *([f'/reg:{view}'] if view else []), check=False)
        if result.returncode != 0:
            return None
        values = {}
        for line in result.stdout.splitlines():
            parts = line.strip().split('    ')
            if len(parts) >= 2 and parts[1].startswith('REG_'):
                values[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else '')
        return values

    def reg_add(self, key, name, data, kind='REG_SZ'):
        self.wine('reg', 'add', key, '/v', name, '/t', kind, '/d', str(data), '/f')

    def reg_add_strings(self, key, values):
        """Writes string values under a key with one start of Wine's reg: a
        start of a program is the slow, and under load the flaky, part."""
        if not values:
            return
        def quoted(text):
            return '"' + str(text).replace('\\', '\\\\').replace('"', '\\"') + '"'
        root, _, rest = key.partition('\\')
        root = {'HKCU': 'HKEY_CURRENT_USER', 'HKLM': 'HKEY_LOCAL_MACHINE'}.get(root, root)
        lines = ['Windows Registry Editor Version 5.00', '', f'[{root}\\{rest}]']
        lines += [f'{quoted(name)}={quoted(data)}' for name, data in values.items()]
        with tempfile.NamedTemporaryFile('w', suffix='.reg', delete=False, encoding='utf-16') as f:
            f.write('\r\n'.join(lines) + '\r\n')
        try:
            self.wine('reg', 'import', 'Z:' + f.name.replace('/', '\\'))
        finally:
            os.unlink(f.name)

    def reg_delete(self, key, name=None):
        args = ['reg', 'delete', key, '/f'] + (['/v', name] if name else [])
        self.wine(*args, check=False)

    # -- windows

    def probe(self, *args):
        """The output of probe.exe, which only looks. Rarely, while windows
        come and go, Wine ends it with exit code 1 before it printed anything;
        looking again is then safe, and what Wine said is kept in the test's
        output."""
        for _ in range(3):
            result = self.wine(PROBE_EXE, *args, check=False)
            if result.returncode == 0:
                return result.stdout
            print(f'probe {args} exited with {result.returncode}: {result.stderr[-2000:]!r}')
            if result.stdout:
                break
        raise AssertionError(f'probe {args} failed: exit code {result.returncode}')

    def windows(self):
        out = self.probe('windows')
        return [json.loads(line) for line in out.splitlines() if line.strip()]

    def controls(self, hwnd):
        """Every window inside a window, with its control identifier and text."""
        out = self.probe('controls', hwnd)
        return [json.loads(line) for line in out.splitlines() if line.strip()]

    def find_window(self, cls=None, title=None, pid=None, visible=None):
        for w in self.windows():
            if ((cls is None or w['class'] == cls) and (title is None or w['title'] == title)
                    and (pid is None or w['pid'] == pid)
                    and (visible is None or w['visible'] == visible)):
                return w
        return None

    def wait_for_window(self, timeout=90.0, **match):
        return wait_until(lambda: self.find_window(**match), timeout, 0.2, f'window {match}')

    def above_taskbar(self):
        """(left, top, right, bottom) of the desktop above the taskbar; the
        system's work area is not always told of the taskbar in time."""
        bar = self.find_window(cls='Shell_TrayWnd', visible=True)
        return (0, 0, self.width, bar['rect'][1] if bar else self.height)

    def foreground(self):
        return int(self.probe('foreground').strip())

    def focus(self):
        """The window that has the keyboard focus, 0 if none."""
        return int(self.probe('focus').strip())

    def close_window(self, hwnd):
        self.wine(PROBE_EXE, 'close', hwnd, check=False)

    def show(self, hwnd):
        self.wine(PROBE_EXE, 'show', hwnd, check=False)

    def activate(self, hwnd):
        self.wine(PROBE_EXE, 'activate', hwnd, check=False)

    def redraw(self, hwnd):
        """Has a window repaint itself entirely, as when something uncovers it."""
        self.wine(PROBE_EXE, 'redraw', hwnd, check=False)

    # -- input, in Windows screen coordinates

    def to_x(self, x, y):
        """X root coordinates of a point in Windows screen coordinates: the
        desktop window fills the display from its corner, so the same."""
        return x, y

    def _xdotool(self, *args):
        subprocess.run(['xdotool', *map(str, args)], env=self.env, check=True)

    def _focus_desktop(self):
        # Without a window manager nothing gives the desktop the keyboard focus,
        # and Wine only sees keys (global hot keys too) sent to a focused window.
        ids = subprocess.run(['xdotool', 'search', '--name', 'Wine desktop'], env=self.env,
                             stdout=subprocess.PIPE, text=True).stdout.split()
        if ids:
            self._xdotool('windowfocus', ids[0])

    def key(self, *keys):
        self._focus_desktop()
        self._xdotool('key', '--delay', '50', *keys)

    def move(self, x, y):
        self._xdotool('mousemove', *self.to_x(x, y))

    def click_with(self, modifier, x, y, button=1):
        """A click while a modifier key (ctrl, shift) is held. One xdotool
        command: the X server keeps the events in this order."""
        self._focus_desktop()
        self._xdotool('mousemove', *self.to_x(x, y), 'keydown', modifier, 'click', button,
                      'keyup', modifier)

    def press(self, x, y, button=1):
        self._xdotool('mousemove', *self.to_x(x, y), 'mousedown', button)

    def release(self, x, y, button=1):
        self._xdotool('mousemove', *self.to_x(x, y), 'mouseup', button)

    def drag(self, x0, y0, x1, y1):
        """A left drag in two steps, as a hand would make it."""
        self._xdotool('mousemove', *self.to_x(x0, y0), 'mousedown', 1,
                      'mousemove', *self.to_x((x0 + x1) // 2, (y0 + y1) // 2),
                      'mousemove', *self.to_x(x1, y1), 'mouseup', 1)

    def click(self, x, y, button=1):
        self._xdotool('mousemove', *self.to_x(x, y), 'click', button)

    # -- output

    def screenshot(self):
        """The display as it is now, as an RGB image in X root coordinates
        (to_x): here the virtual desktop."""
        png = subprocess.run(['import', '-window', 'root', '-crop',
                              f'{self.width}x{self.height}+0+0', 'png:-'], env=self.env,
                             check=True, stdout=subprocess.PIPE).stdout
        return Image.open(io.BytesIO(png)).convert('RGB')

    def clipboard_bitmap(self):
        """The clipboard's picture as another program reads it, or None."""
        data = subprocess.run(['xclip', '-o', '-selection', 'clipboard', '-t', 'image/bmp'],
                              env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              timeout=10).stdout
        return Image.open(io.BytesIO(data)).convert('RGB') if data[:2] == b'BM' else None

    def clipboard_text(self):
        return subprocess.run(['xclip', '-o', '-selection', 'clipboard'], env=self.env,
                              stdout=subprocess.PIPE, text=True, timeout=10).stdout


class TwoMonitorDesktop(WineDesktop):
    """A private Xorg display with two monitors, the secondary left of the
    primary, and a prefix with no virtual desktop (wine-session.sh monitors):
    every window is an X window of its own, the virtual screen reaches into
    negative x, and Wine's stand-alone tray window holds the notification
    icons. Input and windows are in Windows screen coordinates; screenshots
    cover the whole X screen, in X root coordinates (to_x). width and height
    are the X screen's."""

    TRAY_CLASS = '__winex11_standalone_tray'

    def __init__(self, folder, primary='1024x768', secondary='800x600'):
        super().__init__(folder, primary)
        self.primary, self.secondary = primary, secondary
        self.origin = (0, 0)  # the primary monitor's corner in X root coordinates

    def start(self):
        subprocess.run([SCRIPTS / 'wine-session.sh', 'monitors', self.folder, self.primary,
                        self.secondary], check=True, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)
        self.attach((self.folder / 'wine' / 'display').read_text().strip())
        self._read_layout()
        return self

    def _xrandr(self, *args):
        return subprocess.run(['xrandr', *args], env=self.env, check=True,
                              stdout=subprocess.PIPE, text=True).stdout

    def _read_layout(self):
        """Where the primary monitor lies on the X screen and how large that
        is. A query also has the server probe its outputs, which the dummy
        driver needs before Wine sees a changed one."""
        screen = re.search(r'current (\d+) x (\d+)', self._xrandr())
        self.width, self.height = int(screen[1]), int(screen[2])
        # " 0: +*DUMMY0 1024/271x768/203+800+0  DUMMY0": the star marks the primary.
        primary = re.search(r'^\s*\d+: \+?\*\S+ \d+/\d+x\d+/\d+\+(\d+)\+(\d+)',
                            self._xrandr('--listmonitors'), re.M)
        self.origin = int(primary[1]), int(primary[2])

    def to_x(self, x, y):
        """Wine puts the primary monitor's corner at Windows (0, 0)."""
        return x + self.origin[0], y + self.origin[1]

    def to_windows(self, x, y):
        return x - self.origin[0], y - self.origin[1]

    def pointer(self):
        """Where the X pointer is, in Windows screen coordinates."""
        shell = subprocess.run(['xdotool', 'getmouselocation', '--shell'], env=self.env,
                               check=True, stdout=subprocess.PIPE, text=True).stdout
        where = dict(line.split('=', 1) for line in shell.split())
        return self.to_windows(int(where['X']), int(where['Y']))

    def monitors(self):
        """(monitor rectangles, primary first, virtual screen rectangle), as a
        Windows program sees them."""
        lines = [json.loads(line) for line in self.probe('monitors').splitlines() if line.strip()]
        found = sorted((m for m in lines if 'monitor' in m), key=lambda m: not m['primary'])
        return [tuple(m['rect']) for m in found], tuple(lines[-1]['virtual'])

    def set_secondary(self, on):
        """Connects the secondary monitor left of the primary again, or takes it
        away (the primary then alone at the X screen's corner), and waits until
        Windows programs see the change."""
        if on:
            self._xrandr('--output', 'DUMMY1', '--mode', self.secondary, '--left-of', 'DUMMY0')
        else:
            self._xrandr('--output', 'DUMMY1', '--off', '--output', 'DUMMY0', '--pos', '0x0')
        self._changed()

    def set_third(self, on):
        """Connects a third monitor of the secondary's size right of the
        primary (Windows 1024,0 onwards), or takes it away again."""
        if on:
            # The dummy output knows only the modes it was given.
            subprocess.run(['xrandr', '--addmode', 'DUMMY2', self.secondary], env=self.env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self._xrandr('--output', 'DUMMY2', '--mode', self.secondary, '--right-of', 'DUMMY0')
        else:
            self._xrandr('--output', 'DUMMY2', '--off')
        self._changed()

    def _changed(self):
        """Waits until Windows programs see the outputs xrandr reports."""
        self._read_layout()
        count = len(re.findall(r'^\s*\d+: ', self._xrandr('--listmonitors'), re.M))
        wait_until(lambda: len(self.monitors()[0]) == count, what=f'{count} monitors for Wine')

    def tray(self):
        """Wine's stand-alone tray window, None while it shows no icon."""
        return self.find_window(cls=self.TRAY_CLASS, visible=True)

    def _x_window(self, window):
        """The X window that shows a Windows window: Wine names it by the
        window's title and places it where the window is."""
        found = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name',
                                '^' + re.escape(window['title']) + '$'], env=self.env,
                               stdout=subprocess.PIPE, text=True).stdout.split()
        left, top = self.to_x(*window['rect'][:2])
        size = (window['rect'][2] - window['rect'][0], window['rect'][3] - window['rect'][1])
        for candidate in found:
            geometry = subprocess.run(['xdotool', 'getwindowgeometry', '--shell', candidate],
                                      env=self.env, stdout=subprocess.PIPE, text=True).stdout
            g = dict(line.split('=', 1) for line in geometry.split())
            if ((int(g['X']), int(g['Y'])) == (left, top)
                    and (int(g['WIDTH']), int(g['HEIGHT'])) == size):
                return candidate
        return None

    def _focus_desktop(self):
        # No window manager moves the X keyboard focus, and Wine hands a key
        # to the process whose X window gets it: the X focus must be on the
        # foreground window's X window, or the overlay misses keys while the
        # pointer is over another program's window. With no foreground window,
        # the tray's takes the keys: global hot keys work from any of Wine's.
        active = [json.loads(line) for line in self.probe('active').splitlines() if line.strip()]
        target = self._x_window(active[0]) if active else None
        if target is None:
            tray = self.tray()
            target = self._x_window(tray) if tray else None
        if target is not None:
            self._xdotool('windowfocus', target)


def shortcut_target(lnk):
    """The file a shell link (.lnk) points to: its LinkInfo's local base path
    and common path suffix (MS-SHLLINK; the ANSI ones, which Wine writes)."""
    data = Path(lnk).read_bytes()
    at = 76 + (2 + int.from_bytes(data[76:78], 'little') if data[20] & 1 else 0)  # the ID list
    info = data[at:]
    return ''.join(info[int.from_bytes(info[o:o + 4], 'little'):].split(b'\0', 1)[0].decode('cp1252')
                   for o in (16, 24))


def pointer_keys(start, end):
    """The key strokes that walk the Measurer's or the Dropper's pointer from
    start to end: Shift+arrow for each ten pixels, an arrow for each one."""
    strokes = []
    for delta, minus, plus in ((end[0] - start[0], 'Left', 'Right'),
                               (end[1] - start[1], 'Up', 'Down')):
        key = plus if delta > 0 else minus
        tens, ones = divmod(abs(delta), 10)
        strokes += [f'shift+{key}'] * tens + [key] * ones
    return strokes


def context_menu(desktop, pid, at):
    """Opens a context menu of the program by a right click at `at`; its window."""
    desktop.click(*at, button=3)
    return wait_until(lambda: desktop.find_window(cls='#32768', pid=pid, visible=True),
                      what='the context menu')


def open_menus(desktop, pid, count):
    """Waits until the program shows `count` menu windows (a menu and its
    open submenus) and returns them, the last opened last."""
    def look():
        shown = [w for w in desktop.windows()
                 if w['class'] == '#32768' and w['pid'] == pid and w['visible']]
        return shown if len(shown) == count else None
    # Windows are listed topmost first: the newest submenu leads.
    return wait_until(look, what=f'{count} open menus')[::-1]


class Vantacle:
    """One run of the real program in a desktop."""

    def __init__(self, desktop, exe=VANTACLE_EXE):
        self.desktop = desktop
        self.exe = exe
        self.process = None
        self.pid = None  # the Windows process id, as probe.exe sees it

    def start(self, expect_welcome=False):
        # A window of an earlier run that is still going away is not this one's.
        earlier = {w['pid'] for w in self.desktop.windows()}
        self.process = self.desktop.spawn(self.exe)
        match = dict(title='Welcome!', visible=True) if expect_welcome else {'class': 'TfrmHost'}

        def new_window():
            return next((w for w in self.desktop.windows() if w['pid'] not in earlier and
                         all(w[k] == v for k, v in match.items())), None)
        self.pid = wait_until(new_window, 90, 0.2, f'window {match} of the new program')['pid']
        return self

    def host(self):
        return self.desktop.find_window(cls='TfrmHost', pid=self.pid)

    def overlay(self, visible=True):
        """Waits until the host form is shown (a tool runs) or hidden."""
        return wait_until(lambda: self.desktop.find_window(cls='TfrmHost', pid=self.pid,
                                                           visible=visible), what='the overlay')

    def running(self):
        return self.process is not None and self.process.poll() is None

    def private_memory_kb(self):
        """The program's private memory as Linux counts it (Wine runs it in
        the process it was started as)."""
        rollup = Path(f'/proc/{self.process.pid}/smaps_rollup').read_text()
        return int(re.search(r'^Private_Dirty:\s+(\d+) kB', rollup, re.M)[1])

    def request_close(self):
        """A close request to every window of the program, as taskkill sends."""
        self.desktop.wine('taskkill', '/pid', self.pid, check=False)

    def wait_exit(self, timeout=60.0):
        return wait_until(lambda: not self.running(), timeout, 0.1, 'the program to end')

    def stop(self):
        if self.running():
            self.request_close()
            try:
                self.process.wait(timeout=30 * PATIENCE)
            except subprocess.TimeoutExpired:
                self.desktop.wine('taskkill', '/f', '/pid', self.pid, check=False)
                try:
                    self.process.wait(timeout=30 * PATIENCE)
                except subprocess.TimeoutExpired:
                    self.process.kill()


class Pattern:
    """A window of coloured squares from probe.exe, for screens that are not
    one flat colour; ends with the test."""

    def __init__(self, desktop, x, y, width, height, period_ms=0, square=7):
        self.desktop = desktop
        self.x, self.y, self.width, self.height, self.square = x, y, width, height, square
        self.process = subprocess.Popen(
            [WINE, str(PROBE_EXE), 'pattern', str(x), str(y), str(width), str(height),
             str(period_ms), str(square)], env=desktop.env, stdin=subprocess.DEVNULL,
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.hwnd = int(self.process.stdout.readline())
        wait_until(self.on_screen, what='the pattern on the screen')

    def color(self, px, py):
        """The first phase's colour of the pattern at (px, py) inside it, as
        probe.exe computes it."""
        column, row = px // self.square, py // self.square
        return ((column * 37) & 0xFF, (row * 53) & 0xFF, ((column + row) * 29) & 0xFF)

    def on_screen(self):
        """True once the screen shows the pattern at its corners and centre."""
        shot = self.desktop.screenshot()
        corners = ((0, 0), (self.width - 1, 0), (0, self.height - 1),
                   (self.width - 1, self.height - 1), (self.width // 2, self.height // 2))
        return all(shot.getpixel(self.desktop.to_x(self.x + px, self.y + py))
                   == self.color(px, py) for px, py in corners)

    def close(self):
        self.process.terminate()
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()


SILVER = 0xC0


def xor_silver(pixels, x, y):
    pixels[x, y] = tuple(c ^ SILVER for c in pixels[x, y])


def xor_frame(picture, rect):
    """picture with the dotted frame of rect: four strokes, each from a
    corner up to but not including the next, silver by exclusive-or where
    x + y is odd."""
    picture = picture.copy()
    pixels = picture.load()
    left, right = sorted((rect[0], rect[2]))
    top, bottom = sorted((rect[1], rect[3]))
    corners = [(left, top), (right, top), (right, bottom), (left, bottom), (left, top)]
    for (x, y), end in zip(corners, corners[1:]):
        while (x, y) != end:
            if (x + y) % 2:
                xor_silver(pixels, x, y)
            x += (end[0] > x) - (end[0] < x)
            y += (end[1] > y) - (end[1] < y)
    return picture


class FrozenPicture:
    """What a tool shows over the frozen screen, compared pixel for pixel;
    the information panel, parked at the bottom right corner, is left out."""

    def __init__(self, desktop, program, frozen):
        self.desktop, self.program, self.frozen = desktop, program, frozen
        w, h = desktop.width, desktop.height
        self.panel = (w - 16, h - 16, w, h)

    def differing(self, expected):
        shot = self.desktop.screenshot()
        shot.paste(expected.crop(self.panel), self.panel[:2])
        return ImageChops.difference(expected, shot).getbbox()

    def shows(self, expected, what):
        """Waits until the screen is exactly `expected`."""
        try:
            wait_until(lambda: self.differing(expected) is None, timeout=8, what=what)
        except TimeoutError:
            pytest.fail(f'{what}: the screen differs in {self.differing(expected)}')

    def shows_frame(self, rect):
        self.shows(xor_frame(self.frozen, rect), f'the frame of {rect}')
