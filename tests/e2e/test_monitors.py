"""The real program on two monitors, the secondary (800 x 600) left of the
primary (1024 x 768), so that the virtual screen runs from -800,0 to
1024,768 and has a corner below the secondary that no monitor shows. The
tools freeze and cover the whole virtual screen: the lens, the selection,
the copy, the marker, the panels' coordinates and the stored panel
positions, pixel for pixel against the screen taken before, with white where
no monitor is. Screenshots are in X root coordinates; every point a test
names is in Windows screen coordinates and goes through desktop.to_x."""
import pytest
from PIL import Image, ImageChops

from driver import FrozenPicture, Pattern, wait_for_assertion, wait_until, xor_frame
from test_export import copied, open_dialog, same, save_as
from test_info_panel import VALUE_ID, assert_zoom, panel_of
from test_magnifier import check_lens
from test_measurer_dropper import with_figure, with_marker
from test_tray import TOOL_BITS, TOOLS, tray_icons

HOT_KEY = 0x4000 | 0x2000 | ord('M')  # Ctrl+Shift+M
PRIMARY = (0, 0, 1024, 768)
SECONDARY = (-800, 0, 0, 600)
VIRTUAL = (-800, 0, 1024, 768)
WHITE = (255, 255, 255)


def box(desktop, rect):
    """A rectangle in Windows screen coordinates as a box of the screenshot."""
    return (*desktop.to_x(*rect[:2]), *desktop.to_x(*rect[2:]))


def white_beyond_monitors(desktop, shot):
    """The screenshot as the frozen picture holds it: white wherever the
    virtual screen has no monitor."""
    picture = Image.new('RGB', shot.size, WHITE)
    for rect in desktop.monitors()[0]:
        picture.paste(shot.crop(box(desktop, rect)), box(desktop, rect)[:2])
    return picture


def differing_outside(desktop, expected, rect):
    """Where the screen differs from `expected` other than inside rect."""
    shot = desktop.screenshot()
    shot.paste(expected.crop(box(desktop, rect)), box(desktop, rect)[:2])
    return ImageChops.difference(expected, shot).getbbox()


@pytest.fixture
def patterns(monitors):
    """Windows of a colour per pixel, made by pattern(x, y, width, height);
    closed after the test."""
    made = []

    def pattern(*rect):
        made.append(Pattern(monitors, *rect, square=1))
        return made[-1]
    yield pattern
    for p in made:
        p.close()


@pytest.fixture
def tool_over_both(monitors, start_on_monitors, patterns):
    """Starts a tool (named as in its settings) by its hot key with the
    pointer at `at`, over a picture with a colour per pixel across both
    monitors and the border between them; its panel parked at the bottom
    right corner. Returns what the overlay shows, against the frozen
    picture: the screen before, white beyond the monitors."""
    def start(tool, at=(600, 500), **options):
        # The Magnifier has no panel to park.
        parked = {} if tool == 'Magnifier' else {f'{tool}PosX': 5000, f'{tool}PosY': 5000}
        program = start_on_monitors(**{f'{tool}Key': HOT_KEY, **parked, **options})
        patterns(-790, 10, 1780, 580)
        frozen = white_beyond_monitors(monitors, monitors.screenshot())
        monitors.move(*at)
        monitors.key('ctrl+shift+m')
        host = program.overlay()
        assert host['rect'] == list(VIRTUAL), 'the overlay covers the virtual screen'
        picture = FrozenPicture(monitors, program, frozen)
        if parked:
            # With more than one monitor a panel comes wholly onto one: at
            # the primary's bottom right, left out of every comparison.
            picture.panel = box(monitors, panel_of(monitors, program).rect)
        # The Magnifier's lens is always there, and so is a panel not parked.
        if tool != 'Magnifier' and not parked.keys() & options.keys():
            picture.shows(frozen, 'the frozen picture')
        return picture
    return start


def tray_shows(monitors, tray, expected):
    """Waits until Wine's tray window shows exactly these (name, state) pairs,
    left to right. That window keeps the pixels it had when something
    covered it, so it is made to repaint before each look."""
    area = box(monitors, tray['client'])

    def check():
        monitors.redraw(tray['hwnd'])
        icons = tray_icons(monitors, area=area)
        assert [(i.name, i.state) for i in icons] == expected, f'the tray shows {icons}'
        return icons
    wait_for_assertion(check, what=f'the tray to show {expected}')
    return tray_icons(monitors, area=area)


