"""The Screenshot tool on the real program over a picture with a colour per
pixel: the selection's dotted exclusive-or frame, pixel for pixel, after
drags, moves, resizes, arrow keys, clicks and repaints."""
import pytest


@pytest.fixture
def overlay(frozen_tool):
    return frozen_tool('Screenshot')


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
