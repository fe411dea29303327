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
from harness import PANEL_SIZE, PANEL_TITLE, WORK_DIR, Session, deadline_poll, expect, main, scenario  # noqa: E402

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


if __name__ == "__main__":
    sys.exit(main())