def test_the_session_has_two_monitors_and_the_tray_and_hot_keys_start_tools(
        monitors, start_on_monitors, patterns):
    assert monitors.monitors() == ([PRIMARY, SECONDARY], VIRTUAL)
    assert (monitors.width, monitors.height) == (1824, 768)
    program = start_on_monitors(MagnifierKey=HOT_KEY, **TOOL_BITS)
    tray = wait_until(monitors.tray, what="Wine's tray window")
    # The stand-alone tray puts the first icon added at the left.
    normal = [(name, 'normal') for name in TOOLS]
    icons = tray_shows(monitors, tray, normal)
    measurer = next(i for i in icons if i.name == 'Measurer')
    monitors.click(*monitors.to_windows(*measurer.centre))
    program.overlay()
    monitors.key('Escape')
    program.overlay(visible=False)
    tray_shows(monitors, tray, normal)
    # The hot key with the pointer on the secondary monitor, over another
    # program's window.
    patterns(-700, 100, 300, 200)
    monitors.move(-550, 200)
    monitors.key('ctrl+shift+m')
    program.overlay()
    monitors.key('Escape')
    program.overlay(visible=False)


def test_the_magnifier_freezes_every_monitor_and_enlarges_across_the_border(
        monitors, tool_over_both):
    picture = tool_over_both('Magnifier', at=(600, 400), ZoomWidth=100, ZoomHeight=100, Scale=2)
    frozen = picture.frozen
    for cx, cy in [(600, 400), (-400, 300), (-5, 200), (-400, 590), (10, 700)]:
        monitors.move(cx, cy)
        wait_for_assertion(lambda: check_lens(monitors.screenshot(), frozen,
                                              *monitors.to_x(cx, cy), (100, 100), 2),
                           what=f'the lens at {cx}, {cy}')
        # Outside the lens and its outline, the frozen picture.
        lens = (cx - 52, cy - 52, cx + 52, cy + 52)
        try:
            wait_until(lambda: differing_outside(monitors, frozen, lens) is None, timeout=8,
                       what='the frozen picture around the lens')
        except TimeoutError:
            pytest.fail(f'around the lens at {cx}, {cy} the screen differs in '
                        f'{differing_outside(monitors, frozen, lens)}')


def test_a_selection_across_the_border_is_framed_copied_and_saved_exactly(monitors,
                                                                         tool_over_both):
    picture = tool_over_both('Screenshot')
    program = picture.program
    start, end = (-300, 100), (200, 300)
    # Nothing selected yet: the rows read zeros, as on one monitor.
    monitors.move(*start)
    wait_until(lambda: [panel_of(monitors, program).cell(VALUE_ID + row)['text']
                        for row in (4, 5)] == ['x: 0\t y: 0'] * 2, what='zeros before a selection')
    monitors.drag(*start, *end)
    picture.shows(xor_frame(picture.frozen, box(monitors, (*start, *end))),
                  f'the frame of {start} to {end}')
    panel = panel_of(monitors, program)
    assert [panel.cell(VALUE_ID + row)['text'] for row in (4, 5, 6)] == [
        'x: -300\t y: 100', 'x: 200\t y: 300', 'x: 500\t y: 200']
    expected = picture.frozen.crop(box(monitors, (*start, end[0] + 1, end[1] + 1)))
    monitors.key('ctrl+c')
    copied(monitors, expected)
    out = monitors.prefix / 'drive_c' / 'across.png'
    out.unlink(missing_ok=True)
    save_as(monitors, program, 'C:\\across.png', 'png')
    wait_until(lambda: out.exists() and out.stat().st_size > 0, what='the file written')
    with Image.open(out) as image:
        assert same(image.convert('RGB'), expected)
    # Without a selection's own command, the whole virtual screen: what no
    # monitor shows is white.
    monitors.key('ctrl+Insert')
    copied(monitors, picture.frozen)


@pytest.mark.parametrize('cursor', [(-795, 300), (-400, 595), (-3, 400)])
def test_the_zoom_view_shows_the_frozen_picture_on_the_secondary_and_white_beyond(
        monitors, tool_over_both, cursor):
    picture = tool_over_both('Screenshot', InfoScale=3, ScreenshotPosX=300, ScreenshotPosY=200)
    panel = panel_of(monitors, picture.program)
    monitors.move(*cursor)
    assert_zoom(monitors, picture.frozen, box(monitors, panel.zoom['rect']),
                monitors.to_x(*cursor), 3)


