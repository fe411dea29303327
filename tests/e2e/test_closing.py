"""What the program keeps when it is ended from outside: the end of the
Windows session, Restart Manager closing it for an update, a close request
while it is minimised; and keyboard focus on the settings panel, which must
not change a setting by itself."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import PANEL_SIZE, PANEL_TITLE, TITLE, Session, deadline_poll, expect, main, scenario  # noqa: E402

LEFT, TOP = 40, 300
PANEL_LEFT, PANEL_TOP = 700, 200
FW, FH = 420, 285
GREY = (128, 128, 128)
LOOK_PAGE = 2


def worked_example(**overrides):
    values = {"Border": 12, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
              "Ratio": "0.618033988749895", "Opacity": 90, "ShowValues": 0, "ShowHints": 0,
              "LookMode": 4, "OrientMode": 0, "X": LEFT, "Y": TOP, "SFrame": 1,
              "SX": PANEL_LEFT, "SY": PANEL_TOP, "SVisible": 1, "SPage": LOOK_PAGE}
    values.update(overrides)
    return values


def wait_panel(s):
    panel = s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
    s.wait_pixel(PANEL_LEFT + 20, PANEL_TOP, GREY)  # the strip's outline: painted
    return panel


def change_look_and_place(s):
    """The next look, and the guide 16 pixels to the right, once the panel is up."""
    s.wait_window(size=(FW, FH))
    wait_panel(s)
    s.click(LEFT + 100, TOP + 8)
    s.key("Return")  # next look
    s.key("Right")   # 16 pixels to the right
    overlay = s.wait_window(size=(FW, FH))
    deadline_poll("the arrow move", lambda: overlay.geometry()[0] == LEFT + 16, timeout=10)


@scenario
def end_of_session_saves_the_changes_of_the_run():
    with Session(settings=worked_example()) as s:
        change_look_and_place(s)
        s.end_session()
        s.wait_exit()
        s.expect_saved({"LookMode": "5", "X": str(LEFT + 16), "Y": str(TOP), "SVisible": "1",
                        "SX": str(PANEL_LEFT), "SY": str(PANEL_TOP), "SPage": str(LOOK_PAGE)},
                       "saved at the end of the session")


@scenario
def restart_managers_close_saves_the_run_and_ends_the_program():
    # The session goes on: the program must end by itself, with no close
    # request after the end-of-session messages.
    with Session(settings=worked_example()) as s:
        change_look_and_place(s)
        expect(s.close_app() == 0, "the program refused to close for the update")
        s.wait_exit()
        s.expect_saved({"LookMode": "5", "X": str(LEFT + 16), "Y": str(TOP), "SVisible": "1"},
                       "saved when Restart Manager closed it")


@scenario
def close_while_minimised_keeps_the_place_and_the_panel():
    with Session(settings=worked_example()) as s:
        s.wait_window(size=(FW, FH))
        wait_panel(s)
        s.click(LEFT + FW - 21 + 3, TOP + 7)  # the minimise button
        s.wait_no_window(TITLE)
        # Windows hides the panel with its owner; Wine leaves it shown.
        s.close()
        s.expect_saved({"X": str(LEFT), "Y": str(TOP), "SVisible": "1",
                        "SX": str(PANEL_LEFT), "SY": str(PANEL_TOP)}, "saved while minimised")
        saved = s.settings_raw()
    with Session(raw_settings=saved) as s:
        overlay = s.wait_window(size=(FW, FH))
        expect(tuple(overlay.geometry()[:2]) == (LEFT, TOP), f"overlay back at {overlay.geometry()[:2]}")
        panel = wait_panel(s)
        expect(tuple(panel.geometry()[:2]) == (PANEL_LEFT, PANEL_TOP), f"panel back at {panel.geometry()[:2]}")
        s.close()


@scenario
def close_request_keeps_the_panel_as_the_user_left_it():
    # The task manager's close reaches the panel as well; it must not hide it for good.
    with Session(settings=worked_example()) as s:
        s.wait_window(size=(FW, FH))
        wait_panel(s)
        s.close()
        s.expect_saved({"SVisible": "1", "SX": str(PANEL_LEFT), "SY": str(PANEL_TOP)}, "after a close request")


@scenario
def tab_through_the_look_page_keeps_the_leading_side():
    with Session(settings=worked_example(LockWidth=0)) as s:
        s.wait_window(size=(FW, FH))
        wait_panel(s)
        # Back from the size field to the radio buttons, then from the tab
        # strip (which the panel's caption click focuses) into the page.
        s.click(PANEL_LEFT + 4 + 110, PANEL_TOP + 56 + 60)
        s.key("Tab", ["Shift_L"])
        s.click(PANEL_LEFT + 60, PANEL_TOP + 8)
        s.key("Tab")
        s.close()
        s.expect_saved({"LockWidth": "0", "Width": "396", "Height": "245"}, "after tabbing")


if __name__ == "__main__":
    sys.exit(main())
