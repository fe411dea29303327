"""Several guides at once: opening one with Ctrl+N, each with its own look,
the panel following the guide used last, closing one by its button, and
every guide kept by a close from outside and back at the next start."""
import os
import sys

from Xlib.error import XError

sys.path.insert(0, os.path.dirname(__file__))
from harness import (PANEL_SIZE, PANEL_TITLE, TITLE, Session, deadline_poll, expect,  # noqa: E402
                     format_settings, main, scenario)

LEFT, TOP = 40, 300
PANEL_LEFT, PANEL_TOP = 1000, 100
FW, FH = 420, 285
NOTICE = (255, 249, 206)
PER_GUIDE = {"Border": 12, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
             "Ratio": "0.618033988749895", "Opacity": 90, "ShowValues": 0, "LookMode": 4,
             "OrientMode": 0, "SFrame": 1}


def first_guide(**overrides):
    values = dict(PER_GUIDE, X=LEFT, Y=TOP, ShowHints=0, SX=PANEL_LEFT, SY=PANEL_TOP, SVisible=1, SPage=2)
    values.update(overrides)
    return values


def guide_section(number, **values):
    lines = [f"[Guide{number}]"] + [f"{key}={value}" for key, value in dict(PER_GUIDE, **values).items()]
    return "\r\n".join(lines) + "\r\n"


def guides(s, count):
    """The guide windows, once there are exactly count of them two reads in a
    row (a guide going away may leave a window of the set briefly unmapped), by place."""
    def read():
        try:
            found = [w for w in s.windows(TITLE) if tuple(w.geometry()[2:]) == (FW, FH)]
            return sorted(found, key=lambda w: w.geometry()[:2]) if len(found) == count else None
        except XError:  # a window went while it was read
            return None

    def probe():
        first = read()
        second = read() if first else None
        return first if second and [w.id for w in first] == [w.id for w in second] else None
    return deadline_poll(f"{count} guide windows", probe, timeout=20)


def at(window):
    return tuple(window.geometry()[:2])


def caption(window):
    left, top = at(window)
    return left + 100, top + 8


def close_button(window):
    left, top = at(window)
    return left + FW - 12 + 3, top + 7


def look_list_shows(s):
    """The panel's look list as pixels, to compare what it shows."""
    shot = s.screenshot()
    return [shot.pixel(PANEL_LEFT + 4 + x, PANEL_TOP + 56 + y) for y in range(192, 205, 2) for x in range(10, 120, 3)]


def settled_look_list(s):
    """The look list once two reads in a row agree: its repaint has landed."""
    def probe():
        first = look_list_shows(s)
        return first if first == look_list_shows(s) else None
    return deadline_poll("the look list to settle", probe, timeout=10)


@scenario
def ctrl_n_opens_a_second_guide_with_a_look_of_its_own():
    with Session(settings=first_guide()) as s:
        (first,) = guides(s, 1)
        s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
        s.activate(first)
        s.key("n", ["Control_L"])
        one, two = guides(s, 2)
        expect(at(one) == (LEFT, TOP) and at(two) == (LEFT + 32, TOP + 32), f"guides at {at(one)}, {at(two)}")
        s.activate(two)
        s.key("Return")  # next look, of the second guide only
        s.close()
        s.expect_saved({"LookMode": "4", "X": str(LEFT), "Y": str(TOP)}, "first guide")
        second = s.settings("Guide2")
        expect(second.get("LookMode") == "5" and second.get("X") == str(LEFT + 32) and
               second.get("Y") == str(TOP + 32), f"second guide saved as {second}")
        expect("Lang" not in second and "SX" not in second, f"shared keys in the guide's section: {second}")


@scenario
def the_panel_follows_the_guide_used_last():
    raw = format_settings(first_guide(LookMode=4)) + guide_section(2, LookMode=9, X=LEFT, Y=TOP + 340)
    with Session(raw_settings=raw) as s:
        one, two = guides(s, 2)
        s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
        # The activation Wine takes in late after the notification-area icon
        # docks may make either guide current; two clicks settle it.
        s.activate(two)
        s.activate(one)
        first_look = settled_look_list(s)
        s.activate(two)
        deadline_poll("the panel showing the second guide's look",
                      lambda: look_list_shows(s) != first_look, timeout=10)
        s.activate(one)
        deadline_poll("the panel back on the first guide's look",
                      lambda: look_list_shows(s) == first_look, timeout=10)
        s.close()


