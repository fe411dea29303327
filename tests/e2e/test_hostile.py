"""Damaged settings and language files, and saves that go wrong, on the real program.

Every hostile settings file is started for real: the overlay appears (found
by its name, so an off-screen one counts), answers a key, closes and writes
a file. A second run started from that file draws a sane picture and writes
the very same bytes back, so what the first run made of the damage is
stable.
"""
import contextlib
import os
import subprocess
import sys

from Xlib import X
from Xlib.error import XError

sys.path.insert(0, os.path.dirname(__file__))
from harness import (ROOT_COLOUR, SETTINGS_FILE, SETTINGS_KEYS, TITLE, E2EError, Session, Window,  # noqa: E402
                     deadline_poll, expect, format_settings, main, parse_settings, scenario)

LINE = (255, 64, 64)  # the factory LinesColor 0x4040FF
CALM = {"ShowValues": "0", "Opacity": "100"}  # no labels over the lines, no alpha


def focus(s, window):
    """Gives the window the keyboard, as the window manager does on activation."""
    subprocess.run(["xdotool", "windowactivate", "--sync", str(window.id)], env=s.env, check=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)


def settings_file(**values):
    return format_settings({**CALM, **values})


BINARY = bytes(range(256)) * 8 + b"\x00[Settings]\x00Width=\xff\xfe\r\n\x1a"

# name -> the bytes of Lumetra.user.settings. Keys that do not interfere share
# one file; only the first Ratio, Width, ... of a file counts.
SETTINGS_CASES = {
    "ratio_0_sizes_0": settings_file(Ratio="0", Width="0", Height="0", Border="0", LookMode="2"),
    "ratio_negative_sizes_negative": settings_file(Ratio="-1", Width="-1", Height="-400", Border="-5",
                                                   LookMode="3", LockWidth="0"),
    "ratio_nan_sizes_max": settings_file(Ratio="NaN", Width="2147483647", Height="2147483647",
                                         Border="2147483647", LookMode="4", X="0", Y="0"),
    "ratio_inf_sizes_min": settings_file(Ratio="inf", Width="-2147483648", Height="-2147483648",
                                         Border="-2147483648", LookMode="5", Lock="0"),
    "ratio_huge_look_out_of_range": settings_file(Ratio="1e308", LookMode="2147483647", X="50", Y="50"),
    "ratio_tiny_modes_out_of_range": settings_file(Ratio="1e-308", LookMode="6", OrientMode="-2147483648",
                                                     GridSize="2147483647", Opacity="-2147483648",
                                                     SPage="2147483647"),
    "ratio_text_long_lang_far_off_screen": settings_file(Ratio="abc", Lang="L" * 3000, LookMode="7",
                                                         X="-2147483648", Y="2147483647", SX="99999",
                                                         SY="-99999"),
    "ratio_empty_lang_climbs_out": settings_file(Ratio="", Lang="..\\..\\x", LookMode="8",
                                                 GridSize="-2147483648", Opacity="2147483647"),
    "lang_absolute_path_look_negative": settings_file(Lang="C:\\Windows\\win", LookMode="-1",
                                                      OrientMode="2147483647"),
    "binary_file": BINARY,
    "empty_file": b"",
    "section_and_keys_repeated": ("[Settings]\r\nLookMode=9\r\nLookMode=1\r\nWidth=500\r\nShowValues=0\r\n"
                                  "[Settings]\r\nWidth=600\r\nLookMode=3\r\n[Other]\r\nWidth=700\r\n"
                                  "[Settings]\r\nHeight=50\r\n"),
}


