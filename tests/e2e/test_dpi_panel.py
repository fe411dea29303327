"""The settings panel on monitors of 150 % and 200 %: its window, its text on
every page and its caption strip's close button all at the monitor's scale.

Wine reports LogPixels as every monitor's DPI, so the display itself stays
as it is and the scaled panel can be measured on it. The pages are visited
with the arrow keys on the tab control, which has the focus once the panel
is activated.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import PANEL_SIZE, PANEL_TITLE, Session, deadline_poll, expect, main, scenario  # noqa: E402

PANEL_LEFT, PANEL_TOP = 900, 10
GREY = (128, 128, 128)
RED = (255, 0, 0)
# One label per page, in tab order, as it shows at 96 dpi: the top row of its
# text's ink in the panel and the ink's height (a descender adds two rows).
# Scanned between panel columns 14 and 50, left of every control beside it.
LABELS = [("Main", "Copyright", 105, 9), ("Look", "Ratio:", 150, 7), ("Colors", "Lines color:", 70, 7),
          ("Advanced", "Options:", 70, 9), ("Work", "Hot keys", 144, 9)]
BAND = (14, 50)
# The close button's face on the strip at each dpi (left, top, right, bottom).
CLOSE_FACE = {144: (242, 6, 254, 18), 192: (322, 8, 338, 24)}


def scaled(value, dpi):
    return value * dpi / 96


def ink_runs(shot, height, band):
    """The runs of rows holding dark text pixels between the band's panel
    columns, as (top, rows) in panel coordinates."""
    runs, start = [], None
    for y in range(height + 1):
        dark = y < height and any(sum(shot.pixel(PANEL_LEFT + x, PANEL_TOP + y)) < 250
                                  for x in range(*band))
        if dark and start is None:
            start = y
        elif not dark and start is not None:
            runs.append((start, y - start))
            start = None
    return runs


def expect_label_scaled(s, dpi, page, text, top96, ink96, height):
    band = tuple(round(scaled(x, dpi)) for x in BAND)
    want_top, want_rows = scaled(top96, dpi), scaled(ink96, dpi)

    def measured():
        runs = ink_runs(s.screenshot(), height, band)
        # The tab rows' height follows the font, so the page may sit a few
        # pixels off the plain scale: the run nearest to it is the label.
        near = min(runs, key=lambda run: abs(run[0] - want_top), default=None)
        if near is None or abs(near[0] - want_top) > 12 or abs(near[1] - want_rows) > 1:
            return None
        return near
    deadline_poll(f"{page} page at {dpi} dpi: {text!r} {want_rows:g} rows tall near row {want_top:g}",
                  measured, timeout=10)


def panel_at_dpi(dpi):
    settings = {"SVisible": 1, "SPage": 0, "SX": PANEL_LEFT, "SY": PANEL_TOP, "X": 100, "Y": 100, "ShowHints": 0}
    with Session(settings=settings, dpi=dpi) as s:
        s.wait_window()
        panel = s.wait_window(PANEL_TITLE)
        want = tuple(scaled(length, dpi) for length in PANEL_SIZE)
        deadline_poll(f"the panel {want} at {dpi} dpi (now {panel.geometry()[2:]})",
                      lambda: all(abs(got - w) <= 1 for got, w in zip(panel.geometry()[2:], want)), timeout=10)
        width, height = panel.geometry()[2:]
        s.wait_pixel(PANEL_LEFT + round(scaled(20, dpi)), PANEL_TOP, GREY)  # the strip is painted

        s.click(PANEL_LEFT + round(scaled(60, dpi)), PANEL_TOP + round(scaled(8, dpi)))  # activates: tabs focused
        for index, (page, text, top96, ink96) in enumerate(LABELS):
            if index:
                s.key("Right")
            expect_label_scaled(s, dpi, page, text, top96, ink96, height)

        left, top, right, bottom = CLOSE_FACE[dpi]
        expect(right <= width and bottom <= round(scaled(16, dpi)), f"the close face lies off the strip at {dpi} dpi")
        s.move_pointer(PANEL_LEFT + (left + right) // 2, PANEL_TOP + (top + bottom) // 2)
        # Filled to its far corner: the whole scaled face, not the 8 pixels of 96 dpi.
        s.wait_pixel(PANEL_LEFT + right - 1, PANEL_TOP + bottom - 1, RED)
        s.click(PANEL_LEFT + right - 2, PANEL_TOP + bottom - 2)
        s.wait_no_window(PANEL_TITLE)
        s.close()
        s.expect_saved({"SVisible": "0", "SPage": "5"})


@scenario
def panel_scales_with_the_monitor_dpi():
    for dpi in (144, 192):
        panel_at_dpi(dpi)


if __name__ == "__main__":
    sys.exit(main())
