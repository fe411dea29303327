"""Taking the composition away: a fit names the picture's ratio; Ctrl+C puts
the screen inside the measured area with the guide on top on the clipboard,
Ctrl+S saves the same as a PNG, and Ctrl+Shift+S saves the guide alone as SVG
and as a PNG with a transparent background."""
import os
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(__file__))
from harness import PHOTOS, Session, deadline_poll, expect, main, scenario, worked_guide  # noqa: E402

LEFT, TOP, BORDER = 100, 120, 12
CAT = (150, 480, 451, 300)  # the photograph's place and size on the screen
AREA = (CAT[0], CAT[1], CAT[0] + CAT[2], CAT[1] + CAT[3])  # the measured area once fitted
PAGE = (230, 230, 230)
LINE = (255, 64, 64)  # the factory LinesColor


def guide(**overrides):
    return worked_guide(LEFT, TOP, BORDER, **overrides)


def fitted_on_the_cat(s):
    """The guide fitted to the photograph, with the pointer where the notices
    beside it fall outside the measured area; the fit's notice text."""
    overlay = s.wait_window()
    s.show_scene(PAGE, [(os.path.join(PHOTOS, "chelsea.jpg"), CAT[0], CAT[1])])
    s.activate_by_keyboard(overlay)  # no click: a lost release would drag the guide along
    s.point_at(AREA[2] - 6, AREA[3] - 6)
    notice = s.watch_window_text("tooltips_class32", timeout=15)
    s.key("f")
    fitted = (CAT[0] - BORDER, CAT[1] - 16 - BORDER, CAT[2] + 2 * BORDER, CAT[3] + 2 * BORDER + 16)
    deadline_poll("the guide fitted to the photograph", lambda: tuple(overlay.geometry()) == fitted, timeout=10)
    return notice()


def screen_area(s):
    shot = s.screenshot()
    return [shot.pixel(x, y) for y in range(AREA[1], AREA[3]) for x in range(AREA[0], AREA[2])]


def bmp_pixels(data):
    """(r, g, b) rows top first, from a 24- or 32-bit BMP file."""
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    step = bits // 8
    stride = (width * step + 3) & ~3
    rows = range(abs(height) - 1, -1, -1) if height > 0 else range(abs(height))
    return [tuple(data[offset + y * stride + x * step + 2 - c] for c in range(3))
            for y in rows for x in range(width)], (width, abs(height))


def image_pixels(path, channels="rgb"):
    """The pixels of a picture file as ImageMagick reads them."""
    raw = subprocess.run(["convert", path, "-depth", "8", f"{channels}:-"], check=True,
                         stdout=subprocess.PIPE, timeout=60).stdout
    n = len(channels)
    return [tuple(raw[i:i + n]) for i in range(0, len(raw), n)]


def complete(path):
    """The file is written to its end: a PNG's last chunk, an SVG's end tag."""
    if not os.path.isfile(path):
        return False
    with open(path, "rb") as f:
        data = f.read()
    return data.endswith(b"IEND\xaeB`\x82") or data.rstrip().endswith(b"</svg>")


# 451 x 300 pixels of a screen of 1280 x 1024 pixels over 339 x 271 mm.
MM_NOTICE = "119.4 \u00d7 79.4 mm \u2014 3 : 2 (-0.22 %)"
MM_PER_METRE = struct.pack(">IIB", 3776, 3779, 1)


def png_chunks(path):
    """A PNG's chunks by type: the data of each (the last of a repeated type)."""
    with open(path, "rb") as f:
        data = f.read()
    chunks, at = {}, 8
    while at + 8 <= len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        chunks[kind] = data[at + 8:at + 8 + length]
        at += 12 + length
    return chunks


