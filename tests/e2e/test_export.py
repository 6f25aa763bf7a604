"""The Screenshot tool's copy and save on the real program: the clipboard
read by another program, files written through the real save dialog and
opened by an independent decoder, and the failures a user can run into."""
import shutil
import subprocess

import pytest
from PIL import Image, ImageChops, ImageStat

from driver import PROBE_EXE, WINE, Pattern, holds_for, wait_until

SAVE_TYPES = {'gif': 0, 'png': 1, 'jpg': 2, 'bmp': 3, 'tif': 4}


@pytest.fixture
def screenshot(frozen_tool):
    return frozen_tool('Screenshot', JPEGQuality='1000000')


@pytest.fixture
def out_folder(desktop):
    """C:\\out in the prefix, empty."""
    folder = desktop.folder / 'wine' / 'prefix' / 'drive_c' / 'out'
    if folder.exists():
        for f in folder.rglob('*'):
            f.chmod(0o755)
        shutil.rmtree(folder)
    folder.mkdir()
    return folder


def same(a, b):
    return a is not None and a.size == b.size and ImageChops.difference(a, b).getbbox() is None


def copied(desktop, expected):
    wait_until(lambda: same(desktop.clipboard_bitmap(), expected), timeout=8,
               what=f'the clipboard to hold the {expected.size} picture')
    # A Windows program that pastes a bitmap gets the same pixels.
    path = desktop.folder / 'pasted.bmp'
    desktop.probe('clipboardbitmap', f'Z:{path}')
    with Image.open(path) as pasted:
        assert same(pasted.convert('RGB'), expected.convert('RGB'))


def open_dialog(desktop, program, title):
    dialog = desktop.wait_for_window(cls='#32770', title=title, pid=program.pid, visible=True)
    # Keys typed before the dialog has the keyboard are lost.
    wait_until(lambda: desktop.focus() != 0, what='the dialog to take the keyboard')
    return dialog


def save_as(desktop, program, name, file_type):
    desktop.key('ctrl+s')
    open_dialog(desktop, program, 'Save As')
    if name.isascii() and len(name) < 40:
        desktop._xdotool('type', '--delay', 20, name)
    else:  # pasted: a keyboard has no keys for every script, and typing is slow
        subprocess.run(['xclip', '-selection', 'clipboard'], input=name.encode(),
                       env=desktop.env, check=True, timeout=10)
        desktop.key('ctrl+v')
    desktop.key('alt+t', 'Home', *['Down'] * SAVE_TYPES[file_type], 'Return')


def save_refused(desktop, program, path, name):
    """Saves over a file that cannot be written, says yes to replacing it and
    checks the error box names the file; the box is closed afterwards."""
    save_as(desktop, program, path, 'png')
    open_dialog(desktop, program, 'Save As')
    wait_until(lambda: len([w for w in desktop.windows() if w['pid'] == program.pid
                            and w['class'] == '#32770' and w['visible']]) == 2,
               what='the overwrite question')
    desktop.key('y')
    error = desktop.wait_for_window(cls='#32770', title='Vantacle Pro', pid=program.pid,
                                    visible=True)
    texts = desktop.probe('controls', error['hwnd'])
    assert 'Cannot create file' in texts and name in texts
    desktop.key('Return')
    wait_until(lambda: not desktop.find_window(cls='#32770', pid=program.pid, visible=True),
               what='the error box to close')


def test_a_save_keeps_its_picture_when_another_program_takes_the_foreground(
        desktop, frozen_tool, out_folder):
    # Ctrl+Shift+D: the Dropper, whose start must wait for the open dialog.
    screenshot = frozen_tool('Screenshot', DropperKey=str(0x4000 | 0x2000 | ord('D')))
    program, frozen = screenshot.program, screenshot.frozen
    desktop.drag(100, 120, 400, 370)  # 301 x 251
    desktop.key('ctrl+s')
    dialog = open_dialog(desktop, program, 'Save As')
    other = Pattern(desktop, 960, 700, 40, 40)
    try:
        desktop.activate(other.hwnd)
        wait_until(lambda: desktop.foreground() == other.hwnd, what='the other program in front')
        # The frozen picture no longer covers the program the user turned to.
        wait_until(other.on_screen, what="the other program's window on the screen")
        desktop.key('ctrl+shift+d')
        desktop.activate(dialog['hwnd'])
        wait_until(lambda: desktop.focus() != 0, what='the dialog to take the keyboard again')
        desktop._xdotool('type', '--delay', 20, 'C:\\out\\kept.png')
        desktop.key('Return')
        path = out_folder / 'kept.png'
        wait_until(lambda: path.exists() and path.stat().st_size > 0, what='the file written')
        with Image.open(path) as image:
            assert same(image.convert('RGB'), frozen.crop((100, 120, 401, 371)))
        # The end the other program asked for comes after the save, and no
        # tool started under the dialog.
        program.overlay(visible=False)
        holds_for(lambda: program.host()['visible'] is False, 1.5, 'no overlay after the end')
    finally:
        other.close()


