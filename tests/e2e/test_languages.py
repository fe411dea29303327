"""Each shipped language relabels the real panel. Texts cannot be read back
from pixels, so each language's Look page is compared with English's (a
language that fails to load looks exactly like English) and kept as a
picture under the work folder's screens/languages/ for a person to read.
That no text shows as a bare key is checked on the files themselves by the
unit tests, which load every file through the program's own reader."""
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import (PANEL_SIZE, PANEL_TITLE, PRODUCT_DIR, SETTINGS_FILE, WORK_DIR, Session,  # noqa: E402
                     deadline_poll, expect, main, scenario, wine_env)

PANEL_LEFT, PANEL_TOP = 700, 100
LOOK_PAGE = 2
SCREENS = os.path.join(WORK_DIR, "screens", "languages")
# Each language with the locale whose Windows code page its file is written in.
LANGUAGES = {"German": "de_DE", "French": "fr_FR", "Spanish": "es_ES", "Italian": "it_IT",
             "Portuguese (Brazil)": "pt_BR", "Polish": "pl_PL", "Russian": "ru_RU"}


def panel_pixels(s):
    """The panel's pixels once it is shown and painted, and a picture of them."""
    s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
    # The strip's grey outline at the top-left is painted with the caption.
    s.wait_pixel(PANEL_LEFT + 20, PANEL_TOP, (128, 128, 128))
    width, height = PANEL_SIZE

    def settled():
        first = s.screenshot()
        second = s.screenshot()
        pixels = [first.pixel(PANEL_LEFT + x, PANEL_TOP + y) for y in range(height) for x in range(width)]
        same = pixels == [second.pixel(PANEL_LEFT + x, PANEL_TOP + y) for y in range(height) for x in range(width)]
        return (pixels, second) if same else None

    return deadline_poll("the panel to finish painting", settled, timeout=20)


def look_page(lang, locale):
    # Wine takes its code page from the locale it starts in.
    os.environ["LC_ALL"] = f"{locale}.UTF-8"
    settings = {"Lang": lang, "SVisible": 1, "SPage": LOOK_PAGE, "SX": PANEL_LEFT, "SY": PANEL_TOP,
                "X": 100, "Y": 100}
    with Session(settings=settings) as s:
        s.wait_window()
        pixels, shot = panel_pixels(s)
        os.makedirs(SCREENS, exist_ok=True)
        picture = shot.save(os.path.join(SCREENS, f"{lang}.png"))
        s.close()
    if picture.endswith(".png") and shutil.which("convert"):
        width, height = PANEL_SIZE
        subprocess.run(["convert", picture, "-crop", f"{width}x{height}+{PANEL_LEFT}+{PANEL_TOP}", "+repage",
                        picture], check=True)
    return pixels, picture


def language_scenario(lang, locale):
    def run():
        english, _ = look_page("English", locale)
        translated, picture = look_page(lang, locale)
        differing = sum(a != b for a, b in zip(english, translated))
        # A tab caption or a label alone changes a few hundred pixels.
        expect(differing > 200, f"{lang}: the Look page differs from English in only {differing} pixels")
        print(f"{lang}: {differing} pixels differ from English; picture in {picture}")
    run.__name__ = "look_page_in_" + re.sub(r"[^a-z]+", "_", lang.lower()).strip("_")
    return scenario(run)


for language, its_locale in LANGUAGES.items():
    language_scenario(language, its_locale)

# The panel's class, whose controls the window-text helper reads back.
PANEL_CLASS = "TLumetraSettings"
# A Western Windows: code page 1252, which has neither Polish nor Cyrillic letters
# (Wine takes it for the C locale), with file names in UTF-8.
WESTERN = "C.UTF-8"
CODE_PAGES_CHECK = os.path.join(os.path.dirname(PRODUCT_DIR), "tests", "lumetra-codepages-check.exe")


def lang_texts(name):
    """A shipped language file's texts by key, as written (UTF-8 after its mark)."""
    with open(os.path.join(PRODUCT_DIR, f"{name}.lng"), "rb") as f:
        data = f.read()
    expect(data.startswith(b"\xef\xbb\xbf"), f"{name}.lng has no UTF-8 mark")
    texts = {}
    for line in data[3:].decode("utf-8").split("\r\n"):
        if line[:1].isascii() and line[:1].isalpha() and "=" in line:
            key, value = line.split("=", 1)
            texts[key] = value
    return texts


@scenario
def each_code_page_reads_as_written_on_the_systems_own_decoder():
    # The core's reader on Wine's conversion, the one the program ships with.
    done = subprocess.run(["wine", CODE_PAGES_CHECK], env=wine_env(), capture_output=True, timeout=120)
    out = done.stdout.decode("utf-8", "replace")
    expect(done.returncode == 0, f"the code-page check failed:\n{out}")


