"""Moving, resizing and switching the overlay with real mouse, wheel and keys.

Every session starts from the worked example: W 396, H 245, B 12 at
(100, 100), width leading with the lock on, so the window is 420 x 285.
Keys go to the window clicked last, so each keyboard check first clicks the
caption band.
"""
import os
import re
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
from harness import ROOT_COLOUR, Session, deadline_poll, expect, main, scenario, wait_geometry  # noqa: E402

LEFT, TOP = 100, 100
BORDER = 12
RATIO = 0.618033988749895
GREY = (128, 128, 128)
RED = (255, 0, 0)
LINE = (255, 64, 64)  # LinesColor 0x4040FF
HINT = (255, 249, 206)  # tooltip background
CAPTION = (100, 8)  # a caption-band point away from the buttons and the grip


def worked_example(**overrides):
    values = {"Border": BORDER, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
              "Ratio": repr(RATIO), "Opacity": 90, "ShowValues": 0, "ShowHints": 0,
              "LookMode": 4, "OrientMode": 0, "X": LEFT, "Y": TOP, "SFrame": 1,
              "MouseResizeAllowed": 1, "MouseWheelAllowed": 1, "MoveUsingGrid": 1}
    values.update(overrides)
    return values


def locked_height(width):
    return round(width * RATIO)  # half to even, like the program


def frame(width):
    """Window size for a content width with the height following the lock."""
    return width + 2 * BORDER, locked_height(width) + 2 * BORDER + 16


def content_centre(geometry):
    left, top, fw, fh = geometry
    width, height = fw - 2 * BORDER, fh - 2 * BORDER - 16
    return left + BORDER + width // 2, top + BORDER + 16 + height // 2


def hint_shown(session, pointer):
    """Whether tooltip-coloured pixels show below and around the pointer."""
    shot = session.screenshot()
    x0, y0 = pointer
    return sum(1 for y in range(y0, y0 + 60, 2) for x in range(x0 - 100, x0 + 200, 2)
               if 0 <= x < shot.width and shot.pixel(x, y) == HINT) > 20


def wm_config_without_alt_wheel(folder):
    """The system openbox configuration minus its Alt+wheel desktop switching,
    which grabs those wheel clicks before the program sees them."""
    with open("/etc/xdg/openbox/rc.xml", encoding="utf-8") as f:
        text = f.read()
    text = re.sub(r'<mousebind button="[^"]*A-(Up|Down)"[^>]*>.*?</mousebind>', "", text, flags=re.S)
    path = os.path.join(folder, "rc.xml")
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    return path


@scenario
def drags_move_and_resize_the_window():
    with Session(settings=worked_example()) as s:
        overlay = s.wait_window(size=frame(396))
        s.wait_pixel(LEFT + 20, TOP, GREY)

        # Caption band, left button: the window follows the pointer.
        start = (LEFT + CAPTION[0], TOP + CAPTION[1])
        s.drag(start, (start[0] + 50, start[1] + 40))
        wait_geometry(overlay, (150, 140) + frame(396), "caption drag")

        # Bottom-right grip, left button: top-left fixed, the height follows the lock.
        fw, fh = frame(396)
        grip = (150 + fw - 5, 140 + fh - 5)
        s.drag(grip, (grip[0] + 40, grip[1] + 10))
        wait_geometry(overlay, (150, 140) + frame(436), "grip drag")

        # Right button on the same grip: the content's centre stays put.
        before = overlay.geometry()
        fw, fh = frame(436)
        grip = (150 + fw - 5, 140 + fh - 5)
        s.drag(grip, (grip[0] + 20, grip[1] + 20), number=3)
        deadline_poll("the centred resize", lambda: overlay.geometry()[2:] == frame(476), timeout=10)
        after = overlay.geometry()
        cx, cy = content_centre(before)
        nx, ny = content_centre(after)
        expect(abs(nx - cx) <= 1 and abs(ny - cy) <= 1,
               f"centre moved from {(cx, cy)} to {(nx, ny)} ({before} -> {after})")

        s.close()
        values = s.settings()
        expect((values["Width"], values["Height"]) == ("476", str(locked_height(476))),
               f"saved size {values['Width']} x {values['Height']}")
        expect((values["X"], values["Y"]) == (str(after[0]), str(after[1])),
               f"saved position {values['X']}, {values['Y']}, window was at {after[:2]}")


