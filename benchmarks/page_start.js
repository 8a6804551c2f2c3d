// How soon the page is ready as a player meets it, in each engine: from the
// navigation to the first frame of the title or of the line that asks for a
// key, on a first visit and on returning ones (from what the service worker
// kept), with the site served as a host serves it, with a year's caching.
// No automation is attached to the browser, since a driver slows a load
// (Firefox's by 100-400 ms): the bare browser starts on a page of another
// origin that goes to the game, the game's page reports when it was ready
// and goes back, and so on for every visit.
//   node page_start.js SITE_FOLDER [VISITS]     (VORLIX_ENGINES picks engines; under an X server)
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const h = require('../tests/browser/harness');

const [SITE, VISITS = '6'] = process.argv.slice(2);
const YEAR = 'public, max-age=31536000';

// Reports the first frame that shows the title or the line that asks for a
// key, in ms from the navigation, and whether a service worker served it;
// on a first visit then presses a key, as the player would, which starts
// the game (and keeps the site for the next visit); then goes back to the
// page it came from.
const WATCH_READY = (report, back) => `
(function () {
  let said = false;
  const ready = () => {
    if (said) return;
    said = true;
    const returning = !!(navigator.serviceWorker && navigator.serviceWorker.controller);
    navigator.sendBeacon(${JSON.stringify(report)}, (returning ? 'returning' : 'first') + ' ' + performance.now().toFixed(1));
    if (!returning) setTimeout(() => window.dispatchEvent(new KeyboardEvent('keydown', { key: 'x' })), 300);
    setTimeout(() => { location.href = ${JSON.stringify(back)}; }, 3000);
  };
  new MutationObserver(() => {
    const gate = document.getElementById('gate');
    if (gate && !gate.hidden) requestAnimationFrame(ready);
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ['hidden'] });
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (image, ...rest) {
    put.call(this, image, ...rest);
    const i = (202 * image.width + 221) * 4;
    if (image.data[i] === 255 && image.data[i + 1] === 0 && image.data[i + 2] === 0) ready();
  };
})();
`;

// The page of another origin that each visit starts from, and the reports.
function start_server(game_url) {
  const reports = [];
  const server = http.createServer((req, res) => {
    if (req.method === 'POST') {
      let body = '';
      req.on('data', (chunk) => { body += chunk; });
      req.on('end', () => { reports.push(body); res.writeHead(204); res.end(); });
      return;
    }
    res.writeHead(200, { 'Content-Type': 'text/html', 'Cache-Control': 'no-store' });
    res.end(`<!doctype html><title>start</title><script>setTimeout(() => { location.href = ${JSON.stringify(game_url)}; }, 1500);</script>`);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
    server.unref();
    resolve({ server, reports, url: 'http://127.0.0.1:' + server.address().port + '/' });
  }));
}

// The bare browser of the engine, in a profile of its own, on the url. As
// for a new player, the browser allows no sound before a key: the page is
// ready when it asks for one.
function launch(engine, url, profile) {
  if (engine === 'chromium')
    return childProcess.spawn(h.BROWSER_PATHS.chromium, [...h.CHROMIUM_ARGS, '--headless=new', '--user-data-dir=' + profile, url],
                              { stdio: 'ignore', detached: true });
  if (engine === 'firefox') {
    fs.writeFileSync(path.join(profile, 'user.js'), [
      'browser.shell.checkDefaultBrowser', false, 'browser.startup.homepage_override.mstone', '"ignore"',
      'datareporting.policy.dataSubmissionEnabled', false, 'toolkit.telemetry.reportingpolicy.firstRun', false,
      'network.proxy.type', 0, 'app.update.enabled', false, 'browser.aboutwelcome.enabled', false
    ].reduce((lines, v, i, all) => i % 2 ? lines : lines + `user_pref("${v}", ${all[i + 1]});\n`, ''));
    return childProcess.spawn(h.BROWSER_PATHS.firefox, ['--headless', '--no-remote', '--profile', profile, url],
                              { stdio: 'ignore', detached: true });
  }
  return childProcess.spawn(h.BROWSER_PATHS.webkit, [url],
                            { stdio: 'ignore', detached: true, env: { ...process.env, HOME: profile } });
}

async function measure(engine, visits) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlix-start-'));
  const site = new h.Site(SITE, { cache: YEAR });
  await site.start();
  const start = await start_server(site.url);
  site.head = WATCH_READY(start.url, start.url);
  const browser = launch(engine, start.url, profile);
  try {
    await h.wait_until(visits + ' visits', () => start.reports.length >= visits, visits * 15000);
    return start.reports.map((r) => r.split(' ')).map(([how, ms]) => ({ how, ms: Number(ms) }));
  } finally {
    // The browser and every process it started.
    process.kill(-browser.pid, 'SIGKILL');
    start.server.close();
    await site.stop();
    fs.rmSync(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 200 });
  }
}

const median = (values) => {
  const v = [...values].sort((a, b) => a - b);
  return v.length % 2 ? v[(v.length - 1) / 2] : (v[v.length / 2 - 1] + v[v.length / 2]) / 2;
};

async function main() {
  for (const engine of h.engines()) {
    const times = await measure(engine, Number(VISITS));
    const first = times.filter((t) => t.how === 'first').map((t) => t.ms);
    const returning = times.filter((t) => t.how === 'returning').map((t) => t.ms);
    console.log('%s: ready on a first visit in %s ms (goal <= 200), on returning visits in %s ms, median %s (goal <= 150)',
                engine, first.map(Math.round).join(' '), returning.map(Math.round).join(' '),
                returning.length ? Math.round(median(returning)) : '-');
  }
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