def test_copy_puts_exactly_the_frozen_pixels_on_the_clipboard(desktop, screenshot):
    frozen = screenshot.frozen
    desktop.drag(100, 100, 139, 119)
    desktop.key('ctrl+c')
    copied(desktop, frozen.crop((100, 100, 140, 120)))  # both edges included
    desktop.key('ctrl+Insert')  # the whole screen, also with a selection
    copied(desktop, frozen)
    desktop.click(700, 600)  # no selection: the whole screen
    desktop.drag(10, 10, 12, 14)
    desktop.key('alt+c')
    copied(desktop, frozen.crop((10, 10, 13, 15)))
    desktop.click(700, 600)
    desktop.key('ctrl+c')
    copied(desktop, frozen)


def test_files_of_every_type_hold_the_selection_and_the_type_decides_the_format(
        desktop, screenshot, out_folder):
    frozen = screenshot.frozen
    desktop.drag(200, 200, 215, 215)  # 256 pixels: few enough colours for an exact GIF
    expected = frozen.crop((200, 200, 216, 216))
    for name, file_type, decoded_as in [('shot.png', 'png', 'PNG'), ('shot.bmp', 'bmp', 'BMP'),
                                        ('shot.tif', 'tif', 'TIFF'), ('shot.gif', 'gif', 'GIF'),
                                        ('bmpdata.png', 'bmp', 'BMP'),
                                        ('shot.jpg', 'jpg', 'JPEG')]:
        save_as(desktop, screenshot.program, f'C:\\out\\{name}', file_type)
        path = out_folder / name
        wait_until(lambda: path.exists() and path.stat().st_size > 0, what=f'{name} written')
        with Image.open(path) as image:
            assert image.format == decoded_as, name
            picture = image.convert('RGB')
        if decoded_as == 'JPEG':
            # Lossy: the right size, and the same colours on average.
            assert picture.size == expected.size
            mean = ImageStat.Stat(picture).mean
            assert all(abs(a - b) < 12 for a, b in zip(mean, ImageStat.Stat(expected).mean))
        else:
            assert same(picture, expected), name
    assert sorted(f.name for f in out_folder.iterdir()) == sorted(
        ['shot.png', 'shot.bmp', 'shot.tif', 'shot.gif', 'bmpdata.png', 'shot.jpg'])


def test_no_save_without_the_users_yes_and_a_refused_save_says_why(desktop, screenshot,
                                                                   out_folder):
    program = screenshot.program
    existing = out_folder / 'keep.png'
    existing.write_bytes(b'not to be replaced')
    save_as(desktop, program, 'C:\\out\\keep.png', 'png')
    open_dialog(desktop, program, 'Save As')  # the overwrite question comes over it
    wait_until(lambda: len([w for w in desktop.windows() if w['pid'] == program.pid
                            and w['class'] == '#32770' and w['visible']]) == 2,
               what='the overwrite question')
    desktop.key('n')  # No: back to the dialog
    desktop.key('Escape')  # and cancelled
    wait_until(lambda: not desktop.find_window(cls='#32770', pid=program.pid, visible=True),
               what='the dialogs to close')
    assert existing.read_bytes() == b'not to be replaced'
    assert sorted(f.name for f in out_folder.iterdir()) == ['keep.png']

    existing.chmod(0o444)  # read-only: the save must fail and say so
    save_refused(desktop, program, 'C:\\out\\keep.png', 'keep.png')
    assert existing.read_bytes() == b'not to be replaced'
    assert sorted(f.name for f in out_folder.iterdir()) == ['keep.png']
    program.overlay()  # the tool runs on


def test_a_clipboard_held_by_another_program_is_reported_and_the_tool_goes_on(desktop,
                                                                            screenshot):
    program = screenshot.program
    holder = subprocess.Popen([WINE, str(PROBE_EXE), 'holdclipboard'], env=desktop.env,
                              stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True)
    try:
        assert holder.stdout.readline().strip() == 'held'
        desktop.key('ctrl+c')
        error = desktop.wait_for_window(cls='#32770', title='Vantacle Pro', pid=program.pid,
                                        visible=True)
        assert 'Cannot open clipboard' in desktop.probe('controls', error['hwnd'])
        desktop.key('Return')
    finally:
        holder.kill()
        holder.wait()
    desktop.key('Escape')
    program.overlay(visible=False)


def test_names_in_any_script_and_overlong_names(desktop, screenshot, out_folder):
    folder = out_folder / 'папка 文件夹'
    folder.mkdir()
    desktop.drag(300, 300, 309, 309)
    save_as(desktop, screenshot.program, 'C:\\out\\папка 文件夹\\снимок 截图.png', 'png')
    path = folder / 'снимок 截图.png'
    wait_until(lambda: path.exists() and path.stat().st_size > 0, what='the file written')
    with Image.open(path) as image:
        assert same(image.convert('RGB'), screenshot.frozen.crop((300, 300, 310, 310)))
    # A name longer than the dialog takes is refused with a message over the
    # dialog, and the tool goes on.
    save_as(desktop, screenshot.program, 'C:\\out\\' + 'n' * 300 + '.png', 'png')
    program = screenshot.program

    def dialogs():
        return [w for w in desktop.windows()
                if w['pid'] == program.pid and w['visible'] and w['class'] == '#32770']

    wait_until(lambda: len(dialogs()) == 2, what='a message over the save dialog')
    desktop.key('Return')
    wait_until(lambda: len(dialogs()) == 1, what='the message to close')
    desktop.key('Escape')
    wait_until(lambda: not dialogs(), what='the save dialog to close')
    program.overlay()
    assert [f.name for f in out_folder.iterdir()] == ['папка 文件夹']
