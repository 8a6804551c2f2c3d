// How the page performs in each engine: the site's size, the time from
// navigation to the title on the canvas on a first and on returning visits
// (from what the service worker kept), the main thread's load while the
// title waits for a key (Chromium), and the pace of 300 steps of play, also
// with the page's timers woken 0 to 30 ms late at random. The browsers play
// through a sound server of the benchmark's own, as a player's through a
// sound device. The pace is timed
// from inside the page, from the frames it puts on its canvas: reading the
// canvas from outside would hold up the page's only thread.
//   node page_bench.js SITE_FOLDER READ_SCREEN      (VORLIX_ENGINES picks engines)
'use strict';
const fs = require('fs');
const path = require('path');
const h = require('../tests/browser/harness');
const { Pulse } = require('../tests/browser/hearing');

const [SITE, READER] = process.argv.slice(2);
const STEPS = 300;
const FIRST_X = 330;  // a few steps in, clear of the start
const RUNS = 5;

// Notes every frame the game puts on the canvas: when the title first
// appears, where the head is on row 240 while the snake runs right, and
// whether the game-over panel is up.
const WATCH_FRAMES = `
window.vorlixFrames = {titleAt: null, gateAt: null, heads: [], panelShown: false};
new MutationObserver(() => {
  const gate = document.getElementById('gate');
  if (gate && !gate.hidden && window.vorlixFrames.gateAt === null) window.vorlixFrames.gateAt = performance.now();
}).observe(document, {subtree: true, attributes: true, attributeFilter: ['hidden']});
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
`;

// Every timer of the page wakes up 0 to 30 ms later than it asked.
const LATE_TIMERS = `
const on_time = window.setTimeout;
window.setTimeout = function (f, ms, ...rest) { return on_time(f, (ms || 0) + Math.random() * 30, ...rest); };
`;

function site_size(folder) {
  return fs.readdirSync(folder).reduce((sum, f) => sum + fs.statSync(path.join(folder, f)).size, 0);
}

// The pace of one run, as the ratio of its time to STEPS steps of the game's
// own pause (step_ms): from the first frame that shows the head at FIRST_X
// to the first that shows it STEPS pixels further on.
function run_pace(heads, step_ms) {
  const at = new Map();
  for (const [t, x] of heads) if (!at.has(x)) at.set(x, t);
  if (!at.has(FIRST_X) || !at.has(FIRST_X + STEPS)) return null;
  return (at.get(FIRST_X + STEPS) - at.get(FIRST_X)) / (STEPS * step_ms);
}

// Plays runs straight to the border until RUNS of them have a clean 300 steps.
async function pace(b, c) {
  const { pauses } = await h.site_constants(SITE);
  const ratios = [];
  while (ratios.length < RUNS) {
    await b.press('a');
    await c.wait_for('the playfield', c.frame_shown);
    await b.run('window.vorlixFrames.heads = []; window.vorlixFrames.watchHead = true;');
    await b.press('b');
    await h.wait_until('the end of the run', () => b.run('return window.vorlixFrames.panelShown'));
    const heads = await b.run('window.vorlixFrames.watchHead = false; return window.vorlixFrames.heads');
    const ratio = run_pace(heads, pauses.step);
    if (ratio !== null) ratios.push(ratio);  // a candy on the row ends a run early: play another
    await c.wait_for('the game-over panel', c.prompt_shown);
    await b.press('y');
    await c.wait_for('the next title', c.title_shown);
  }
  return ratios;
}

// Ready to play: the title, or the line that asks for a key to allow sound,
// in ms from the navigation.
const ready_ms = (b) => h.wait_until('the title', () => b.run('return window.vorlixFrames.gateAt || window.vorlixFrames.titleAt'));

// The returning player's start: loads that the service worker serves.
async function returning_visits(b, c) {
  await h.worker_active(b);
  const times = [];
  for (let visit = 0; visit < RUNS; visit++) {
    await b.reload();
    times.push(await ready_ms(b));
    await h.open_title(b, c);
  }
  return times;
}

async function measure(engine, late) {
  const site = await new h.Site(SITE, { head: WATCH_FRAMES + (late ? LATE_TIMERS : '') }).start();
  const b = await h.open_browser(engine, { env: pulse.env() });
  const c = new h.Canvas(b, READER);
  try {
    await b.goto(site.url);
    const title_ms = await ready_ms(b);
    await h.open_title(b, c);
    let load = null;
    if (engine === 'chromium' && !late) {
      await b.cdp('Performance.enable');
      const metrics = async () => Object.fromEntries(
        (await b.cdp('Performance.getMetrics')).metrics.map((m) => [m.name, m.value]));
      const before = await metrics();
      await h.sleep(5000);
      const after = await metrics();
      load = (after.TaskDuration - before.TaskDuration) / (after.Timestamp - before.Timestamp);
    }
    const ratios = await pace(b, c);
    return { title_ms, load, ratios, returning: late ? null : await returning_visits(b, c) };
  } finally {
    c.close();
    await b.close();
    await site.stop();
  }
}

let pulse;  // a sound server, as a player has a sound device

async function main() {
  pulse = await Pulse.start();
  const size = site_size(SITE);
  console.log('site size: %d bytes, %s kB (goal <= 250 kB)', size, (size / 1000).toFixed(1));
  for (const engine of h.engines()) {
    for (const late of [false, true]) {
      const m = await h.again_if_webkit_crashed(engine, () => measure(engine, late));
      const mean = m.ratios.reduce((a, r) => a + r, 0) / m.ratios.length;
      const timers = late ? 'timers 0-30 ms late' : 'timers as they are';
      console.log('%s, %s: navigation to the title or its key line, first visit %d ms%s%s', engine, timers,
                  Math.round(m.title_ms),
                  m.returning ? ', returning visits ' + m.returning.map(Math.round).join(' ') + ' ms (goal <= 200 ms)' : '',
                  m.load === null ? '' : ', main-thread load at the title ' + (m.load * 100).toFixed(1) + ' %');
      console.log('%s, %s: %d steps %s x their length, mean %s (goal <= 1.005)', engine, timers, STEPS,
                  m.ratios.map((r) => r.toFixed(4)).join(' '), mean.toFixed(4));
    }
  }
}

main().then(() => pulse.stop(), (e) => {
  console.error(e);
  process.exit(1);
});
