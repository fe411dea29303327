"""Commands from second starts (about 10 s): the copy that runs takes /look,
/hide, /show, /new and /exit and answers with the exit code; a bad argument
changes nothing and starts nothing; /exit with no copy running ends at once;
/startwithwindows writes and removes the user's Run value. Unlisted words
start the program as before (the parser's unit table and test_desktop's
second start)."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import TITLE, E2EError, Session, deadline_poll, expect, main, scenario  # noqa: E402

BORDER = 12
FW, FH = 396 + 2 * BORDER, 245 + 2 * BORDER + 16
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
RUN_VALUE = "Velmora Lumetra"


def settings():
    return {"Border": BORDER, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
            "Ratio": "0.618033988749895", "Opacity": 100, "ShowValues": 0, "ShowHints": 0,
            "LookMode": 3, "OrientMode": 0, "X": 160, "Y": 140, "SFrame": 1,
            "SX": 800, "SY": 120, "SVisible": 0, "SPage": 0}


def command(s, *words):
    """Starts a second copy with these words and returns its exit code."""
    second = subprocess.Popen(["wine", s.path("Lumetra.exe"), *words], cwd=s.folder, env=s.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        return second.wait(60)
    except subprocess.TimeoutExpired:
        second.kill()
        raise E2EError(f"{' '.join(words)} did not end") from None


def guides(s):
    return [w for w in s.windows(TITLE) if tuple(w.geometry()[2:]) == (FW, FH)]


def run_value(s):
    """The Run value's data, or None when there is none."""
    query = subprocess.run(["wine", "reg", "query", RUN_KEY, "/v", RUN_VALUE], env=s.env,
                           capture_output=True, text=True, errors="replace")
    for line in query.stdout.splitlines():
        if line.strip().startswith(RUN_VALUE):
            return line.split("REG_SZ", 1)[1].strip()
    return None


@scenario
def a_running_copy_takes_commands_from_second_starts():
    with Session(settings=settings()) as s:
        s.wait_window(size=(FW, FH))
        before = s.settings_raw()
        expect(command(s, "/quiet", "/look", "99") == 1, "a look number beyond the looks is not refused")
        expect(command(s, "/quiet", "/look", "Nowhere") == 1, "an unknown look name is not refused")
        expect(command(s, "/quiet", "/clickthrough", "maybe") == 1, "a bad switch is not refused")
        expect(len(guides(s)) == 1 and s.settings_raw() == before, "a bad argument changed something")

        expect(command(s, "/LOOK", "5") == 0, "/look 5 failed")
        expect(command(s, "/hide") == 0, "/hide failed")
        deadline_poll("the guide to hide", lambda: not guides(s), timeout=10)
        expect(command(s, "/quiet", "/fit") == 1, "/fit acted on hidden guides")
        expect(command(s, "/show") == 0, "/show failed")
        deadline_poll("the guide back", lambda: len(guides(s)) == 1, timeout=10)
        expect(command(s, "/new") == 0, "/new failed")
        deadline_poll("a second guide", lambda: len(guides(s)) == 2, timeout=10)

        program = s.path("Lumetra.exe").replace("/", "\\")
        expect(command(s, "/startwithwindows", "on") == 0, "/startwithwindows on failed")
        written = run_value(s)
        expect(written is not None and written.startswith('"') and written.lower().endswith('lumetra.exe"'),
               f"the Run value is {written!r}, not the program's quoted path ({program})")
        expect(command(s, "/startwithwindows", "off") == 0, "/startwithwindows off failed")
        expect(run_value(s) is None, "the Run value stayed")

        expect(command(s, "/exit") == 0, "/exit failed")
        s.wait_exit(30)  # /exit waits for the copy to end, so it has ended by now
        s.expect_saved({"LookMode": "5"}, "saved by /exit")
        expect("[Guide2]" in s.settings_text(), "the second guide was not saved")
        expect(command(s, "/quiet", "/exit") == 0, "/exit with no copy running did not end with 0")
        expect(not s.windows(TITLE), "/exit with no copy running started one")


if __name__ == "__main__":
    sys.exit(main())
