"""How the page performs in Debian's headless Chromium: the site's size, the
time from navigation to the title on the canvas, the main thread's load while
the title waits for a key, and the pace of 300 steps of play.
   page_bench.py SITE_FOLDER READ_SCREEN"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "browser"))
import page  # noqa: E402

# Watches every frame the game puts on the canvas: when the title first
# appears, where the head is on row 240 while the snake runs right, and when
# the game-over panel is up. Reading the whole canvas from outside would hold
# up the page for longer than a step, so nothing else looks during a run.
WATCH_FRAMES = """
window.vorlixFrames = {titleAt: null, heads: [], panelShown: false};
const put = CanvasRenderingContext2D.prototype.putImageData;
CanvasRenderingContext2D.prototype.putImageData = function (image, ...rest) {
  put.call(this, image, ...rest);
  const seen = window.vorlixFrames;
  const colour = (x, y) => {
    const i = (y * image.width + x) * 4;
    return image.data[i] << 16 | image.data[i + 1] << 8 | image.data[i + 2];
  };
  const red = 0xff0000, magenta = 0xff00ff;
  if (seen.titleAt === null && colour(221, 202) === red && colour(0, 0) === magenta)
    seen.titleAt = performance.now();
  if (seen.watchHead) {
    let x = 638;
    while (x > 320 && colour(x, 240) !== red) x--;
    seen.heads.push([performance.now(), x]);
  }
  seen.panelShown = colour(210, 180) === magenta && colour(419, 269) === magenta;
};
"""

STEPS = 300
FIRST_X = 330  # a few steps in, clear of the start


def site_size(folder):
    return sum(os.path.getsize(os.path.join(folder, f)) for f in os.listdir(folder))


def main():
    folder, reader = sys.argv[1], sys.argv[2]
    with page.open_page(folder, before_load=WATCH_FRAMES) as driver:
        canvas = page.Canvas(driver, reader)
        try:
            title_ms = page.wait_until("the title", lambda: driver.execute_script(
                "return window.vorlixFrames.titleAt"))
            canvas.wait_for("the title", canvas.title_shown)

            driver.execute_cdp_cmd("Performance.enable", {})
            before = {m["name"]: m["value"] for m in driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]}
            time.sleep(5)
            after = {m["name"]: m["value"] for m in driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]}
            load = (after["TaskDuration"] - before["TaskDuration"]) / (after["Timestamp"] - before["Timestamp"])

            ratios = []
            while len(ratios) < 5:
                page.press(driver, "a")
                canvas.wait_for("the playfield", canvas.frame_shown)
                driver.execute_script("window.vorlixFrames.heads = []; window.vorlixFrames.watchHead = true;")
                page.press(driver, "b")
                page.wait_until("the end of the run", lambda: driver.execute_script(
                    "return window.vorlixFrames.panelShown"))
                canvas.wait_for("the game-over panel", canvas.prompt_shown)
                heads = driver.execute_script("window.vorlixFrames.watchHead = false; return window.vorlixFrames.heads")
                at = {x: t for t, x in reversed(heads)}  # the first frame that shows each head position
                if FIRST_X in at and FIRST_X + STEPS in at:
                    ratios.append((at[FIRST_X + STEPS] - at[FIRST_X]) / (STEPS * 8.0))
                page.press(driver, "y")  # a candy on the row ends a run early; play another
                canvas.wait_for("the next title", canvas.title_shown)

            print("site size: %d bytes (%.1f %% of 1 MiB)" % (site_size(folder), site_size(folder) / 10485.76))
            print("navigation to title: %.0f ms (goal < 500 ms)" % title_ms)
            print("main-thread load while the title waits: %.1f %% (goal < 5 %%)" % (load * 100))
            print("300 steps: %s x 2400 ms, mean %.4f (goal <= 1.01)" % (
                " ".join("%.4f" % r for r in ratios), sum(ratios) / len(ratios)))
        finally:
            canvas.close()


if __name__ == "__main__":
    main()