def test_the_dropper_holds_a_colour_of_the_secondary_monitor_at_negative_x(
        monitors, tool_over_both):
    picture = tool_over_both('Dropper')
    program = picture.program
    spot = (-750, 20)
    monitors.move(*spot)
    wait_until(lambda: panel_of(monitors, program).cell(VALUE_ID)['text'] == 'x: -750\t y: 20',
               what='the cursor row at -750, 20')
    colour = picture.frozen.getpixel(monitors.to_x(*spot))
    wait_until(lambda: panel_of(monitors, program).cell(VALUE_ID + 13)['text']
               == '%02X%02X%02X' % colour, what='the colour under the pointer')
    monitors.click(*spot)
    picture.shows(with_marker(picture.frozen, *monitors.to_x(*spot)), 'the marker')


def test_the_measurer_measures_a_line_across_the_border(monitors, tool_over_both):
    picture = tool_over_both('Measurer', DPI=96)
    program = picture.program
    start, end = (-100, 300), (100, 100)  # 45 degrees up and to the right
    monitors.press(*start)
    monitors.move(*end)
    picture.shows(with_figure(picture.frozen, monitors.to_x(*start), monitors.to_x(*end)),
                  f'the figure {start} to {end}')
    wait_until(lambda: panel_of(monitors, program).cell(VALUE_ID)['text'] == 'x: 100\t y: 100',
               what='the cursor row at the end')
    rows = {row: panel_of(monitors, program).cell(VALUE_ID + row)['text'] for row in (1, 7, 10)}
    assert rows[1] == 'x: 200\t y: 200'
    assert rows[7].replace(',', '.') == '282.8'
    assert rows[10].replace(',', '.') == 'x: 45.0 \t y: 45.0'
    monitors.release(*end)
    picture.shows(picture.frozen, 'no figure after the release')
    monitors.move(-640, 450)
    wait_until(lambda: panel_of(monitors, program).cell(VALUE_ID)['text'] == 'x: -640\t y: 450',
               what='the cursor row on the secondary monitor')


def pixels_on(panel_rect, monitor):
    left, top, right, bottom = panel_rect
    return (min(right, monitor[2]) - max(left, monitor[0]),
            min(bottom, monitor[3]) - max(top, monitor[1]))


def start_dropper(monitors, program):
    """The Dropper by its hot key over a pattern; its panel's rectangle."""
    monitors.move(250, 250)
    monitors.key('ctrl+shift+m')
    program.overlay()
    return tuple(panel_of(monitors, program).rect)


def wholly_on_a_monitor(monitors, rect):
    return any(pixels_on(rect, m) == (rect[2] - rect[0], rect[3] - rect[1])
               for m in monitors.monitors()[0])


# Where it fits, the panel is kept; otherwise it comes wholly onto the
# nearest monitor, its caption first (`h`: the panel's height).
@pytest.mark.parametrize('stored, expected', [
    ((-700, 100), lambda h: (-700, 100)),  # on the secondary: where it was left
    # In the corner below the secondary, inside the virtual screen yet on no
    # monitor: up onto the secondary, the shorter move.
    ((-700, 700), lambda h: (-700, 600 - h)),
    ((100, -300), lambda h: (100, 0)),  # its caption above every monitor
    ((-600, 650), lambda h: (-600, 600 - h)),  # mostly over no monitor
])
def test_a_panel_opens_wholly_on_a_monitor(monitors, start_on_monitors, patterns, stored,
                                           expected):
    program = start_on_monitors(DropperKey=HOT_KEY, DropperPosX=stored[0], DropperPosY=stored[1])
    patterns(100, 100, 300, 300)
    rect = start_dropper(monitors, program)
    assert rect[:2] == expected(rect[3] - rect[1])
    assert wholly_on_a_monitor(monitors, rect), f'the panel at {rect}'


def test_a_panel_left_on_a_monitor_that_is_gone_comes_back_onto_one_attached(
        monitors, start_on_monitors, patterns):
    monitors.set_third(True)
    program = start_on_monitors(DropperKey=HOT_KEY, DropperPosX=1300, DropperPosY=100)
    patterns(100, 100, 300, 300)
    assert start_dropper(monitors, program)[:2] == (1300, 100)  # on the third monitor
    monitors.key('Escape')
    program.overlay(visible=False)
    monitors.set_third(False)
    rect = start_dropper(monitors, program)
    assert wholly_on_a_monitor(monitors, rect), f'the panel at {rect}'
    assert rect[:2] == (PRIMARY[2] - (rect[2] - rect[0]), 100)


