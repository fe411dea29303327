"""Start-up and shutdown of the real program."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import (SETTINGS_FILE, SETTINGS_KEYS, Session, expect, main, parse_settings,  # noqa: E402
                     scenario)

# First run: W 396, H 245, B 12 gives a 420 x 285 window at (300, 240).
FIRST_RUN_GEOMETRY = (300, 240, 420, 285)


@scenario
def first_run_opens_overlay_and_saves_on_close():
    with Session() as s:
        overlay = s.wait_window(size=FIRST_RUN_GEOMETRY[2:])
        expect(overlay.geometry() == FIRST_RUN_GEOMETRY,
               f"overlay geometry {overlay.geometry()} is not {FIRST_RUN_GEOMETRY}")
        expect(s.close() == 0, "the program did not end with status 0")
        values, order = parse_settings(s.settings_raw().decode("latin-1"))
        expect(order == SETTINGS_KEYS, f"keys written {order}")
        expect(values["Width"] == "396" and values["Height"] == "245", f"size {values}")
        expect(values["X"] == "300" and values["Y"] == "240", f"position {values}")
        expect(s.settings_raw().count(b"\r\n") == len(SETTINGS_KEYS) + 1, "lines are not CR LF")


@scenario
def uninstall_argument_ends_without_window_or_settings():
    with Session(args=["/uninstall"]) as s:
        s.wait_exit(60)
        s.wait_no_window(timeout=5)
        expect(not os.path.exists(s.path(SETTINGS_FILE)), "the settings file was written")


@scenario
def uninstall_in_other_letter_case_starts_normally():
    with Session(args=["/Uninstall"]) as s:
        s.wait_window(size=FIRST_RUN_GEOMETRY[2:])
        s.close()
        expect(os.path.exists(s.path(SETTINGS_FILE)), "no settings file after a normal run")


@scenario
def sixteen_bit_display_warns_once_before_the_overlay():
    with Session(depth=16) as s:
        box = s.wait_window()
        expect(tuple(box.geometry()[2:]) != FIRST_RUN_GEOMETRY[2:],
               "the overlay appeared before the warning")
        expect(len(s.windows()) == 1, "more than one window before the warning was answered")
        left, top, width, height = box.geometry()
        s.click(left + width // 2, top + height // 2)
        s.key("Return")
        s.wait_window(size=FIRST_RUN_GEOMETRY[2:])
        s.close()


if __name__ == "__main__":
    sys.exit(main())
