"""Working under a guide: with click-through on, clicks, drags and wheel turns
on its lines and caption reach what lies beneath, not the guide; the
program-wide hot keys switch click-through, hide and show the guides and fit while
another Wine program has the focus; the notification-area menu switches
click-through and ends the program; a narrow guide's caption and the
notification-area icon and tip show click-through."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from harness import (PHOTOS, TITLE, E2EError, Session, deadline_poll, expect, expect_steady,  # noqa: E402
                     main, scenario, wait_geometry, worked_guide)

LEFT, TOP, BORDER = 100, 120, 12
FW, FH = 396 + 2 * BORDER, 245 + 2 * BORDER + 16
OUTLINE = (LEFT + BORDER, TOP + 16 + BORDER + 100)  # on the outline's left side
CAPTION = (LEFT + 150, TOP + 8)
PAGE = (230, 230, 230)
CAT = (150, 480, 451, 300)  # a photograph's place and size on the screen


def guide(**overrides):
    return worked_guide(LEFT, TOP, BORDER, **overrides)


def start_notepad(s, place, size=None, document=None):
    """Starts Wine's notepad, on a text file of the session's folder when
    document names one, at place (and of size) on the screen."""
    command = ["wine", "notepad"] + (["Z:" + s.path(document).replace("/", "\\")] if document else [])
    process = subprocess.Popen(command, env=s.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    notepad = s.wait_window(f"{document or 'Untitled'} - Notepad")
    if size is not None:
        subprocess.run(["xdotool", "windowsize", str(notepad.id), *map(str, size)], env=s.env, check=True,
                       stdout=subprocess.DEVNULL)
        deadline_poll(f"notepad to be {size}", lambda: tuple(notepad.geometry()[2:]) == size, timeout=10)
    s.move_window(notepad, *place)
    return process, notepad


def other_wine_program(s):
    """Starts a Wine program of another kind and gives it the focus."""
    process, notepad = start_notepad(s, (700, 600))
    left, top, width, height = notepad.geometry()
    # A notepad just placed may miss a click: one without the focus after a
    # while is clicked again.
    for attempt in range(3):
        s.click(left + width // 2, top + height // 2)
        try:
            deadline_poll("the other program to have the focus", lambda: s.has_focus(notepad), timeout=4)
            break
        except E2EError:
            if attempt == 2:
                raise
    return process, notepad


@scenario
def click_through_leaves_clicks_and_the_wheel_to_what_lies_beneath():
    # A right-click on the caption would turn the guide, the wheel would size
    # it: with click-through on, neither reaches it. (Wine hands the click on
    # only to a Wine window beneath, not to another X client: the next
    # scenario lays one there.)
    with Session(settings=guide(ClickThrough=1)) as s:
        overlay = s.wait_window(size=(FW, FH))
        s.wait_pixel(*OUTLINE, (255, 64, 64))
        s.click(*CAPTION, number=3)
        s.move_pointer(*OUTLINE)
        s.wheel(3)
        expect_steady("the guide unchanged", lambda: tuple(overlay.geometry()) == (LEFT, TOP, FW, FH), 1.0)
        s.close()
        s.expect_saved({"Width": "396", "OrientMode": "0", "ClickThrough": "1"}, "unchanged")


@scenario
def click_through_lets_clicks_and_drags_reach_the_wine_window_beneath():
    # Notepad lies beneath the whole guide with many lines of text. Where a
    # click or a drag reaches it, its caret moves and its status bar shows
    # the new line and column; the guide stays where it is. (The focus tells
    # nothing: the window manager gives the X focus to the guide's window.)
    with Session(settings=guide(ClickThrough=1)) as s:
        overlay = s.wait_window(size=(FW, FH))
        s.wait_pixel(*OUTLINE, (255, 64, 64))
        s.write_file("lines.txt", ("m" * 60 + "\r\n").encode() * 40)
        process, notepad = start_notepad(s, (LEFT - 60, TOP - 60), (FW + 120, FH + 140), "lines.txt")
        try:
            left, top, width, height = notepad.geometry()
            status = (left, top + height - 20, left + 160, top + height)

            def status_changes(what, act):
                s.wait_still(status)  # the last change has been drawn
                before = s.screenshot()
                act()
                deadline_poll(f"{what} to reach notepad beneath", lambda: any(
                    s.screenshot().pixel(x, y) != before.pixel(x, y)
                    for x in range(status[0], status[2]) for y in range(status[1], status[3])), timeout=10)

            status_changes("a click on the caption strip", lambda: s.click(*CAPTION))
            status_changes("a click on a drawn line", lambda: s.click(*OUTLINE))
            status_changes("a drag on the caption strip",
                           lambda: s.drag(CAPTION, (CAPTION[0] + 40, CAPTION[1] + 30)))
            expect_steady("the guide unchanged", lambda: tuple(overlay.geometry()) == (LEFT, TOP, FW, FH), 0.5)
            expect(not s.caption_active(overlay), "the guide was activated")
        finally:
            process.kill()
        s.close()
        s.expect_saved({"X": str(LEFT), "Y": str(TOP), "ClickThrough": "1"}, "the guide's place")


@scenario
def hot_keys_reach_the_guides_from_another_program():
    with Session(settings=guide(ClickThrough=1)) as s:
        overlay = s.wait_window(size=(FW, FH))
        process, notepad = other_wine_program(s)
        try:
            marked = deadline_poll("the caption's text", lambda: [ink for ink in [caption_ink(s)] if any(ink)],
                                   timeout=10)[0]
            s.key("F1", ["Control_L", "Shift_L"])  # click-through off, for every guide
            deadline_poll("the click-through mark to go", lambda: caption_ink(s) not in (marked, ()), timeout=10)
            s.drag(CAPTION, (CAPTION[0] + 40, CAPTION[1] + 30))
            wait_geometry(overlay, (LEFT + 40, TOP + 30), "moved by its caption")
            left, top, width, height = notepad.geometry()
            s.click(left + width // 2, top + height // 2)
            deadline_poll("the other program to have the focus again", lambda: s.has_focus(notepad), timeout=10)
            # Under Wine the window manager's reports of the move reach the
            # guide behind the drag, and a hot key can overtake them; once the
            # caption is drawn inactive the guide has, as a rule, taken in
            # its input up to the focus leaving it.
            deadline_poll("the guide's caption drawn inactive", lambda: s.caption_inactive(overlay), timeout=10)
            s.key("F2", ["Control_L", "Shift_L"])  # hide every guide
            s.wait_no_window(TITLE)
            s.key("F2", ["Control_L", "Shift_L"])  # and show them again
            shown = s.wait_window(size=(FW, FH))
            wait_geometry(shown, (LEFT + 40, TOP + 30), "back where it was")
            # The fit key: the guide takes the photograph under the pointer.
            s.show_scene(PAGE, [(os.path.join(PHOTOS, "chelsea.jpg"), CAT[0], CAT[1])])
            s.point_at(CAT[0] + 200, CAT[1] + 150)
            s.key("F3", ["Control_L", "Shift_L"])
            fitted = (CAT[0] - BORDER, CAT[1] - 16 - BORDER, CAT[2] + 2 * BORDER, CAT[3] + 2 * BORDER + 16)
            wait_geometry(shown, fitted, "fitted to the photograph")
        finally:
            process.kill()
        s.close()
        s.expect_saved({"ClickThrough": "0", "X": str(CAT[0] - BORDER), "Width": str(CAT[2])},
                       "saved after hide, show and fit")


@scenario
def the_notification_area_menu_switches_click_through_and_exits():
    with Session(settings=guide(X=300)) as s:
        s.wait_window(size=(FW, FH))
        deadline_poll("the icon in the notification area", lambda: s.tray.docked() == 1, timeout=10)
        s.tray.wait_settled()
        plain_icon = tray_icon(s)

        def menu_command(keys):
            before = s.popups()
            s.click(*s.tray.icon_centre(), number=3)
            deadline_poll("the icon's menu", lambda: any(
                height > MENU_HEIGHT for popup, (_, height) in s.popups().items() if popup not in before), timeout=10)
            for name in keys:
                s.key(name)
                time.sleep(0.2)  # a hand's pace through the menu, no wait for a state

        menu_command(["Down", "Down", "Return"])  # Click-through, the second item
        deadline_poll("the click-through icon", lambda: tray_icon(s) != plain_icon, timeout=10)
        menu_command(["Up", "Return"])  # Exit, the last item
        s.wait_exit()
        s.expect_saved({"X": "300", "ClickThrough": "1"}, "saved by Exit")


CAPTION_INK = ((128, 128, 128), (192, 192, 192))  # the caption text, active and inactive
MENU_HEIGHT = 40  # taller than a tip: the icon's menu has three items


def caption_ink(s):
    """Which pixels of the caption text's first 70 columns hold text, for a guide at LEFT, TOP."""
    shot = s.screenshot()
    return tuple(shot.pixel(LEFT + x, TOP + y) in CAPTION_INK for y in range(3, 13) for x in range(14, 84))