@scenario
def wheel_and_keys_resize_move_and_fade():
    with tempfile.TemporaryDirectory() as folder, \
            Session(settings=worked_example(), wm_config=wm_config_without_alt_wheel(folder)) as s:
        overlay = s.wait_window(size=frame(396))
        s.wait_pixel(LEFT + 20, TOP, GREY)
        s.click(LEFT + CAPTION[0], TOP + CAPTION[1])

        # The wheel reaches the window under the pointer: keep it on the caption.
        s.wheel(1)
        wait_geometry(overlay, (LEFT, TOP) + frame(386), "one notch away")
        s.wheel(-2)
        wait_geometry(overlay, (LEFT, TOP) + frame(406), "two notches back")

        expect(overlay.opacity() == 0xE6E6E6E6, f"start alpha {overlay.opacity():#x}")
        s.wheel(1, ["Alt_L"])
        deadline_poll("Alt+wheel to raise the alpha", lambda: overlay.opacity() == 0xFAFAFAFA, timeout=10)

        for key, modifiers, at in (("Right", (), (LEFT + 16, TOP)),
                                   ("Down", (), (LEFT + 16, TOP + 16)),
                                   ("Left", ["Control_L"], (LEFT + 15, TOP + 16)),
                                   ("Up", ["Control_L"], (LEFT + 15, TOP + 15))):
            s.key(key, modifiers)
            wait_geometry(overlay, at + frame(406), f"{'+'.join(list(modifiers) + [key])}")

        s.key("KP_Add")
        wait_geometry(overlay, (LEFT + 15, TOP + 15) + frame(422), "keypad plus")
        s.key("KP_Subtract", ["Control_L"])
        wait_geometry(overlay, (LEFT + 15, TOP + 15) + frame(421), "Ctrl+keypad minus")

        s.close()
        s.expect_saved({"Width": "421", "Height": str(locked_height(421)), "Opacity": "98",
                        "X": str(LEFT + 15), "Y": str(TOP + 15)})


@scenario
def keys_switch_look_and_orientation_and_close_button_ends_the_program():
    fw, _ = frame(396)
    strip = fw - 64

    def at(x, y):
        return LEFT + x, TOP + y

    with Session(settings=worked_example(ShowHints=1)) as s:
        s.wait_window(size=frame(396))
        s.wait_pixel(*at(strip + 5, 7), GREY)  # orientation 0 mark
        expect(s.screenshot().pixel(*at(210, 60)) == ROOT_COLOUR, "look 4 has a centre line")
        s.click(*at(*CAPTION))

        s.key("Return")  # look 4 -> 5: the centre lines appear
        s.wait_pixel(*at(210, 60), LINE)
        s.key("space")  # orientation 0 -> 1: the mark turns
        s.wait_pixel(*at(strip + 10, 8), GREY)
        expect(s.screenshot().pixel(*at(strip + 5, 8)) != GREY, "orientation 0 mark still drawn")

        # Hovering the close button fills its face red; leaving it restores the face.
        face, neighbour, tile = at(fw - 12, 4), at(fw - 21, 4), at(20, 14)
        before = s.screenshot()
        normal, tile_colour = before.pixel(*face), before.pixel(*tile)
        s.move_pointer(*at(fw - 9, 7))
        s.wait_pixel(*face, RED)
        shot = s.screenshot()
        expect(shot.pixel(*neighbour) == normal and shot.pixel(*tile) == tile_colour,
               f"the red fill left its face: minimise face {shot.pixel(*neighbour)}, "
               f"caption {shot.pixel(*tile)}")
        deadline_poll("the close button's tooltip", lambda: hint_shown(s, at(fw - 9, 7)), timeout=10)
        s.move_pointer(*at(200, 8))
        s.wait_pixel(*face, normal)
        deadline_poll("the tooltip to go", lambda: not hint_shown(s, at(fw - 9, 7)), timeout=10)

        s.click(*at(fw - 9, 7))
        s.wait_exit(timeout=30)
        values = s.settings()
        saved = (values["LookMode"], values["OrientMode"], values["X"], values["Y"])
        expect(saved == ("5", "1", str(LEFT), str(TOP)), f"saved look, orientation, place {saved}")


if __name__ == "__main__":
    sys.exit(main())
