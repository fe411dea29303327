"""Following a picture: Shift+F fits the guide to the photograph under the
pointer and keeps it there as the photograph moves and is zoomed; another
photograph of the same proportions nearby is never taken for it, so the
guide waits where it was, and says so in its caption and on the
notification-area icon, until the first comes back; a drag by the user ends
the following."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from harness import (PHOTOS, E2EError, Session, deadline_poll, expect, main, scenario,  # noqa: E402
                     wait_geometry)

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


def caption(s, window):
    """The caption strip's text area, as the screen shows it."""
    left, top, width, _ = window.geometry()
    shot = s.screenshot()
    return [shot.pixel(x, top + y) for x in range(left + 14, left + min(width - 64, 300)) for y in range(2, 14)]


def settled_caption(s, window):
    """The caption once it holds still: the paint that shows the guide's new
    state may reach the screen a moment after its new place does."""
    left, top, width, _ = window.geometry()
    s.wait_still((left + 14, top + 2, left + min(width - 64, 300), top + 14), timeout=5)
    return caption(s, window)


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
        wait_geometry(overlay, fitted((380, 260, 451, 300)), "on the cat", timeout=3)
        following = settled_caption(s, overlay)

        # Panned: the guide lands on it exactly.
        s.show_scene(PAGE, [(CAT, 417, 272)])
        wait_geometry(overlay, fitted((417, 272, 451, 300)), "after the pan", timeout=1.5)
        # Zoomed 1.5 times about its centre: the new size, the same ratio.
        zoomed = (417 - 113, 272 - 75, 677, 450)
        s.show_scene(PAGE, [(CAT, zoomed[0], zoomed[1], 677, 450)])
        wait_geometry(overlay, fitted(zoomed), "after the zoom", timeout=3)

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
        wait_geometry(overlay, fitted((zoomed[0] - 40, zoomed[1] + 30, 677, 450)), "after the last pan", timeout=3)
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
        wait_geometry(overlay, on_cat, "on the cat", timeout=3)
        following = settled_caption(s, overlay)
        s.drag((on_cat[0] + 40, on_cat[1] + 5), (on_cat[0] + 40 - 150, on_cat[1] + 5 + 20))
        dragged = (on_cat[0] - 150, on_cat[1] + 20) + on_cat[2:]
        wait_geometry(overlay, dragged, "where the user put it", timeout=3)
        # The caption loses its mark: the guide no longer follows.
        deadline_poll("the caption without the mark", lambda: caption(s, overlay) != following, timeout=5)
        s.show_scene(PAGE, [(CAT, 417, 272)])
        expect(tuple(overlay.geometry()) == dragged, f"the guide moved to {overlay.geometry()}")
        s.close()
        saved = s.settings()
        expect(saved.get("FollowPicture", "0") == "0" and (saved.get("X"), saved.get("Y")) ==
               (str(dragged[0]), str(dragged[1])), f"saved {saved}")


def measured(window):
    """The guide's measured area on the screen: left, top, right, bottom."""
    left, top, width, height = window.geometry()
    return left + BORDER, top + 16 + BORDER, left + width - BORDER, top + height - BORDER


def crop(s, box):
    shot = s.screenshot()
    left, top, right, bottom = box
    return [shot.pixel(x, y) for y in range(top, bottom, 3) for x in range(left, right, 3)]


def steady_crop(s, box, hold=1.0, timeout=15):
    """crop() once it has stayed the same for hold seconds: a guide that has
    just moved may show its old paint a while before it repaints there."""
    last, since = crop(s, box), time.monotonic()
    end = since + timeout
    while time.monotonic() - since < hold:
        if time.monotonic() > end:
            raise E2EError(f"the pixels in {box} did not hold still for {hold} s")
        time.sleep(0.1)
        now = crop(s, box)
        if now != last:
            last, since = now, time.monotonic()
    return last


