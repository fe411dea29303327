"""A guide on a scaled display: its caption strip, the strip's pictures and
their hit zones grow with the DPI, while its measured area, the lines drawn in
it and a fit to a photograph keep the same device pixels as at 96 dpi."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import PHOTOS, Session, deadline_poll, expect, main, scenario  # noqa: E402

SCREEN = (1280, 1024)
PAGE = (230, 230, 230)
CAT = (380, 260, 451, 300)  # a 451 x 300 photograph on a light-grey page
SCENE = [(os.path.join(PHOTOS, "chelsea.jpg"), CAT[0], CAT[1])]
LEFT, TOP = 100, 150
WIDTH, HEIGHT, BORDER = 396, 245, 12
LINE = (255, 64, 64)  # LinesColor 0x4040FF
RED = (255, 0, 0)
OUTLINE = (128, 128, 128)
# Look 2 draws the measured area's outline and its centre lines: at 96 dpi
# the vertical one at x 210 and the horizontal one 122 rows below the area's top.
CENTRE_X, CENTRE_ROWS = 210, 122


def guide():
    return {"Border": BORDER, "Width": WIDTH, "Height": HEIGHT, "LockWidth": 1, "Lock": 1,
            "Ratio": "0.618033988749895", "Opacity": 100, "ShowValues": 0, "ShowHints": 0,
            "LookMode": 2, "OrientMode": 0, "X": LEFT, "Y": TOP, "SFrame": 1, "SVisible": 0,
            "LinesColor": 0x4040FF}


def strip_rows(shot, left, top):
    """The rows of the caption strip: a caption tile is outlined in grey at
    its top and bottom rows, and the page shows through the border below."""
    x = left + 270  # a caption tile past the caption text, before the buttons
    outlined = [d for d in range(60) if shot.pixel(x, top + d) == OUTLINE]
    return outlined[-1] + 1 if outlined and outlined[0] == 0 else 0


def expect_lines(shot, origin, what):
    """The outline's top-left corner at the measured area's, and the centre
    lines at their 96-dpi distances from it."""
    ox, oy = origin
    expect(shot.pixel(ox, oy) == LINE and shot.pixel(ox - 1, oy) != LINE and shot.pixel(ox, oy - 1) != LINE,
           f"{what}: the outline's corner is not at the measured area's {origin}")
    x = LEFT + CENTRE_X
    across = [shot.pixel(x + d, oy + 60) == LINE for d in (-1, 0, 1)]
    expect(across == [False, True, False], f"{what}: the vertical centre line across x {x}: {across}")
    y = oy + CENTRE_ROWS
    down = [shot.pixel(LEFT + 100, y + d) == LINE for d in (-1, 0, 1)]
    expect(down == [False, True, False], f"{what}: the horizontal centre line across y {y}: {down}")


# The fit's notice on the 451 x 300 photograph: at 144 dpi in scaled pixels
# (Units 1), at 192 dpi in device pixels as it always read.
FIT_NOTICE = {144: "300.7 \u00d7 200 px \u2014 3 : 2 (-0.22 %)", 192: "451 \u00d7 300 \u2014 3 : 2 (-0.22 %)"}
UNITS = {144: {"Units": 1}, 192: {}}


@scenario
def at_144_and_192_dpi_the_strip_scales_and_the_guide_keeps_its_device_pixels():
    for dpi, rows in ((144, 24), (192, 32)):
        scale = dpi / 96
        with Session(settings=dict(guide(), **UNITS[dpi]), screen=SCREEN, dpi=dpi) as s:
            s.show_scene(PAGE, SCENE)
            frame = (WIDTH + 2 * BORDER, HEIGHT + 2 * BORDER + rows)
            overlay = s.wait_window(size=frame)
            expect(tuple(overlay.geometry()[:2]) == (LEFT, TOP), f"{dpi} dpi: placed at {overlay.geometry()}")
            s.activate_by_keyboard(overlay)
            s.wait_pixel(LEFT + BORDER, TOP + rows + BORDER, LINE)
            shot = s.screenshot()
            got = strip_rows(shot, LEFT, TOP)
            expect(got == rows, f"{dpi} dpi: the caption strip is {got} rows high, not {rows}")
            expect_lines(shot, (LEFT + BORDER, TOP + rows + BORDER), f"{dpi} dpi")

            # F lays the measured area onto the photograph, pixel for pixel.
            s.point_at(600, 420)
            notice = s.watch_window_text("tooltips_class32", timeout=15)
            s.key("f")
            left, top = CAT[0] - BORDER, CAT[1] - rows - BORDER
            fitted = (left, top, CAT[2] + 2 * BORDER, CAT[3] + 2 * BORDER + rows)
            deadline_poll(f"{dpi} dpi: the guide on the cat at {fitted}",
                          lambda: tuple(overlay.geometry()) == fitted, timeout=10)
            read = notice()
            expect(read == FIT_NOTICE[dpi], f"{dpi} dpi: the fit's notice read {read!r}")

            # The close button's face, 8 x 8 at 96 dpi, is hit and lit red
            # whole at its scaled place.
            fw = fitted[2]
            face = (round(fw - 12 * scale), round(4 * scale), round(fw - 4 * scale), round(12 * scale))
            s.move_pointer(left + (face[0] + face[2]) // 2, top + (face[1] + face[3]) // 2)
            s.wait_pixel(left + face[0], top + face[1], RED)
            s.wait_pixel(left + face[2] - 1, top + face[3] - 1, RED)
            s.click(left + (face[0] + face[2]) // 2, top + (face[1] + face[3]) // 2)
            s.wait_exit(timeout=30)
            s.expect_saved({"X": str(left), "Y": str(top), "Width": str(CAT[2]), "Height": str(CAT[3])},
                           f"{dpi} dpi: saved")


if __name__ == "__main__":
    sys.exit(main())
