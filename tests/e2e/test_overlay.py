"""The overlay window itself: caption strip, colour key, alpha, position, and
the program's icon for the task bar and Alt+Tab."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import ROOT_COLOUR, Session, deadline_poll, expect, main, scenario  # noqa: E402
from Xlib import X  # noqa: E402

LEFT, TOP = 100, 100
FW, FH = 420, 285
GREY = (128, 128, 128)
SILVER = (192, 192, 192)
STRIP = FW - 64  # left edge of the button strip


def worked_example(**overrides):
    values = {"Border": 12, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
              "Ratio": "0.618033988749895", "Opacity": 100, "ShowValues": 0, "LookMode": 4,
              "OrientMode": 0, "X": LEFT, "Y": TOP, "SFrame": 1}
    values.update(overrides)
    return values


def screen(x, y):
    return LEFT + x, TOP + y


@scenario
def caption_strip_tiles_text_and_buttons():
    with Session(settings=worked_example()) as s:
        s.wait_window(size=(FW, FH))
        s.wait_pixel(*screen(20, 0), GREY)
        shot = s.screenshot()
        px = lambda x, y: shot.pixel(*screen(x, y))  # noqa: E731
        expect(px(20, 1) == (255, 255, 255), f"caption tile row 1 is {px(20, 1)}")
        expect(px(20, 14) == (171, 171, 171), f"caption tile row 14 is {px(20, 14)}")
        expect(px(20, 15) == GREY, f"caption tile row 15 is {px(20, 15)}")
        for face in (4, 13, 22, 31, 43, 52):
            expect(px(STRIP + face - 1, 7) == GREY, f"no outline left of the face at {face}")
            expect(px(STRIP + face, 3) == GREY, f"no outline above the face at {face}")
            expect(px(STRIP + face + 7, 11) not in (GREY, ROOT_COLOUR),
                   f"face at {face} is not a light face: {px(STRIP + face + 7, 11)}")
        text = {px(x, y) for x in range(14, 140) for y in range(3, 13)}
        expect(GREY in text or SILVER in text, "no caption text in the strip")


@scenario
def orientation_mark_follows_orient_mode():
    # (mode, a pixel of its L-shaped mark, a pixel of the other marks' legs)
    for mode, on, off in ((0, (5, 7), (10, 7)), (1, (10, 8), (5, 8)),
                          (2, (10, 7), (5, 7)), (3, (5, 7), (10, 7))):
        with Session(settings=worked_example(OrientMode=mode)) as s:
            s.wait_window(size=(FW, FH))
            s.wait_pixel(*screen(STRIP + on[0], on[1]), GREY)
            colour = s.screenshot().pixel(*screen(STRIP + off[0], off[1]))
            expect(colour != GREY, f"mode {mode}: ({off}) belongs to another mark")
            s.close()


@scenario
def frame_off_leaves_caption_rows_transparent():
    with Session(settings=worked_example(SFrame=0)) as s:
        s.wait_window(size=(FW, FH))
        s.wait_pixel(*screen(257, 60), (255, 64, 64))
        shot = s.screenshot()
        for x, y in ((2, 2), (20, 0), (200, 8), (STRIP + 5, 7), (FW - 3, 15)):
            expect(shot.pixel(*screen(x, y)) == ROOT_COLOUR,
                   f"caption pixel ({x}, {y}) is {shot.pixel(*screen(x, y))}")


@scenario
def key_colour_shows_and_passes_clicks_to_what_lies_beneath():
    with Session(settings=worked_example()) as s:
        catcher = s.click_catcher()
        s.wait_window(size=(FW, FH))
        s.wait_pixel(*screen(257, 60), (255, 64, 64))
        expect(s.screenshot().pixel(*screen(200, 60)) == ROOT_COLOUR, "key colour is not see-through")
        catcher.clicks()
        s.click(*screen(200, 60))
        clicks = deadline_poll("a click beneath the overlay", catcher.clicks, timeout=5)
        expect(screen(200, 60) in clicks, f"the click went elsewhere: {clicks}")


@scenario
def opacity_sets_window_alpha():
    for opacity, expected in ((90, 0xE6E6E6E6), (50, 0x80808080), (100, None), (0, 0)):
        with Session(settings=worked_example(Opacity=opacity)) as s:
            overlay = s.wait_window(size=(FW, FH))
            deadline_poll(f"opacity {opacity}", lambda: overlay.opacity() == expected, timeout=5)
            s.close()


def window_icons(s, window):
    """The icons Wine hands the window manager (_NET_WM_ICON), which task
    bars and window switchers show: {(width, height): ARGB pixels, row by row}."""
    atom = s.dpy.intern_atom("_NET_WM_ICON")
    for win in s.ancestors(window.xwin):
        prop = win.get_full_property(atom, X.AnyPropertyType)
        if prop is None or not len(prop.value):
            continue
        values = [v & 0xFFFFFFFF for v in prop.value]
        icons, at = {}, 0
        while at + 2 <= len(values):
            width, height = values[at], values[at + 1]
            icons[(width, height)] = values[at + 2:at + 2 + width * height]
            at += 2 + width * height
        return icons
    return {}


@scenario
def the_task_bar_and_alt_tab_get_the_programs_icon():
    with Session(settings=worked_example()) as s:
        window = s.wait_window(size=(FW, FH))
        icons = deadline_poll("the window's icons", lambda: window_icons(s, window), timeout=10)
        grey, red, light = 0xFF808080, 0xFFFF4040, 0xFFFAFAFA
        for side, line in ((16, 6), (32, 12)):  # the small and the large icon at 96 dpi
            pixels = icons.get((side, side))
            expect(pixels is not None, f"no {side}-pixel icon among {sorted(icons)}")
            # The program's picture: a grey frame, a light square and the red golden-ratio lines.
            seen = (pixels[0], pixels[side + line], pixels[2 * side + 2])
            expect(seen == (grey, red, light), f"the {side}-pixel icon starts {[hex(p) for p in seen]}")
        s.close()


if __name__ == "__main__":
    sys.exit(main())
