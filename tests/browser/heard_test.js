// The page's sound as the player hears it, in each engine: the real output
// of the browser, through a sound server of the test's own whose sink plays
// at the real rate, recorded and read back by the desktop's reader (hear):
// each cue heard for its length within 2 ms, none silent, nothing heard
// that no cue played, no click at either end, and heard soon after the
// frame that started it.
//   node heard_test.js SITE_FOLDER READ_SCREEN HEAR [GAMES]
'use strict';
const assert = require('assert/strict');
const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { describe, it: node_it, before, after } = require('node:test');
const h = require('./harness');
const { Pulse, WATCH_PLAYS, write_plays } = require('./hearing');

const [SITE, READER, HEAR, GAMES = '2'] = process.argv.slice(2);

let pulse;
before(async () => { pulse = await Pulse.start(); });
after(() => pulse.stop());

// Plays whole games as the desktop's heard test does: each cue is let end
// before the next key, since two sounds with no pause between them cannot
// be told apart in what is heard; then off to the right, six shots at once,
// and on to the border.
async function play_games(b, c, recording, games) {
  await h.open_title(b, c);
  for (let game = 1; game <= games; game++) {
    if (game > 1) {
      await b.press('y');
      await c.wait_for('the next title', c.title_shown);
    }
    await recording.quiet();
    await b.press('a');
    await c.wait_for('the playfield', c.frame_shown);
    await recording.quiet();
    await b.press('b', 'space', 'space', 'space', 'space', 'space', 'space');
    await c.wait_for('the game-over panel', c.prompt_shown);
    await recording.quiet();
  }
}

for (const engine of h.engines()) {
  describe(engine, () => {
    const it = (name, test) => node_it(name, () => h.again_if_webkit_crashed(engine, test));

    it('plays every cue whole, for its length, once, soon after its frame', async () => {
      const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlix-heard-'));
      const site = await new h.Site(SITE, { head: h.FIXED_CLOCK + WATCH_PLAYS }).start();
      const b = await h.open_browser(engine, { env: pulse.env() });
      const c = new h.Canvas(b, READER);
      const recording = pulse.record(path.join(dir, 'heard'));
      try {
        await b.goto(site.url);
        await play_games(b, c, recording, Number(GAMES));
        await recording.stop();
        write_plays(await b.run('return window.heardNotes'), path.join(dir, 'plays'));
        const heard = childProcess.spawnSync(HEAR, [path.join(dir, 'heard'), path.join(dir, 'plays'), '--check']);
        const said = heard.stdout.toString();
        console.log(said.split('\n').map((line) => '# ' + engine + ': ' + line).join('\n'));
        assert.equal(heard.status, 0, 'not heard as meant:\n' + said.split('\n').filter((l) => /FAIL/.test(l)).join('\n'));
      } finally {
        await recording.stop();
        c.close();
        await b.close();
        await site.stop();
        // VORLIX_HEARD_KEEP names a folder to keep what was heard in.
        if (process.env.VORLIX_HEARD_KEEP) fs.cpSync(dir, path.join(process.env.VORLIX_HEARD_KEEP, engine), { recursive: true });
        fs.rmSync(dir, { recursive: true, force: true });
      }
    });
  });
}
