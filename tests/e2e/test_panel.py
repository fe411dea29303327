"""The settings panel with real mouse and keys: showing and hiding it, its
lists and fields driving the overlay, a language change, restoring the
defaults, its caption buttons, the Work page, and what closing stores.

The overlay starts from the worked example (W 396, H 245, B 12, width
leading with the lock on, window 420 x 285) at (20, 300), clear of the panel
at its first-run place (screen width - 181, 10) even when it grows to
1024 x 658. Keys go to the window clicked last, so every keyboard check
clicks its target first.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import (  # noqa: E402
    CAPTION_ACTIVE, CAPTION_INACTIVE, PANEL_SIZE, PANEL_TITLE, TITLE, Session, deadline_poll, expect, main,
    parse_settings, scenario)

PANEL_LEFT, PANEL_TOP = 1280 - 181, 10
LEFT, TOP = 20, 300
BORDER = 12
RATIO = 0.618033988749895
GREY = (128, 128, 128)
WHITE = (255, 255, 255)
RED = (255, 0, 0)
LINE = (255, 64, 64)  # LinesColor 0x4040FF
PRESETS = 17  # ratio list items before the typed ones
PANEL_CLASS = "TLumetraSettings"
PAGE = (4, 56)  # a page's client origin in the panel, below two rows of tabs
TAB_STRIP = (0, 20, 173, 56)  # left, top, right, bottom in the panel
# Tab centres while the Look or Main page is shown: its row lies next to the page.
COLORS_TAB = (150, 43)
WORK_TAB = (127, 29)
# The Work page's boxes and the note below the capture box (page coordinates).
CLICK_THROUGH_BOX = (20, 20)
CAPTURE_BOX, CAPTURE_TEXT, CAPTURE_NOTE = (20, 40), (30, 34, 150, 46), (28, 58, 150, 70)
NEXT_LOOK_KEY_BOX = (80, 268)  # the last of the four hot-key boxes
NEXT_LOOK_KEY_NOTE = (12, 280, 150, 290)  # the note below it
# Right end image of the strip and its two live boxes (panel coordinates).
RIGHT_END = 173 - 37
HELP_FACE, CLOSE_FACE = (173 - 33, 4), (173 - 12, 4)
HELP_GLYPH, CLOSE_GLYPH = (RIGHT_END + 7, 5), (RIGHT_END + 26, 5)


def worked_example(**overrides):
    values = {"Border": BORDER, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
              "Ratio": repr(RATIO), "Opacity": 90, "ShowValues": 0, "ShowHints": 0,
              "LookMode": 4, "OrientMode": 0, "X": LEFT, "Y": TOP, "SFrame": 1,
              "SX": PANEL_LEFT, "SY": PANEL_TOP, "SVisible": 1, "SPage": 2}
    values.update(overrides)
    return values


def frame(width, ratio=RATIO):
    """Window size for a content width with the height following the lock."""
    return width + 2 * BORDER, round(width * ratio) + 2 * BORDER + 16


def panel_at(x, y):
    return PANEL_LEFT + x, PANEL_TOP + y


def page_at(x, y):
    """A point given in a page's client coordinates."""
    return panel_at(PAGE[0] + x, PAGE[1] + y)


def overlay_at(x, y):
    return LEFT + x, TOP + y


def wait_panel(s):
    panel = s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
    s.wait_pixel(*panel_at(20, 0), GREY)  # the strip's outline: painted
    return panel


def wait_size(window, size, what):
    deadline_poll(f"{what}: size {size} (now {window.geometry()[2:]})",
                  lambda: tuple(window.geometry()[2:]) == tuple(size), timeout=10)


def type_text(s, text):
    names = {".": "period", "-": "minus"}
    for char in text:
        s.key(names.get(char, char))


def replace_field(s, at, text):
    """Clicks a one-line field, empties it and types text; no Enter."""
    s.click(*at)
    s.key("End")
    s.key("Home", ["Shift_L"])
    s.key("Delete")
    type_text(s, text)