@scenario
def a_restored_follow_fits_first_then_keeps_to_a_canvas_and_a_playing_photograph():
    with Session(settings=settings(FollowPicture=1), screen=SCREEN) as s:
        # A blank canvas, as a drawing program shows it on its pasteboard.
        canvas = s.path("canvas.png")
        subprocess.run(["convert", "-size", "400x260", "xc:white", canvas], check=True)
        s.show_scene(PAGE, [])  # the plain desktop of a sign-in
        overlay = s.wait_window(size=START[2:])
        waiting = settled_caption(s, overlay)
        expect(tuple(overlay.geometry()) == START, f"the guide went to {overlay.geometry()} with nothing to follow")
        # The canvas opens under the guide's centre: fitted as Shift+F fits, then followed.
        s.show_scene(PAGE, [(canvas, 150, 200)])
        wait_geometry(overlay, fitted((150, 200, 400, 260)), "on the canvas", timeout=3)
        deadline_poll("the caption following", lambda: caption(s, overlay) != waiting, timeout=5)
        s.show_scene(PAGE, [(canvas, 190, 230)])
        wait_geometry(overlay, fitted((190, 230, 400, 260)), "after the canvas moved", timeout=1.5)

        # F on a photograph beside it: the guide follows that one now.
        s.activate_by_keyboard(overlay)
        s.show_scene(PAGE, [(canvas, 190, 230), (CAT, 700, 300)])
        s.point_at(900, 450)
        s.key("f")
        wait_geometry(overlay, fitted((700, 300, 451, 300)), "on the cat", timeout=3)
        following = settled_caption(s, overlay)
        # A video in the frame: something crosses the photograph at every
        # frame; the guide stays where the frame is and keeps following.
        for frame in range(8):
            s.show_scene(PAGE, [(canvas, 190, 230), (CAT, 700, 300), (COFFEE, 720 + 45 * frame, 420, 60, 40)])
            expect(tuple(overlay.geometry()) == fitted((700, 300, 451, 300)),
                   f"the guide went to {overlay.geometry()} while the picture played")
        s.show_scene(PAGE, [(canvas, 190, 230), (CAT, 660, 320)])
        wait_geometry(overlay, fitted((660, 320, 451, 300)), "after the photograph moved", timeout=1.5)
        deadline_poll("the caption saying the guide follows", lambda: caption(s, overlay) == following, timeout=3)
        s.close()
        saved = s.settings()
        expect(saved.get("FollowPicture") == "1" and saved.get("Width") == "451", f"saved {saved}")


PAGE_HTML = ('<body style="margin:0;background:#fff"><div style="height:300px"></div>'
             '<img src="chelsea.jpg" style="margin-left:60px;display:block"><div style="height:3000px"></div>')


@scenario
def a_page_scrolled_by_keys_and_by_the_wheel_keeps_its_photograph_under_the_guide():
    with Session(settings=settings(), screen=SCREEN) as s:
        s.write_file("page.html", PAGE_HTML.encode())
        s.write_file("chelsea.jpg", open(CAT, "rb").read())
        s.start_program(["chromium", "--no-sandbox", "--test-type", "--no-first-run", "--disable-smooth-scrolling",
                         "--force-device-scale-factor=1", "--force-color-profile=srgb",
                         f"--user-data-dir={s.path('chromium')}", "--window-position=300,120",
                         "--window-size=760,700", "file://" + s.path("page.html")])
        overlay = s.wait_window(size=START[2:])
        s.activate_by_keyboard(overlay)
        # The photograph lies 60 px in and 300 px down on the page; pointed
        # at by its corner, the fit's notice lies beside it, not on it.
        s.point_at(805, 800)
        deadline_poll("the photograph on the page", lambda: s.screenshot().pixel(805, 800) != (255, 255, 255),
                      timeout=30)
        s.wait_still((300, 120, 1060, 820), timeout=20)
        s.key("f", ["Shift_L"])
        # The window may report its new size before its new place: wait for
        # both, the place by the corner pointed at.
        def fitted():
            left, top, right, bottom = measured(overlay)
            return (right - left, bottom - top) == (451, 300) and left <= 805 < right and top <= 800 < bottom
        deadline_poll("the guide on the photograph", fitted, timeout=10)
        on_photo = measured(overlay)
        seen = steady_crop(s, on_photo)
        # Three presses of the arrow key, then a turn of the wheel, on the page.
        s.click(on_photo[2] + 80, on_photo[1] - 100)
        for step in ("keys", "wheel"):
            if step == "keys":
                for _ in range(3):
                    s.key("Down")
            else:
                s.wheel(-1)
            deadline_poll(f"the guide on the photograph after the {step}",
                          lambda: measured(overlay)[1] < on_photo[1] and crop(s, measured(overlay)) == seen,
                          timeout=10)
            on_photo = measured(overlay)
        s.close()


if __name__ == "__main__":
    sys.exit(main())
