// The page for every player, in headless Chromium through its DevTools
// protocol: a field as large as the window allows and sharp at any pixel
// ratio, touch controls on a phone, a game pad, a page that holds still
// while hidden, the keyboard given back once the game has ended, and the
// Caps Lock note.
//   node players_test.js SITE_FOLDER READ_SCREEN
'use strict';
const assert = require('assert/strict');
const path = require('path');
const { describe, it } = require('node:test');
const h = require('./harness');

const [SITE, READER] = process.argv.slice(2);

// Notes every key the page hands to the game, as the game's module takes
// its exported vorlix_key, and stands in for a game pad.
const WATCH_KEYS = `
window.keysSeen = [];
Object.defineProperty(Object.prototype, '_vorlix_key', { configurable: true,
  set(first) {
    let real = first;
    Object.defineProperty(this, '_vorlix_key', { configurable: true,
      get: () => (key) => { window.keysSeen.push(key); return real(key); }, set: (next) => { real = next; } });
  } });
window.testPad = { index: 0, id: 'stand-in pad', connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
                   buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
navigator.getGamepads = () => [window.testPad.connected ? window.testPad : null];
`;

// Serves the site as given, opens Chromium (at the window size given) with
// a reader of its canvas, and stops them all however the test ends.
async function with_browser(site_options, test, window_size = {}) {
  const site = await new h.Site(SITE, site_options).start();
  const b = await h.open_browser('chromium', window_size);
  const c = new h.Canvas(b, READER);
  try {
    return await test(b, c, site);
  } finally {
    c.close();
    await b.close();
    await site.stop();
  }
}

// Serves the site and opens it with the given window metrics, and a script
// of the test's own to run first in the page.
function with_page({ width = 1400, height = 1000, ratio = 1, touch = false, head = '' }, test) {
  return with_browser({ head: WATCH_KEYS + head }, async (b, c, site) => {
    await b.cdp('Emulation.setTouchEmulationEnabled', { enabled: touch, maxTouchPoints: touch ? 5 : 1 });
    await b.cdp('Emulation.setDeviceMetricsOverride',
                { width, height, deviceScaleFactor: ratio, mobile: touch, screenWidth: width, screenHeight: height });
    await b.goto(site.url);
    await h.open_title(b, c);
    return test(b, c);
  }, { width, height });
}

// A page that does not allow sound before a key.
const NO_SOUND_YET = "navigator.getAutoplayPolicy = () => 'disallowed';";

// Opens the page in a browser that does not allow sound before a key, and
// presses one.
function with_page_gated(test) {
  return with_browser({ head: WATCH_KEYS + NO_SOUND_YET }, async (b, c, site) => {
    await b.goto(site.url);
    await h.wait_until('the line asking for a key', () => b.run(`const g = document.getElementById('gate');
      return !g.hidden && g.textContent === 'Press a key or tap to play'`));
    await c.take();
    assert.ok(!c.title_shown(), 'the title came before sound was allowed');
    await b.press('x');
    await c.wait_for('the title', c.title_shown);
    return test(b, c);
  });
}

// Where a box of the page lies, in CSS px.
function rect(b, selector) {
  return b.run(`const r = document.querySelector(arguments[0]).getBoundingClientRect();
    return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height }`, selector);
}
const apart = (a, b) => a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
const keys_seen = (b) => b.run('return window.keysSeen.map((k) => String.fromCharCode(k & 0xff)).join("")');

// The window's pixels as the screen shows them, device pixel for device
// pixel (RGBA).
const { PNG } = require(path.resolve(process.env.VORLIX_NODE_MODULES || 'node_modules', 'pngjs'));
async function screenshot(b) {
  const png = Buffer.from((await b.cdp('Page.captureScreenshot', { format: 'png' })).data, 'base64');
  const { width, height, data } = PNG.sync.read(png);
  return { width, height, channels: 4, data };
}

