"""End-to-end harness: the real Lumetra.exe under Wine on its own X display.

A scenario is a function decorated with @scenario that receives nothing and
uses a Session:

    @scenario
    def closes_cleanly():
        with Session(settings={"LookMode": "1"}) as s:
            overlay = s.wait_window()
            s.close()
            assert s.settings()["X"] == "300"

Each Session starts its own Xvfb (a free display number chosen by Xvfb),
a light window manager, and the program from a fresh temporary portable
folder, in the Wine prefix that the e2e_prefix fixture initialised once for
the run. Leaving the session, on success or failure, ends the program,
wineserver, the window manager and Xvfb, and removes the folder (kept under
the work folder's artifacts/ when the scenario failed).
"""

import contextlib
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import traceback

from Xlib import X, XK, display as xdisplay
from Xlib.error import XError
from Xlib.ext import xtest
from Xlib.protocol import event as xevent

PRODUCT_DIR = os.environ.get("LUMETRA_PRODUCT_DIR", "")
WORK_DIR = os.environ.get("LUMETRA_E2E_WORK", os.path.join(tempfile.gettempdir(), "lumetra-e2e"))
PREFIX = os.path.join(WORK_DIR, "prefix")
ARTIFACTS = os.path.join(WORK_DIR, "artifacts")
TITLE = "Velmora Lumetra"
PANEL_TITLE = "Velmora Lumetra Settings"
PANEL_SIZE = (173, 364)
# The root window's colour: what key-coloured pixels of the overlay let show.
ROOT_COLOUR = (18, 52, 86)
SETTINGS_FILE = "Lumetra.user.settings"
# The caption text of the active guide and of the others.
CAPTION_ACTIVE = (128, 128, 128)
CAPTION_INACTIVE = (192, 192, 192)
# Real photographs for scenes (see its README).
PHOTOS = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data", "photos")

# The order in which the program writes its keys.
SETTINGS_KEYS = [
    "Border", "Height", "Width", "LockWidth", "Lock", "Ratio", "LinesColor",
    "ValuesColor", "MouseResizeAllowed", "Opacity", "MouseWheelAllowed",
    "OrientMode", "ShowHints", "ShowValues", "LookMode", "GridSize",
    "SettingsOpacity", "MoveUsingGrid", "Lang", "X", "Y", "SX", "SY",
    "SVisible", "SPage", "SFrame",
]


class E2EError(AssertionError):
    pass


def wine_env(display=None):
    env = dict(os.environ)
    env.update({
        "WINEPREFIX": PREFIX,
        "WINEDEBUG": "-all",
        "WINEDLLOVERRIDES": "mscoree,mshtml=",
        "WINEARCH": "win64",
    })
    if display is None:
        env.pop("DISPLAY", None)
    else:
        env["DISPLAY"] = display
    return env


def deadline_poll(what, probe, timeout=20.0, interval=0.1):
    """Calls probe until it returns something truthy; fails after timeout."""
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise E2EError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def wait_geometry(window, want, what, timeout=10):
    """Waits for a window to stand at want: (left, top), or with its size
    too; on failure says where it stood last."""
    seen = []

    def arrived():
        seen[:] = [tuple(window.geometry())]
        return seen[0][:len(want)] == tuple(want)

    try:
        deadline_poll(f"the guide at {tuple(want)}: {what}", arrived, timeout)
    except E2EError as error:
        raise E2EError(f"{error}; it stood at {seen[0]}") from None


def expect_steady(what, probe, seconds, interval=0.1):
    """Checks that probe stays truthy for the given time and fails as soon as
    it is not: for what must not happen where nothing shows that the input
    has been handled."""
    end = time.monotonic() + seconds
    while True:
        if not probe():
            raise E2EError(f"{what} did not hold")
        if time.monotonic() > end:
            return
        time.sleep(interval)


def windows_helper(name):
    """One of the harness's small Windows helpers (NAME.cpp beside this file),
    built with the cross compiler into the work folder when its source is
    newer."""
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), f"{name}.cpp")
    exe = os.path.join(WORK_DIR, f"{name}.exe")
    if not os.path.isfile(exe) or os.path.getmtime(exe) < os.path.getmtime(source):
        compiler = shutil.which("x86_64-w64-mingw32-g++")
        if compiler is None:
            raise E2EError(f"x86_64-w64-mingw32-g++ is missing: the harness builds its {name} helper with it")
        os.makedirs(WORK_DIR, exist_ok=True)
        subprocess.run([compiler, "-O1", "-Wall", "-Wextra", "-Werror", "-static", "-o", exe + ".new",
                        source, "-lshell32"],
                       check=True, timeout=120)
        os.replace(exe + ".new", exe)
    return exe


def stop_wineserver(env):
    subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False)
    subprocess.run(["wineserver", "-w"], env=env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False, timeout=30)


class Xvfb:
    """An X server on a display number of its own choosing."""

    def __init__(self, width=1280, height=1024, depth=24):
        read_fd, write_fd = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x{depth}",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.process.kill()
            raise E2EError("Xvfb did not start")
        self.name = f":{number}"

    def stop(self):
        terminate(self.process)


def terminate(process, grace=5.0):
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(grace)


DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


