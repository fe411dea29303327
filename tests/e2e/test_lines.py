"""Line width, halo and label size drawn by the real overlay, in screen pixels,
from the settings file and from the panel.

The overlay of the look scenarios: W 396, H 245, G 8 at (100, 100), full
opacity; look 2 draws the outline and the centre lines, the vertical one at
x 210 and the horizontal one at y 150 (window coordinates) with border 12.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import PANEL_SIZE, PANEL_TITLE, Session, expect, main, scenario  # noqa: E402

LEFT, TOP = 100, 100
PANEL_LEFT, PANEL_TOP = 1280 - 181, 10
LINE = (255, 64, 64)     # LinesColor 0x4040FF
HALO = (0, 255, 0)       # HaloColor 0x00FF00
VALUES = (131, 131, 131)  # ValuesColor 0x838383


def settings(border=12, **extra):
    values = {"Border": border, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
              "Ratio": "0.618033988749895", "Opacity": 100, "ShowValues": 0, "GridSize": 8,
              "LookMode": 2, "OrientMode": 0, "X": LEFT, "Y": TOP}
    values.update(extra)
    return values


def colours_across(shot, fixed, span, vertical):
    """The colours of the pixels at offsets span around a line, window coordinates."""
    x, y = fixed
    if vertical:
        return [shot.pixel(LEFT + x + d, TOP + y) for d in span]
    return [shot.pixel(LEFT + x, TOP + y + d) for d in span]


def expect_width_3_with_halo(shot):
    span = range(-3, 4)
    # Across the vertical centre line, the horizontal one, and at their crossing.
    for fixed, vertical in (((210, 60), True), ((100, 150), False)):
        got = colours_across(shot, fixed, span, vertical)
        want = [None, HALO, LINE, LINE, LINE, HALO, None]
        for offset, colour, wanted in zip(span, got, want):
            if wanted is None:
                expect(colour not in (LINE, HALO), f"{fixed} {offset:+d}: {colour} beyond the halo")
            else:
                expect(colour == wanted, f"{fixed} {offset:+d}: {colour}, not {wanted}")
    for x, y in ((210, 150), (209, 149), (211, 151)):
        colour = shot.pixel(LEFT + x, TOP + y)
        expect(colour == LINE, f"the crossing at ({x}, {y}) is {colour}, not the line colour")


@scenario
def width_3_with_halo_covers_three_pixels_outlined_by_one():
    with Session(settings=settings(LineWidth=3, Halo=1, HaloColor=0x00FF00)) as s:
        s.wait_window(size=(420, 285))
        s.wait_pixel(LEFT + 211, TOP + 60, LINE)
        expect_width_3_with_halo(s.screenshot())
        s.close()


def on_colors_page(x, y):
    """A point of the panel's Colors page, the panel at its first-run place."""
    return PANEL_LEFT + 4 + x, PANEL_TOP + 56 + y


@scenario
def the_panel_sets_width_3_the_halo_its_colour_and_the_label_size():
    with Session(settings=settings(SVisible=1, SPage=3, SX=PANEL_LEFT, SY=PANEL_TOP)) as s:
        s.wait_window(size=(420, 285))
        s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
        s.wait_pixel(LEFT + 210, TOP + 60, LINE)
        expect(s.screenshot().pixel(LEFT + 211, TOP + 60) != LINE, "the line is wider than 1 from the start")
        s.click(*on_colors_page(124, 177))  # the line width field
        s.key("End")
        s.key("Home", ["Shift_L"])
        s.key("3")
        s.wait_pixel(LEFT + 211, TOP + 60, LINE)
        s.click(*on_colors_page(18, 201))  # the halo check box
        # The halo picker drops down on its last entry, automatic; ten up is Lime.
        s.click(*on_colors_page(80, 240))
        for _ in range(10):
            s.key("Up")
        s.key("Return")
        s.wait_pixel(LEFT + 212, TOP + 60, HALO)
        expect_width_3_with_halo(s.screenshot())
        s.click(*on_colors_page(80, 282))  # label sizes from 11 down to 16
        for _ in range(5):
            s.key("Down")
        s.key("Return")
        s.close()
        s.expect_saved({"LineWidth": "3", "Halo": "1", "HaloColor": str(0x00FF00), "LabelSize": "16"})


@scenario
def width_1_without_halo_draws_todays_line():
    with Session(settings=settings(LineWidth=1, Halo=0, HaloColor=0x00FF00)) as s:
        s.wait_window(size=(420, 285))
        s.wait_pixel(LEFT + 210, TOP + 60, LINE)
        shot = s.screenshot()
        got = colours_across(shot, (210, 60), range(-2, 3), True)
        expect(got[2] == LINE and all(c not in (LINE, HALO) for i, c in enumerate(got) if i != 2),
               f"around x 210: {got}")
        s.close()


def readout_rows(label_size):
    """The rows of the size read-out's ink below the measured area."""
    border = 30
    with Session(settings=settings(border=border, ShowValues=1, LabelSize=label_size)) as s:
        s.wait_window(size=(396 + 2 * border, 245 + 2 * border + 16))
        top = border + 245 + 17
        s.wait_pixel(LEFT + border, TOP + border + 16, LINE)
        shot = s.screenshot()
        rows = [y for y in range(top - 2, 245 + 2 * border + 16)
                if any(shot.pixel(LEFT + x, TOP + y) == VALUES for x in range(border, border + 150))]
        s.close()
    expect(rows, f"no read-out at label size {label_size}")
    return rows


@scenario
def label_size_16_makes_the_size_readout_taller():
    factory = readout_rows(11)
    larger = readout_rows(16)
    # The cell keeps its top; the glyphs start a little lower in the larger cell.
    expect(0 <= larger[0] - factory[0] <= 3, f"the read-out moved: rows {factory} and {larger}")
    expect(len(larger) >= len(factory) + 2, f"rows {factory} at 11 and {larger} at 16")


if __name__ == "__main__":
    sys.exit(main())
