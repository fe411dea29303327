"""Following a picture: Shift+F fits the guide to the photograph under the
pointer and keeps it there as the photograph moves and is zoomed; another
photograph of the same proportions nearby is never taken for it, so the
guide waits where it was, and says so in its caption and on the
notification-area icon, until the first comes back; a drag by the user ends
the following."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import PHOTOS, Session, deadline_poll, expect, main, scenario  # noqa: E402

PAGE = (230, 230, 230)
CAT = os.path.join(PHOTOS, "chelsea.jpg")      # 451 x 300
COFFEE = os.path.join(PHOTOS, "coffee.jpg")    # 600 x 400: shown at the cat's proportions
SCREEN = (1280, 1024)
BORDER = 12
LEFT, TOP = 100, 150
START = (LEFT, TOP, 396 + 2 * BORDER, 245 + 2 * BORDER + 16)
AMBER = (255, 176, 0)  # the waiting icon's clock


def settings(**overrides):
    values = {"Border": BORDER, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
              "Ratio": "0.618033988749895", "Opacity": 100, "ShowValues": 1, "ShowHints": 0,
              "LookMode": 1, "GridSize": 8, "OrientMode": 0, "X": LEFT, "Y": TOP, "SFrame": 1,
              "SX": 1000, "SY": 20, "SVisible": 0, "SPage": 0}
    values.update(overrides)
    return values


def fitted(picture):
    """The window's place and size once its measured area is the picture."""
    left, top, width, height = picture
    return left - BORDER, top - 16 - BORDER, width + 2 * BORDER, height + 2 * BORDER + 16


def wait_geometry(window, want, what, timeout=3):
    deadline_poll(f"the guide {what} at {want}", lambda: tuple(window.geometry()) == want, timeout=timeout)


def caption(s, window):
    """The caption strip's text area, as the screen shows it."""
    left, top, width, _ = window.geometry()
    shot = s.screenshot()
    return [shot.pixel(x, top + y) for x in range(left + 14, left + min(width - 64, 300)) for y in range(2, 14)]


def tray_shows_waiting(s):
    x, y = s.tray.icon_centre()
    shot = s.screenshot()
    return any(shot.pixel(x + dx, y + dy) == AMBER for dx in range(-12, 12) for dy in range(-12, 12))


@scenario
def the_guide_follows_its_photograph_and_waits_when_another_takes_its_place():
    with Session(settings=settings(), screen=SCREEN) as s:
        s.show_scene(PAGE, [(CAT, 380, 260)])
        overlay = s.wait_window(size=START[2:])
        s.activate_by_keyboard(overlay)
        s.tray.wait_settled()
        s.point_at(500, 400)
        s.key("f", ["Shift_L"])
        wait_geometry(overlay, fitted((380, 260, 451, 300)), "on the cat")
        following = caption(s, overlay)

        # Panned: the guide lands on it exactly.
        s.show_scene(PAGE, [(CAT, 417, 272)])
        wait_geometry(overlay, fitted((417, 272, 451, 300)), "after the pan", timeout=1.5)
        # Zoomed 1.5 times about its centre: the new size, the same ratio.
        zoomed = (417 - 113, 272 - 75, 677, 450)
        s.show_scene(PAGE, [(CAT, zoomed[0], zoomed[1], 677, 450)])
        wait_geometry(overlay, fitted(zoomed), "after the zoom")

        # Another photograph of the same proportions 200 px away, the first gone.
        s.show_scene(PAGE, [(COFFEE, zoomed[0] + 200, zoomed[1], 677, 450)])
        deadline_poll("the caption saying the guide waits", lambda: caption(s, overlay) != following, timeout=5)
        deadline_poll("the waiting icon", lambda: tray_shows_waiting(s), timeout=5)
        expect(tuple(overlay.geometry()) == fitted(zoomed), f"the guide went to {overlay.geometry()}")

        # The first back where it was: followed again.
        s.show_scene(PAGE, [(CAT, zoomed[0], zoomed[1], 677, 450)])
        deadline_poll("the caption following again", lambda: caption(s, overlay) == following, timeout=5)
        deadline_poll("the program's own icon again", lambda: not tray_shows_waiting(s), timeout=5)
        s.show_scene(PAGE, [(CAT, zoomed[0] - 40, zoomed[1] + 30, 677, 450)])
        wait_geometry(overlay, fitted((zoomed[0] - 40, zoomed[1] + 30, 677, 450)), "after the last pan")
        s.close()
        saved = s.settings()
        expect(saved.get("Width") == "677" and saved.get("Height") == "450" and saved.get("Lock") == "1" and
               saved.get("FollowPicture") == "1", f"saved {saved}")
        expect(float(saved["Ratio"]) == float(f"{300 / 451:.15g}"), f"saved ratio {saved['Ratio']}")


@scenario
def a_drag_by_the_user_ends_following():
    with Session(settings=settings(), screen=SCREEN) as s:
        s.show_scene(PAGE, [(CAT, 380, 260)])
        overlay = s.wait_window(size=START[2:])
        s.activate_by_keyboard(overlay)
        s.point_at(500, 400)
        s.key("f", ["Shift_L"])
        on_cat = fitted((380, 260, 451, 300))
        wait_geometry(overlay, on_cat, "on the cat")
        following = caption(s, overlay)
        s.drag((on_cat[0] + 40, on_cat[1] + 5), (on_cat[0] + 40 - 150, on_cat[1] + 5 + 20))
        dragged = (on_cat[0] - 150, on_cat[1] + 20) + on_cat[2:]
        wait_geometry(overlay, dragged, "where the user put it")
        # The caption loses its mark: the guide no longer follows.
        deadline_poll("the caption without the mark", lambda: caption(s, overlay) != following, timeout=5)
        s.show_scene(PAGE, [(CAT, 417, 272)])
        expect(tuple(overlay.geometry()) == dragged, f"the guide moved to {overlay.geometry()}")
        s.close()
        saved = s.settings()
        expect(saved.get("FollowPicture", "0") == "0" and (saved.get("X"), saved.get("Y")) ==
               (str(dragged[0]), str(dragged[1])), f"saved {saved}")


if __name__ == "__main__":
    sys.exit(main())
