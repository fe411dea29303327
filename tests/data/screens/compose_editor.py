"""Composes the editor-like screens: a window with rulers on the top and
left, scroll bars on the right and bottom, a pasteboard, and a test
photograph on the canvas at 1 : 1; prints each picture's visible rectangle.
Needs ImageMagick (convert) and the DejaVu fonts."""
import subprocess
def load(path):
    out = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
    parts = out.split(b"\n", 3); w, h = map(int, parts[1].split()); return w, h, parts[3]
def make(out, photo, dark, view, at, size=(260, 200)):
    W, H = size
    ui, ruler, tick, sep, board, trough, thumb = (
        ((0x3C, 0x3F, 0x41), (0x2B, 0x2B, 0x2B), (0xA0, 0xA0, 0xA0), (0x55, 0x55, 0x55), (0x28, 0x28, 0x28), (0x31, 0x33, 0x35), (0x5A, 0x5D, 0x5F))
        if dark else
        ((0xF0, 0xF0, 0xF0), (0xFF, 0xFF, 0xFF), (0x80, 0x80, 0x80), (0xA0, 0xA0, 0xA0), (0xC8, 0xC8, 0xC8), (0xE8, 0xE8, 0xE8), (0xC2, 0xC2, 0xC2)))
    px = [[ui] * W for _ in range(H)]
    def fill(x0, y0, x1, y1, c):
        for y in range(max(y0, 0), min(y1, H)):
            for x in range(max(x0, 0), min(x1, W)): px[y][x] = c
    vl, vt, vr, vb = view
    fill(vl, 0, vr, vt - 1, ruler); fill(0, vt, vl - 1, vb, ruler)      # rulers
    fill(vl - 1, 0, vl, vb, sep); fill(0, vt - 1, vr, vt, sep)          # their edges
    for x in range(vl, vr):
        n = x - vl
        if n % 5 == 0: fill(x, vt - 1 - (10 if n % 50 == 0 else 6 if n % 10 == 0 else 3), x + 1, vt - 1, tick)
    for y in range(vt, vb):
        n = y - vt
        if n % 5 == 0: fill(vl - 1 - (10 if n % 50 == 0 else 6 if n % 10 == 0 else 3), y, vl - 1, y + 1, tick)
    fill(vl, vt, vr, vb, board)
    w, h, P = load(photo)
    for y in range(h):
        for x in range(w):
            X, Y = at[0] + x, at[1] + y
            if vl <= X < vr and vt <= Y < vb:
                b = (y * w + x) * 3; px[Y][X] = tuple(P[b:b + 3])
    fill(vr, vt, vr + 15, vb, trough); fill(vl, vb, vr, vb + 15, trough)  # scroll bars
    fill(vr + 3, vt + 20, vr + 12, vt + 80, thumb); fill(vl + 30, vb + 3, vl + 120, vb + 12, thumb)
    fill(vr, vb, vr + 15, vb + 15, ui)
    data = b"".join(bytes(c) for row in px for c in row)
    cmd = ["convert", "-size", f"{W}x{H}", "-depth", "8", "rgb:-", "-fill", "#%02X%02X%02X" % tick,
           "-font", "DejaVu-Sans", "-pointsize", "8"]
    for n in range(0, vr - vl, 50):
        cmd += ["-annotate", f"+{vl + n + 2}+{vt - 8}", str(n)]
    ui_hex = "#%02X%02X%02X" % ui
    cmd += ["-bordercolor", ui_hex, "-border", "4", "-bordercolor", "#505050" if dark else "#8A8A8A", "-border", "1",
            "-bordercolor", "#2E3436" if dark else "#3A6EA5", "-border", "6"]
    cmd += ["-strip", "-define", "png:compression-level=9", out]
    subprocess.run(cmd, input=data, check=True)
    r = (max(at[0], vl), max(at[1], vt), min(at[0] + w, vr), min(at[1] + h, vb))
    print(out, tuple(v + 11 for v in r))
import os
HERE = os.path.dirname(os.path.abspath(__file__))
PHOTOS = os.path.join(HERE, "..", "photos")
# Light: the photograph at the canvas's top-left corner, against both rulers.
make(os.path.join(HERE, "editor-light.png"), os.path.join(PHOTOS, "astronaut.ppm"), False, (19, 19, 230, 170), (19, 19))
# Dark: scrolled so that the photograph fills the view: rulers above and to
# the left, scroll bars to the right and below.
make(os.path.join(HERE, "editor-dark.png"), os.path.join(PHOTOS, "rocket.ppm"), True, (19, 19, 150, 96), (-5, -7), (170, 122))
# Light, scrolled to the photograph's bottom-right corner against the scroll bars.
make(os.path.join(HERE, "editor-scrolled.png"), os.path.join(PHOTOS, "chelsea.ppm"), False, (19, 19, 230, 170), (80, 60))