@scenario
def polish_and_russian_read_as_written_on_a_western_windows():
    # The controls' texts, read back as Unicode, are the files' texts. The
    # Russian copy is portable in a folder named in Chinese: it finds its
    # languages there and saves beside itself.
    os.environ["LC_ALL"] = WESTERN
    keys = ("MSDevWebBtn", "MSAskSupportBtn", "MSCheckForUpdatesBtn", "MSHelpBtn")
    for lang, folder in (("Polish", None), ("Russian", "\u7167\u7247\u5de5\u5177")):
        texts = lang_texts(lang)
        settings = {"Lang": lang, "SVisible": 1, "SPage": 0, "SX": PANEL_LEFT, "SY": PANEL_TOP, "X": 100, "Y": 100}
        with Session(settings=settings, folder_name=folder) as s:
            s.wait_window(PANEL_TITLE, size=PANEL_SIZE)
            shown = set(s.child_texts(PANEL_CLASS))
            missing = [texts[k] for k in keys if texts[k] not in shown]
            expect(not missing, f"{lang}: the panel lacks {missing}; it shows {sorted(shown)}")
            s.close()
            saved = s.settings()
            expect(saved.get("Lang") == lang, f"{lang}: saved {saved.get('Lang')!r} beside the program in {s.folder}")
            expect(not s.settings_raw().startswith(b"\xff\xfe"), f"{lang}: an ASCII language made the file UTF-16")


# Unassigned characters: no font has them, so each shows as the box a face
# draws for a character it lacks.
BOXES = "\u0378\u0379\u0380"
# The colours of the panel's texts: its controls' and its caption strip's.
TEXT_COLOURS = ((0, 0, 0), (128, 128, 128))


def glyph_shapes(shot, left, top, width, height):
    """Every connected figure of one text colour in the area, as the set of
    its pixels relative to its top-left corner."""
    shapes = set()
    for colour in TEXT_COLOURS:
        todo = {(x, y) for y in range(height) for x in range(width) if shot.pixel(left + x, top + y) == colour}
        while todo:
            stack = [todo.pop()]
            figure = []
            while stack:
                x, y = stack.pop()
                figure.append((x, y))
                for dx in (-1, 0, 1):
                    for dy in (-1, 0, 1):
                        if (x + dx, y + dy) in todo:
                            todo.remove((x + dx, y + dy))
                            stack.append((x + dx, y + dy))
            x0 = min(x for x, _ in figure)
            y0 = min(y for _, y in figure)
            shapes.add(frozenset((x - x0, y - y0) for x, y in figure))
    return shapes


def panel_at(lang, dpi, extra_files=None, picture=None):
    """The glyph figures of the panel's Look page in a language at a DPI,
    and, when asked, a picture of the page."""
    os.environ["LC_ALL"] = WESTERN
    width, height = PANEL_SIZE[0] * dpi // 96, PANEL_SIZE[1] * dpi // 96
    settings = {"Lang": lang, "SVisible": 1, "SPage": LOOK_PAGE, "SX": PANEL_LEFT, "SY": PANEL_TOP,
                "X": 100, "Y": 600, "ShowHints": 0}
    with Session(settings=settings, dpi=None if dpi == 96 else dpi, extra_files=extra_files) as s:
        s.wait_window(PANEL_TITLE, size=(width, height))
        s.wait_pixel(PANEL_LEFT + 20 * dpi // 96, PANEL_TOP, (128, 128, 128))
        s.wait_still((PANEL_LEFT, PANEL_TOP, PANEL_LEFT + width, PANEL_TOP + height))
        shot = s.screenshot()
        if picture:
            os.makedirs(SCREENS, exist_ok=True)
            saved = shot.save(os.path.join(SCREENS, picture))
            subprocess.run(["convert", saved, "-crop", f"{width}x{height}+{PANEL_LEFT}+{PANEL_TOP}", "+repage",
                            saved], check=True)
        s.close()
    return glyph_shapes(shot, PANEL_LEFT, PANEL_TOP, width, height)


@scenario
def japanese_and_chinese_panels_show_every_character():
    # On a Western Windows the panel's Tahoma lacks these scripts: the
    # system's font linking draws them. No figure of their texts may be one
    # of the boxes the faces draw for a character no font has (those of a
    # panel whose every text is such characters, less the figures English
    # shows too: digits, arrows, marks). At 192 dpi the pages are pictures to
    # look at, and must hold text.
    english = lang_texts("English")
    boxed = "\ufeff" + "".join(f"{key}={BOXES}\r\n" for key in english)
    boxes = panel_at("Boxes", 96, {"Boxes.lng": boxed.encode("utf-8")}) - panel_at("English", 96)
    expect(boxes, "no box figures")
    for lang in ("Japanese", "Chinese (Simplified)"):
        name = re.sub(r"[^A-Za-z]+", "-", lang).strip("-")
        shapes = panel_at(lang, 96, picture=f"{name}-96.png")
        expect(len(shapes) > 20, f"{lang}: only {len(shapes)} figures of text")
        expect(not shapes & boxes, f"{lang} shows {len(shapes & boxes)} kinds of missing-glyph box")
        expect(len(panel_at(lang, 192, picture=f"{name}-192.png")) > 20, f"{lang} at 192 dpi shows little text")

if __name__ == "__main__":
    sys.exit(main())
