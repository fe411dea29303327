"""Each look drawn by the real overlay, checked in screen pixels.

Worked-example settings: W 396, H 245, B 12, G 8, ratio 0.6180339887498949,
the overlay at (100, 100) with full opacity and no labels, so the measured
area runs from x 12 to 408 and y 28 to 273 in the window.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import PANEL_SIZE, PANEL_TITLE, PRODUCT_DIR, Session, deadline_poll, expect, main, scenario  # noqa: E402

LEFT, TOP = 100, 100
LINE = (255, 64, 64)  # LinesColor 0x4040FF
NOTICE = (255, 249, 206)
PANEL_LEFT, PANEL_TOP = 1280 - 181, 10
LOOK_LIST = (PANEL_LEFT + 4 + 80, PANEL_TOP + 56 + 197)  # on the panel's Look page
# Lines at a quarter and a half of the width, and across at half the height:
# x 12 + 99 and 12 + 198, y 28 + 122 in the window.
CROSS_GUIDE = b"""# a guide of the user's own
name = Quarter cross
line 25% 0 25% 1
line 0.5 0 0.5 1
line 0 0.5 1 0.5
"""

# look -> {orientation: (pixels on a line, pixels on no line)}; window coordinates.
OUTLINE = [(12, 60), (408, 200)]
CASES = {
    0: {0: ([(20, 31), (404, 31), (23, 36)], [(23, 31), (408, 31)]),
        1: ([(400, 31), (408, 31)], [(20, 31), (404, 31)])},
    1: {0: ([(257, 200), (163, 200), (300, 179), (12, 200)], [(200, 200), (200, 180)]),
        2: ([(315, 100), (257, 100), (200, 122), (408, 200)], [(200, 179), (303, 100)])},
    2: {0: (OUTLINE + [(210, 60), (60, 150)], [(100, 60)]),
        3: (OUTLINE + [(210, 60), (60, 150)], [(100, 60)])},
    3: {0: (OUTLINE + [(144, 60), (276, 60), (60, 109), (60, 192)], [(200, 60), (163, 60)]),
        2: (OUTLINE + [(144, 60), (276, 60), (60, 109), (60, 192)], [(200, 60), (163, 60)])},
    4: {0: (OUTLINE + [(257, 60), (163, 60), (60, 179), (60, 122)], [(144, 60), (200, 60)]),
        1: (OUTLINE + [(257, 60), (163, 60), (60, 179), (60, 122)], [(144, 60), (200, 60)])},
    5: {0: (OUTLINE + [(210, 60), (60, 150)], []),
        2: (OUTLINE + [(210, 60), (60, 150)], [])},
    6: {0: (OUTLINE + [(210, 60), (60, 150)], []),
        1: (OUTLINE + [(210, 60), (60, 150)], [])},
    7: {0: (OUTLINE + [(100, 150), (210, 145)], [(210, 60), (300, 150)]),
        1: (OUTLINE + [(300, 150), (210, 145)], [(210, 60), (100, 150)])},
    8: {0: (OUTLINE + [(210, 60), (60, 150)], [(100, 60)]),
        2: (OUTLINE + [(210, 60), (60, 150)], [(100, 60)])},
    9: {0: (OUTLINE + [(286, 60), (134, 60), (332, 60), (88, 60), (60, 197)], [(200, 60), (60, 225)]),
        3: (OUTLINE + [(286, 60), (134, 60), (332, 60), (88, 60), (60, 103)], [(200, 60), (60, 75)])},
    10: {0: (OUTLINE + [(70, 100), (48, 100)], [(60, 100)]),
         2: (OUTLINE + [(350, 100), (372, 100)], [(360, 100)])},
    11: {0: (OUTLINE + [(56, 100), (188, 100), (100, 55)], [(100, 100)]),
         2: (OUTLINE + [(56, 100), (188, 100), (100, 55)], [(100, 100)])},
    12: {0: (OUTLINE + [(210, 60), (60, 150)], [(100, 60)]),
         1: (OUTLINE + [(210, 60), (60, 150)], [(100, 60)])},
    13: {0: (OUTLINE + [(163, 60), (60, 122)], [(257, 60), (60, 179)]),
         2: (OUTLINE + [(257, 60), (60, 179)], [(163, 60), (60, 122)])},
    14: {0: (OUTLINE + [(112, 128), (308, 128)], [(210, 60)]),
         1: (OUTLINE + [(112, 128), (308, 128)], [(210, 60)])},
    15: {0: (OUTLINE + [(109, 213)], [(210, 60), (311, 213)]),
         1: (OUTLINE + [(311, 213)], [(210, 60), (109, 213)])},
    16: {0: (OUTLINE + [(257, 60), (163, 200), (112, 128)], [(210, 60)]),
         2: (OUTLINE + [(257, 60), (163, 200), (112, 128)], [(210, 60)])},
    17: {0: (OUTLINE + [(257, 100), (300, 179), (315, 250)], [(200, 200), (163, 200)]),
         2: (OUTLINE + [(163, 200), (100, 122), (105, 60)], [(220, 100), (257, 100)])},
    18: {0: (OUTLINE + [(87, 150), (332, 150), (57, 150), (373, 150), (26, 150), (210, 39), (210, 262)],
             [(200, 150), (70, 150)]),
         1: (OUTLINE + [(87, 150), (332, 150), (57, 150), (373, 150), (26, 150), (210, 39), (210, 262)],
             [(200, 150), (70, 150)])},
}


def settings_for(look, orient):
    return {"Border": 12, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
            "Ratio": "0.618033988749895", "Opacity": 100, "ShowValues": 0, "GridSize": 8,
            "LookMode": look, "OrientMode": orient, "X": LEFT, "Y": TOP}


def check_look(look):
    for orient, (on, off) in CASES[look].items():
        with Session(settings=settings_for(look, orient)) as s:
            s.wait_window(size=(420, 285))
            s.wait_pixel(LEFT + on[0][0], TOP + on[0][1], LINE)
            shot = s.screenshot()
            for x, y in on:
                colour = shot.pixel(LEFT + x, TOP + y)
                expect(colour == LINE, f"look {look} orientation {orient}: ({x}, {y}) is {colour}, not a line")
            for x, y in off:
                colour = shot.pixel(LEFT + x, TOP + y)
                expect(colour != LINE, f"look {look} orientation {orient}: ({x}, {y}) has a line")
            s.close()


for number in CASES:
    def run(look=number):
        check_look(look)
    run.__name__ = f"look_{number:02d}"
    scenario(run)


@scenario
def a_guide_file_beside_the_program_joins_the_looks_and_a_broken_one_is_named():
    # Named to sort after the guides the program ships, so it is the list's last item.
    files = {"Guides/zz-cross.guide": CROSS_GUIDE, "Guides/broken.guide": b"line 0 0\n"}
    shipped = [name for name in os.listdir(os.path.join(PRODUCT_DIR, "Guides")) if name.endswith(".guide")]
    values = dict(settings_for(3, 0), SX=PANEL_LEFT, SY=PANEL_TOP, SVisible=1, SPage=2)
    with Session(settings=values, extra_files=files) as s:
        notice_text = s.watch_window_text("tooltips_class32", timeout=15)  # the notice shows for 3 s
        s.wait_window(size=(420, 285))
        s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
        s.wait_pixel(LEFT + 144, TOP + 60, LINE)  # the thirds

        def notice_shown():
            shot = s.screenshot()
            return any(shot.pixel(x, y) == NOTICE for x in range(600, 900, 4) for y in range(500, 560, 2))
        deadline_poll("the notice naming the broken file", notice_shown, timeout=10)
        text = notice_text()
        expect(text is not None and "broken.guide" in text and "zz-cross" not in text,
               f"the notice reads {text!r}")

        s.click(*LOOK_LIST)  # the look list drops down; the guide file is its last item
        s.key("End")
        s.key("Return")
        s.wait_pixel(LEFT + 111, TOP + 60, LINE)
        shot = s.screenshot()
        for x, y in [(210, 60), (60, 150)]:
            expect(shot.pixel(LEFT + x, TOP + y) == LINE, f"the guide file draws no line at ({x}, {y})")
        expect(shot.pixel(LEFT + 144, TOP + 60) != LINE, "the thirds are still drawn")
        s.close()
        look = 19 + len(shipped)
        s.expect_saved({"LookMode": str(look), "LookFile": "zz-cross.guide"}, "the guide file saved by name")



@scenario
def a_guide_file_named_beyond_the_code_page_loads():
    # "ł" is not in the prefix's Western code page: the file is listed,
    # opened and saved by its own name (the settings file becomes UTF-16,
    # which keeps it).
    files = {"Guides/zz-z\u0142oty.guide": CROSS_GUIDE}
    shipped = [name for name in os.listdir(os.path.join(PRODUCT_DIR, "Guides")) if name.endswith(".guide")]
    values = dict(settings_for(3, 0), SX=PANEL_LEFT, SY=PANEL_TOP, SVisible=1, SPage=2)
    with Session(settings=values, extra_files=files) as s:
        s.wait_window(size=(420, 285))
        s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
        s.wait_pixel(LEFT + 144, TOP + 60, LINE)  # the thirds
        s.click(*LOOK_LIST)  # the look list drops down; the guide file is its last item
        s.key("End")
        s.key("Return")
        s.wait_pixel(LEFT + 111, TOP + 60, LINE)
        shot = s.screenshot()
        for x, y in [(210, 60), (60, 150)]:
            expect(shot.pixel(LEFT + x, TOP + y) == LINE, f"the guide file draws no line at ({x}, {y})")
        s.close()
        expect(s.settings_raw().startswith(b"\xff\xfe"), "a name outside the code page left the file 8-bit")
        s.expect_saved({"LookMode": str(19 + len(shipped)), "LookFile": "zz-z\u0142oty.guide"},
                       "the guide file saved by its own name")


if __name__ == "__main__":
    sys.exit(main())
