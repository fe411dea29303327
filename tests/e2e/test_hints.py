"""Caption-button tooltips of the overlay and of the settings panel, from the
first start on: shown while ShowHints is on, never while it is off.

The tooltips are made after the overlay's first paint, together with the
common controls they need; these runs check they still follow the setting
they were started with. The overlay (worked example, 420 x 285) stands at
(100, 100), the panel (173 wide) shown at (700, 100).
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from harness import Session, deadline_poll, expect, main, scenario  # noqa: E402

RED = (255, 0, 0)  # a hovered close button's face
HINT = (255, 249, 206)  # tooltip background
OVERLAY = (100, 100, 420, 285)  # left, top, width, height
PANEL = (700, 100, 173)  # left, top, width
# Longer than the tooltip's delay before it shows (half a second) several times over.
QUIET_SECONDS = 2.5


def settings(show_hints):
    left, top, _, _ = OVERLAY
    panel_left, panel_top, _ = PANEL
    return {"Border": 12, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
            "Ratio": "0.618033988749895", "Opacity": 100, "ShowValues": 0,
            "ShowHints": show_hints, "LookMode": 0, "OrientMode": 0, "X": left, "Y": top,
            "SFrame": 1, "SX": panel_left, "SY": panel_top, "SVisible": 1, "SPage": 0}


def hint_shown(session, pointer):
    """Whether tooltip-coloured pixels show below and around the pointer."""
    shot = session.screenshot()
    x0, y0 = pointer
    return sum(1 for y in range(y0, y0 + 60, 2) for x in range(x0 - 100, x0 + 200, 2)
               if 0 <= x < shot.width and shot.pixel(x, y) == HINT) > 20


def close_buttons():
    """(name, pointer inside the close zone, a pixel of its face) per window."""
    left, top, width, _ = OVERLAY
    panel_left, panel_top, panel_width = PANEL
    return [("overlay", (left + width - 9, top + 7), (left + width - 12, top + 4)),
            ("panel", (panel_left + panel_width - 8, panel_top + 7),
             (panel_left + panel_width - 12, panel_top + 4))]


def hover(session, pointer, face):
    """Puts the pointer on a close button, wiggling it there, until its face is red."""
    x, y = pointer
    for dx in (-1, 1, 0):
        session.move_pointer(x + dx, y)
    session.wait_pixel(*face, RED)


@scenario
def caption_button_tooltips_follow_show_hints_from_the_start():
    for show_hints in (1, 0):
        with Session(settings=settings(show_hints)) as s:
            s.wait_window(size=OVERLAY[2:])
            for name, pointer, face in close_buttons():
                hover(s, pointer, face)
                if show_hints:
                    deadline_poll(f"the {name}'s close-button tooltip",
                                  lambda: hint_shown(s, pointer), timeout=10)
                else:
                    # Nothing to wait for: watch the place for a while instead.
                    deadline = time.monotonic() + QUIET_SECONDS
                    while time.monotonic() < deadline:
                        expect(not hint_shown(s, pointer),
                               f"the {name} shows a tooltip with ShowHints off")
                        time.sleep(0.1)
                s.move_pointer(pointer[0] - 120, pointer[1] + 150)  # off both windows' buttons
            s.close()


if __name__ == "__main__":
    sys.exit(main())
