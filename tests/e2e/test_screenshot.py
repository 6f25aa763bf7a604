"""The Screenshot tool on the real program over a picture with a colour per
pixel: the selection's dotted exclusive-or frame, pixel for pixel, after
drags, moves, resizes, arrow keys, clicks and repaints."""
import pytest
from PIL import ImageChops

from driver import Pattern, wait_until

HOT_KEY = 0x4000 | 0x2000 | ord('M')  # Ctrl+Shift+M
SILVER = 0xC0


def with_frame(frozen, rect):
    """The frozen picture with the dotted frame of rect: four strokes, each
    from a corner up to but not including the next, silver by exclusive-or
    where x + y is odd."""
    picture = frozen.copy()
    pixels = picture.load()
    left, right = sorted((rect[0], rect[2]))
    top, bottom = sorted((rect[1], rect[3]))
    corners = [(left, top), (right, top), (right, bottom), (left, bottom), (left, top)]
    for (x, y), end in zip(corners, corners[1:]):
        while (x, y) != end:
            if (x + y) % 2:
                pixels[x, y] = tuple(c ^ SILVER for c in pixels[x, y])
            x += (end[0] > x) - (end[0] < x)
            y += (end[1] > y) - (end[1] < y)
    return picture


class Overlay:
    def __init__(self, desktop, program, frozen):
        self.desktop, self.program, self.frozen = desktop, program, frozen
        # The panel, parked at the bottom right corner, is not the picture's.
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
        self.shows(with_frame(self.frozen, rect), f'the frame of {rect}')


@pytest.fixture
def overlay(desktop, start_program):
    program = start_program(ScreenshotKey=HOT_KEY, ScreenshotPosX=5000, ScreenshotPosY=5000)
    pattern = Pattern(desktop, 40, 30, 900, 650, square=1)
    try:
        frozen = desktop.screenshot()
        desktop.move(600, 500)
        desktop.key('ctrl+shift+m')
        program.overlay()
        o = Overlay(desktop, program, frozen)
        o.shows(frozen, 'the frozen picture')
        yield o
    finally:
        pattern.close()


def test_a_drag_frames_the_selection_which_moves_and_resizes_by_mouse_and_keys(desktop, overlay):
    desktop.drag(200, 150, 400, 300)
    overlay.shows_frame((200, 150, 400, 300))
    desktop.drag(300, 220, 320, 250)  # by its inside: the size stays
    overlay.shows_frame((220, 180, 420, 330))
    desktop.drag(420, 250, 440, 400)  # by the right edge: only Right moves
    overlay.shows_frame((220, 180, 440, 330))
    desktop.key('Right', 'Right', 'Up')
    overlay.shows_frame((222, 179, 442, 329))
    desktop.key('shift+Left', 'shift+Down')
    overlay.shows_frame((222, 179, 441, 330))
    desktop.drag(150, 100, 60, 40)  # up and to the left of its start: a new one
    overlay.shows_frame((60, 40, 150, 100))


def test_a_click_in_an_empty_area_leaves_the_frozen_picture_exactly(desktop, overlay):
    desktop.drag(500, 400, 300, 200)
    overlay.shows_frame((300, 200, 500, 400))
    desktop.click(700, 600)
    overlay.shows(overlay.frozen, 'no frame after a click')
    desktop.key('alt+c', 'Left')  # nothing to copy, nothing to move
    overlay.shows(overlay.frozen, 'no frame after Alt+C and an arrow key')
    desktop.drag(100, 100, 300, 100)  # no height: no selection, no stray pixels
    overlay.shows(overlay.frozen, 'no frame after a flat drag')


def test_repaints_leave_exactly_one_frame_also_during_a_first_drag(desktop, overlay):
    host = overlay.program.overlay()['hwnd']
    desktop.press(100, 120)
    desktop.move(250, 220)
    overlay.shows_frame((100, 120, 250, 220))
    desktop.redraw(host)
    overlay.shows_frame((100, 120, 250, 220))
    desktop.release(260, 230)
    overlay.shows_frame((100, 120, 260, 230))
    desktop.redraw(host)
    overlay.shows_frame((100, 120, 260, 230))