def tray_icon(s):
    """The notification-area icon's pixels."""
    shot = s.screenshot()
    left, top = s.tray.origin
    return tuple(shot.pixel(left + x, top + y) for y in range(s.tray.ICON) for x in range(s.tray.ICON))


def tray_tip(s):
    """The tip Wine shows while the pointer rests on the notification-area icon."""
    shown = s.popups().keys()
    s.move_pointer(LEFT + 150, TOP + 400)
    # Wine hides a tip once it sees the pointer elsewhere: the next one is new.
    deadline_poll("the last tip to go", lambda: not s.popups().keys() & shown, timeout=10)
    watch = s.watch_window_text("tooltips_class32", timeout=15)
    s.move_pointer(*s.tray.icon_centre())
    return watch()


@scenario
def a_narrow_guide_and_the_notification_area_show_click_through():
    # A guide so narrow that the ellipsis cuts its caption within the look's
    # name: the mark must still show, at the caption's start, and so must the
    # icon, the way back.
    width = 200
    with Session(settings=guide(Width=width - 2 * BORDER, Height=120, Lock=0, LookMode=15)) as s:
        overlay = s.wait_window(size=(width, 120 + 2 * BORDER + 16))
        deadline_poll("the icon in the notification area", lambda: s.tray.docked() == 1, timeout=10)
        s.tray.wait_settled()
        plain_caption = deadline_poll("the caption's text", lambda: [ink for ink in [caption_ink(s)] if any(ink)],
                                      timeout=10)[0]
        plain_icon = tray_icon(s)
        tip = tray_tip(s)
        expect(tip == "Velmora Lumetra", f"the icon's tip is {tip!r}")

        s.click(LEFT + 100, TOP + 8)  # the guide gets the focus: the hot keys reach Wine
        deadline_poll("the guide to have the focus", lambda: s.has_focus(overlay), timeout=10)
        s.key("F1", ["Control_L", "Shift_L"])
        deadline_poll("the click-through mark in the narrow caption",
                      lambda: caption_ink(s) not in (plain_caption, ()), timeout=10)
        deadline_poll("the click-through icon", lambda: tray_icon(s) != plain_icon, timeout=10)
        tip = tray_tip(s)
        expect(tip == "Velmora Lumetra (click-through)", f"the icon's tip with click-through on is {tip!r}")
        s.close()
        s.expect_saved({"ClickThrough": "1"})


if __name__ == "__main__":
    sys.exit(main())
