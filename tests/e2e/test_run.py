"""`make run`'s script on a fresh prefix: on a display it shows the desktop
window with the welcome of a first start, without one it uses a private
display; whatever stops it leaves nothing of Wine or of its display behind."""
import os
import signal
import subprocess
import tempfile
from pathlib import Path

import pytest

from driver import ARCH, BUILD, SCRIPTS, WineDesktop, wait_until


@pytest.fixture(scope='module')
def run_folder():
    folder = Path(tempfile.mkdtemp(prefix='vantacle-run-', dir=BUILD))
    yield folder
    subprocess.run([SCRIPTS / 'wine-session.sh', 'stop', folder], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    subprocess.run(['rm', '-rf', folder])


@pytest.fixture
def user_display(tmp_path):
    """An X display of the test's own, larger than the desktop window, as a
    user's screen would be."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(write_end), '-screen', '0', '1280x1024x24',
                             '-nolisten', 'tcp'], pass_fds=(write_end,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as reported:
        display = reported.readline().strip()
    assert display, 'Xvfb did not start'
    yield display, xvfb
    xvfb.terminate()
    xvfb.wait(timeout=30)


def start_run(folder, display):
    """Starts run.sh and waits until it has set up its prefix and started the
    program: Wine programs started while a prefix is created race with it."""
    env = dict(os.environ, VANTACLE_RUN_DIR=str(folder), VANTACLE_ARCH=ARCH)
    env.pop('DISPLAY', None)
    if display:
        env['DISPLAY'] = f':{display}'
    log = folder / 'run.log'
    with open(log, 'w') as out:
        # A session of its own, as a terminal gives a command: Ctrl+C reaches
        # the script and everything it started in the foreground. A terminal
        # also gives it Ctrl+C's default action: started from a background
        # job (nohup, a runner's `&`) the tests inherit SIGINT ignored, and a
        # shell cannot trap a signal it was started with ignored.
        script = subprocess.Popen(['env', '--default-signal=INT', 'bash', SCRIPTS / 'run.sh',
                                   BUILD.parent], env=env,
                                  stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                                  start_new_session=True)
    # The first start of a prefix (wineboot) takes minutes on a busy machine.
    wait_until(lambda: 'Vantacle runs' in log.read_text() or script.poll() is not None,
               timeout=600, what='run.sh to start the program')
    assert script.poll() is None, log.read_text()
    return script


def alive(pid):
    try:
        os.kill(pid, 0)
        return Path(f'/proc/{pid}/stat').read_text().split()[2] != 'Z'
    except (ProcessLookupError, FileNotFoundError):
        return False


# In this order: the first start (welcome) needs the fresh prefix.
@pytest.mark.parametrize('on_display, stop', [(True, 'ctrl+c'), (False, 'kill')])
def test_run_shows_the_program_and_leaves_nothing_behind(run_folder, user_display, on_display,
                                                         stop):
    display, user_xvfb = user_display
    script = start_run(run_folder, display if on_display else None)
    desktop = WineDesktop(run_folder)
    private_xvfb = None
    try:
        if on_display:
            desktop.attach(display)
            # A program's first start in a new prefix is slow on a busy machine.
            try:
                welcome = desktop.wait_for_window(title='Welcome!', visible=True, timeout=300)
            except TimeoutError:
                seen = [(w['title'], w['class'], w['visible']) for w in desktop.windows()]
                running = [Path(f'/proc/{pid}/cmdline').read_bytes().replace(b'\0', b' ')
                           for pid in desktop.processes() if alive(pid)]
                raise AssertionError(f"no welcome; windows {seen}; processes {running}; "
                                     f"run.sh said:\n{(run_folder / 'run.log').read_text()}")
            program_pid = welcome['pid']
            # In a desktop window on the user's own display.
            assert subprocess.run(['xdotool', 'search', '--name', 'Wine desktop'],
                                  env=desktop.env, stdout=subprocess.PIPE,
                                  text=True).stdout.split()
        else:
            state = run_folder / 'wine'
            private_xvfb = int((state / 'xvfb.pid').read_text())
            desktop.attach((state / 'display').read_text().strip())
            program_pid = desktop.wait_for_window(cls='TfrmHost')['pid']
        assert program_pid and desktop.processes()
        if stop == 'ctrl+c':
            os.killpg(script.pid, signal.SIGINT)
        else:
            script.terminate()
        try:
            assert script.wait(timeout=120) != 0
        except subprocess.TimeoutExpired:
            left = subprocess.run(['ps', '-s', str(script.pid), '-o', 'pid,stat,wchan:20,args'],
                                  stdout=subprocess.PIPE, text=True).stdout
            raise AssertionError(f"run.sh still runs 120 s after {stop}:\n{left}run.sh said:\n"
                                 f"{(run_folder / 'run.log').read_text()}") from None
        wait_until(lambda: not desktop.processes(), timeout=60, what='every Wine process to end')
        if private_xvfb:
            wait_until(lambda: not alive(private_xvfb), timeout=60, what='the private display')
        assert user_xvfb.poll() is None, "the user's own display must stay"
    finally:
        if script.poll() is None:
            os.killpg(script.pid, signal.SIGKILL)
