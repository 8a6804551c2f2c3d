"""Helpers for the page tests and the page benchmark: serve the built site on
127.0.0.1, drive Debian's headless Chromium through WebDriver with real key
events, and read the game's canvas back, its text through read_screen."""

import base64
import contextlib
import functools
import http.server
import os
import subprocess
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

WAIT_S = 60  # the longest any wait for the page polls
VERSION = subprocess.run([os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "version.sh")],
                         capture_output=True, text=True, check=True).stdout.strip()


class Site:
    """The site's folder served on a free port of 127.0.0.1. Files named in
    missing answer 404, and patch maps a file name to a function that may
    change its bytes on the way out."""

    def __init__(self, folder, missing=(), patch=None):
        patch = patch or {}

        class Handler(http.server.SimpleHTTPRequestHandler):
            def do_GET(self):
                name = self.path.split("?")[0].lstrip("/") or "index.html"
                if name in missing:
                    self.send_error(404)
                elif name in patch:
                    with open(os.path.join(folder, name), "rb") as f:
                        body = patch[name](f.read())
                    self.send_response(200)
                    self.send_header("Content-Length", str(len(body)))
                    self.end_headers()
                    self.wfile.write(body)
                else:
                    super().do_GET()

            def log_message(self, *args):
                pass

        handler = functools.partial(Handler, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()


def start_browser(width=1400, height=1250):
    """Headless Chromium, kept off the network but for 127.0.0.1."""
    options = webdriver.ChromeOptions()
    for arg in ["--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                "--disable-background-networking", "--disable-component-update",
                "--disable-sync", "--disable-default-apps", "--window-size=%d,%d" % (width, height)]:
        options.add_argument(arg)
    options.binary_location = "/usr/bin/chromium"
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


@contextlib.contextmanager
def open_page(folder, missing=(), patch=None, before_load=None):
    """Serves the site, loads it in a fresh browser and yields the browser;
    before_load is a script to run in the page before its own."""
    site = Site(folder, missing, patch)
    driver = start_browser()
    try:
        if before_load:
            driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": before_load})
        driver.get(site.url)
        yield driver
    finally:
        driver.quit()
        site.close()


def wait_until(what, check, timeout=WAIT_S):
    """Polls check until it returns something true; fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        found = check()
        if found:
            return found
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.05)


def press(driver, *keys):
    """Types real keys into the page, one after another."""
    chain = ActionChains(driver)
    for key in keys:
        chain.send_keys(Keys.SPACE if key == "space" else key)
    chain.perform()


READ_CANVAS = """
const canvas = document.getElementById('screen');
const rgba = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
const rgb = new Uint8Array(canvas.width * canvas.height * 3);
for (let i = 0, j = 0; i < rgba.length; i += 4, j += 3) {
  rgb[j] = rgba[i]; rgb[j + 1] = rgba[i + 1]; rgb[j + 2] = rgba[i + 2];
}
let text = '';
for (let i = 0; i < rgb.length; i += 0x8000)
  text += String.fromCharCode.apply(null, rgb.subarray(i, i + 0x8000));
return [canvas.width, canvas.height, btoa(text)];
"""


class Canvas:
    """Snapshots of the game's canvas, read like the window tests read a
    screenshot of the desktop game."""

    def __init__(self, driver, reader):
        self.driver = driver
        self.reader = reader
        self.shot = tempfile.NamedTemporaryFile(suffix=".ppm", delete=False).name

    def take(self):
        width, height, data = self.driver.execute_script(READ_CANVAS)
        with open(self.shot, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (width, height) + base64.b64decode(data))
        return True

    def ask(self, *args):
        return subprocess.run([self.reader, self.shot] + [str(a) for a in args],
                              capture_output=True, text=True, check=True).stdout.strip()

    def text_is(self, x, y, text):
        return self.ask("text", x, y, len(text)) == text

    def pixel_is(self, x, y, rgb):
        return self.ask("pixel", x, y) == rgb

    def number_at(self, x, y, length):
        return self.ask("text", x, y, length).replace(" ", "")

    def wait_for(self, what, check):
        wait_until(what, lambda: self.take() and check())

    def close(self):
        os.unlink(self.shot)

    # What the game shows, as the window tests see it.
    def title_shown(self):
        return (self.text_is(220, 200, "Vorlix version " + VERSION) and self.text_is(220, 240, "Laser with space")
                and self.pixel_is(0, 0, "FF00FF") and self.pixel_is(210, 190, "FF00FF"))

    # As in the window tests: told apart by pixels the candy and its block never cover.
    def frame_shown(self):
        return (self.pixel_is(638, 15, "FF00FF") and self.pixel_is(639, 479, "FF00FF")
                and not self.pixel_is(210, 190, "FF00FF") and self.text_is(20, 6, "Candy:        0"))

    def prompt_shown(self):
        return (self.text_is(220, 250, "New game (y/n)?") and self.pixel_is(210, 180, "FF00FF")
                and self.pixel_is(419, 269, "FF00FF"))


def page_status(driver):
    return driver.execute_script("return document.getElementById('status').textContent")
