"""The guides and the panel on a real desktop: hidden and shown again while
minimised they come back where the user left them; New guide and Fit wait
while the guides are hidden; the icon's Settings brings a minimised program
back; a second start hands over to the copy that runs and ends; a save that
fails as the Windows session ends holds nothing up and is told at the next
start."""
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import (PANEL_SIZE, PANEL_TITLE, SETTINGS_FILE, TITLE, E2EError, Session,  # noqa: E402
                     deadline_poll, expect, main, scenario)

LEFT, TOP, BORDER = 160, 140, 12
FW, FH = 396 + 2 * BORDER, 245 + 2 * BORDER + 16
MINIMISE = (LEFT + FW - 21 + 3, TOP + 7)
PANEL_LEFT, PANEL_TOP = 800, 120
PAGE = (4, 56)  # a page's client origin in the panel
NEW_GUIDE, FIT = (PAGE[0] + 82, PAGE[1] + 238), (PAGE[0] + 82, PAGE[1] + 262)  # on the Main page
# The icon's menu, top to bottom: Show/Hide, Click-through, Fit, New guide, Copy composition, Settings,
# Manual, Exit.
SHOW_HIDE, SETTINGS = 1, 6


def desktop(**overrides):
    values = {"Border": BORDER, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
              "Ratio": "0.618033988749895", "Opacity": 100, "ShowValues": 0, "ShowHints": 0,
              "LookMode": 3, "OrientMode": 0, "X": LEFT, "Y": TOP, "SFrame": 1,
              "SX": PANEL_LEFT, "SY": PANEL_TOP, "SVisible": 1, "SPage": 0}
    values.update(overrides)
    return values


def guide_windows(s):
    return [w for w in s.windows(TITLE) if tuple(w.geometry()[2:]) == (FW, FH)]


def menu_item(s, position):
    """Clicks the item at that position (from 1) of the notification-area
    icon's menu. A click, not keys: with the program minimised Wine gives
    the keyboard to none of its windows."""
    deadline_poll("the icon in the notification area", lambda: s.tray.docked() == 1, timeout=10)
    s.click(*s.tray.icon_centre(), number=3)
    # Wine's menus are nameless top-level windows; items lie 17 pixels apart.
    menu = deadline_poll("the icon's menu",
                         lambda: next((w for w in s.windows("") if w.geometry()[3] > 100), None), timeout=10)
    left, top = menu.geometry()[:2]
    s.click(left + 30, top + 11 + 17 * (position - 1))
    deadline_poll("the menu to close", lambda: not any(w.id == menu.id for w in s.windows("")), timeout=10)


def minimise(s):
    s.click(*MINIMISE)
    s.wait_no_window(TITLE)


@scenario
def hide_and_show_while_minimised_bring_the_guides_back_in_place():
    with Session(settings=desktop()) as s:
        s.wait_window(size=(FW, FH))
        minimise(s)
        menu_item(s, SHOW_HIDE)  # Hide
        menu_item(s, SHOW_HIDE)  # Show
        shown = s.wait_window(size=(FW, FH))
        deadline_poll("the guide back where it was",
                      lambda: tuple(shown.geometry()[:2]) == (LEFT, TOP), timeout=10)
        s.close()
        s.expect_saved({"X": str(LEFT), "Y": str(TOP)}, "saved after hiding and showing while minimised")


@scenario
def new_guide_and_fit_wait_while_the_guides_are_hidden():
    with Session(settings=desktop()) as s:
        s.wait_window(size=(FW, FH))
        panel = s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
        menu_item(s, SHOW_HIDE)  # Hide
        s.wait_no_window(TITLE)
        left, top = panel.geometry()[:2]
        for button in (NEW_GUIDE, FIT):
            s.click(left + button[0], top + button[1])
        menu_item(s, SHOW_HIDE)  # Show
        shown = s.wait_window(size=(FW, FH))
        deadline_poll("the guide back where it was",
                      lambda: tuple(shown.geometry()[:2]) == (LEFT, TOP), timeout=10)
        expect(len(guide_windows(s)) == 1, f"{len(guide_windows(s))} guides after New guide while hidden")
        s.close()
        expect(s.sections() == ["Settings"], f"sections {s.sections()}")
        s.expect_saved({"X": str(LEFT), "Y": str(TOP), "Width": "396"}, "nothing acted on the hidden guide")


@scenario
def settings_from_the_icon_bring_a_minimised_program_back():
    with Session(settings=desktop()) as s:
        s.wait_window(size=(FW, FH))
        s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
        minimise(s)
        menu_item(s, SETTINGS)
        guide = s.wait_window(size=(FW, FH))
        expect(tuple(guide.geometry()[:2]) == (LEFT, TOP), f"the guide came back at {guide.geometry()[:2]}")
        s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
        s.close()


@scenario
def a_second_start_hands_over_to_the_copy_that_runs():
    with Session(settings=desktop(SVisible=0)) as s:
        s.wait_window(size=(FW, FH))
        deadline_poll("the icon in the notification area", lambda: s.tray.docked() == 1, timeout=10)
        before = s.settings_raw()
        second = subprocess.Popen(["wine", s.path("Lumetra.exe")], cwd=s.folder, env=s.env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            second.wait(30)
        except subprocess.TimeoutExpired:
            second.kill()
            raise E2EError("the second start did not end") from None
        # The first copy shows its panel in front.
        s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
        expect(len(guide_windows(s)) == 1, f"{len(guide_windows(s))} sets of guides")
        expect(s.tray.docked() == 1, f"{s.tray.docked()} icons")
        expect(s.settings_raw() == before, "the second start wrote the settings file")
        s.close()
        s.expect_saved({"X": str(LEFT), "SVisible": "1"}, "saved by the first copy")


@scenario
def a_save_failing_at_the_end_of_the_session_is_told_at_the_next_start():
    with Session(settings=desktop(SVisible=0)) as s:
        s.wait_window(size=(FW, FH))
        old = s.settings_raw()
        blocker = s.path(SETTINGS_FILE + ".tmp")
        os.makedirs(blocker)  # the new file cannot be written beside the old one
        boxes = s.watch_window_text("#32770", timeout=8)
        s.end_session()
        s.wait_exit(30)
        expect(boxes() is None, "a message box held up the end of the session")
        expect(s.settings_raw() == old, "the settings file changed")
        shutil.rmtree(blocker)
        box = s.watch_window_text("#32770", timeout=30)
        s.start()
        expect(box() == TITLE, "no message box at the next start")
        boxes = deadline_poll("the box to show",
                              lambda: [w for w in s.windows() if tuple(w.geometry()[2:]) != (FW, FH)])
        s.answer_box(boxes[0])
        s.wait_window(size=(FW, FH))
        s.close()
        expect(s.settings_raw() != old, "the next run did not save")


if __name__ == "__main__":
    sys.exit(main())
