"""The Measurer's figure and the Dropper's marker on the real program, pixel
for pixel over a picture with a colour per pixel: what they draw, and the
frozen picture exactly again once they are gone."""
from driver import xor_frame, xor_silver


def with_figure(frozen, start, end):
    """The Measurer's figure for a horizontal, vertical or 45-degree line:
    the dotted frame, then the line from start up to but not including end,
    each by exclusive-or."""
    picture = xor_frame(frozen, (*start, *end))
    pixels = picture.load()
    (x, y), steps = start, max(abs(end[0] - start[0]), abs(end[1] - start[1]))
    dx, dy = (end[0] > x) - (end[0] < x), (end[1] > y) - (end[1] < y)
    for _ in range(steps):
        xor_silver(pixels, x, y)
        x, y = x + dx, y + dy
    return picture


def with_marker(frozen, x, y, colour=None):
    """The Dropper's marker at (x, y), clipped by the screen, showing the
    colour held there: by default the pixel's own."""
    picture = frozen.copy()
    pixels = picture.load()
    colour = colour or frozen.getpixel((x, y))
    for py in range(y - 10, y + 11):
        for px in range(x - 10, x + 11):
            if 0 <= px < picture.width and 0 <= py < picture.height:
                outer = max(abs(px - x), abs(py - y))
                pixels[px, py] = ((0, 0, 0) if outer in (10, 5) else
                                  (255, 255, 255) if outer > 5 else colour)
    return picture


def test_the_measuring_figure_follows_the_drag_and_leaves_nothing_behind(desktop, frozen_tool):
    picture = frozen_tool('Measurer')
    for start, end in [((200, 200), (300, 300)), ((500, 150), (350, 150)),
                       ((120, 500), (120, 380))]:
        desktop.press(*start)
        desktop.move(*end)
        picture.shows(with_figure(picture.frozen, start, end), f'the figure {start} to {end}')
        desktop.release(*end)
        picture.shows(picture.frozen, 'no figure after the release')
    # A right click during a measurement takes the figure away and opens the
    # menu, which Escape closes without ending the tool.
    desktop.press(600, 200)
    desktop.move(700, 300)
    picture.shows(with_figure(picture.frozen, (600, 200), (700, 300)), 'the figure')
    desktop.click(700, 300, button=3)
    desktop.key('Escape')
    picture.shows(picture.frozen, 'no figure after a right click')
    desktop.release(700, 300)
    picture.shows(picture.frozen, 'no figure after the late release')


def test_a_click_holds_the_colour_under_a_marker_and_a_second_click_takes_it_away(
        desktop, frozen_tool):
    picture = frozen_tool('Dropper')
    desktop.click(300, 200)
    picture.shows(with_marker(picture.frozen, 300, 200), 'the marker')
    host = picture.program.overlay()['hwnd']
    desktop.redraw(host)  # a repaint while the colour is held keeps the marker
    picture.shows(with_marker(picture.frozen, 300, 200), 'the marker after a repaint')
    desktop.click(500, 400)
    picture.shows(picture.frozen, 'no marker after the second click')
    desktop.click(3, 2)  # at the corner the marker is cut off by the screen
    picture.shows(with_marker(picture.frozen, 3, 2), 'the marker at the corner')
    desktop.click(3, 2)
    picture.shows(picture.frozen, 'no marker after the corner')
    desktop._xdotool('mousemove', 400, 300, 'click', '--repeat', 2, '--delay', 80, 1)
    picture.shows(picture.frozen, 'no marker after a double click')
