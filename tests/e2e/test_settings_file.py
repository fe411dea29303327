"""The settings file across real runs: rewritten in place, never lost."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import (SETTINGS_FILE, SETTINGS_KEYS, Session, deadline_poll, expect, format_settings, main,  # noqa: E402
                     parse_settings, scenario)

USER_LINES_BEFORE = "; my notes about this overlay\r\n[Other]\r\nColour=blue\r\n"
USER_LINES_AFTER = "[Later]\r\nKeep=this line\r\n"


@scenario
def save_rewrites_all_keys_in_order_and_keeps_user_lines():
    # Only a key of the user's own: the program's 26 keys are all new.
    raw = format_settings({"Custom": "mine"},
                          sections_before=USER_LINES_BEFORE.rstrip("\r\n"),
                          extra_after=USER_LINES_AFTER)
    with Session(raw_settings=raw) as s:
        s.wait_window()
        s.close()
        text = s.settings_raw().decode("latin-1")
        values, order = parse_settings(text)
        written = [key for key in order if key in SETTINGS_KEYS]
        expect(written == SETTINGS_KEYS, f"keys in the Settings section: {order}")
        expect(values["Custom"] == "mine", "the user's own key was dropped")
        expect(order[0] == "Custom", "the user's key moved")
        # Key-missing defaults: 401 wide, the height derived from the ratio.
        expect((values["Width"], values["Height"]) == ("401", "248"), f"size {values['Width']}x{values['Height']}")
        expect(text.startswith(USER_LINES_BEFORE), "the lines before the section changed")
        expect(text.endswith(USER_LINES_AFTER), "the lines after the section changed")
        expect("\n" not in text.replace("\r\n", ""), "a line does not end in CR LF")


@scenario
def killed_program_leaves_the_previous_file_intact():
    raw = format_settings({"LookMode": 3, "X": 100, "Y": 100})
    with Session(raw_settings=raw) as s:
        overlay = s.wait_window()
        s.move_window(overlay, 300, 300)
        s.kill()
        expect(s.settings_raw() == raw.encode("latin-1"), "the settings file changed")


@scenario
def save_blocked_by_a_folder_reports_and_ends():
    with Session() as s:
        os.makedirs(s.path(SETTINGS_FILE))
        s.wait_window(size=(420, 285))
        s.close_request()
        boxes = deadline_poll("the message box of the failed save",
                              lambda: [w for w in s.windows() if tuple(w.geometry()[2:]) != (420, 285)], 30)
        s.answer_box(boxes[0])
        s.wait_exit(30)
        expect(os.path.isdir(s.path(SETTINGS_FILE)), "the folder standing in the way was replaced")


if __name__ == "__main__":
    sys.exit(main())