def save_as(s, title, path):
    """Types a path into the save dialog of that title, saves, and waits
    until the program has written the whole file."""
    s.wait_window(title, timeout=20)
    subprocess.run(["xdotool", "key", "ctrl+a"], env=s.env, check=True)
    typed = "Z:" + path.replace("/", "\\")
    if typed.isascii():
        subprocess.run(["xdotool", "type", "--delay", "20", typed], env=s.env, check=True)
    else:  # pasted: typing reaches Wine only in the keyboard's own letters
        subprocess.run(["xclip", "-selection", "clipboard"], input=typed.encode("utf-8"), env=s.env, check=True)
        subprocess.run(["xdotool", "key", "ctrl+v"], env=s.env, check=True)
    s.key("Return")
    deadline_poll(f"{os.path.basename(path)} to be written", lambda: complete(path), timeout=20)
    s.wait_no_window(title)


@scenario
def copy_and_save_take_the_picture_with_its_guide():
    os.environ["LC_ALL"] = "C.UTF-8"  # code page 1252, Unix names in UTF-8
    with Session(settings=guide()) as s:
        notice = fitted_on_the_cat(s)
        expect(notice == "451 \u00d7 300 \u2014 3 : 2 (-0.22 %)", f"the fit's notice read {notice!r}")
        expected = screen_area(s)
        expect(LINE in expected, "the thirds are not on the screen")

        s.key("c", ["Control_L"])

        def clipboard():
            read = subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/bmp", "-o"], env=s.env,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=10)
            return read.stdout if read.returncode == 0 and read.stdout[:2] == b"BM" else None
        pasted, size = bmp_pixels(deadline_poll("a bitmap on the clipboard", clipboard, timeout=10))
        expect(size == CAT[2:], f"the clipboard holds {size}")
        expect(pasted == expected, "the clipboard differs from the screen inside the measured area")

        # Into a folder named in Japanese, on a Western Windows.
        folder = s.path("\u5199\u771f")
        os.makedirs(folder)
        saved = os.path.join(folder, "composition.png")
        s.key("s", ["Control_L"])
        save_as(s, "Save the composition", saved)
        expect(image_pixels(saved) == expected, "the PNG differs from the screen inside the measured area")
        expect(b"pHYs" not in png_chunks(saved), "a PNG saved in device pixels names a resolution")

        # In millimetres, from the size Wine reports for the 1280 x 1024
        # screen (its DPI to the inch: 339 x 271 mm), the notice reads true
        # lengths and the PNG carries the pixels per metre.
        s.key("u")
        s.key("u")
        notice = s.watch_window_text("tooltips_class32", timeout=15)
        s.key("r")
        read = notice()
        expect(read == MM_NOTICE, f"the notice in millimetres read {read!r}")
        in_mm = os.path.join(folder, "composition-mm.png")
        s.key("s", ["Control_L"])
        save_as(s, "Save the composition", in_mm)
        chunks = png_chunks(in_mm)
        expect(chunks.get(b"pHYs") == MM_PER_METRE, f"the PNG in millimetres names {chunks.get(b'pHYs')!r}")
        s.close()
        s.expect_saved({"SaveFolder": "Z:" + folder.replace("/", "\\") + "\\"}, "the folder saved to")


@scenario
def the_guide_alone_saves_as_svg_and_as_a_transparent_png():
    with Session(settings=guide(LineWidth=3)) as s:
        fitted_on_the_cat(s)
        svg = s.path("guide.svg")
        s.key("s", ["Control_L", "Shift_L"])
        save_as(s, "Save the guide alone", svg)
        root = ElementTree.parse(svg).getroot()  # strict: a fault raises
        expect(root.tag.endswith("svg") and root.get("width") == str(CAT[2]) and root.get("height") == str(CAT[3]),
               f"the SVG is {root.tag} {root.attrib}")
        png = s.path("guide.png")
        s.key("s", ["Control_L", "Shift_L"])
        save_as(s, "Save the guide alone", png)
        pixels = image_pixels(png, "rgba")
        expect(len(pixels) == CAT[2] * CAT[3], f"{len(pixels)} pixels")
        middle = pixels[(CAT[3] // 2) * CAT[2] + CAT[2] // 6]  # between the left edge and the first third
        third = pixels[(CAT[3] // 2) * CAT[2] + CAT[2] // 3]   # on the first third's line
        expect(middle[3] == 0, f"off the lines the layer is {middle}")
        expect(third == LINE + (255,), f"on the first third the layer is {third}")
        s.close()


if __name__ == "__main__":
    sys.exit(main())
