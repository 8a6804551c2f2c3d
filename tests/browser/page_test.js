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

const [SITE, READER, DRAW_SCREENS, ARCHIVE] = process.argv.slice(2);
const SUB_PATH = '/games/vorlix/';  // where a portal might keep the game

// The site as the archive for portals holds it, unpacked into a folder.
function unpack_archive() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlix-site-'));
  childProcess.execFileSync('cmake', ['-E', 'tar', 'xf', path.resolve(ARCHIVE)], { cwd: folder });
  return folder;
}

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
          assert.deepEqual(await h.axe_violations(b), [], 'axe, at the title');
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
          assert.deepEqual(await h.axe_violations(b), [], 'axe, once the game has ended');
          await b.click('#again');
          await c.wait_for('the title of a fresh game', c.title_shown);
          assert.ok(await b.run("return document.activeElement === document.getElementById('screen')"));
          assert.ok(await b.run("return document.getElementById('again').hidden"));
        } finally {
          c.close();
        }
      }));

    it('plays from the archive in a folder of a site, kept for playing offline; a new build comes on the next load', async () => {
      const folder = unpack_archive();
      assert.deepEqual(fs.readdirSync(folder).sort(), fs.readdirSync(SITE).filter((f) => !f.startsWith('.')).sort(),
                       'the archive does not hold the site as it is');
      let site = await new h.Site(folder, { prefix: SUB_PATH }).start();
      const port = site.server.address().port;
      const b = await h.open_browser(engine);
      const c = new h.Canvas(b, READER);
      const build_shown = () => b.run(`const meta = document.querySelector('meta[name=test-build]');
        return [meta ? meta.content : '1', String(window.testBuild || 1)]`);
      const caches_kept = () => b.run('return caches.keys()');
      try {
        await b.goto(site.url);
        await h.open_title(b, c);
        await h.worker_active(b);
        assert.equal(await b.run('return navigator.serviceWorker.getRegistration().then((r) => r.scope)'), site.url);

        // No network at all: the whole site comes from what the worker kept.
        await site.stop();
        await b.reload();
        await h.open_title(b, c);
        assert.deepEqual(await build_shown(), ['1', '1']);

        // A new build: its page, its script and its worker all differ. The
        // next load plays the kept build at once and fetches the new one,
        // and says so; the load after it plays the new build, whole. (A browser
        // may find the new build and keep it whole before that load starts
        // the game; the load then takes it at once: one build or the other,
        // never the two mixed.)
        const edit = (name, change) => fs.writeFileSync(path.join(folder, name),
                                                        change(fs.readFileSync(path.join(folder, name), 'utf8')));
        edit('index.html', (t) => t.replace('<head>', '<head><meta name="test-build" content="2">'));
        edit('page.js', (t) => 'window.testBuild = 2;\n' + t);
        edit('sw.js', (t) => t.replace(/const BUILD = '([0-9a-f]+)'/, "const BUILD = '$1-2'"));
        site = await new h.Site(folder, { prefix: SUB_PATH }).start(port);
        await b.reload();
        await h.open_title(b, c);
        const shown = await build_shown();
        if (shown[0] === '1') {
          assert.deepEqual(shown, ['1', '1']);
          await h.wait_until('word of the new build', () => b.run("return !document.getElementById('update').hidden"));
          await b.reload();
        }
        await h.wait_until('the new build', async () => (await build_shown())[0] === '2');
        await h.open_title(b, c);  // its scripts have run by then
        assert.deepEqual(await build_shown(), ['2', '2']);
        assert.equal((await caches_kept()).length, 1);
        assert.match((await caches_kept())[0], /-2$/);
      } finally {
        c.close();
        await b.close();
        await site.stop();
        fs.rmSync(folder, { recursive: true, force: true });
      }
    });

    // WebKit's WebDriver hands a frame the keyboard as it looks into it, so
    // there the test cannot see a frame without the keyboard; headless
    // Firefox never tells a page that it has the focus or has lost it, so
    // there the game cannot be seen to hold when the player clicks away.
    const portal_it = engine === 'webkit' ? (name, test) => node_it(name, { skip: 'WebKit\'s WebDriver focuses the frames it looks into' }, test) : it;
    portal_it('in a portal\'s frame: takes no keys from the portal, asks for a click, holds without the keyboard', async () => {
      const folder = unpack_archive();
      const game = await new h.Site(folder, { prefix: SUB_PATH, head: h.FIXED_CLOCK }).start();
      const portal = await new h.Site(folder, { pages: { 'index.html': `<!doctype html><html lang="en">
        <head><title>A portal</title></head><body><h1>Games</h1><label>Chat <input id="chat" autofocus></label>
        <iframe id="game" src="${game.url}" width="1000" height="700" title="Vorlix"></iframe></body></html>` } }).start();
      const b = await h.open_browser(engine);
      const frame = b.frame(SUB_PATH);
      const c = new h.Canvas(frame, READER);
      const said = () => frame.run(`return [document.getElementById('status').textContent,
        document.getElementById('gate').hidden ? '' : document.getElementById('gate').textContent]`);
      const head_x = () => { let x = 638; while (x > 320 && c.pixel(x, 240) !== 'FF0000') x--; return x; };
      try {
        await b.goto(portal.url);
        await h.wait_until('the line asking for a click', async () => (await said())[1] === 'Click to play')
            .catch(async (e) => { throw new Error(e.message + ': ' + JSON.stringify(await said())); });
        await b.press('h', 'i');
        assert.equal(await b.run("return document.getElementById('chat').value"), 'hi', 'the frame took the keys');
        assert.equal(await frame.run("return document.getElementById('fullscreen').textContent"),
                     'No full screen in this frame');

        await b.click('#game');
        await c.wait_for('the title', c.title_shown);
        await b.press('a');
        await c.wait_for('the playfield', c.frame_shown);
        await b.press('b');
        await c.wait_for('the snake on its way', () => head_x() > 330);
        if (engine === 'firefox') return;
        await b.click('#chat');
        await h.wait_until('the word to click', async () => (await said())[0] === 'Click to go on.');
        await c.take();
        const held_at = head_x();
        await h.sleep(1000);
        await c.take();
        assert.ok(Math.abs(head_x() - held_at) <= 2, 'the snake moved without the keyboard');
        await b.click('#game');
        await h.wait_until('the game going on', async () => /^Playing/.test((await said())[0]));
        await c.wait_for('the game-over panel', c.prompt_shown);
      } finally {
        c.close();
        await b.close();
        await game.stop();
        await portal.stop();
        fs.rmSync(folder, { recursive: true, force: true });
      }
    });

    // Every file of the site missing, broken (cut in half) or, for the
    // WebAssembly, cut off as a network gone away does: what the page then
    // says (a pattern), or null where the game does without the file and
    // plays on. Every fault in Chromium; in the other engines, one of each kind.
    const modules = ['page.js', 'layout.js', 'input.js', 'sound.js', 'hold.js', 'offline.js', 'constants.js'];
    const faults = [
      ...modules.map((m) => [m, 'missing', new RegExp('could not load ' + m.replace('.', '\\.'))]),
      ...modules.map((m) => [m, 'broken', /Vorlix could not run [\w.]+\.js: /]),
      ['vorlix.js', 'missing', /could not load vorlix\.js/], ['vorlix.js', 'broken', /could not run vorlix\.js/],
      ['vorlix.wasm', 'missing', /could not load vorlix\.wasm/], ['vorlix.wasm', 'broken', /could not run vorlix\.wasm/],
      ['vorlix.wasm', 'dropped', /could not load vorlix\.wasm/],
      ['vorlix.data', 'missing', /could not load vorlix\.data/], ['vorlix.data', 'broken', null],
      ['manifest.webmanifest', 'missing', null], ['manifest.webmanifest', 'broken', null],
      ['sw.js', 'missing', null], ['sw.js', 'broken', null]];
    const tried = engine === 'chromium' ? faults
      : faults.filter(([file, how]) => ['layout.js', 'vorlix.wasm', 'vorlix.data', 'sw.js'].includes(file) && how !== 'dropped');
    const half = (data) => data.subarray(0, Math.floor(data.length / 2));

    it('says in words which file failed, or plays on without it: ' + tried.length + ' faults', async () => {
      const b = await h.open_browser(engine);
      const c = new h.Canvas(b, READER);
      try {
        for (const [file, how, said] of tried) {
          const site = await new h.Site(SITE, how === 'broken' ? { patch: { [file]: half } } : { [how]: [file] }).start();
          try {
            await b.goto(site.url);
            const outcome = await h.wait_until(file + ' ' + how, async () => {
              if (await b.run("return document.getElementById('status').className === 'failed'"))
                return 'said: ' + await h.page_status(b);
              const gate = await b.run("return !document.getElementById('gate').hidden");
              return gate || ((await c.take()) && c.title_shown()) ? 'plays' : '';
            });
            if (said) assert.match(outcome, new RegExp('said: .*' + said.source), file + ' ' + how);
            else assert.equal(outcome, 'plays', file + ' ' + how);
          } finally {
            await site.stop();
          }
        }
      } finally {
        c.close();
        await b.close();
      }
    });

    it('says so where there is no WebAssembly', () =>
      with_page(engine, { head: 'delete window.WebAssembly;' }, (b) =>
        h.wait_until('the word', async () => /cannot run WebAssembly/.test(await h.page_status(b)))));

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