// Tells how many device pixels of the field differ from the canvas blown up
// to whole squares of scale x scale device pixels.
async function unsharp_pixels(b, c, scale) {
  const field = await rect(b, '#screen'), ratio = await b.run('return devicePixelRatio');
  const shot = await screenshot(b);
  const left = Math.round(field.left * ratio), top = Math.round(field.top * ratio);
  let wrong = Math.abs(field.left * ratio - left) > 0.01 || Math.abs(field.top * ratio - top) > 0.01 ? 1 : 0;
  for (let y = 0; y < 480 * scale; y++)
    for (let x = 0; x < 640 * scale; x++) {
      const i = ((top + y) * shot.width + left + x) * shot.channels, j = (Math.floor(y / scale) * 640 + Math.floor(x / scale)) * 3;
      if (shot.data[i] !== c.rgb[j] || shot.data[i + 1] !== c.rgb[j + 1] || shot.data[i + 2] !== c.rgb[j + 2]) wrong++;
    }
  return wrong;
}

// The device pixels a game pixel takes.
async function scale_shown(b) {
  return Math.round((await rect(b, '#screen')).width * (await b.run('return devicePixelRatio')) / 640 * 1000) / 1000;
}

// Taps the centres of the given controls with as many fingers at once.
async function tap(b, ...places) {
  const points = places.map((p, id) => ({ x: p.left + p.width / 2, y: p.top + p.height / 2, id }));
  await b.cdp('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: points });
  await b.cdp('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
}
// A touch control by the game's key it gives: fire, left, right, yes or no.
const button = (b, name) => rect(b, `.pad button[data-key="${name}"]`);

describe('a field as large as the window allows', () => {
  for (const [width, height, ratio, scale] of [[1366, 768, 1, 1], [1920, 955, 1, 1], [1920, 1000, 1, 2],
                                               [2560, 1440, 1, 3], [1280, 800, 1.5, 2], [700, 420, 3, 2]]) {
    it(`${width} x ${height} at ${ratio} device pixels a CSS pixel: ${scale} x, sharp, the text clear of it`, () =>
      with_page({ width, height, ratio }, async (b, c) => {
        assert.equal(await scale_shown(b), scale);
        assert.equal(await unsharp_pixels(b, c, scale), 0);
        assert.deepEqual(await h.overlaps(b), []);
      }));
  }

  it('refits on a resize and in full screen takes the largest multiple the screen allows', () =>
    with_page({ width: 1920, height: 955 }, async (b, c) => {
      assert.equal(await scale_shown(b), 1);
      await b.cdp('Emulation.setDeviceMetricsOverride',
                  { width: 1920, height: 1080, deviceScaleFactor: 1, mobile: false, screenWidth: 1920, screenHeight: 1080 });
      await h.wait_until('the field at 2 x', async () => (await scale_shown(b)) === 2);
      await b.press('a');  // a resize during play loses nothing
      await c.wait_for('the playfield', c.frame_shown);
      await b.click('#fullscreen');
      await h.wait_until('full screen', () => b.run('return !!document.fullscreenElement'));
      await h.wait_until('the control to leave it', async () =>
        (await b.run("return document.getElementById('fullscreen').textContent")) === 'Leave full screen');
      assert.equal(await scale_shown(b), 2);
    }));
});

describe('touch', () => {
  it('on a phone held sideways: named controls of 48 px beside a sharp 2 x field, one key a tap', () =>
    with_page({ width: 844, height: 390, ratio: 3, touch: true }, async (b, c) => {
      assert.equal(await scale_shown(b), 2);
      assert.equal(await unsharp_pixels(b, c, 2), 0);
      const field = await rect(b, '#screen');
      const names = await b.run(`return Array.from(document.querySelectorAll('.pad button'))
        .map((b) => b.getAttribute('aria-label') || b.textContent)`);
      for (const name of ['Turn left', 'Fire', 'Turn right', 'Yes, new game', 'No, quit'])
        assert.ok(names.includes(name), 'no control named ' + name);
      for (const key of ['left', 'fire', 'right', 'yes', 'no']) {
        const r = await button(b, key);
        assert.ok(r.width >= 48 && r.height >= 48, 'the control for "' + key + '" is too small');
        assert.ok(apart(r, field), 'the control for "' + key + '" covers the field');
      }

      // A tap on Fire leaves the title; another starts play.
      await tap(b, await button(b, 'fire'));
      await c.wait_for('the playfield', c.frame_shown);
      await tap(b, await button(b, 'fire'));
      await h.wait_until('a tap each', async () => (await keys_seen(b)) === '  ');
      // Two thumbs at once, three fingers (one on the field), and taps on the field alone.
      await tap(b, await button(b, 'left'), await button(b, 'right'));
      await tap(b, await button(b, 'left'), await button(b, 'right'), field);
      await tap(b, field);
      await h.sleep(500);
      assert.equal(await keys_seen(b), '  slsl');
      assert.deepEqual(await b.run('return [scrollX, scrollY, visualViewport.scale]'), [0, 0, 1]);
    }));

  it('held upright, says it plays best turned sideways, and a turn refits it', () =>
    with_page({ width: 390, height: 844, ratio: 3, touch: true }, async (b) => {
      assert.match(await b.run("const t = document.getElementById('turn'); return t.hidden ? '' : t.textContent"),
                   /best turned sideways/);
      assert.ok(apart(await button(b, 'left'), await rect(b, '#screen')));
      await b.cdp('Emulation.setDeviceMetricsOverride', { width: 844, height: 390, deviceScaleFactor: 3, mobile: true });
      await h.wait_until('the field at 2 x', async () => (await scale_shown(b)) === 2);
      assert.ok(await b.run("return document.getElementById('turn').hidden"));
    }));

  it('stays out of the way on a desktop without touch', () =>
    with_page({}, async (b) => {
      assert.ok(await b.run("return document.getElementById('left-pad').hidden && document.getElementById('right-pad').hidden"));
    }));
});

describe('every window size', () => {
  // From 320 x 480 to 3840 x 2160, upright and sideways: widths from the
  // smallest to the largest, each in the shapes screens and windows take,
  // and the sizes that have gone wrong before.
  const shapes = [16 / 9, 16 / 10, 4 / 3, 5 / 4, 1, 3 / 4, 9 / 16, 9 / 19.5, 19.5 / 9, 21 / 9];
  const sizes = [[800, 600], [1400, 1107], [1300, 1150], [1280, 1024], [640, 360], [320, 480], [480, 320]];
  for (const w of [320, 360, 412, 480, 568, 700, 844, 1024, 1280, 1600, 2048, 2560, 3200, 3840])
    for (const shape of shapes) {
      const h = Math.round(w / shape);
      if (Math.min(w, h) >= 320 && Math.max(w, h) >= 480 && h <= 2160) sizes.push([w, h]);
    }
  const ratios = [1, 1.25, 1.5, 2, 3];

  // Lays the page out at every size and ratio from the next, while still()
  // holds; says what is wrong at each, and where it stopped.
  async function sweep(b, touch, state, from, still, keys_over_field = false) {
    const wrong = [];
    let at = from;
    for (; at < sizes.length * ratios.length; at++) {
      const [width, height] = sizes[Math.floor(at / ratios.length)], ratio = ratios[at % ratios.length];
      await b.cdp('Emulation.setDeviceMetricsOverride',
                  { width, height, deviceScaleFactor: ratio, mobile: touch, screenWidth: width, screenHeight: height });
      await h.wait_until('the page at ' + width + ' x ' + height, () => b.run(`return new Promise((fitted) =>
        requestAnimationFrame(() => fitted(innerWidth === arguments[0] && innerHeight === arguments[1] &&
                                           devicePixelRatio === arguments[2])))`, width, height, ratio));
      let found = await h.overlaps(b);
      if (!(await still())) break;
      // Keys the player unfolded lie over the field where they have no room.
      if (keys_over_field) found = found.filter((f) => !/^(\w+ in help|keys|touch-keys|caps|update|messages) lies over the field$/.test(f));
      if (found.length) wrong.push(`${state}, ${width} x ${height} at ${ratio}: ${found.join('; ')}`);
    }
    return { wrong, at };
  }

  for (const touch of [false, true]) {
    it(`${touch ? 'touch' : 'keys'}: every line and control wholly in the window, none over another nor over the field, from the line that asks for a key to the end`, () =>
      with_browser({ head: WATCH_KEYS + h.FIXED_CLOCK + NO_SOUND_YET }, async (b, c, site) => {
        const wrong = [];
        const all = sizes.length * ratios.length;
        const status_is = (pattern) => async () => pattern.test(await h.page_status(b));
        // Sweeps every size in one state of the game, and axe at the first.
        const state = async (name, still, keys_over_field = false) => {
          assert.deepEqual(await h.axe_violations(b), [], 'axe, ' + name);
          const done = await sweep(b, touch, name, 0, still, keys_over_field);
          wrong.push(...done.wrong);
          return done.at;
        };
        await b.cdp('Emulation.setTouchEmulationEnabled', { enabled: touch, maxTouchPoints: touch ? 5 : 1 });
        await b.cdp('Emulation.setDeviceMetricsOverride', { width: 1024, height: 768, deviceScaleFactor: 1, mobile: touch });
        await b.goto(site.url);
        await h.wait_until('the line asking for a key', () => b.run("return !document.getElementById('gate').hidden"));
        await state('the line that asks for a key', status_is(/Ready to play/));
        await b.press('x');
        await c.wait_for('the title', c.title_shown);
        await state('the title', status_is(/begin/));
        await b.run("document.getElementById('fold').click()");
        await state('the keys unfolded', status_is(/begin/), true);
        await b.run("document.getElementById('fold').click()");
        await b.press('a');
        await c.wait_for('the playfield', c.frame_shown);
        await state('the playfield', status_is(/snake going/));
        // A game lasts a few seconds: the sweep goes on over as many as it takes.
        for (let at = 0; at < all;) {
          await b.press('b');
          await h.wait_until('the game in play', status_is(/^Playing/));
          const done = await sweep(b, touch, 'play', at, status_is(/^Playing/));
          wrong.push(...done.wrong);
          at = done.at;
          await c.wait_for('the prompt', c.prompt_shown);
          if (at === all) break;
          await b.press('y', 'a');
          await c.wait_for('the next playfield', c.frame_shown);
        }
        await state('the prompt', status_is(/Game over/));
        await b.press('n');
        await h.wait_until('the end', status_is(/ended/));
        await state('the end', status_is(/ended/));
        assert.deepEqual(wrong, []);
      }));
  }
});

describe('every control', () => {
  // Where the focus goes, as Tab moves it from the start of the page to its
  // end: past the last control, it leaves the page.
  async function tab_order(b) {
    const focused = () => b.run(`const e = document.activeElement; const r = e.getBoundingClientRect();
      return { what: e.id || e.dataset.key || e.tagName, left: r.left, top: r.top, right: r.right, bottom: r.bottom }`);
    const order = [];
    let from_start = false;
    for (let i = 0; i < 40; i++) {
      await b.press('tab');
      const now = await focused();
      if (now.what === 'BODY') {
        if (order.length) break;
        from_start = true;
      } else if (from_start) {
        order.push(now);
      }
    }
    return order;
  }
  // Whether a comes after b for a reader: wholly below it where the two
  // share columns, or wholly right of it where they share rows.
  const after = (a, b) => (a.top >= b.bottom - 0.5 && a.left < b.right && b.left < a.right) ||
                          (a.left >= b.right - 0.5 && a.top < b.bottom && b.top < a.bottom);

  for (const [what, metrics] of [['a desktop', { width: 1400, height: 1000 }],
                                 ['a phone held sideways', { width: 844, height: 390, ratio: 3, touch: true }],
                                 ['a phone held upright', { width: 390, height: 844, ratio: 3, touch: true }]]) {
    it(`on ${what}, the focus moves through the controls in the order they are read`, () =>
      with_page(metrics, async (b) => {
        const order = await tab_order(b);
        assert.ok(order.length >= 2, 'too few controls: ' + order.map((o) => o.what));
        for (let i = 1; i < order.length; i++)
          for (let j = 0; j < i; j++)
            assert.ok(!after(order[j], order[i]), `${order[i].what} comes after ${order[j].what}, which it goes before`);
      }));
  }

  it('works by pointer, by Enter and space with the focus, and by a click with no pointer', () =>
    with_browser({ head: WATCH_KEYS + h.FIXED_CLOCK + NO_SOUND_YET }, async (b, c, site) => {
      // Presses a control one of the ways and waits for what it does.
      const press = async (selector, how) => {
        if (how === 'pointer') return b.click(selector);
        if (how === 'no pointer') return b.run(`document.querySelector(arguments[0]).click()`, selector);
        await b.run(`document.querySelector(arguments[0]).focus()`, selector);
        await b.press(how);
      };
      await b.cdp('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
      await b.cdp('Emulation.setDeviceMetricsOverride', { width: 844, height: 390, deviceScaleFactor: 3, mobile: true });
      for (const how of ['pointer', 'enter', 'space', 'no pointer']) {
        await b.goto(site.url);
        await h.wait_until('the line asking for a tap', () => b.run("return !document.getElementById('gate').hidden"));
        await press('#gate', how);
        await c.wait_for('the title, the gate pressed by ' + how, c.title_shown);
        // A control gives its key, once.
        await b.run('window.keysSeen = []');
        await press('.pad button[data-key="fire"]', how);
        await c.wait_for('the playfield, fire pressed by ' + how, c.frame_shown);
        assert.equal(await keys_seen(b), ' ', 'fire pressed by ' + how);
        // The keys unfold and fold again.
        await press('#fold', how);
        assert.equal(await b.run("return document.getElementById('fold').getAttribute('aria-expanded')"), 'true', how);
        await press('#fold', how);
        assert.equal(await b.run("return document.getElementById('fold').getAttribute('aria-expanded')"), 'false', how);
      }
    }, { width: 844, height: 390 }));
});

describe('a newer build', () => {
  it('that does not take over in time leaves the kept build to play', async () => {
    let stubborn = false;  // the newer build's worker ignores the page's call to take over
    await with_browser({ patch: { 'sw.js': (data) => stubborn ? Buffer.from(data.toString()
      .replace(/const BUILD = '([0-9a-f]+)'/, "const BUILD = '$1-2'").replace('self.skipWaiting();', 'void 0;')) : data } }, async (b, c, site) => {
      await b.goto(site.url);
      await h.open_title(b, c);
      await h.worker_active(b);
      stubborn = true;
      await b.reload();
      await h.open_title(b, c);
      await h.wait_until('the newer build waiting', () => b.run(
        'return navigator.serviceWorker.getRegistration().then((r) => !!(r && r.waiting))'));
      await b.reload();
      await h.open_title(b, c);
      assert.notEqual(await h.page_status(b), 'Updating Vorlix\u2026');
    });
  });
});

describe('a game pad', () => {
  // Holds the pad's buttons down for a few frames, then lets go.
  async function hold(b, ...buttons) {
    await b.run('for (const i of arguments) window.testPad.buttons[i].pressed = true;', ...buttons);
    await b.run('return new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(() => requestAnimationFrame(r))))');
    await b.run('for (const i of arguments) window.testPad.buttons[i].pressed = false;', ...buttons);
    await b.run('return new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)))');
  }

  it('plays: A, the d-pad and the bumpers, Start and Back, one key a press; unplugged, it is forgotten', () =>
    with_page({}, async (b, c) => {
      assert.ok(await b.run("return document.getElementById('pad-keys').hidden"));
      await b.run("const e = new Event('gamepadconnected'); e.gamepad = window.testPad; window.dispatchEvent(e);");
      await h.wait_until('the pad named in the key line', () => b.run("return !document.getElementById('pad-keys').hidden"));
      await hold(b, 0);  // A leaves the title
      await c.wait_for('the playfield', c.frame_shown);
      for (const buttons of [[14], [4], [15], [5], [0], [4, 14]]) await hold(b, ...buttons);
      await h.wait_until('every press', async () => (await keys_seen(b)).length === 7);
      assert.equal(await keys_seen(b), ' ssll s');
      // Start and Back answer the prompt; the snake has long since met the border.
      await c.wait_for('the prompt', c.prompt_shown);
      await hold(b, 9);
      await c.wait_for('a new title', c.title_shown);
      await b.run("window.testPad.connected = false; const e = new Event('gamepaddisconnected'); e.gamepad = window.testPad; window.dispatchEvent(e);");
      await h.wait_until('the pad line gone', () => b.run("return document.getElementById('pad-keys').hidden"));
      await b.press('a');
      await c.wait_for('the playfield without a pad', c.frame_shown);
    }));
});

describe('a hidden page', () => {
  // Where the snake's head is along row 240 as it runs right.
  const head_x = (c) => { let x = 638; while (x > 320 && c.pixel(x, 240) !== 'FF0000') x--; return x; };

  // The calendar is held so that no candy lies in the snake's way: a snake
  // that met one would stop as surely as a held one.
  it('holds the game still while hidden and goes on at its pace when shown again', () =>
    with_page({ head: h.FIXED_CLOCK }, async (b, c) => {
      await b.press('a');
      await c.wait_for('the playfield', c.frame_shown);
      await b.press('b');
      await c.wait_for('the snake on its way', () => head_x(c) > 340);
      const other = await b.browser.newPage();
      await other.bringToFront();
      await h.wait_until('the page hidden', () => b.run('return document.hidden'));
      await c.take();
      const held = head_x(c);
      await h.sleep(3000);
      await c.take();
      assert.ok(Math.abs(head_x(c) - held) <= 2, 'the snake moved while the page was hidden');
      await b.page.bringToFront();
      await h.wait_until('the page shown', async () => !(await b.run('return document.hidden')));
      await c.take();
      const back = head_x(c);
      assert.ok(back - held <= 12, 'the snake rushed to catch up: ' + (back - held) + ' pixels at once');
      await c.wait_for('the snake going on', () => head_x(c) > back + 20);
      // Frozen and woken again, as a phone does with a page it put away,
      // then shown again.
      await b.cdp('Page.setWebLifecycleState', { state: 'frozen' });
      await h.sleep(1000);
      await b.cdp('Page.setWebLifecycleState', { state: 'active' });
      await other.bringToFront();
      await b.page.bringToFront();
      await other.close();
      await c.wait_for('the game-over panel', c.prompt_shown);
    }));
});

describe('the end of a game', () => {
  it('gives the keyboard back: Tab reaches Play again, Enter or y plays again, no prompt left on the canvas', () =>
    with_page({}, async (b, c) => {
      for (const again of ['enter', 'y']) {
        await b.press('a');
        await c.wait_for('the playfield', c.frame_shown);
        await b.press('b', 'n');
        await h.wait_until('the end', async () => (await h.page_status(b)).includes('ended'));
        await c.take();
        assert.ok(!c.prompt_shown(), 'the canvas still offers a new game');
        await b.run("document.getElementById('screen').focus()");
        await b.press('tab');
        assert.equal(await b.run('return document.activeElement.id'), 'again');
        if (again === 'y') await b.run("document.getElementById('screen').focus()");
        await b.press(again);
        await c.wait_for('a new title', c.title_shown);
      }
    }));

  it('says so beside the field while Caps Lock is on', () =>
    with_page({}, async (b) => {
      const caps_said = () => b.run("return !document.getElementById('caps').hidden");
      const type = (key, caps) => b.run(`window.dispatchEvent(new KeyboardEvent('keydown',
        { key: arguments[0], modifierCapsLock: arguments[1] }))`, key, caps);
      assert.equal(await caps_said(), false);
      await type('S', true);
      assert.equal(await caps_said(), true);
      assert.ok(apart(await rect(b, '#caps'), await rect(b, '#screen')));
      await type('s', false);
      assert.equal(await caps_said(), false);
    }));
});

describe('sound', () => {
  // An audio clock of the test's own, running on the page's clock, that
  // notes every start and stop it is asked for and the sound it was given.
  const AUDIO_CLOCK = `
window.audioNotes = [];
class TestAudio {
  constructor() { this.state = 'running'; this.sampleRate = 44100; this.destination = {}; }
  // Like a real one, the clock moves a render quantum at a time, and not at
  // all within one stretch of the page's script.
  get currentTime() {
    if (this.now === undefined) {
      this.now = Math.floor(performance.now() / 1000 * 44100 / 128) * 128 / 44100;
      queueMicrotask(() => { this.now = undefined; });
    }
    return this.now;
  }
  resume() { this.state = 'running'; return Promise.resolve(); }
  suspend() { this.state = 'suspended'; return Promise.resolve(); }
  createBuffer(channels, length, rate) {
    const data = Array.from({ length: channels }, () => new Float32Array(length));
    return { numberOfChannels: channels, length, sampleRate: rate, duration: length / rate,
             getChannelData: (c) => data[c] };
  }
  createBufferSource() {
    const audio = this;
    return { buffer: null, loop: false, playbackRate: { value: 1 }, connect() {}, disconnect() {},
      start(when) {
        const d = this.buffer.getChannelData(0);
        let peak = 0;
        for (const v of d) peak = Math.max(peak, Math.abs(v));
        this.id = window.audioNotes.length;
        window.audioNotes.push({ what: 'start', id: this.id, when, now: audio.currentTime, ms: this.buffer.duration * 1000,
                                 loop: this.loop, peak, last: Math.abs(d[d.length - 1]) });
      },
      stop(when) { window.audioNotes.push({ what: 'stop', id: this.id, when, now: audio.currentTime }); } };
  }
  createGain() { return { gain: { value: 1 }, connect() {} }; }
  createStereoPanner() { return { pan: { value: 0 }, connect() {} }; }
}
window.AudioContext = TestAudio;
`;

  it('plays on, silent, where the browser will not run its sound or hold it still', () =>
    with_browser({ head: WATCH_KEYS + h.FIXED_CLOCK + NO_SOUND_YET + `
      for (const call of ['resume', 'suspend'])
        AudioContext.prototype[call] = () => Promise.reject(new DOMException('not now', 'InvalidStateError'));` }, async (b, c, site) => {
      await b.goto(site.url);
      await h.open_title(b, c);
      // Hidden and shown again: the sound held and let go, both refused.
      const other = await b.browser.newPage();
      await other.bringToFront();
      await h.wait_until('the page hidden', () => b.run('return document.hidden'));
      await b.page.bringToFront();
      await other.close();
      await h.wait_until('the page shown', async () => !(await b.run('return document.hidden')));
      await b.press('a');
      await c.wait_for('the playfield', c.frame_shown);
      await b.press('b');
      await c.wait_for('the game-over panel', c.prompt_shown);
      assert.notEqual(await b.run("return document.getElementById('status').className"), 'failed');
    }));

  it('asks for a key or a tap first where sound is not allowed yet, and does not hand that key on', () =>
    with_page_gated(async (b, c) => {
      assert.equal(await keys_seen(b), '');  // the key that opened the line
      assert.equal(await b.run("return document.getElementById('gate').hidden"), true);
      await b.press('a');
      await c.wait_for('the playfield', c.frame_shown);
      assert.equal(await keys_seen(b), 'a');
    }));

  it('comes at once where sound is allowed, each cue once and for exactly its length on the audio clock', () =>
    with_page({ head: AUDIO_CLOCK + "navigator.getAutoplayPolicy = () => 'allowed';" }, async (b, c) => {
      await b.press('a');
      await c.wait_for('the playfield', c.frame_shown);
      await b.press('b', 'space');
      await c.wait_for('the game-over panel', c.prompt_shown);
      await b.press('y');
      await c.wait_for('the next title', c.title_shown);
      const notes = await b.run('return window.audioNotes');
      const { cues } = await h.site_constants(SITE);
      const starts = notes.filter((n) => n.what === 'start');
      assert.deepEqual(starts.slice(0, 2).map((n) => Math.round(n.ms)), [cues.start, cues.candy]);
      assert.ok(starts.some((n) => Math.round(n.ms) === cues.laser), 'no laser');
      assert.ok(starts.some((n) => Math.round(n.ms) === cues.hit), 'no crash');
      for (const n of starts) {
        assert.ok(Object.values(cues).some((ms) => Math.abs(n.ms - ms) < 0.05), n.ms + ' ms is no cue');
        assert.equal(n.loop, false);
        assert.ok(Math.abs(n.when - (n.now + 0.02)) < 1e-9, 'not scheduled 20 ms ahead on the audio clock');
        assert.ok(n.peak > 0.5 && n.last < 0.01, 'a cue that does not fade out');
      }
      // The second title stops what may be left of the first where it starts.
      const titles = starts.filter((n) => Math.round(n.ms) === cues.start);
      const stop = notes.find((n) => n.what === 'stop' && n.id === titles[0].id);
      assert.ok(stop && Math.abs(stop.when - titles[1].when) < 1e-9, 'the last title is not stopped where the new one starts');
    }));
});