def find_overlay(s, timeout=30, grace=6):
    """The overlay by its name, shown if it gets shown at all: Wine leaves a
    window that lies wholly off the screen (or is far too large) unmapped."""
    def probe():
        pending = [s.root]
        while pending:
            try:
                children = pending.pop().query_tree().children
            except XError:
                continue
            for child in children:
                with contextlib.suppress(XError):
                    if child.get_wm_name() == TITLE:
                        return Window(s, child)
                pending.append(child)
        return None
    overlay = deadline_poll(f"a window named {TITLE!r}", probe, timeout)
    with contextlib.suppress(E2EError):
        deadline_poll("the overlay to be shown", lambda: shown(overlay), grace)
    s.tray.wait_settled()
    return overlay


def shown(overlay):
    return overlay.xwin.get_attributes().map_state == X.IsViewable


def answers_a_key(s, overlay):
    """Keypad plus resizes the overlay, or keypad minus one that cannot grow;
    a window larger than the screen both ways shows no change, and its close
    is the sign of life then.

    A window just activated may lose its first key while the window manager
    places it, so each key gets a second chance."""
    before = tuple(overlay.geometry()[2:])
    if before[0] >= s.screen_size[0] and before[1] >= s.screen_size[1]:
        return  # cut to the screen both ways, it cannot show a change of size
    focus(s, overlay)
    for key in ("KP_Add", "KP_Subtract") * 2:
        s.key(key)
        with contextlib.suppress(E2EError):
            deadline_poll(f"the overlay to answer {key}", lambda: tuple(overlay.geometry()[2:]) != before, 3)
            return
    raise E2EError(f"the overlay of size {before} answered neither keypad plus nor minus")


def middle(low, high, limit):
    """The middle of [low, high) cut to [0, limit), or None when nothing is left."""
    low, high = max(low, 0), min(high, limit)
    return (low + high) // 2 if low < high else None


def draws_sanely(s, written):
    """The measured area's outline where the file says, or nothing for a look outside 0..13.

    Only the part of the window on the screen is looked at."""
    border, width, height, left, top, look = (
        int(written[k]) for k in ("Border", "Width", "Height", "X", "Y", "LookMode"))
    screen_width, screen_height = s.screen_size
    area_left, area_top = left + border, top + border + 16
    mid_x = middle(area_left, area_left + width, screen_width)
    mid_y = middle(area_top, area_top + height, screen_height)
    if 2 <= look <= 13:
        # The left edge at half height; an area without height has only its top edge.
        x, y = (area_left, mid_y) if height >= 4 else (mid_x, area_top)
        if x is not None and y is not None and 0 <= x < screen_width and 0 <= y < screen_height:
            s.wait_pixel(x, y, LINE)
    elif not 0 <= look <= 13 and mid_x is not None and mid_y is not None:
        caption = (left + 20, top + 8)
        if 0 <= caption[0] < screen_width and 0 <= caption[1] < screen_height:
            # The caption strip shows that the paint which left the area empty has happened.
            deadline_poll("the caption strip", lambda: s.screenshot().pixel(*caption) != ROOT_COLOUR, 10)
        colour = s.screenshot().pixel(mid_x, mid_y)
        expect(colour == ROOT_COLOUR, f"look {look} drew {colour} at ({mid_x}, {mid_y})")


def run_hostile_settings(raw):
    """Start, key, close; then start from the written file, check the picture, close, compare bytes."""
    with Session(raw_settings=raw) as s:
        overlay = find_overlay(s)
        # A window off the screen cannot have the keyboard: closing it is
        # the sign of life then.
        if shown(overlay):
            answers_a_key(s, overlay)
        s.close()
        written = s.settings_raw()
    values, order = parse_settings(written.decode("latin-1"))
    expect(set(SETTINGS_KEYS) <= set(order), f"keys written: {order}")
    with Session(raw_settings=written) as s:
        find_overlay(s)
        draws_sanely(s, values)
        s.close()
        again = s.settings_raw()
    expect(again == written, "a run started from the written file wrote different bytes:\n"
                             f"{written!r}\n{again!r}")


for case_name, case_bytes in SETTINGS_CASES.items():
    def run(raw=case_bytes):
        run_hostile_settings(raw)
    run.__name__ = f"settings_{case_name}"
    scenario(run)