def set_prefix_dpi(dpi):
    """Wine reports LogPixels as every monitor's DPI to a per-monitor aware
    program started after the change; None restores the prefix's 96."""
    env = wine_env()
    if dpi is None:
        command = ["wine", "reg", "delete", DESKTOP_KEY, "/v", "LogPixels", "/f"]
    else:
        command = ["wine", "reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"]
    subprocess.run(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
    stop_wineserver(env)  # writes the registry to the prefix's files


def prefix_has_dpi():
    """Whether a scaled session left its LogPixels behind (it ended abruptly)."""
    try:
        with open(os.path.join(PREFIX, "user.reg"), encoding="utf-8", errors="replace") as f:
            lines = f.read().splitlines()
    except OSError:
        return False
    in_desktop = False
    for line in lines:
        if line.startswith("["):
            in_desktop = line.startswith("[Control Panel\\\\Desktop]")
        elif in_desktop and line.startswith('"LogPixels"='):
            return True
    return False


# Windows links its CJK faces to Tahoma (and Wine's prefix names the same
# faces in its links); the prefix stands Debian's fonts in for them: a
# hinted Japanese Gothic that stays readable at the panel's 11 pixels
# without smoothing, and a Chinese face for what it lacks.
CJK_FONTS = (("/usr/share/fonts/truetype/vlgothic/VL-PGothic-Regular.ttf", "VL PGothic"),
             ("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc", "WenQuanYi Zen Hei Sharp"))
CJK_STAND_INS = {"MS UI Gothic": "VL PGothic", "Yu Gothic UI": "VL PGothic",
                 "SimSun": "WenQuanYi Zen Hei Sharp", "Microsoft YaHei UI": "WenQuanYi Zen Hei Sharp"}
FONT_REPLACEMENTS = r"HKCU\Software\Wine\Fonts\Replacements"
# Wine keeps links for Tahoma itself but none for its separate bold face,
# which Windows's Tahoma has in the same family; a bold link reaches the
# fonts only by their files.
FONT_LINKS = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink"
BOLD_LINKS = ("Tahoma Bold", "\\0".join(f"{os.path.basename(path)},{face}" for path, face in CJK_FONTS))

def init_prefix():
    """Initialises the shared Wine prefix once, with the Tahoma fonts and
    the CJK fonts that Tahoma's font links reach."""
    marker = os.path.join(PREFIX, ".lumetra-ready-8")
    if os.path.exists(marker):
        return
    shutil.rmtree(PREFIX, ignore_errors=True)
    os.makedirs(PREFIX)
    server = Xvfb()
    env = wine_env(server.name)
    try:
        subprocess.run(["wineboot", "-i"], env=env, check=True, timeout=240,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        stop_wineserver(env)
    finally:
        server.stop()
    fonts = os.path.join(PREFIX, "drive_c", "windows", "Fonts")
    os.makedirs(fonts, exist_ok=True)
    for name in os.listdir("/usr/share/wine/fonts"):
        if name.lower().startswith("tahoma") and name.lower().endswith(".ttf"):
            shutil.copy(os.path.join("/usr/share/wine/fonts", name), fonts)
    for path, _ in CJK_FONTS:
        if not os.path.isfile(path):
            raise E2EError(f"{path} is missing: scripts/install-deps.sh installs fonts-vlgothic and fonts-wqy-zenhei")
        shutil.copy(path, fonts)
    env = wine_env()
    for face, stand_in in CJK_STAND_INS.items():
        subprocess.run(["wine", "reg", "add", FONT_REPLACEMENTS, "/v", face, "/t", "REG_SZ", "/d", stand_in, "/f"],
                       env=env, check=True, timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wine", "reg", "add", FONT_LINKS, "/v", BOLD_LINKS[0], "/t", "REG_MULTI_SZ", "/d", BOLD_LINKS[1],
                    "/f"], env=env, check=True, timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    stop_wineserver(env)
    with open(marker, "w") as f:
        f.write("ok\n")


def compose_scene(size, background, pictures):
    """The BGRA bytes of a screen of `size`: each (file, left, top) of
    `pictures` laid in turn onto a plain (r, g, b) background; a picture may
    reach past the edges. (file, left, top, width, height) shows the file
    scaled to that size, as a viewer zooms it (bilinear)."""
    command = ["convert", "-size", f"{size[0]}x{size[1]}", "xc:rgb({},{},{})".format(*background)]
    for path, left, top, *scaled in pictures:
        if scaled:
            command += ["(", path, "-filter", "Triangle", "-resize", "{}x{}!".format(*scaled), ")"]
        else:
            command += [path]
        command += ["-geometry", f"{left:+d}{top:+d}", "-composite"]
    command += ["-depth", "8", "bgra:-"]
    return subprocess.run(command, check=True, capture_output=True).stdout


def show_scene(dpy, size, background, pictures):
    """Lays a scene of compose_scene on the display's root window, beneath
    every window, as its background."""
    width, height = size
    data = compose_scene(size, background, pictures)
    screen = dpy.screen()
    pixmap = screen.root.create_pixmap(width, height, screen.root_depth)
    gc = pixmap.create_gc()
    rows = max(1, 65536 // (width * 4))  # each request well below the server's limit
    for top in range(0, height, rows):
        count = min(rows, height - top)
        pixmap.put_image(gc, 0, top, width, count, X.ZPixmap, screen.root_depth, 0,
                         data[top * width * 4:(top + count) * width * 4])
    screen.root.change_attributes(background_pixmap=pixmap)
    screen.root.clear_area()
    gc.free()
    pixmap.free()
    dpy.sync()


def format_settings(values, sections_before="", extra_after=""):
    """A settings file as the program writes it: CR LF, one Settings section."""
    lines = [sections_before] if sections_before else []
    lines.append("[Settings]")
    lines += [f"{key}={value}" for key, value in values.items()]
    text = "\r\n".join(lines) + "\r\n"
    return text + extra_after


def parse_settings(raw, section="Settings"):
    """A section's keys in file order (first occurrence wins)."""
    values = {}
    order = []
    in_section = False
    for line in raw.replace("\r\n", "\n").split("\n"):
        stripped = line.strip()
        if stripped.startswith("["):
            in_section = stripped.lower() == f"[{section.lower()}]"
            continue
        if in_section and "=" in stripped:
            key, value = stripped.split("=", 1)
            if key not in values:
                values[key] = value
                order.append(key)
    return values, order


class Window:
    def __init__(self, session, xwin):
        self.session = session
        self.xwin = xwin

    @property
    def id(self):
        return self.xwin.id

    def geometry(self):
        """(left, top, width, height) in root coordinates."""
        geo = self.xwin.get_geometry()
        root = self.session.root
        pos = self.xwin.translate_coords(root, 0, 0)
        return (-pos.x, -pos.y, geo.width, geo.height)

    def opacity(self):
        """The _NET_WM_WINDOW_OPACITY that Wine sets for layered alpha, or None."""
        atom = self.session.dpy.intern_atom("_NET_WM_WINDOW_OPACITY")
        for win in self.session.ancestors(self.xwin):
            prop = win.get_full_property(atom, X.AnyPropertyType)
            if prop is not None and len(prop.value):
                return int(prop.value[0]) & 0xFFFFFFFF
        return None

    def state_atoms(self):
        atom = self.session.dpy.intern_atom("_NET_WM_STATE")
        names = set()
        for win in self.session.ancestors(self.xwin):
            prop = win.get_full_property(atom, X.AnyPropertyType)
            if prop is not None:
                names |= {self.session.dpy.get_atom_name(a) for a in prop.value}
        return names


class ClickCatcher:
    def __init__(self, dpy, win):
        self.dpy = dpy
        self.win = win

    def clicks(self):
        """Root positions of the button presses received since the last call."""
        found = []
        while self.dpy.pending_events():
            event = self.dpy.next_event()
            if event.type == X.ButtonPress and event.window.id == self.win.id:
                found.append((event.root_x, event.root_y))
        return found


class Screenshot:
    """A copy of the root window's pixels; pixel() returns (r, g, b)."""

    def __init__(self, session):
        root = session.root
        geo = root.get_geometry()
        self.width, self.height = geo.width, geo.height
        image = root.get_image(0, 0, self.width, self.height, X.ZPixmap, 0xFFFFFFFF)
        self.data = image.data
        self.depth = image.depth
        self.stride = len(self.data) // self.height

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise E2EError(f"pixel ({x}, {y}) is off the screen")
        if self.depth >= 24:
            offset = y * self.stride + x * 4
            b, g, r = self.data[offset], self.data[offset + 1], self.data[offset + 2]
            return (r, g, b)
        offset = y * self.stride + x * 2
        value = self.data[offset] | (self.data[offset + 1] << 8)
        return (((value >> 11) & 0x1F) << 3, ((value >> 5) & 0x3F) << 2, (value & 0x1F) << 3)

    def save(self, path):
        """Writes a PNG through ImageMagick, or a PPM when it is missing."""
        if self.depth >= 24 and shutil.which("convert"):
            subprocess.run(["convert", "-size", f"{self.width}x{self.height}", "-depth", "8",
                            "bgra:-", "-alpha", "off", path], input=bytes(self.data), check=True)
            return path
        ppm = path.rsplit(".", 1)[0] + ".ppm"
        with open(ppm, "wb") as f:
            f.write(f"P6 {self.width} {self.height} 255\n".encode())
            rows = bytearray()
            for y in range(self.height):
                for x in range(self.width):
                    rows += bytes(self.pixel(x, y))
            f.write(rows)
        if path.endswith(".png") and shutil.which("convert"):
            subprocess.run(["convert", ppm, path], check=False)
            os.remove(ppm)
            return path
        return ppm


class SystemTray:
    """A notification area on the display, as a desktop panel has one: it
    owns the system-tray selection and embeds each icon that asks to dock
    (XEmbed) in a row along its own window at the bottom right of the screen.
    Without one, Wine shows the icons in a window of its own that takes the
    focus from the program's windows.

    Under Wine, docking an icon moves Wine's own idea of the active window to
    the icon, keys included, while the X focus stays where it was; so once an
    icon is in, the tray activates the focused window again, as the window
    manager would, and counts the icon as settled."""

    ICON = 24  # each icon's cell, in pixels
    REQUEST_DOCK = 0
    EMBEDDED_NOTIFY = 0

    def __init__(self, display_name, screen_size, env):
        self.env = env
        self.dpy = xdisplay.Display(display_name)
        root = self.dpy.screen().root
        width, height = screen_size
        self.origin = (width - 8 * self.ICON, height - self.ICON)
        self.window = root.create_window(*self.origin, 8 * self.ICON, self.ICON, 0,
                                         self.dpy.screen().root_depth, override_redirect=True,
                                         background_pixel=self.dpy.screen().white_pixel,
                                         event_mask=X.SubstructureNotifyMask)
        self.window.map()
        self.opcode = self.dpy.intern_atom("_NET_SYSTEM_TRAY_OPCODE")
        self.xembed = self.dpy.intern_atom("_XEMBED")
        selection = self.dpy.intern_atom("_NET_SYSTEM_TRAY_S0")
        self.window.set_selection_owner(selection, X.CurrentTime)
        announce = xevent.ClientMessage(window=root, client_type=self.dpy.intern_atom("MANAGER"),
                                        data=(32, [X.CurrentTime, selection, self.window.id, 0, 0]))
        root.send_event(announce, event_mask=X.StructureNotifyMask)
        self.dpy.sync()
        self.icons = []
        self.settled = 0
        self.lock = threading.Lock()
        self.stopping = threading.Event()
        self.thread = threading.Thread(target=self._serve, daemon=True)
        self.thread.start()

    def icon_centre(self, index=0):
        """Where to click the index-th docked icon, in screen pixels."""
        return (self.origin[0] + index * self.ICON + self.ICON // 2, self.origin[1] + self.ICON // 2)

    def docked(self):
        with self.lock:
            return len(self.icons)

    def wait_settled(self, icons=1, timeout=5):
        """Waits until that many icons are in and the focus is given back;
        quietly gives up when no icon comes."""
        with contextlib.suppress(E2EError):
            deadline_poll("the notification-area icon", lambda: self.settled >= icons, timeout)

    def _serve(self):
        while not self.stopping.is_set():
            while self.dpy.pending_events():
                event = self.dpy.next_event()
                if event.type == X.ClientMessage and event.client_type == self.opcode:
                    if event.data[1][1] == self.REQUEST_DOCK:
                        self._dock(event.data[1][2])
                elif event.type == X.DestroyNotify:
                    with self.lock:
                        self.icons = [icon for icon in self.icons if icon.id != event.window.id]
            time.sleep(0.02)

    def _dock(self, icon_id):
        icon = self.dpy.create_resource_object("window", icon_id)
        with contextlib.suppress(XError):
            with self.lock:
                place = len(self.icons)
                self.icons.append(icon)
            icon.reparent(self.window, place * self.ICON, 0)
            icon.configure(width=self.ICON, height=self.ICON)
            icon.map()
            notify = xevent.ClientMessage(window=icon, client_type=self.xembed,
                                          data=(32, [X.CurrentTime, self.EMBEDDED_NOTIFY, 0, self.window.id, 0]))
            icon.send_event(notify)
            self.dpy.sync()
        # Wine moves its active window to the icon a moment after the
        # embedding, with nothing on the X side to show when: no state to
        # poll, so the tray gives it that moment before it hands the focus back.
        time.sleep(0.3)
        focused = self.dpy.get_input_focus().focus
        if not isinstance(focused, int) and focused.id != self.dpy.screen().root.id:
            subprocess.run(["xdotool", "windowactivate", "--sync", str(focused.id)], env=self.env, check=False,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)
        with self.lock:
            self.settled += 1

    def stop(self):
        self.stopping.set()
        self.thread.join(timeout=2)
        with contextlib.suppress(Exception):
            self.dpy.close()


class Session:
    """One run of the program on its own display. Use as a context manager."""

    def __init__(self, settings=None, raw_settings=None, args=(), depth=24,
                 screen=(1280, 1024), extra_files=None, wait_for_exit_on_leave=True,
                 wm_config=None, dpi=None, folder_name=None):
        self.dpi = dpi  # the monitors' DPI for this session; None: 96
        self.removed_folder = None
        self.folder_name = folder_name  # the portable folder's own name (any script); None: a temporary one
        self.settings_values = settings
        self.wm_config = wm_config  # an openbox rc.xml in place of the system one
        self.raw_settings = raw_settings
        self.args = list(args)
        self.depth = depth
        self.screen_size = screen
        self.extra_files = extra_files or {}
        self.folder = None
        self.server = None
        self.wm = None
        self.tray = None
        self.process = None
        self.dpy = None
        self.failed_name = None
        self.programs = []  # other X programs on the display, ended on leaving
        self.program_log = None  # what Wine and the program printed, kept with a failure's artifacts

    # -- lifecycle -------------------------------------------------------
    def __enter__(self):
        if not os.path.isfile(os.path.join(PRODUCT_DIR, "Lumetra.exe")):
            raise E2EError(f"no Lumetra.exe in {PRODUCT_DIR!r}: build the windows preset first")
        self.folder = tempfile.mkdtemp(prefix="lumetra-portable-")
        self.removed_folder = self.folder
        if self.folder_name:
            self.folder = os.path.join(self.folder, self.folder_name)
            os.makedirs(self.folder)
        for name in os.listdir(PRODUCT_DIR):
            source = os.path.join(PRODUCT_DIR, name)
            target = os.path.join(self.folder, name)
            if os.path.isdir(source):
                shutil.copytree(source, target)
            else:
                shutil.copy(source, target)
        if self.settings_values is not None:
            self.write_file(SETTINGS_FILE, format_settings(self.settings_values).encode("latin-1"))
        elif self.raw_settings is not None:
            data = self.raw_settings
            self.write_file(SETTINGS_FILE, data if isinstance(data, bytes) else data.encode("latin-1"))
        for name, data in self.extra_files.items():
            self.write_file(name, data if isinstance(data, bytes) else data.encode("latin-1"))
        if self.dpi is not None or prefix_has_dpi():
            set_prefix_dpi(self.dpi)
        self.server = Xvfb(*self.screen_size, depth=self.depth)
        self.env = wine_env(self.server.name)
        self.dpy = xdisplay.Display(self.server.name)
        self.root = self.dpy.screen().root
        self._paint_root()
        wm_command = ["openbox", "--sm-disable"]
        if self.wm_config:
            wm_command += ["--config-file", self.wm_config]
        self.wm = subprocess.Popen(wm_command, env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline_poll("the window manager", self._wm_running, timeout=10)
        self.tray = SystemTray(self.server.name, self.screen_size, self.env)
        self.start()
        return self

    def _paint_root(self):
        colormap = self.dpy.screen().default_colormap
        self.root_pixel = colormap.alloc_color(*(c * 257 for c in ROOT_COLOUR)).pixel
        self.root.change_attributes(background_pixel=self.root_pixel)
        self.root.clear_area()
        self.dpy.sync()

    def show_scene(self, background, pictures):
        """Makes a scene of compose_scene the desktop; called again, it moves
        or rescales its pictures, as a viewer pans and zooms."""
        show_scene(self.dpy, self.screen_size, background, pictures)

    def _wm_running(self):
        atom = self.dpy.intern_atom("_NET_SUPPORTING_WM_CHECK")
        return self.root.get_full_property(atom, X.AnyPropertyType) is not None

    def start_program(self, command):
        """Starts another X program on the session's display (an image viewer)."""
        self.programs.append(subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                              stderr=subprocess.DEVNULL))

    def start(self):
        exe = os.path.join(self.folder, "Lumetra.exe")
        if self.program_log is None:
            os.makedirs(WORK_DIR, exist_ok=True)
            self.program_log = tempfile.TemporaryFile(dir=WORK_DIR)
        self.process = subprocess.Popen(["wine", exe] + self.args, cwd=self.folder, env=self.env,
                                        stdout=self.program_log, stderr=self.program_log)

    def __exit__(self, kind, value, tb):
        if kind is not None:
            self._keep_artifacts()
        with contextlib.suppress(Exception):
            if self.process is not None and self.process.poll() is None:
                self.process.kill()
        with contextlib.suppress(Exception):
            stop_wineserver(self.env)
        if self.dpi is not None:
            with contextlib.suppress(Exception):
                set_prefix_dpi(None)
        with contextlib.suppress(Exception):
            self.dpy.close()
        if self.program_log is not None:
            self.program_log.close()
        for program in self.programs:
            terminate(program)
        if self.tray is not None:
            self.tray.stop()
        terminate(self.wm)
        if self.server is not None:
            self.server.stop()
        if self.folder:
            shutil.rmtree(self.removed_folder, ignore_errors=True)
        return False

    def _keep_artifacts(self):
        with contextlib.suppress(Exception):
            name = os.environ.get("LUMETRA_SCENARIO", "scenario")
            target = os.path.join(ARTIFACTS, name)
            shutil.rmtree(target, ignore_errors=True)
            os.makedirs(target)
            Screenshot(self).save(os.path.join(target, "screen.png"))
            for entry in os.listdir(self.folder):
                if entry.endswith((".settings", ".lng")):
                    shutil.copy(os.path.join(self.folder, entry), target)
            with open(os.path.join(target, "processes.txt"), "w") as f:
                f.write(self._process_report())
            print(f"artifacts kept in {target}", file=sys.stderr)

    def _process_report(self):
        """Whether the program was still running when the scenario failed,
        what Wine printed for it, and the Wine processes and what they waited in."""
        if self.process is None:
            state = "the program was never started"
        elif self.process.poll() is None:
            state = "the program was still running"
        else:
            state = f"the program had ended with exit code {self.process.returncode}"
        printed = b""
        if self.program_log is not None:
            self.program_log.seek(0)
            printed = self.program_log.read()[-20000:]
        listing = subprocess.run(["ps", "-eo", "pid,ppid,etime,stat,wchan:24,args"], capture_output=True,
                                 text=True, check=False).stdout.splitlines()
        wine = [line for line in listing[1:] if "wine" in line.lower() or ".exe" in line.lower()]
        return "\n".join([state, "", "printed:", printed.decode("utf-8", "replace"), "processes:", listing[0], *wine,
                          ""])

    # -- files -----------------------------------------------------------
    def path(self, name):
        return os.path.join(self.folder, name)

    def write_file(self, name, data):
        path = self.path(name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)

    def settings_raw(self):
        with open(self.path(SETTINGS_FILE), "rb") as f:
            return f.read()

    def settings_text(self):
        """The written file's text: UTF-16 after its mark, else its bytes one
        character each."""
        raw = self.settings_raw()
        return raw[2:].decode("utf-16-le") if raw.startswith(b"\xff\xfe") else raw.decode("latin-1")

    def settings(self, section="Settings"):
        """The written settings (of one section) as a dict of strings."""
        return parse_settings(self.settings_text(), section)[0]

    def sections(self):
        """The names of the sections of the written file, in file order."""
        text = self.settings_text().replace("\r\n", "\n")
        return [line.strip()[1:-1] for line in text.split("\n") if line.strip().startswith("[")]

    def expect_saved(self, want, what="saved"):
        """The written settings hold these values, as text, for these keys."""
        values = self.settings()
        saved = {key: values.get(key) for key in want}
        expect(saved == want, f"{what} {saved}, expected {want}")

    # -- windows ---------------------------------------------------------
    def ancestors(self, win):
        chain = [win]
        while True:
            try:
                tree = chain[-1].query_tree()
            except XError:
                break
            if tree.parent == 0 or tree.parent == self.root or tree.parent.id == self.root.id:
                break
            chain.append(tree.parent)
        return chain

    def windows(self, title=TITLE):
        """Mapped X windows whose name is title, in stacking order."""
        found = []

        def walk(win):
            try:
                tree = win.query_tree()
            except XError:
                return
            for child in tree.children:
                try:
                    name = child.get_wm_name()
                    attrs = child.get_attributes()
                except XError:
                    continue
                if name == title and attrs.map_state == X.IsViewable:
                    found.append(Window(self, child))
                walk(child)

        walk(self.root)
        return found

    def wait_window(self, title=TITLE, size=None, timeout=30):
        """The first mapped window named title (and of the given size)."""
        def probe():
            for win in self.windows(title):
                if size is None or tuple(win.geometry()[2:]) == tuple(size):
                    return win
            return None
        try:
            window = deadline_poll(f"a window named {title!r}" + (f" of size {size}" if size else ""),
                                   probe, timeout)
        except E2EError as error:
            shown = []
            for win in self.windows(title):
                with contextlib.suppress(XError):
                    shown.append(win.geometry())
            raise E2EError(f"{error}; shown with that name: {shown or 'none'}") from None
        if self.tray is not None:
            self.tray.wait_settled()
        return window

    def wait_no_window(self, title=TITLE, timeout=10):
        deadline_poll(f"no window named {title!r}", lambda: not self.windows(title), timeout)

    def move_window(self, window, left, top):
        """Moves a window the way a window manager request would."""
        subprocess.run(["xdotool", "windowmove", str(window.id), str(left), str(top)],
                       env=self.env, check=True, stdout=subprocess.DEVNULL)
        deadline_poll(f"the window to reach ({left}, {top})",
                      lambda: window.geometry()[:2] == (left, top), timeout=10)

    def caption_active(self, window):
        """The guide's caption text is drawn grey while it is active, silver while not."""
        return self._caption_drawn(window, CAPTION_ACTIVE, CAPTION_INACTIVE)

    def caption_inactive(self, window):
        return self._caption_drawn(window, CAPTION_INACTIVE, CAPTION_ACTIVE)

    def _caption_drawn(self, window, ink, other):
        left, top = window.geometry()[:2]
        shot = self.screenshot()
        text = {shot.pixel(left + x, top + y) for x in range(14, 140) for y in range(3, 13)}
        return ink in text and other not in text

    def has_focus(self, window):
        """The window (or its frame) has the keyboard focus."""
        focus = self.dpy.get_input_focus().focus
        return not isinstance(focus, int) and focus.id in {w.id for w in self.ancestors(window.xwin)}

    def answer_box(self, box, key="Return"):
        """Presses a key in a message box once it has the keyboard: a box just
        mapped may not have it yet, and the key would go elsewhere."""
        deadline_poll("the box to have the keyboard", lambda: self.has_focus(box), timeout=10)
        self.key(key)

    def activate_by_keyboard(self, window):
        """Gives the guide the keys the way the window manager does, without a
        click: a click whose release Wine loses would start a caption drag that
        runs on with the pointer."""
        if self.tray is not None:
            self.tray.wait_settled()

        def active():
            return self.has_focus(window) and self.caption_active(window)
        for attempt in range(3):
            subprocess.run(["xdotool", "windowactivate", "--sync", str(window.id)], env=self.env, check=False,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)
            try:
                deadline_poll("the guide to be active", active, timeout=4)
                return
            except E2EError:
                if attempt == 2:
                    raise

    def activate(self, window):
        """Clicks the guide's caption strip and waits until keys go to it and it shows it is active."""
        if self.tray is not None:
            self.tray.wait_settled()  # an icon docking later would take the keys away again
        left, top = window.geometry()[:2]

        def active():
            return self.has_focus(window) and self.caption_active(window)
        # Wine may take in the focus the notification area gave back only
        # after the click, and the click's activation is then lost: a guide
        # not active after a while is clicked again.
        for attempt in range(3):
            self.click(left + 100, top + 8)
            try:
                deadline_poll("the clicked guide to be active", active, timeout=4)
                return
            except E2EError:
                if attempt == 2:
                    raise

    def click_catcher(self):
        """A window under everything else that records the clicks reaching it."""
        screen = self.dpy.screen()
        win = self.root.create_window(0, 0, *self.screen_size, 0, screen.root_depth,
                                      X.InputOutput, X.CopyFromParent,
                                      background_pixel=self.root_pixel,
                                      override_redirect=True, event_mask=X.ButtonPressMask)
        win.map()
        win.configure(stack_mode=X.Below)
        self.dpy.sync()
        return ClickCatcher(self.dpy, win)

    def screenshot(self):
        self.dpy.sync()
        return Screenshot(self)

    def watch_window_text(self, window_class, timeout=10):
        """Starts watching the session's Wine for a shown top-level window of
        the class (a tooltip is "tooltips_class32"); returns a function that
        waits for the watch and gives the window's text, or None when none
        was shown within the timeout. Start it before what shows the window,
        so that a window shown only briefly is still seen."""
        watcher = subprocess.Popen(["wine", windows_helper("window_text"), window_class, str(int(timeout))],
                                   env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)

        def text():
            out, _ = watcher.communicate(timeout=timeout + 60)
            return out.decode("utf-8") if watcher.returncode == 0 else None
        return text

    def child_texts(self, window_class, timeout=10):
        """The texts of the visible child windows (the controls) of a shown
        top-level window of the class, read as Unicode; [] when none shows."""
        done = subprocess.run(["wine", windows_helper("window_text"), window_class, str(int(timeout)), "children"],
                              env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=timeout + 60)
        return done.stdout.decode("utf-8").replace("\r\n", "\n").split("\n")[:-1] if done.returncode == 0 else []

    def wait_pixel(self, x, y, colour, timeout=10):
        return deadline_poll(f"pixel ({x}, {y}) to become {colour}",
                             lambda: self.screenshot().pixel(x, y) == tuple(colour), timeout)

    def wait_still(self, box=None, timeout=10):
        """Waits until the screen (or a box of it: left, top, right, bottom)
        shows the same in two shots one poll apart: whatever was changing
        there has settled."""
        left, top, right, bottom = box or (0, 0, *self.screen_size)

        def pixels():
            shot = self.screenshot()
            if box is None:
                return bytes(shot.data)
            return [shot.pixel(x, y) for y in range(top, bottom) for x in range(left, right)]
        last = [pixels()]

        def same():
            now = pixels()
            settled, last[0] = now == last[0], now
            return settled
        deadline_poll(f"the screen in {(left, top, right, bottom)} to settle", same, timeout)

    def popups(self):
        """The windows on the screen that no window manager frames (Wine's
        menus and tips), the notification area's own row left out:
        {id: (width, height)}."""
        found = {}
        for child in self.root.query_tree().children:
            with contextlib.suppress(XError):
                attrs = child.get_attributes()
                if attrs.override_redirect and attrs.map_state == X.IsViewable:
                    geometry = child.get_geometry()
                    if geometry.x + geometry.width > 0 and geometry.y + geometry.height > 0:
                        found[child.id] = (geometry.width, geometry.height)
        if self.tray is not None:
            found.pop(self.tray.window.id, None)
        return found

    # -- input -----------------------------------------------------------
    def move_pointer(self, x, y):
        xtest.fake_input(self.dpy, X.MotionNotify, x=x, y=y)
        self.dpy.sync()

    def point_at(self, x, y):
        """Moves the pointer where no window of Wine's lies and lets Wine see
        it there. Wine takes the pointer's place from its own record for
        100 ms after the last input it saw: a fixed span of Wine's, not a
        state anything on the X side shows, so this is a pause, not a poll."""
        self.move_pointer(x, y)
        time.sleep(0.3)

    def button(self, number, press):
        xtest.fake_input(self.dpy, X.ButtonPress if press else X.ButtonRelease, number)
        self.dpy.sync()

    # The short pauses in click, drag, wheel and key wait for no state: they
    # space the events at a hand's pace, so that Wine takes them one by one
    # as a user's, not as one burst.
    def click(self, x, y, number=1):
        self.move_pointer(x, y)
        time.sleep(0.05)
        self.button(number, True)
        time.sleep(0.05)
        self.button(number, False)
        self.dpy.sync()

    def drag(self, start, end, number=1, steps=10):
        self.move_pointer(*start)
        time.sleep(0.05)
        self.button(number, True)
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            self.move_pointer(x, y)
            time.sleep(0.03)
        self.button(number, False)

    def wheel(self, notches, modifiers=()):
        """Positive notches turn the wheel away from the user (button 4)."""
        with self.keys_held(modifiers):
            for _ in range(abs(notches)):
                self.button(4 if notches > 0 else 5, True)
                self.button(4 if notches > 0 else 5, False)
                time.sleep(0.05)

    def keycode(self, name):
        code = self.dpy.keysym_to_keycode(XK.string_to_keysym(name))
        if not code:
            raise E2EError(f"no keycode for {name}")
        return code

    @contextlib.contextmanager
    def keys_held(self, names):
        codes = [self.keycode(n) for n in names]
        for code in codes:
            xtest.fake_input(self.dpy, X.KeyPress, code)
        self.dpy.sync()
        try:
            yield
        finally:
            for code in reversed(codes):
                xtest.fake_input(self.dpy, X.KeyRelease, code)
            self.dpy.sync()

    def key(self, name, modifiers=()):
        with self.keys_held(modifiers):
            code = self.keycode(name)
            xtest.fake_input(self.dpy, X.KeyPress, code)
            self.dpy.sync()
            time.sleep(0.03)
            xtest.fake_input(self.dpy, X.KeyRelease, code)
            self.dpy.sync()

    # -- ending ----------------------------------------------------------
    def close_request(self):
        """Sends WM_CLOSE to the program's top-level windows, as the task manager does."""
        subprocess.run(["wine", "taskkill", "/im", "Lumetra.exe"], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60, check=False)

    def end_session(self):
        """Ends the Windows session of the prefix, as signing out does: every
        window is told the session ends, then the programs are ended."""
        subprocess.run(["wine", "wineboot", "--end-session"], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60, check=False)

    def close_app(self):
        """Closes the program as Restart Manager does for an update: the
        end-of-session messages with ENDSESSION_CLOSEAPP to each of its
        top-level windows, and no close request; returns the helper's exit
        code (0: told)."""
        done = subprocess.run(["wine", windows_helper("close_app"), "TLumetraProgramShell"], env=self.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60, check=False)
        return done.returncode

    def close(self, timeout=30):
        """Asks the program to close and waits for it to end.

        Wine's taskkill has, rarely, left a program that ends normally on
        every other run without its close message; it is asked once more
        then, and that is reported, so a program that ignores closing still
        fails here."""
        self.close_request()
        with contextlib.suppress(subprocess.TimeoutExpired):
            return self.process.wait(timeout / 3)
        print("the program was still running after a close request; asking again", file=sys.stderr)
        self.close_request()
        return self.wait_exit(timeout)

    def wait_exit(self, timeout=30):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise E2EError(f"the program did not end within {timeout} s") from None

    def kill(self):
        """Ends the program the hard way, as a crash or the task manager would."""
        subprocess.run(["wine", "taskkill", "/f", "/im", "Lumetra.exe"], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60, check=False)
        with contextlib.suppress(subprocess.TimeoutExpired):
            self.process.wait(10)
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait(10)


# -- scenario registry ----------------------------------------------------
_SCENARIOS = {}


def showcase(path):
    """A screenshot of what the program is for: a photograph shown by a dark
    program, a guide fitted to it with F, and the settings panel beside it."""
    photo, left, top, width, height = os.path.join(PHOTOS, "rocket.jpg"), 120, 170, 640, 427
    settings = {"Border": 12, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
                "Ratio": "0.618033988749895", "Opacity": 100, "ShowValues": 1, "ShowHints": 0,
                "LookMode": 5, "OrientMode": 0, "X": 60, "Y": 110, "SFrame": 1,
                "SX": 900, "SY": 170, "SVisible": 1, "SPage": 1}
    with Session(settings=settings, screen=(1280, 800)) as s:
        s.show_scene((40, 40, 40), [(photo, left, top)])
        overlay = s.wait_window(size=(420, 285))
        s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
        s.activate(overlay)
        s.point_at(left + width // 2, top + height // 2)
        s.key("f")
        fitted = (left - 12, top - 28, width + 24, height + 40)
        try:
            deadline_poll("the guide fitted to the photograph", lambda: tuple(overlay.geometry()) == fitted)
        except E2EError as error:  # the picture still shows what went wrong
            print(f"warning: {error}", file=sys.stderr)
        s.move_pointer(1200, 760)
        s.wait_still()  # whatever the move changes has settled
        saved = s.screenshot().save(path)
        s.close()
    return saved


def worked_guide(left, top, border, **overrides):
    """Look 3 at 396 x 245 inside its border at (left, top), width
    leading with the lock on, opaque, values shown, the panel hidden."""
    values = {"Border": border, "Width": 396, "Height": 245, "LockWidth": 1, "Lock": 1,
              "Ratio": "0.618033988749895", "Opacity": 100, "ShowValues": 1, "ShowHints": 0,
              "LookMode": 3, "OrientMode": 0, "X": left, "Y": top, "SFrame": 1, "SVisible": 0}
    values.update(overrides)
    return values


def scenario(function):
    _SCENARIOS[function.__name__] = function
    return function


def expect(condition, message):
    if not condition:
        raise E2EError(message)


def main(argv=None):
    argv = sys.argv[1:] if argv is None else argv
    if argv == ["--list"]:
        print("\n".join(_SCENARIOS))
        return 0
    if argv == ["--init-prefix"]:
        init_prefix()
        return 0
    if len(argv) == 2 and argv[0] == "--screenshot":
        init_prefix()
        print(f"screenshot: {showcase(os.path.abspath(argv[1]))}")
        return 0
    if len(argv) != 1 or argv[0] not in _SCENARIOS:
        print(f"usage: {sys.argv[0]} --list | --init-prefix | --screenshot FILE | <scenario>", file=sys.stderr)
        return 2
    os.environ["LUMETRA_SCENARIO"] = argv[0]
    try:
        _SCENARIOS[argv[0]]()
    except Exception:  # report every failure as a test failure, with its trace
        traceback.print_exc()
        return 1
    print(f"{argv[0]}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
