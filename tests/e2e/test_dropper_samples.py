"""The Dropper's sample area and recent colours on the real program: the mean
of a 3 x 3 square of a pattern with a colour per pixel in the rows, the zoom
view's frame and the marker, pixel for pixel; the recent colours kept in the
registry across a restart, shown with their swatches and copied as another
program reads the clipboard (xclip)."""
from driver import FrozenPicture, Vantacle, context_menu, open_menus, wait_until
from test_info_panel import (CAPTION_ID, VALUE_ID, assert_zoom, panel_of,  # noqa: F401
                             saved_options, screenshot_tool)
from test_measurer_dropper import with_marker
from test_pointer_keys_and_notations import expected_notations


def hex_text(colour):
    return '%02X%02X%02X' % colour


def mean_colour(picture, x, y, side):
    """Each channel's mean over the side x side square at (x, y), halves up."""
    pixels = [picture.getpixel((x + dx, y + dy)) for dy in range(-(side // 2), side // 2 + 1)
              for dx in range(-(side // 2), side // 2 + 1)]
    return tuple((2 * sum(p[i] for p in pixels) + len(pixels)) // (2 * len(pixels))
                 for i in range(3))


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def shows_colour(desktop, program, colour):
    wait_until(lambda: panel_of(desktop, program).cell(VALUE_ID + 13)['text'] == hex_text(colour),
               what=f'{hex_text(colour)} in the rows')


def copy_as(desktop, program, panel, key):
    """The held colour copied by the value cells' "Copy as" and a notation's key."""
    context_menu(desktop, program.pid, centre(panel.cell(VALUE_ID + 12)['rect']))
    desktop.key('a', key)


def test_a_3_x_3_sample_is_shown_framed_held_and_copied_as_the_mean_of_its_pixels(
        desktop, screenshot_tool):
    program, panel, frozen = screenshot_tool(tool='Dropper', DropperPosX=100, DropperPosY=100)
    context_menu(desktop, program.pid, centre(panel.cell(CAPTION_ID + 12)['rect']))
    desktop.key('s', '3')  # "Sample area", "3 x 3 pixels"
    # Red wraps round between columns 615 and 616 of the pattern, so the
    # mean is no colour of the square itself.
    spot = (615, 408)
    mean = mean_colour(frozen, *spot, 3)
    assert mean != frozen.getpixel(spot)
    desktop.move(*spot)
    shows_colour(desktop, program, mean)
    assert panel_of(desktop, program).cell(VALUE_ID + 17)['text'] == '#' + hex_text(mean)
    assert_zoom(desktop, frozen, panel.zoom['rect'], spot, 2, frame=3)

    desktop.click(*spot)
    picture = FrozenPicture(desktop, program, frozen)
    picture.panel = tuple(panel.rect)
    picture.shows(with_marker(frozen, *spot, colour=mean), 'the marker with the mean')
    copy_as(desktop, program, panel, 'c')
    wait_until(lambda: desktop.clipboard_text() == expected_notations(mean)['c'],
               what=f'the mean as color() (the clipboard holds {desktop.clipboard_text()!r})')
    desktop.key('Escape')
    program.overlay(visible=False)
    saved_options(desktop, DropperArea=3, RecentColors=hex_text(mean))


def test_the_recent_colours_outlive_the_program_and_paste_as_last_copied(desktop,
                                                                         screenshot_tool):
    program, panel, frozen = screenshot_tool(tool='Dropper', DropperPosX=100, DropperPosY=100)
    spots = [(611, 408), (640, 451), (702, 500)]
    first, second, third = (frozen.getpixel(s) for s in spots)
    for spot, colour in zip(spots[:2], (first, second)):
        desktop.click(*spot)  # held
        shows_colour(desktop, program, colour)
        desktop.click(*spot)  # and let go
    desktop.key('Escape')
    program.overlay(visible=False)
    saved_options(desktop, RecentColors=f'{hex_text(second)},{hex_text(first)}')
    program.stop()

    again = Vantacle(desktop).start()
    try:
        desktop.key('ctrl+shift+s')
        again.overlay()
        panel = panel_of(desktop, again)
        context_menu(desktop, again.pid, centre(panel.cell(CAPTION_ID + 12)['rect']))
        desktop.key('r')
        recent = open_menus(desktop, again.pid, 2)[-1]
        # Each item with a swatch of its colour, the newest first.
        shot = desktop.screenshot().crop(recent['rect'])
        rows = [[y for y in range(shot.height) for x in range(shot.width)
                 if shot.getpixel((x, y)) == colour] for colour in (second, first)]
        assert all(len(r) >= 50 for r in rows), [len(r) for r in rows]
        assert max(rows[0]) < min(rows[1])
        # Nothing copied as yet in this run: the HTML text.
        desktop.key('1')
        wait_until(lambda: desktop.clipboard_text() == '#' + hex_text(first),
                   what=f'#{hex_text(first)} (the clipboard holds {desktop.clipboard_text()!r})')

        # Once a colour was copied as color(), the recent ones paste so too.
        desktop.click(*spots[2])
        shows_colour(desktop, again, third)
        copy_as(desktop, again, panel, 'c')
        wait_until(lambda: desktop.clipboard_text() == expected_notations(third)['c'],
                   what='the held colour as color()')
        context_menu(desktop, again.pid, centre(panel.cell(CAPTION_ID + 12)['rect']))
        desktop.key('r', '2')  # third, second, first
        wait_until(lambda: desktop.clipboard_text() == expected_notations(first)['c'],
                   what=f'the oldest as color() (the clipboard holds {desktop.clipboard_text()!r})')
    finally:
        again.stop()
