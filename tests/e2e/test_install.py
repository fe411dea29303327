"""The release artefacts: the portable zip and the installer, built from the
product folder by scripts/package.sh, the installer run under Wine."""
import datetime
import os
import posixpath
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.dirname(__file__))
from harness import (PANEL_SIZE, PANEL_TITLE, PRODUCT_DIR, SETTINGS_FILE, SETTINGS_KEYS, TITLE,  # noqa: E402
                     E2EError, Session, deadline_poll, expect, format_settings, main, parse_settings, scenario)

SOURCE_DIR = os.environ.get("LUMETRA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
VERSION = os.environ.get("LUMETRA_VERSION", "")  # the CMake project's, set by ctest
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
INSTALL_DIR = r"C:\Program Files\Velmora\Lumetra"
SHORTCUT = r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Velmora Lumetra.lnk"
PRODUCT_KEY = r"Software\Velmora\Lumetra"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora Lumetra"
LINE = (255, 64, 64)
# Where a profile's application data lies, by the documented redirection of
# the known folder: here under a user name in Greek letters, outside the
# code page.
SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders"
GREEK_APPDATA = "C:\\users\\\u0395\u03bb\u03ad\u03bd\u03b7\\AppData\\Roaming"
LEFT, TOP = 300, 240  # where the overlay opens on a first run
# The example guides that ship in the Guides folder beside the program.
GUIDES = sorted(f for f in os.listdir(os.path.join(SOURCE_DIR, "guides")) if f.endswith(".guide"))


def package(dist):
    """Runs the packaging script on the product folder; returns (zip, setup)."""
    expect(VERSION, "LUMETRA_VERSION is not set: run the scenario through ctest")
    subprocess.run(["bash", os.path.join(SOURCE_DIR, "scripts", "package.sh"), PRODUCT_DIR, dist],
                   check=True, stdout=subprocess.DEVNULL, timeout=120)
    return (os.path.join(dist, f"Lumetra-{VERSION}-portable.zip"),
            os.path.join(dist, f"Lumetra-{VERSION}-setup.exe"))


class InstallSession(Session):
    """A session whose program is started from its installed place, on demand."""

    def start(self):
        self.process = None

    def run(self, *args, timeout=120):
        """Runs a Windows program in the session's prefix and display; returns its exit code."""
        done = subprocess.run(["wine", *args], env=self.env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, timeout=timeout, check=False)
        self.last_output = done.stdout.decode("utf-8", "replace")
        return done.returncode

    def unix_path(self, windows_path):
        done = subprocess.run(["winepath", "-u", windows_path], env=self.env, capture_output=True,
                              text=True, timeout=60, check=True)
        return done.stdout.strip()

    def windows_variable(self, name):
        self.run("cmd", "/c", "echo", f"%{name}%")
        return self.last_output.strip()

    def registry_value(self, key, name):
        """The text of a registry value, or None when it is not there."""
        if self.run("reg", "query", key, "/v", name) != 0:
            return None
        match = re.search(rf"^\s*{re.escape(name)}\s+REG_\w+\s+(.*?)\s*$", self.last_output, re.M)
        return match.group(1) if match else None

    def launch(self, exe, folder):
        """Starts a program the way its shortcut does: from its own folder."""
        self.process = subprocess.Popen(["wine", exe], cwd=folder, env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def local_links(page):
    """The files a manual page links to or shows, relative to it; anchors
    within the page and other sites left out."""
    return [link for link in re.findall(r'(?:src|href)="(?![\w+.-]+:)([^"#]*)', page) if link]


def remove_installation(s, install_dir, user_folder):
    """Leaves the shared prefix as it was, whatever state a failure left behind."""
    shutil.rmtree(install_dir, ignore_errors=True)
    with_velmora = os.path.dirname(install_dir)
    if os.path.isdir(with_velmora) and not os.listdir(with_velmora):
        os.rmdir(with_velmora)
    shutil.rmtree(user_folder, ignore_errors=True)
    shortcut = s.unix_path(SHORTCUT)
    if os.path.exists(shortcut):
        os.remove(shortcut)
    for key in (UNINSTALL_KEY, rf"HKLM\{PRODUCT_KEY}", rf"HKCU\{PRODUCT_KEY}"):
        s.run("reg", "delete", key, "/f")
    s.run("reg", "delete", RUN_KEY, "/v", "Velmora Lumetra", "/f")


def fresh_folders(s, windows_dir):
    """The program folder and the user's data folder, as Unix paths, with
    nothing of an earlier installation left."""
    install_dir = s.unix_path(windows_dir)
    user_folder = os.path.join(s.unix_path(s.windows_variable("APPDATA")), "Velmora", "Lumetra")
    remove_installation(s, install_dir, user_folder)
    return install_dir, user_folder


@scenario
def portable_zip_holds_the_product_and_a_whole_manual():
    with tempfile.TemporaryDirectory(prefix="lumetra-dist-") as dist:
        zip_path, _ = package(dist)
        with zipfile.ZipFile(zip_path) as archive:
            names = set(archive.namelist())
            index = archive.read("Lumetra/Manual/index.html").decode("utf-8")
            # Every page reached from the index, with the links that miss.
            pages, missing, queue = set(), [], ["Lumetra/Manual/index.html"]
            while queue:
                page = queue.pop()
                if page in pages:
                    continue
                pages.add(page)
                for link in local_links(archive.read(page).decode("utf-8")):
                    target = posixpath.normpath(posixpath.join(posixpath.dirname(page), link))
                    if target not in names:
                        missing.append(f"{page} -> {link}")
                    elif target.endswith(".html"):
                        queue.append(target)
    expect("Lumetra/Lumetra.exe" in names, "no program in the zip")
    languages = {n for n in names if n.endswith(".lng")}
    expected = {f"Lumetra/{f}" for f in os.listdir(os.path.join(SOURCE_DIR, "lang"))}
    expect(languages == expected, f"languages in the zip: {sorted(languages)}")
    expect(not any(n.endswith(SETTINGS_FILE) for n in names), "a settings file was packed")
    guides = {n for n in names if n.startswith("Lumetra/Guides/") and n != "Lumetra/Guides/"}
    expect(GUIDES and guides == {f"Lumetra/Guides/{g}" for g in GUIDES}, f"guides in the zip: {sorted(guides)}")
    links = re.findall(r'(?:src|href)="([^"#:]+)"', index)
    expect(len(links) > 14, f"the manual links only {links}")
    expect(not missing, f"the manual links to files the zip lacks: {missing}")
    manual_pages = {n for n in names if n.startswith("Lumetra/Manual/") and n.endswith(".html")}
    expect(pages == manual_pages, f"manual pages checked: {sorted(pages)}, packed: {sorted(manual_pages)}")


@scenario
def installs_keeps_settings_per_user_and_uninstalls_silently():
    with tempfile.TemporaryDirectory(prefix="lumetra-dist-") as dist, InstallSession() as s:
        _, setup = package(dist)
        install_dir, user_folder = fresh_folders(s, INSTALL_DIR)
        try:
            # Start with Windows, carried out by the program the installer starts (about 1.4 s).
            expect(s.run(setup, "/S", "/STARTWITHWINDOWS") == 0, "the silent install failed")
            run = s.registry_value(RUN_KEY, "Velmora Lumetra")
            expect(run is not None and run.lower() == f'"{INSTALL_DIR}\\Lumetra.exe"'.lower(),
                   f"Run value after /STARTWITHWINDOWS: {run!r}")
            for name in ("Lumetra.exe", "English.lng", "Russian.lng", "Uninstall.exe",
                         os.path.join("Manual", "index.html"), os.path.join("Manual", "looks", "look13.svg"),
                         *(os.path.join("Guides", g) for g in GUIDES)):
                expect(os.path.isfile(os.path.join(install_dir, name)), f"{name} was not installed")
            expect(os.path.isfile(s.unix_path(SHORTCUT)), "no start-menu shortcut")
            today = datetime.date.today().isoformat()
            for hive in ("HKCU", "HKLM"):
                date = s.registry_value(rf"{hive}\{PRODUCT_KEY}", "InstallDate")
                expect(date == today, f"{hive} InstallDate is {date!r}, not {today}")
            entry = {name: s.registry_value(UNINSTALL_KEY, name)
                     for name in ("DisplayName", "DisplayVersion", "Publisher", "QuietUninstallString")}
            expect(entry["DisplayName"] == "Velmora Lumetra" and entry["DisplayVersion"] == VERSION
                   and entry["Publisher"] == "Velmora", f"uninstall entry: {entry}")
            expect(entry["QuietUninstallString"] == f'"{INSTALL_DIR}\\Uninstall.exe" /S',
                   f"quiet uninstall: {entry['QuietUninstallString']!r}")

            # Run it, change the look with Enter, close: the change lands in the user's file.
            s.launch(os.path.join(install_dir, "Lumetra.exe"), install_dir)
            s.wait_window()
            s.wait_pixel(LEFT + 12, TOP + 60, LINE)  # look 1's origin edge: painted
            # The overlay shows its picture before the panel is built; a click
            # before the panel is up could lose the focus to it on its arrival.
            s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
            s.click(LEFT + 100, TOP + 8)
            s.key("Return")  # look 1 -> 2: the vertical centre line appears
            s.wait_pixel(LEFT + 210, TOP + 60, LINE)
            s.close()
            settings_path = os.path.join(user_folder, SETTINGS_FILE)
            expect(os.path.isfile(settings_path), "no settings in the per-user data folder")
            expect(not os.path.exists(os.path.join(install_dir, SETTINGS_FILE)),
                   "the installed copy wrote its settings beside the program")
            with open(settings_path, "rb") as f:
                values, order = parse_settings(f.read().decode("latin-1"))
            expect(order == SETTINGS_KEYS and values["LookMode"] == "2", f"settings written: {values}")
            # Started with Windows as this user: the uninstaller takes the value away.
            expect(s.run(os.path.join(install_dir, "Lumetra.exe"), "/startwithwindows", "on") == 0,
                   "/startwithwindows on failed")
            run = s.registry_value(RUN_KEY, "Velmora Lumetra")
            expect(run is not None and run.lower() == f'"{INSTALL_DIR}\\Lumetra.exe"'.lower(), f"Run value {run!r}")

            # The uninstaller runs from a copy of itself and returns at once: wait for its work.
            expect(s.run(os.path.join(install_dir, "Uninstall.exe"), "/S") == 0, "the silent uninstall failed")
            try:
                deadline_poll("the program folder to go", lambda: not os.path.exists(install_dir), timeout=60)
            except E2EError:
                left = sorted(os.path.relpath(os.path.join(d, f), install_dir)
                              for d, _, files in os.walk(install_dir) for f in files)
                raise E2EError(f"the uninstaller left {left} in the program folder") from None
            expect(not os.path.exists(os.path.dirname(install_dir)), "the Velmora folder stayed")
            expect(not os.path.exists(s.unix_path(SHORTCUT)), "the shortcut stayed")
            for key in (UNINSTALL_KEY, rf"HKLM\{PRODUCT_KEY}", rf"HKCU\{PRODUCT_KEY}"):
                expect(s.run("reg", "query", key) != 0, f"{key} stayed in the registry")
            expect(s.registry_value(RUN_KEY, "Velmora Lumetra") is None, "the Run value stayed")
            expect(os.path.isfile(settings_path), "the uninstaller removed the user's settings")
        finally:
            remove_installation(s, install_dir, user_folder)


@scenario
def a_silent_install_with_run_starts_the_program_as_the_finish_page_does():
    # The finish page (and /RUN after a silent install) asks the desktop's
    # shell to open the start-menu shortcut, so that the program runs as the
    # signed-in user, unelevated. Wine knows no elevation: what it shows is
    # that the program starts that way, from the shortcut, and keeps its
    # settings in the user's profile.
    # Its application data lies under a user name in Greek letters.
    with tempfile.TemporaryDirectory(prefix="lumetra-dist-") as dist, InstallSession() as s:
        _, setup = package(dist)
        s.env["LC_ALL"] = "C.UTF-8"  # Wine reads the Greek arguments in the Unix locale
        install_dir = s.unix_path(INSTALL_DIR)
        own_appdata = s.registry_value(SHELL_FOLDERS, "AppData")
        user_folder = os.path.join(s.unix_path(GREEK_APPDATA), "Velmora", "Lumetra")
        remove_installation(s, install_dir, user_folder)
        try:
            expect(s.run("reg", "add", SHELL_FOLDERS, "/v", "AppData", "/t", "REG_EXPAND_SZ", "/d", GREEK_APPDATA,
                         "/f") == 0, "the AppData folder could not be moved")
            # Without a pipe to hold: the program outlives the installer.
            done = subprocess.run(["wine", setup, "/S", "/RUN"], env=s.env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL, timeout=120, check=False)
            expect(done.returncode == 0, "the silent install with /RUN failed")
            s.wait_window()
            s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
            s.close_request()
            s.wait_no_window(TITLE, timeout=30)
            settings_path = os.path.join(user_folder, SETTINGS_FILE)
            deadline_poll("the settings in the per-user data folder", lambda: os.path.isfile(settings_path),
                          timeout=10)
            expect(not os.path.exists(os.path.join(install_dir, SETTINGS_FILE)),
                   "the installed copy wrote its settings beside the program")
        finally:
            subprocess.run(["wine", "taskkill", "/f", "/im", "Lumetra.exe"], env=s.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=60, check=False)
            s.run("reg", "add", SHELL_FOLDERS, "/v", "AppData", "/t", "REG_EXPAND_SZ", "/d",
                  own_appdata or r"%USERPROFILE%\AppData\Roaming", "/f")
            remove_installation(s, install_dir, user_folder)
            shutil.rmtree(os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(user_folder)))),
                          ignore_errors=True)


