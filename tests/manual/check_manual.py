"""Opens every page of the built manual in headless Chromium and checks what a
reader would trip over: every picture loads (complete, natural width > 0),
every local href and src names an existing file inside the manual folder,
and every anchor (#id or page.html#id) names an element of that page.
External http(s) links are listed, not fetched. A full-page screenshot of
each page goes to the work folder's artifacts/ folder.

    check_manual.py --chromium PATH --work DIR MANUAL_DIR

The browser is driven through the DevTools protocol on --remote-debugging-pipe:
JSON messages, each ended by a NUL byte, in on file descriptor 3 and out on 4.
"""
import argparse
import base64
import json
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.parse
import urllib.request
from pathlib import Path

TIMEOUT = 60  # seconds for the whole run; a page normally takes well under one

# What each page reports about itself once it has loaded.
PAGE_FACTS = """(() => ({
  url: location.href,
  images: [...document.images].map(img => ({
    src: img.getAttribute('src'), ok: img.complete && img.naturalWidth > 0})),
  refs: [...document.querySelectorAll('[href], [src]')].map(e => {
    const attr = e.hasAttribute('href') ? 'href' : 'src';
    const value = e.getAttribute(attr);
    return {tag: e.localName, attr, value, url: new URL(value, document.baseURI).href};
  }),
  ids: [...document.querySelectorAll('[id], a[name]')].map(e => e.id || e.getAttribute('name')),
}))()"""


class Failure(Exception):
    pass


class Browser:
    """Headless Chromium in its own process group and throw-away profile."""

    def __init__(self, chromium, deadline, log):
        self.deadline = deadline
        self.profile = tempfile.mkdtemp(prefix="lumetra-manual-")
        to_browser, self._out = os.pipe()
        self._in, from_browser = os.pipe()

        def pipes_at_3_and_4():
            read, write = os.dup(to_browser), os.dup(from_browser)
            os.dup2(read, 3)
            os.dup2(write, 4)

        self.process = subprocess.Popen(
            [chromium, "--headless=new", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
             "--no-first-run", "--remote-debugging-pipe", "--window-size=1100,900",
             "--host-resolver-rules=MAP * ~NOTFOUND",  # the manual must work offline
             f"--user-data-dir={self.profile}", "about:blank"],
            stdin=subprocess.DEVNULL, stdout=log, stderr=log,
            close_fds=False, preexec_fn=pipes_at_3_and_4, start_new_session=True)
        os.close(to_browser)
        os.close(from_browser)
        self._buffer = b""
        self._next_id = 0

    def call(self, method, session=None, **params):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        try:
            os.write(self._out, json.dumps(message).encode() + b"\0")
        except BrokenPipeError:
            raise Failure(f"Chromium ended with exit code {self.process.wait()}") from None
        while True:
            reply = self._receive()
            if reply.get("id") == self._next_id:  # anything else is an event
                if "error" in reply:
                    raise Failure(f"{method}: {reply['error'].get('message')}")
                return reply["result"]

    def _receive(self):
        while b"\0" not in self._buffer:
            left = self.deadline - time.monotonic()
            if left <= 0 or not select.select([self._in], [], [], left)[0]:
                raise Failure(f"Chromium did not answer within {TIMEOUT} s")
            chunk = os.read(self._in, 1 << 20)
            if not chunk:
                raise Failure(f"Chromium ended with exit code {self.process.wait()}")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def close(self):
        try:
            self.call("Browser.close")
            self.process.wait(timeout=5)
        except Exception:
            pass
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()
        os.close(self._in)
        os.close(self._out)
        shutil.rmtree(self.profile, ignore_errors=True)


def load(browser, session, url):
    """Opens a page and returns its facts once it has loaded, pictures and all."""
    error = browser.call("Page.navigate", session, url=url).get("errorText")
    if error:
        raise Failure(f"{url} does not open: {error}")
    while True:
        state = browser.call("Runtime.evaluate", session, returnByValue=True,
                             expression="[location.href, document.readyState]")["result"]["value"]
        if state == [url, "complete"]:
            break
        if time.monotonic() > browser.deadline:
            raise Failure(f"{url} did not finish loading (last state {state})")
        time.sleep(0.05)
    return browser.call("Runtime.evaluate", session, expression=PAGE_FACTS,
                        returnByValue=True)["result"]["value"]


def screenshot(browser, session, target):
    size = browser.call("Page.getLayoutMetrics", session)["cssContentSize"]
    clip = {"x": 0, "y": 0, "width": size["width"], "height": size["height"], "scale": 1}
    shot = browser.call("Page.captureScreenshot", session, format="png", clip=clip,
                        captureBeyondViewport=True)
    target.write_bytes(base64.b64decode(shot["data"]))


def local_path(url):
    return Path(urllib.request.url2pathname(urllib.parse.urlsplit(url).path)).resolve()


def problems(manual, facts):
    """What is broken, given the facts of every page (keyed by file path)."""
    found, external = [], set()
    for page, fact in facts.items():
        name = page.relative_to(manual)
        for img in fact["images"]:
            if not img["ok"]:
                found.append(f"{name}: picture <img src=\"{img['src']}\"> does not load")
        for ref in fact["refs"]:
            where = f"{name}: <{ref['tag']} {ref['attr']}=\"{ref['value']}\">"
            scheme = urllib.parse.urlsplit(ref["url"]).scheme
            if scheme in ("http", "https"):
                external.add(ref["url"])
                continue
            if scheme != "file":
                continue  # mailto:, data: and the like
            target = local_path(ref["url"])
            anchor = urllib.parse.unquote(urllib.parse.urlsplit(ref["url"]).fragment)
            if not target.is_relative_to(manual):
                found.append(f"{where} points outside the manual folder")
            elif not target.is_file():
                found.append(f"{where} names a missing file")
            elif anchor and target in facts and anchor not in facts[target]["ids"]:
                found.append(f"{where}: {target.relative_to(manual)} has no id=\"{anchor}\"")
    return found, sorted(external)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--chromium", default="chromium")
    parser.add_argument("--work", type=Path, default=Path(tempfile.gettempdir()) / "lumetra-manual")
    parser.add_argument("manual", type=Path)
    args = parser.parse_args()

    manual = args.manual.resolve()
    pages = sorted(manual.rglob("*.html"))
    if not pages:
        print(f"FAIL: no HTML pages in {manual} (is the Windows build done?)", file=sys.stderr)
        return 1
    artifacts = args.work / "artifacts"
    artifacts.mkdir(parents=True, exist_ok=True)

    log_path = args.work / "chromium.log"
    with open(log_path, "wb") as log:
        browser = Browser(args.chromium, time.monotonic() + TIMEOUT, log)
    try:
        target = browser.call("Target.createTarget", url="about:blank")["targetId"]
        session = browser.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        facts = {}
        for page in pages:
            facts[page] = load(browser, session, page.as_uri())
            shot = artifacts / (str(page.relative_to(manual).with_suffix("")).replace(os.sep, "-") + ".png")
            screenshot(browser, session, shot)
            print(f"{page.relative_to(manual)}: {len(facts[page]['images'])} pictures, "
                  f"{len(facts[page]['refs'])} links; screenshot {shot}")
    except Failure as error:
        print(f"FAIL: {error} (its messages: {log_path})", file=sys.stderr)
        return 1
    finally:
        browser.close()

    found, external = problems(manual, facts)
    for url in external:
        print(f"external link (not fetched): {url}")
    for problem in found:
        print(f"FAIL: {problem}", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
