"""The game in a real browser: Debian's headless Chromium plays the built page
with real key events, and the canvas is read back as the window tests read the
desktop game. Also: a page that cannot start says why.
   page_test.py SITE_FOLDER READ_SCREEN"""

import json
import re
import sys
import unittest

import page

SITE = READER = None


class PlayingInThePage(unittest.TestCase):
    def setUp(self):
        self.site = page.Site(SITE)
        self.driver = page.start_browser()
        self.canvas = page.Canvas(self.driver, READER)

    def tearDown(self):
        self.canvas.close()
        self.driver.quit()
        self.site.close()

    def js(self, script):
        return self.driver.execute_script(script)

    def route_clear(self):
        c = self.canvas
        return (all(c.pixel_is(x, 240, "000000") for x in (321, 322)) and c.pixel_is(322, 239, "000000")
                and all(c.pixel_is(x, 238, "000000") for x in (322, 323, 324, 325)))

    def test_a_whole_session_then_play_again(self):
        d, c = self.driver, self.canvas
        d.get(self.site.url)
        c.wait_for("the title", c.title_shown)
        # One canvas, 640 x 480 behind it, shown at the largest whole multiple
        # that fits the 1400 x 1107 window, crisp, and holding the focus.
        self.assertEqual(self.js("return document.getElementsByTagName('canvas').length"), 1)
        self.assertEqual(self.js("const c = document.getElementById('screen');"
                                 "const r = c.getBoundingClientRect();"
                                 "return [c.width, c.height, r.width, r.height,"
                                 " getComputedStyle(c).imageRendering, document.activeElement === c]"),
                         [640, 480, 1280, 960, "pixelated", True])
        keys_line = self.js("return document.getElementById('keys').textContent")
        self.assertRegex(keys_line, r"s\s+turns left.*l\s+turns right.*space\s+fires the laser")
        self.assertIn("first title chime may be silent", keys_line)

        played = False
        for _ in range(5):
            page.press(d, "a")
            c.wait_for("the playfield frame", c.frame_shown)
            if self.route_clear():
                # Start, two steps right, turn up, fire upwards, turn right.
                page.press(d, "b", "x", "x", "s", "space", "l")
                played = True
            else:
                page.press(d, "b")  # something lies on the route: let this game end
            c.wait_for("the game-over panel", c.prompt_shown)
            if played:
                break
            page.press(d, "y")
            c.wait_for("the next title", c.title_shown)
        self.assertTrue(played, "never found a clear route")

        candies, distance = c.number_at(356, 190, 6), c.number_at(356, 210, 6)
        skill = c.number_at(356, 230, 6)
        self.assertEqual(c.number_at(76, 6, 8), candies)
        self.assertEqual(c.number_at(300, 6, 8), "1")
        self.assertEqual(c.number_at(500, 6, 8), distance)
        self.assertGreaterEqual(int(distance), 4)
        self.assertEqual(skill, "%.2f" % (15 * int(candies) ** 3 / int(distance)))

        # In a window too small for the field the page can scroll; space must not do it.
        d.set_window_size(900, 420)
        page.wait_until("a page that scrolls", lambda: self.js(
            "return document.documentElement.scrollHeight > innerHeight"))
        page.press(d, "space")
        self.assertEqual(self.js("return scrollY"), 0)
        d.set_window_size(1400, 1250)

        page.press(d, "y")
        c.wait_for("the second title", c.title_shown)
        page.press(d, "a")
        c.wait_for("the second frame", c.frame_shown)
        page.press(d, "b", "n")  # n during play is kept and answers the prompt at once
        page.wait_until("the page to say the game ended",
                        lambda: "ended" in page.page_status(d)
                        and self.js("return !document.getElementById('again').hidden"))

        d.find_element("id", "again").click()
        c.wait_for("the title of a fresh game", c.title_shown)
        self.assertTrue(self.js("return document.activeElement === document.getElementById('screen')"))
        self.assertTrue(self.js("return document.getElementById('again').hidden"))


class AFailedStartSpeaks(unittest.TestCase):
    """Whatever keeps the game from starting is said on the page in words."""

    def status_with(self, **how):
        def failure_said(driver):
            status = page.page_status(driver)
            return status if status and not status.startswith(("Loading", "Downloading")) else ""

        with page.open_page(SITE, **how) as driver:
            return page.wait_until("a message", lambda: failure_said(driver))

    def test_missing_files_and_no_webassembly(self):
        self.assertIn("could not load its script", self.status_with(missing=["vorlix.js"]))
        self.assertRegex(self.status_with(missing=["vorlix.wasm"]), "could not (start|run)")
        self.assertRegex(self.status_with(missing=["vorlix.data"]), "could not (start|run)")
        self.assertIn("cannot run WebAssembly", self.status_with(before_load="delete window.WebAssembly;"))

    def test_what_the_game_prints_shows_on_the_page(self):
        # The packed configuration, changed on its way to the page to a window type of 3.
        with open(SITE + "/vorlix.js", encoding="utf-8") as f:
            files = re.search(r'"files":\s*(\[.*?\])', f.read()).group(1)
        cfg = next(entry for entry in json.loads(files) if entry["filename"] == "/vorlix.cfg")

        def bad_config(data):
            return data[:cfg["start"]] + b"3" + data[cfg["start"] + 1:]

        with page.open_page(SITE, patch={"vorlix.data": bad_config}) as driver:
            page.wait_until("the game's message", lambda: "wintype must be 0 or 1." in driver.execute_script(
                "return document.getElementById('messages').textContent"))
            page.wait_until("the end", lambda: "ended" in page.page_status(driver))


if __name__ == "__main__":
    SITE, READER = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0], "-v"])
