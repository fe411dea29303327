"""Working under a guide: with click-through on, clicks on its caption and
wheel turns over its lines reach what lies beneath, not the guide."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from harness import Session, expect, main, scenario  # noqa: E402

LEFT, TOP, BORDER = 100, 120, 12
FW, FH = 396 + 2 * BORDER, 245 + 2 * BORDER + 16
OUTLINE = (LEFT + BORDER, TOP + 16 + BORDER + 100)  # on the outline's left side
CAPTION = (LEFT + 150, TOP + 8)


def guide(**overrides):
    values = {"Border": BORDER, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
              "Ratio": "0.618033988749895", "Opacity": 100, "ShowValues": 1, "ShowHints": 0,
              "LookMode": 3, "OrientMode": 0, "X": LEFT, "Y": TOP, "SFrame": 1, "SVisible": 0}
    values.update(overrides)
    return values


@scenario
def click_through_leaves_clicks_and_the_wheel_to_what_lies_beneath():
    # A right-click on the caption would turn the guide, the wheel would size
    # it: with click-through on, neither reaches it. (Wine does not hand the
    # click on to another X client beneath, so that part is not seen here.)
    with Session(settings=guide(ClickThrough=1)) as s:
        overlay = s.wait_window(size=(FW, FH))
        s.wait_pixel(*OUTLINE, (255, 64, 64))
        s.click(*CAPTION, number=3)
        s.move_pointer(*OUTLINE)
        s.wheel(3)
        time.sleep(1.0)
        expect(tuple(overlay.geometry()) == (LEFT, TOP, FW, FH), f"the guide changed to {overlay.geometry()}")
        s.close()
        s.expect_saved({"Width": "396", "OrientMode": "0", "ClickThrough": "1"}, "unchanged")


if __name__ == "__main__":
    sys.exit(main())