def cursor_row(monitors, program, at):
    wait_until(lambda: panel_of(monitors, program).cell(VALUE_ID)['text']
               == f'x: {at[0]}\t y: {at[1]}', what=f'the cursor row at {at}')


def test_the_pointer_keys_stay_on_the_monitors(monitors, tool_over_both):
    # Windows keeps the pointer on a monitor: at the secondary's bottom row,
    # Down and Shift+Down go nowhere, and Space holds a colour that is there.
    picture = tool_over_both('Dropper')
    program = picture.program
    monitors.move(-400, 599)
    cursor_row(monitors, program, (-400, 599))
    monitors.key('Down', 'shift+Down', 'Up')  # the Up shows the others were handled
    cursor_row(monitors, program, (-400, 598))
    monitors.key('Down', 'shift+Down')
    monitors.key('space')
    cursor_row(monitors, program, (-400, 599))
    assert monitors.pointer() == (-400, 599)
    held = picture.frozen.getpixel(monitors.to_x(-400, 599))
    wait_until(lambda: panel_of(monitors, program).cell(VALUE_ID + 13)['text']
               == '%02X%02X%02X' % held, what='the colour of the bottom row held')
    picture.shows(with_marker(picture.frozen, *monitors.to_x(-400, 599)), 'the marker there')


def test_a_line_drawn_by_keys_ends_on_the_monitor(monitors, tool_over_both):
    picture = tool_over_both('Measurer', DPI=96)
    program = picture.program
    monitors.move(-400, 590)
    cursor_row(monitors, program, (-400, 590))
    monitors.key('space', 'shift+Down', 'shift+Down')
    cursor_row(monitors, program, (-400, 599))
    assert panel_of(monitors, program).cell(VALUE_ID + 7)['text'].replace(',', '.') == '9.0'
    assert monitors.pointer() == (-400, 599)


def test_the_mouse_leads_also_onto_a_place_the_keys_passed(monitors, tool_over_both):
    picture = tool_over_both('Dropper')
    program = picture.program
    monitors.move(-100, 300)
    cursor_row(monitors, program, (-100, 300))
    monitors.key(*['Right'] * 20)
    cursor_row(monitors, program, (-80, 300))
    monitors.move(-85, 300)
    cursor_row(monitors, program, (-85, 300))


@pytest.mark.parametrize('at, monitor', [((500, 400), PRIMARY), ((-400, 300), SECONDARY)])
def test_the_save_dialog_opens_on_the_monitor_with_the_pointer(monitors, tool_over_both, at,
                                                               monitor):
    picture = tool_over_both('Screenshot', at=at)
    monitors.key('ctrl+s')
    dialog = open_dialog(monitors, picture.program, 'Save As')
    left, top, right, bottom = dialog['rect']
    assert (left >= monitor[0] and top >= monitor[1] and right <= monitor[2]
            and bottom <= monitor[3]), f'the save dialog at {dialog["rect"]}'
    monitors.key('Escape')


def test_another_program_in_front_of_the_save_dialog_is_not_covered(monitors, tool_over_both,
                                                                     patterns):
    picture = tool_over_both('Screenshot', at=(-400, 300))
    program = picture.program
    start, end = (-300, 100), (200, 300)
    monitors.drag(*start, *end)
    monitors.key('ctrl+s')
    dialog = open_dialog(monitors, program, 'Save As')
    other = patterns(-700, 450, 60, 60)
    monitors.activate(other.hwnd)
    wait_until(lambda: monitors.foreground() == other.hwnd, what='the other program in front')
    wait_until(other.on_screen, what="the other program's window on the screen")
    monitors.activate(dialog['hwnd'])
    wait_until(lambda: monitors.focus() != 0, what='the dialog to take the keyboard again')
    out = monitors.prefix / 'drive_c' / 'behind.png'
    out.unlink(missing_ok=True)
    monitors._focus_desktop()  # the X focus, which no window manager moves here
    monitors._xdotool('type', '--delay', 20, 'C:\\behind.png')
    monitors.key('Return')
    wait_until(lambda: out.exists() and out.stat().st_size > 0, what='the file written')
    with Image.open(out) as image:
        assert same(image.convert('RGB'),
                    picture.frozen.crop(box(monitors, (*start, end[0] + 1, end[1] + 1))))
    program.overlay(visible=False)