@scenario
def three_guides_come_back_and_a_close_request_keeps_them_all():
    raw = (format_settings(first_guide()) + guide_section(2, X=LEFT + 440, Y=TOP, LookMode=2)
           + guide_section(3, X=LEFT, Y=TOP - 290, LookMode=7) + "[Mine]\r\nKeep=this\r\n")
    with Session(raw_settings=raw) as s:
        windows = guides(s, 3)
        places = sorted(at(w) for w in windows)
        expect(places == sorted([(LEFT, TOP), (LEFT + 440, TOP), (LEFT, TOP - 290)]), f"guides at {places}")
        s.close()
        expect(s.sections() == ["Settings", "Guide2", "Guide3", "Mine"], f"sections {s.sections()}")
        expect(s.settings("Guide3").get("LookMode") == "7", "the third guide's look")
        expect(s.settings("Mine").get("Keep") == "this", "the user's own section")


@scenario
def the_end_of_the_session_saves_every_guide():
    raw = format_settings(first_guide()) + guide_section(2, X=LEFT + 440, Y=TOP, LookMode=2)
    with Session(raw_settings=raw) as s:
        one, two = guides(s, 2)
        s.activate(two)
        s.key("Down")
        deadline_poll("the second guide's move", lambda: at(two) == (LEFT + 440, TOP + 16), timeout=10)
        s.end_session()
        s.wait_exit()
        second = s.settings("Guide2")
        expect(second.get("Y") == str(TOP + 16) and second.get("LookMode") == "2", f"second guide saved as {second}")
        s.expect_saved({"X": str(LEFT), "Y": str(TOP)}, "first guide")


@scenario
def closing_a_guide_by_its_button_removes_it_and_its_section():
    raw = format_settings(first_guide()) + guide_section(2, X=LEFT + 440, Y=TOP, LookMode=2)
    # (the guide closed, the place and look of the one left)
    for closed, place, look in ((0, (LEFT + 440, TOP), "2"), (1, (LEFT, TOP), "4")):
        with Session(raw_settings=raw) as s:
            windows = guides(s, 2)
            s.click(*close_button(windows[closed]))
            (left,) = guides(s, 1)
            expect(at(left) == place, f"closing guide {closed + 1}: the one left is at {at(left)}")
            s.activate(left)
            s.key("Left")
            s.close()
            expect(s.sections() == ["Settings"], f"closing guide {closed + 1}: sections {s.sections()}")
            s.expect_saved({"LookMode": look, "X": str(place[0] - 16), "Y": str(place[1])},
                           f"closing guide {closed + 1}: the guide left")


@scenario
def no_more_than_sixteen_guides_and_a_notice_says_so():
    small = {"Width": 200, "Height": 124}
    raw = format_settings(first_guide(X=10, Y=10, **small)) + "".join(
        guide_section(n, X=10 + (n % 4) * 240, Y=10 + (n // 4) * 180, **small) for n in range(2, 17))
    with Session(raw_settings=raw) as s:
        def small_guides():
            return [w for w in s.windows(TITLE) if tuple(w.geometry()[2:]) == (224, 164)]
        deadline_poll("16 guides", lambda: len(small_guides()) == 16, timeout=30)
        s.tray.wait_settled()
        s.click(70, 18)  # the first guide's caption
        s.key("n", ["Control_L"])

        def notice_shown():
            shot = s.screenshot()
            return any(shot.pixel(x, y) == NOTICE for x in range(80, 200, 4) for y in range(30, 60, 2))
        deadline_poll("the notice beside the pointer", notice_shown, timeout=10)
        expect(len(small_guides()) == 16, f"{len(small_guides())} guides after the refused one")
        s.close()
        expect(len(s.sections()) == 16, f"sections {s.sections()}")


if __name__ == "__main__":
    sys.exit(main())
