// The game in real browsers: each engine plays the built page with real key
// events, and its canvas is read back as the window tests read the desktop
// game, and held pixel for pixel to what the real library draws. Also: a
// page that cannot start says why.
//   node page_test.js SITE_FOLDER READ_SCREEN DRAW_SCREENS
'use strict';
const assert = require('assert/strict');
const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { describe, it: node_it, before } = require('node:test');
const h = require('./harness');

const [SITE, READER, DRAW_SCREENS] = process.argv.slice(2);

const reference = {};
before(() => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlix-reference-'));
  // Drawn with the random numbers of the page's held calendar.
  childProcess.execFileSync(DRAW_SCREENS, [String(h.FIXED_SECONDS), dir]);
  for (const name of ['title', 'field', 'panel']) reference[name] = fs.readFileSync(path.join(dir, name + '.ppm'));
  fs.rmSync(dir, { recursive: true });
});

// Serves the site, opens it in a fresh browser and hands both to the test.
async function with_page(engine, how, test) {
  const site = await new h.Site(SITE, how).start();
  const browser = await h.open_browser(engine);
  try {
    await browser.goto(site.url);
    return await test(browser, site);
  } finally {
    await browser.close();
    await site.stop();
  }
}

for (const engine of h.engines()) {
  describe(engine, () => {
    const it = (name, test) => node_it(name, () => h.again_if_webkit_crashed(engine, test));

    it('plays whole games, pixel for pixel, then y, n and Play again', () =>
      with_page(engine, { head: h.FIXED_CLOCK }, async (b) => {
        const c = new h.Canvas(b, READER);
        try {
          await h.open_title(b, c);
          assert.ok(c.same_as(reference.title), 'the title differs from the library\'s');
          assert.deepEqual(await b.run(`const c = document.getElementById('screen');
            return [document.getElementsByTagName('canvas').length, c.width, c.height,
                    getComputedStyle(c).imageRendering, document.activeElement === c]`),
                           [1, 640, 480, 'pixelated', true]);

          // The first game: the snake runs untouched into the border.
          await b.press('a');
          await c.wait_for('the playfield frame', c.frame_shown);
          assert.ok(c.same_as(reference.field), 'the playfield differs from the library\'s');
          await b.press('b');
          await c.wait_for('the game-over panel', c.prompt_shown);
          assert.ok(c.same_as(reference.panel), 'the game-over panel differs from the library\'s');

          // Then games with a turn and a shot, until one finds its route clear.
          let played = false;
          for (let attempt = 0; attempt < 5 && !played; attempt++) {
            await b.press('y');
            await c.wait_for('the next title', c.title_shown);
            await b.press('a');
            await c.wait_for('the playfield frame', c.frame_shown);
            played = c.shows('route');
            // Start, two steps right, turn up, fire upwards, turn right.
            await b.press(...(played ? ['b', 'x', 'x', 's', 'space', 'l'] : ['b']));
            await c.wait_for('the game-over panel', c.prompt_shown);
          }
          assert.ok(played, 'never found a clear route');
          assert.ok(Number(c.panel(1).distance) >= 4);

          await b.press('y');
          await c.wait_for('another title', c.title_shown);
          await b.press('a');
          await c.wait_for('another frame', c.frame_shown);
          await b.press('b', 'n');  // n during play is kept and answers the prompt at once
          await h.wait_until('the page to say the game ended', async () =>
            (await h.page_status(b)).includes('ended') &&
            await b.run("return !document.getElementById('again').hidden"));
          await b.click('#again');
          await c.wait_for('the title of a fresh game', c.title_shown);
          assert.ok(await b.run("return document.activeElement === document.getElementById('screen')"));
          assert.ok(await b.run("return document.getElementById('again').hidden"));
        } finally {
          c.close();
        }
      }));

    it('keeps the site for playing offline, and a new build replaces the old on the next load', async () => {
      const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlix-site-'));
      fs.cpSync(SITE, folder, { recursive: true });
      let site = await new h.Site(folder).start();
      const port = site.server.address().port;
      const b = await h.open_browser(engine);
      const c = new h.Canvas(b, READER);
      const build_shown = () => b.run(`const meta = document.querySelector('meta[name=test-build]');
        return [meta ? meta.content : '1', String(window.testBuild || 1)]`);
      const caches_kept = () => b.run('return caches.keys()');
      try {
        await b.goto(site.url);
        await h.open_title(b, c);
        await h.wait_until('the service worker', () => b.run(`return navigator.serviceWorker.getRegistration()
          .then((r) => !!(r && r.active && r.active.state === 'activated'))`));

        // No network at all: the whole site comes from what the worker kept.
        await site.stop();
        await b.reload();
        await h.open_title(b, c);
        assert.deepEqual(await build_shown(), ['1', '1']);

        // A new build: its page, its script and its worker all differ.
        const edit = (name, change) => fs.writeFileSync(path.join(folder, name),
                                                        change(fs.readFileSync(path.join(folder, name), 'utf8')));
        edit('index.html', (t) => t.replace('<head>', '<head><meta name="test-build" content="2">'));
        edit('page.js', (t) => 'window.testBuild = 2;\n' + t);
        edit('sw.js', (t) => t.replace(/const BUILD = '([0-9a-f]+)'/, "const BUILD = '$1-2'"));
        site = await new h.Site(folder).start(port);
        await b.reload();
        await h.wait_until('the new build', async () => (await build_shown())[0] === '2');
        assert.deepEqual(await build_shown(), ['2', '2']);
        await h.open_title(b, c);
        assert.equal((await caches_kept()).length, 1);
        assert.match((await caches_kept())[0], /-2$/);
      } finally {
        c.close();
        await b.close();
        await site.stop();
        fs.rmSync(folder, { recursive: true, force: true });
      }
    });

    // Whatever keeps the game from starting is said on the page in words.
    async function failure_said(how) {
      return with_page(engine, how, (b) => h.wait_until('a message', async () => {
        const status = await h.page_status(b);
        return status && !/^(Loading|Downloading)/.test(status) ? status : '';
      }));
    }

    it('says so when a file is missing, the network is gone or there is no WebAssembly', async () => {
      assert.match(await failure_said({ missing: ['vorlix.js'] }), /could not load its script/);
      assert.match(await failure_said({ missing: ['vorlix.wasm'] }), /could not (start|run)/);
      assert.match(await failure_said({ dropped: ['vorlix.wasm'] }), /could not (start|run)/);
      assert.match(await failure_said({ missing: ['vorlix.data'] }), /could not (start|run)/);
      assert.match(await failure_said({ head: 'delete window.WebAssembly;' }), /cannot run WebAssembly/);
    });

    it('shows what the game prints, then ends', async () => {
      // The packed configuration, changed on its way to the page to a window type of 3.
      const files = JSON.parse(/"files":\s*(\[.*?\])/s.exec(fs.readFileSync(path.join(SITE, 'vorlix.js'), 'utf8'))[1]);
      const cfg = files.find((entry) => entry.filename === '/vorlix.cfg');
      const bad_config = (data) => Buffer.concat([data.subarray(0, cfg.start), Buffer.from('3'),
                                                  data.subarray(cfg.start + 1)]);
      await with_page(engine, { patch: { 'vorlix.data': bad_config } }, async (b) => {
        const said = async () => (await b.run("return document.getElementById('messages').textContent")) !== '';
        await h.open_gate(b, said);
        await h.wait_until("the game's message", async () => (await b.run(
          "return document.getElementById('messages').textContent")).includes('wintype must be 0 or 1.'));
        await h.wait_until('the end', async () => (await h.page_status(b)).includes('ended'));
      });
    });
  });
}