TOOLS_DIR = r"C:\Tools\Lumetra"  # the README's example of a folder of one's own
EXIT_PROGRAM_RUNNING = 3  # the installer's exit code when a copy would not close
UNINSTALLER_TITLE = "Velmora Lumetra Uninstall "  # the installer's own, with its blank
BROWSER_KEY = r"HKCU\Software\Wine\WineBrowser"  # the programs Wine opens web pages with


def read_text(path):
    """A file's text, or nothing while it does not exist yet."""
    try:
        with open(path) as f:
            return f.read()
    except FileNotFoundError:
        return ""


def program_processes(s, folder):
    """The Unix processes of the prefix that run Lumetra.exe from a folder."""
    wanted = (folder.rstrip("\\") + "\\Lumetra.exe").lower()
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                command = f.read().replace(b"\0", b" ").decode("latin-1").lower()
            with open(f"/proc/{pid}/environ", "rb") as f:
                prefix = f"WINEPREFIX={s.env['WINEPREFIX']}".encode() in f.read().split(b"\0")
        except OSError:
            continue
        if prefix and wanted in command:
            found.append(int(pid))
    return found


@scenario
def an_install_outside_program_files_keeps_settings_per_user_and_upgrades_over_a_running_copy():
    with tempfile.TemporaryDirectory(prefix="lumetra-dist-") as dist, InstallSession() as s:
        _, setup = package(dist)
        install_dir, user_folder = fresh_folders(s, TOOLS_DIR)
        try:
            # A portable copy ran there before: setup takes over its folder.
            os.makedirs(install_dir)
            beside = format_settings({"LookMode": 1, "X": LEFT, "Y": TOP, "Width": 396, "Height": 245,
                                      "Opacity": 80}).encode("latin-1")
            with open(os.path.join(install_dir, SETTINGS_FILE), "wb") as f:
                f.write(beside)
            expect(s.run(setup, "/S", f"/D={TOOLS_DIR}") == 0, "the silent install into a folder of one's own failed")
            expect(os.path.isfile(os.path.join(install_dir, "Lumetra.installed")), "no installed marker")

            # Installed, wherever it lies: the user's own settings, taken from the portable copy's.
            s.launch(os.path.join(install_dir, "Lumetra.exe"), install_dir)
            overlay = s.wait_window()
            deadline_poll("the portable copy's opacity, 80 %", lambda: overlay.opacity() == 0xCCCCCCCC, timeout=5)
            s.wait_pixel(LEFT + 12, TOP + 60, LINE)  # look 1's origin edge: painted
            s.click(LEFT + 100, TOP + 8)
            s.key("Return")  # look 1 -> 2: the vertical centre line appears
            s.wait_pixel(LEFT + 210, TOP + 60, LINE)

            # Setup again, while it runs: the copy saves and ends, the files
            # are replaced, and the upgraded copy starts in its place.
            damaged = os.path.join(install_dir, "English.lng")
            with open(damaged, "ab") as f:
                f.write(b"damaged\r\n")
            expect(s.run(setup, "/S", f"/D={TOOLS_DIR}") == 0, "the upgrade over a running copy failed")
            expect(s.process.poll() is not None, "the running copy was not closed")
            with open(damaged, "rb") as f:
                expect(not f.read().endswith(b"damaged\r\n"), "the upgrade left the old files")
            s.wait_window()
            running = deadline_poll("the upgraded copy", lambda: program_processes(s, TOOLS_DIR), timeout=10)
            expect(len(running) == 1 and len(s.windows()) == 1, f"copies after the upgrade: {running}")

            # A copy that does not answer: setup stops, silently, before it touches a file.
            for pid in running:
                os.kill(pid, signal.SIGSTOP)
            try:
                with open(damaged, "ab") as f:
                    f.write(b"damaged\r\n")
                expect(s.run(setup, "/S", f"/D={TOOLS_DIR}") == EXIT_PROGRAM_RUNNING,
                       "setup did not stop for a copy that would not close")
                with open(damaged, "rb") as f:
                    expect(f.read().endswith(b"damaged\r\n"), "setup replaced files while a copy ran")
            finally:
                for pid in running:
                    os.kill(pid, signal.SIGCONT)

            s.close_request()
            s.wait_no_window(TITLE, timeout=30)
            settings_path = os.path.join(user_folder, SETTINGS_FILE)
            deadline_poll("the settings in the per-user data folder", lambda: os.path.isfile(settings_path),
                          timeout=10)
            with open(settings_path, "rb") as f:
                values, _ = parse_settings(f.read().decode("latin-1"))
            expect(values["LookMode"] == "2" and values["Opacity"] == "80", f"settings after the upgrade: {values}")
            with open(os.path.join(install_dir, SETTINGS_FILE), "rb") as f:
                expect(f.read() == beside, "the portable copy's settings file was changed")

            # Removed through its pages: the program opens its farewell page
            # in the user's browser, and its files go once it has ended.
            pages = os.path.join(dist, "pages.txt")
            browser = os.path.join(dist, "browser.sh")
            with open(browser, "w") as f:
                f.write(f'#!/bin/sh\necho "$1" >> "{pages}"\n')
            os.chmod(browser, 0o755)
            s.run("reg", "add", BROWSER_KEY, "/v", "Browsers", "/d", browser, "/f")
            try:
                subprocess.Popen(["wine", os.path.join(install_dir, "Uninstall.exe")], env=s.env,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                pages_window = s.wait_window(UNINSTALLER_TITLE)
                deadline_poll("the uninstaller to have the keys", lambda: s.has_focus(pages_window), timeout=10)
                s.key("Return")  # Uninstall
                program = os.path.join(install_dir, "Lumetra.exe")
                deadline_poll("the program file to go", lambda: not os.path.exists(program), timeout=30)
                # The browser starts on its own and may write after the files go.
                deadline_poll("the farewell page", lambda: "/we/service/uninstall/?prd=lmt" in read_text(pages),
                              timeout=10)
                # Its last step: Close works from then on.
                deadline_poll("the uninstall entry to go", lambda: s.run("reg", "query", UNINSTALL_KEY) != 0,
                              timeout=10)
                s.key("Return")  # Close
                s.wait_no_window(UNINSTALLER_TITLE, timeout=10)
            finally:
                s.run("reg", "delete", BROWSER_KEY, "/v", "Browsers", "/f")
        finally:
            subprocess.run(["wine", "taskkill", "/f", "/im", "Lumetra.exe"], env=s.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=60, check=False)
            remove_installation(s, install_dir, user_folder)


if __name__ == "__main__":
    sys.exit(main())