def other_windows(s, known):
    return [w for w in s.windows(TITLE) if w.id not in known]


def tab_strip(s):
    shot = s.screenshot()
    left, top, right, bottom = TAB_STRIP
    return [shot.pixel(*panel_at(x, y)) for y in range(top, bottom) for x in range(left, right)]


def settled_tab_strip(s):
    """The tab strip once two screenshots in a row agree."""
    def probe():
        first = tab_strip(s)
        return first if first == tab_strip(s) else None
    return deadline_poll("the tab strip to settle", probe)


@scenario
def f2_and_the_settings_button_show_and_hide_the_panel():
    # First run: no settings file, the overlay at (300, 240), the panel shown on the Main page.
    with Session() as s:
        overlay = s.wait_window(size=frame(396))
        panel = wait_panel(s)
        expect(panel.geometry()[:2] == (PANEL_LEFT, PANEL_TOP), f"first-run panel at {panel.geometry()[:2]}")
        left, top, fw, _ = overlay.geometry()
        caption, settings_button = (left + 100, top + 8), (left + fw - 42 + 3, top + 7)

        s.click(*caption)
        s.key("F2")
        s.wait_no_window(PANEL_TITLE)
        s.key("F2")
        wait_panel(s)
        expect(panel.geometry()[:2] == (PANEL_LEFT, PANEL_TOP), "showing the panel moved it")

        s.click(*panel_at(60, 8))  # the panel's caption strip: it takes the keys
        s.key("F2")
        s.wait_no_window(PANEL_TITLE)

        s.click(*settings_button)
        wait_panel(s)
        s.click(*settings_button)
        s.wait_no_window(PANEL_TITLE)
        s.click(*settings_button)
        wait_panel(s)

        s.click(*panel_at(*COLORS_TAB))
        # Closing by the overlay's own close button reads the panel as it is.
        s.click(left + fw - 12 + 3, top + 7)
        s.wait_exit()
        s.expect_saved({"SVisible": "1", "SPage": "3", "SX": str(PANEL_LEFT), "SY": str(PANEL_TOP)},
                       "saved panel state")


