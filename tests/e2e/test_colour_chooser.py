"""The platform colour chooser behind the colour pickers' "Custom..." entry:
it opens over the panel, goes again with Escape leaving the colours as they
were, and opens again the second time it is asked for.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import PANEL_SIZE, PANEL_TITLE, Session, expect, main, scenario  # noqa: E402

PANEL_LEFT, PANEL_TOP = 1280 - 181, 10
PAGE = (4, 56)  # a page's client origin in the panel
LINES_PICKER = (80, 35)  # the lines colour picker, page coordinates
CHOOSER_TITLE = "Color"
LEFT, TOP = 20, 300
GREY = (128, 128, 128)
RED = (255, 0, 0)


def page_at(x, y):
    return PANEL_LEFT + PAGE[0] + x, PANEL_TOP + PAGE[1] + y


def overlay_at(x, y):
    return LEFT + x, TOP + y


@scenario
def custom_entry_opens_the_chooser_and_escape_keeps_the_colour():
    # Lines in a named colour, so that the custom entry is a change of selection.
    values = {"Border": 12, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
              "Ratio": "0.618033988749895", "Opacity": 100, "ShowValues": 0, "ShowHints": 0,
              "LookMode": 4, "OrientMode": 0, "X": LEFT, "Y": TOP, "SFrame": 1,
              "LinesColor": 255, "SX": PANEL_LEFT, "SY": PANEL_TOP, "SVisible": 1, "SPage": 3}
    with Session(settings=values) as s:
        s.wait_window(size=(420, 285))
        s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
        s.wait_pixel(PANEL_LEFT + 20, PANEL_TOP, GREY)
        line = overlay_at(257, 60)  # on one of look 4's lines
        s.wait_pixel(*line, RED)
        for attempt in (1, 2):
            s.click(*page_at(*LINES_PICKER))  # the list drops down
            s.key("Home")  # the custom entry: the chooser opens at once
            left, top, width, _ = s.wait_window(CHOOSER_TITLE).geometry()
            s.click(left + width // 2, top + 8)  # its caption: the keys go to it
            s.key("Escape")
            s.wait_no_window(CHOOSER_TITLE)
            expect(s.screenshot().pixel(*line) == RED, f"attempt {attempt}: the lines changed colour")
        s.close()
        expect(s.settings()["LinesColor"] == "255", f"stored lines colour {s.settings()['LinesColor']}")


if __name__ == "__main__":
    sys.exit(main())