# Hostile language files beside the program, chosen with Lang=Hostile. The
# size read-out is compared with the same read-out drawn from a plain text,
# so the fallback that the language rules give can be seen in pixels.
ENGLISH_READOUT = "%d x %d"
LANG_CASES = {
    # LF line ends: the first value swallows the file and nothing loads.
    "lf_only": (b"MWidthHeight=LF %d\nMGridSize=LF\n", ENGLISH_READOUT),
    # The last entry has no line break, so it is dropped.
    "no_final_line_break": (b"MGridSize=G\r\nMWidthHeight=cut %d", ENGLISH_READOUT),
    # Conversions that do not fit the two integers: the template stands as it is.
    "mismatched_directives": (b"MWidthHeight=%n%s%s%s\r\n", "%%n%%s%%s%%s"),
    "string_for_integer": (b"MWidthHeight=%s x %d\r\n", "%%s x %%d"),
    # A backslash before the end of the file: the entry is dropped.
    "unterminated_backslash": (b"MGridSize=G\r\nMWidthHeight=W %d\\", ENGLISH_READOUT),
    # A value of a megabyte loads and is drawn cut by the window.
    "megabyte_value": (b"MWidthHeight=" + b"W" * (1 << 20) + b"\r\n", "W" * 2000),
}
READOUT_SETTINGS = {"ShowValues": "1", "Opacity": "100", "LookMode": "3", "X": "100", "Y": "100",
                    "Border": "24", "Width": "396", "Lock": "1", "LockWidth": "1"}


def readout_pixels(s):
    """The size read-out below the measured area: (B + 3, B + H + 17) onwards."""
    x0, y0 = 100 + 24 + 3, 100 + 24 + 245 + 17
    s.wait_window(size=(396 + 48, 245 + 48 + 16))
    # The read-out is drawn in the same paint as the outline.
    s.wait_pixel(100 + 24, 100 + 24 + 16 + 100, LINE)
    shot = s.screenshot()
    return [shot.pixel(x, y) for y in range(y0, y0 + 11) for x in range(x0, x0 + 300)]


def readout_of(lang_bytes, lang_name):
    settings = dict(READOUT_SETTINGS, Lang=lang_name)
    with Session(settings=settings, extra_files={f"{lang_name}.lng": lang_bytes}) as s:
        pixels = readout_pixels(s)
        s.close()
        written = s.settings()
    expect(written["Lang"] == lang_name, f"Lang {written['Lang']!r} written back")
    return pixels


for case_name, (lang_bytes, plain_template) in LANG_CASES.items():
    def run(lang_bytes=lang_bytes, plain_template=plain_template):
        hostile = readout_of(lang_bytes, "Hostile")
        plain = readout_of(f"MWidthHeight={plain_template}\r\n".encode(), "Plain")
        expect(hostile == plain, "the read-out differs from the text the language rules give")
        expect(any(p != ROOT_COLOUR for p in hostile), "no read-out was drawn")
    run.__name__ = f"language_{case_name}"
    scenario(run)


@scenario
def save_blocked_at_the_temporary_file_keeps_the_old_file():
    old = settings_file(LookMode="3", X="100", Y="100")
    with Session(raw_settings=old) as s:
        os.makedirs(s.path(SETTINGS_FILE + ".tmp"))
        overlay = s.wait_window()
        size = tuple(overlay.geometry()[2:])
        s.close_request()
        boxes = deadline_poll("the message box of the failed save",
                              lambda: [w for w in s.windows() if tuple(w.geometry()[2:]) != size], 30)
        s.answer_box(boxes[0])
        s.wait_exit(30)
        expect(s.settings_raw() == old.encode("latin-1"), "the old settings file changed")
        expect(os.path.isdir(s.path(SETTINGS_FILE + ".tmp")), "the folder in the way was removed")


if __name__ == "__main__":
    sys.exit(main())