@scenario
def look_list_and_size_field_drive_the_overlay():
    with Session(settings=worked_example()) as s:
        overlay = s.wait_window(size=frame(396))
        wait_panel(s)
        s.wait_pixel(*overlay_at(20, 0), GREY)
        centre_line = overlay_at(210, 60)
        expect(s.screenshot().pixel(*centre_line) != LINE, "look 4 already draws a centre line")

        s.click(*page_at(80, 197))  # the look list drops down
        s.key("Down")
        s.key("Return")
        s.wait_pixel(*centre_line, LINE)

        size_field = page_at(117, 60)
        replace_field(s, size_field, "1000")
        expect(tuple(overlay.geometry()[2:]) == frame(396), "typing alone resized the overlay")
        s.key("Return")
        wait_size(overlay, (1024, 658), "1000 and Enter")

        known = {w.id for w in s.windows(TITLE)}
        replace_field(s, size_field, "abc")
        s.key("Return")
        message = deadline_poll("the conversion message", lambda: other_windows(s, known), timeout=10)[0]
        left, top, width, height = message.geometry()
        expect(width > 100 and height > 50, f"message box of {width} x {height}")
        s.click(left + width // 2, top + height - 22)  # its OK button
        deadline_poll("the message box to go", lambda: not other_windows(s, known), timeout=10)
        expect(tuple(overlay.geometry()[2:]) == (1024, 658), "a text that is no number changed the size")
        s.click(*panel_at(60, 8))  # the keys come back to the panel with a click on its strip

        replace_field(s, size_field, "500")
        s.key("Return")
        wait_size(overlay, frame(500), "500 and Enter")
        expect(not other_windows(s, known), "a message box came back")

        replace_field(s, size_field, "600")
        s.click(*page_at(117, 268))  # into the grid size field: leaving commits
        wait_size(overlay, frame(600), "600 and leaving the field")

        s.close()
        s.expect_saved({"LookMode": "5", "Width": "600", "Height": str(round(600 * RATIO))})


def below_ratio_box(s):
    shot = s.screenshot()
    return [shot.pixel(*page_at(x, y)) for y in range(128, 200, 3) for x in range(10, 150, 3)]


@scenario
def enter_in_the_ratio_box_applies_and_closes_its_list():
    with Session(settings=worked_example()) as s:
        overlay = s.wait_window(size=frame(396))
        wait_panel(s)
        closed = below_ratio_box(s)
        s.click(*page_at(145, 114))  # the arrow: the list drops over the page
        deadline_poll("the dropped list", lambda: below_ratio_box(s) != closed, timeout=10)
        s.key("End")
        s.key("Home", ["Shift_L"])
        type_text(s, "1.3")
        s.key("Return")
        wait_size(overlay, frame(396, 1.3), "ratio 1.3")
        deadline_poll("the list to close", lambda: below_ratio_box(s) == closed, timeout=10)
        s.close()
        s.expect_saved({"Ratio": "1.3"})


@scenario
def typed_ratio_reshapes_the_overlay_and_joins_the_list():
    with Session(settings=worked_example()) as s:
        overlay = s.wait_window(size=frame(396))
        wait_panel(s)
        ratio_text, ratio_arrow = page_at(60, 114), page_at(145, 114)

        replace_field(s, ratio_text, "1.2")
        s.key("Return")
        wait_size(overlay, frame(396, 1.2), "ratio 1.2")

        # Up to the first preset in the dropped list, then down to item 17,
        # the first after the presets: the typed ratio again. (Home and End
        # belong to the box's text.)
        s.click(*ratio_arrow)
        for _ in range(PRESETS):
            s.key("Up")
        s.key("Return")
        wait_size(overlay, frame(396), "the golden-ratio preset")
        s.click(*ratio_arrow)
        for _ in range(PRESETS):
            s.key("Down")
        s.key("Return")
        wait_size(overlay, frame(396, 1.2), "the item after the presets")

        s.close()
        s.expect_saved({"Ratio": "1.2", "Width": "396", "Height": str(round(396 * 1.2))})


@scenario
def language_list_relabels_the_tabs():
    testish = "\r\n".join(["; wider tab captions", "MSMainTab=Mmmm Wwww", "MSLookTab=Lllook Wwww",
                           "MSColorsTab=Cccolours", "MSAdvancedTab=Extra", ""])
    with Session(settings=worked_example(SPage=4), extra_files={"Testish.lng": testish}) as s:
        s.wait_window(size=frame(396))
        wait_panel(s)
        before = settled_tab_strip(s)

        s.click(*page_at(80, 204))  # the language list drops down
        s.key("T")
        s.key("Return")
        # A click can flicker the strip for a moment: wait for a settled
        # strip that differs from the old one in its captions.
        def relabelled():
            strip = settled_tab_strip(s)
            return sum(a != b for a, b in zip(before, strip)) > 100
        deadline_poll("the tabs to take the new captions", relabelled, timeout=10)

        s.close()
        expect(s.settings()["Lang"] == "Testish", f"saved language {s.settings()['Lang']!r}")


@scenario
def restore_defaults_and_the_caption_buttons():
    with Session(settings=worked_example(Width=500, Height=309, SPage=4, Border=20)) as s:
        overlay = s.wait_window(size=(540, 309 + 56))
        wait_panel(s)
        help_face, close_face = panel_at(*HELP_FACE), panel_at(*CLOSE_FACE)
        help_glyph, close_glyph = panel_at(*HELP_GLYPH), panel_at(*CLOSE_GLYPH)
        # Pixels a fill must leave: the boxes' outside, the dimmed box, the caption tiles.
        around = [panel_at(RIGHT_END + x, y) for x, y in ((2, 7), (13, 7), (19, 7), (34, 7), (20, 13))] + \
            [panel_at(60, 8)]
        normal = s.screenshot()
        face_colour = normal.pixel(*help_face)
        expect(normal.pixel(*close_face) == face_colour, "the two boxes start with different faces")
        untouched = {p: normal.pixel(*p) for p in around}

        s.move_pointer(*panel_at(HELP_FACE[0] + 3, 7))
        s.wait_pixel(*help_face, WHITE)
        shot = s.screenshot()
        expect(shot.pixel(*help_glyph) == GREY, "the question mark was filled over")
        expect(shot.pixel(*panel_at(HELP_FACE[0] + 7, 11)) == WHITE, "the help face is not filled to its corner")
        expect({p: shot.pixel(*p) for p in around} == untouched, "the white fill left the help box")

        # Straight into the close box: the help face comes back before the red fill.
        s.move_pointer(*panel_at(CLOSE_FACE[0] + 3, 7))
        s.wait_pixel(*close_face, RED)
        shot = s.screenshot()
        expect(shot.pixel(*help_face) == face_colour, "the help face stayed white")
        expect(shot.pixel(*close_glyph) == GREY, "the cross was filled over")
        expect(shot.pixel(*panel_at(CLOSE_FACE[0] + 7, 11)) == RED, "the close face is not filled to its corner")
        expect({p: shot.pixel(*p) for p in around} == untouched, "the red fill left the close box")
        s.move_pointer(*panel_at(60, 8))  # only the strip gets the panel's own moves
        s.wait_pixel(*close_face, face_colour)

        s.click(*page_at(80, 234))  # restore defaults
        wait_size(overlay, (420, 285), "restored defaults")

        s.click(*panel_at(CLOSE_FACE[0] + 3, 7))
        s.wait_no_window(PANEL_TITLE)
        s.close()
        s.expect_saved({"Width": "396", "Height": "245", "Border": "12", "SVisible": "0",
                        "SPage": "4"})


def caption_text_end(s):
    """How far right the guide's caption text reaches, in the overlay."""
    shot = s.screenshot()
    ink = (CAPTION_ACTIVE, CAPTION_INACTIVE)
    return max((x for x in range(14, 420 - 64) for y in range(3, 13) if shot.pixel(*overlay_at(x, y)) in ink),
               default=0)


def page_box(centre, half_width, half_height):
    """A box of screen coordinates around a point given in page coordinates."""
    x, y = page_at(*centre)
    return x - half_width, y - half_height, x + half_width, y + half_height


def changed(s, before, box):
    """Whether a box of screen coordinates shows otherwise than in an earlier shot."""
    shot = s.screenshot()
    left, top, right, bottom = box
    return any(shot.pixel(x, y) != before.pixel(x, y) for x in range(left, right) for y in range(top, bottom))


def darkest(s, box):
    """The darkest channel value in a box of page coordinates."""
    shot = s.screenshot()
    left, top, right, bottom = box
    return min(min(shot.pixel(*page_at(x, y))) for x in range(left, right) for y in range(top, bottom))


def open_work_page(s):
    """Waits for the guide and the panel, then shows the Work page; the
    caption text's right end without the click-through mark."""
    s.wait_window(size=frame(396))
    wait_panel(s)
    s.wait_pixel(*overlay_at(20, 0), GREY)
    plain = deadline_poll("the caption text", lambda: caption_text_end(s) or None)
    s.click(*panel_at(*WORK_TAB))
    # Wine cannot keep windows out of captures: the box is greyed, its note shows.
    deadline_poll("the capture note", lambda: darkest(s, CAPTURE_NOTE) < 64, timeout=10)
    return plain


@scenario
def the_work_page_switches_click_through_and_shows_capture_hiding_unavailable():
    with Session(settings=worked_example()) as s:
        plain = open_work_page(s)
        expect(darkest(s, CAPTURE_TEXT) > 64, "the capture box's text is not greyed")
        s.click(*page_at(*CAPTURE_BOX))

        s.click(*page_at(*CLICK_THROUGH_BOX))
        deadline_poll(f"the caption's click-through mark (text ended at {plain})",
                      lambda: caption_text_end(s) > plain + 30, timeout=10)
        s.close()
        s.expect_saved({"ClickThrough": "1", "HideFromCapture": None, "SPage": "5"})


@scenario
def a_combination_the_program_holds_goes_to_the_box_not_to_its_command():
    with Session(settings=worked_example()) as s:
        plain = open_work_page(s)

        # Click-through's own combination typed into the next-look box: the
        # box refuses another command's combination, and nothing switches.
        # The box has the keys (and the hot keys stand aside) once its caret
        # shows; the refusal's note shows the combination was taken in.
        box = page_box(NEXT_LOOK_KEY_BOX, 66, 8)
        unfocused = s.screenshot()
        s.click(*page_at(*NEXT_LOOK_KEY_BOX))
        deadline_poll("the next-look box's caret", lambda: changed(s, unfocused, box), timeout=10)
        expect(darkest(s, NEXT_LOOK_KEY_NOTE) > 64, "a note shows below the next-look box before the combination")
        s.key("F1", ["Control_L", "Shift_L"])
        deadline_poll("the next-look box's refusal", lambda: darkest(s, NEXT_LOOK_KEY_NOTE) < 64, timeout=10)
        expect(caption_text_end(s) == plain, "the combination ran its command from inside the box")

        # Out of the box, the same combination is the hot key again.
        s.activate(s.wait_window(size=frame(396)))
        s.key("F1", ["Control_L", "Shift_L"])
        deadline_poll("the caption's click-through mark", lambda: caption_text_end(s) > plain + 30, timeout=10)
        s.close()
        s.expect_saved({"ClickThrough": "1", "HotKeyNextLook": None})

# The Advanced page's calibration button and, once it opens the group, the
# fields of the known width and height and the button that confirms them.
CALIBRATE_BTN, KNOWN_WIDTH, KNOWN_HEIGHT, CONFIRM_BTN = (80, 292), (80, 85), (80, 125), (80, 183)


def ratio_notice(s, overlay):
    """The text of the notice R shows, in the chosen unit."""
    notice = s.watch_window_text("tooltips_class32", timeout=15)
    s.activate_by_keyboard(overlay)
    s.key("r")
    text = notice()
    expect(text is not None, "R showed no notice")
    return text


def wait_ratio_notice(s, overlay, start):
    """R's notice once it starts so: a notice still showing from before may
    be the one read first."""
    def probe():
        return ratio_notice(s, overlay).startswith(start)
    deadline_poll(f"R's notice to read {start!r}", probe, timeout=40)


@scenario
def a_calibration_on_the_advanced_page_changes_the_millimetres_and_survives_a_restart():
    """396 x 245 pixels laid over a known 198 x 122.5 mm read as that from then on. About 10 s."""
    with Session(settings=worked_example(Units=2, SPage=4)) as s:
        overlay = s.wait_window(size=frame(396))
        wait_panel(s)
        before = ratio_notice(s, overlay)
        expect("mm" in before and "198.0" not in before, f"before the calibration R reads {before!r}")
        s.click(*page_at(*CALIBRATE_BTN))
        deadline_poll("the card's width in the group", lambda: "85.6 mm" in s.child_texts(PANEL_CLASS), timeout=10)
        replace_field(s, page_at(*KNOWN_WIDTH), "198")
        replace_field(s, page_at(*KNOWN_HEIGHT), "122.5")
        s.click(*page_at(*CONFIRM_BTN))
        deadline_poll("the group to close", lambda: "122.5" not in s.child_texts(PANEL_CLASS), timeout=10)
        wait_ratio_notice(s, overlay, "198.0 × 122.5 mm")
        s.close()
        raw = s.settings_raw()
    calibration, _ = parse_settings(raw.decode("latin-1"), "Calibration")
    expect(list(calibration.values()) == ["396/198 245/122.5"], f"the file's calibration is {calibration}")
    with Session(raw_settings=raw) as s:
        overlay = s.wait_window(size=frame(396))
        wait_ratio_notice(s, overlay, "198.0 × 122.5 mm")
        s.close()


if __name__ == "__main__":
    sys.exit(main())
