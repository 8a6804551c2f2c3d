// The one harness for the page tests and the page benchmark: serves the
// built site on 127.0.0.1, opens it in a headless browser of any of the three
// engines through a driver of its own (Chromium over the DevTools protocol
// and Firefox over WebDriver BiDi, both with puppeteer-core; WebKitGTK's
// MiniBrowser over classic WebDriver, with the webdriver client), types real
// keys, and reads the game's canvas back as the window tests read a
// screenshot of the desktop game.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const url = require('url');

const WAIT_MS = 60000;  // the longest any wait for the page polls
const ENGINES = ['chromium', 'firefox', 'webkit'];
// Each engine's browser program, as Debian installs it.
const BROWSER_PATHS = { chromium: '/usr/bin/chromium', firefox: '/usr/bin/firefox-esr',
                        webkit: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser' };
const VERSION = childProcess.execFileSync(path.join(__dirname, '..', '..', 'tools', 'version.sh'))
  .toString().trim();

// A script for a page's head that holds its calendar at one second, so that
// its random numbers are always the same: with them the snake's first game
// runs from the middle of the field straight into the right-hand border,
// touching no candy.
const FIXED_SECONDS = 1765000000;
const FIXED_CLOCK = 'Date.now = function () { return ' + FIXED_SECONDS * 1000 + '; };';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The game's constants as the build wrote them into the site (constants.js).
const site_constants = (folder) => import(url.pathToFileURL(path.resolve(folder, 'constants.js')).href);

// Polls check until it gives something true; fails after timeout. A check
// that throws (a page between two loads, say) counts as not yet.
async function wait_until(what, check, timeout = WAIT_MS) {
  const deadline = Date.now() + timeout;
  let last_error = null;
  for (;;) {
    try {
      const found = await check();
      if (found) return found;
    } catch (e) {
      last_error = e;
    }
    if (Date.now() > deadline)
      throw new Error('timed out waiting for ' + what + (last_error ? ' (last: ' + last_error.message + ')' : ''));
    await sleep(50);
  }
}

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.svg': 'image/svg+xml', '.png': 'image/png', '.webmanifest': 'application/manifest+json' };

// The site's folder served on a free port of 127.0.0.1, under the path
// prefix (as a portal serves a game from a folder of its own). Files named
// in missing answer 404, files in dropped lose the connection as a network
// gone away would, patch maps a file to a function of its bytes, head is a
// script put first in the page's head, before the page's own, pages maps a
// name to a page of the test's own, and cache is how long a browser may
// keep a file (Cache-Control).
class Site {
  constructor(folder, { missing = [], dropped = [], patch = {}, head = '', prefix = '/', pages = {},
                        cache = 'no-cache' } = {}) {
    Object.assign(this, { folder, missing, dropped, patch, head, prefix, pages, cache, requests: [] });
    this.server = http.createServer((req, res) => this.answer(req, res));
  }

  async start(port = 0) {
    await new Promise((resolve) => this.server.listen(port, '127.0.0.1', resolve));
    // A test that fails before it stops its site must still let the run
    // end with its failure, not keep it waiting until the time-out.
    this.server.unref();
    this.origin = 'http://127.0.0.1:' + this.server.address().port;
    this.url = this.origin + this.prefix;
    return this;
  }

  answer(req, res) {
    const where = decodeURIComponent(req.url.split('?')[0]);
    if (!where.startsWith(this.prefix)) {
      res.writeHead(404);
      return res.end();
    }
    const name = where.slice(this.prefix.length) || 'index.html';
    this.requests.push(name);
    if (this.pages[name] !== undefined) {
      res.writeHead(200, { 'Content-Type': 'text/html' });
      return res.end(this.pages[name]);
    }
    if (this.dropped.includes(name)) return req.socket.destroy();
    const file = path.join(this.folder, name);
    if (this.missing.includes(name) || name.includes('..') || !fs.existsSync(file)) {
      res.writeHead(404);
      return res.end();
    }
    let body = fs.readFileSync(file);
    if (this.patch[name]) body = this.patch[name](body);
    if (name === 'index.html' && this.head)
      body = Buffer.from(body.toString().replace('<head>', '<head><script>' + this.head + '</script>'));
    res.writeHead(200, { 'Content-Type': TYPES[path.extname(name)] || 'application/octet-stream',
                         'Content-Length': body.length, 'Cache-Control': this.cache });
    res.end(body);
  }

  async stop() {
    this.server.closeAllConnections();
    await new Promise((resolve) => this.server.close(resolve));
  }
}

// A module from npm, from where the test command installed it.
async function module_of(name) {
  const where = path.resolve(process.env.VORLIX_NODE_MODULES || 'node_modules', name);
  const manifest = require(path.join(where, 'package.json'));
  const entry = manifest.exports['.'].import;
  return import(url.pathToFileURL(path.join(where, typeof entry === 'string' ? entry : entry.default)).href);
}

// puppeteer-core, which drives Chromium and Firefox.
async function puppeteer() {
  return (await module_of('puppeteer-core')).default;
}

// Chromium's arguments for every page test: kept off the network but for
// 127.0.0.1.
const CHROMIUM_ARGS = ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
                       '--disable-component-update', '--disable-sync', '--disable-default-apps'];

// Chromium and Firefox, driven by puppeteer-core.
class PuppeteerBrowser {
  static async open(engine, width, height, env) {
    const chromium = engine === 'chromium';
    const browser = await (await puppeteer()).launch({
      browser: chromium ? 'chrome' : 'firefox',
      executablePath: BROWSER_PATHS[engine],
      headless: true,
      defaultViewport: { width, height },
      env: { ...process.env, ...env },
      // Heard where a test gives it a sound server of its own.
      ignoreDefaultArgs: env.PULSE_SERVER ? ['--mute-audio'] : [],
      args: chromium ? CHROMIUM_ARGS : [],
      extraPrefsFirefox: { 'network.proxy.type': 0, 'app.update.enabled': false },
    });
    const self = new PuppeteerBrowser();
    self.engine = engine;
    self.browser = browser;
    self.page = (await browser.pages())[0] || await browser.newPage();
    await self.page.bringToFront();  // a window in front, as the player's, has the focus
    return self;
  }

  goto(url) { return this.page.goto(url, { waitUntil: 'load' }).catch(() => {}); }
  // The page in the frame whose address holds where, to run scripts in.
  frame(where) {
    const find = () => {
      const frame = this.page.frames().find((f) => f.url().includes(where));
      if (!frame) throw new Error('no frame at ' + where);
      return frame;
    };
    return { run: (body, ...args) => find().evaluate('(function () {' + body + '}).apply(null, ' + JSON.stringify(args) + ')') };
  }
  reload() { return this.page.reload({ waitUntil: 'load' }).catch(() => {}); }
  run(body, ...args) { return this.page.evaluate('(function () {' + body + '}).apply(null, ' + JSON.stringify(args) + ')'); }
  async press(...keys) { for (const key of keys) await this.page.keyboard.press(KEY_NAMES[key] || key); }
  click(selector) { return this.page.click(selector); }
  resize(width, height) { return this.page.setViewport({ width, height }); }
  async cdp(method, params = {}) {
    if (!this.session) this.session = await this.page.createCDPSession();
    return this.session.send(method, params);
  }
  close() { return this.browser.close(); }
}

const KEY_NAMES = { space: ' ', enter: 'Enter', tab: 'Tab' };
const WEBDRIVER_KEYS = { space: ' ', enter: '\uE007', tab: '\uE004' };

// WebKitGTK's MiniBrowser, driven by WebKitWebDriver over classic WebDriver
// through the webdriver client.
class WebKitBrowser {
  // A driver that gives no session in time (once, on a fresh machine, it
  // gave none for 20 s) is stopped, and a new one tried on another port.
  static async open(engine, width, height, env) {
    for (let attempt = 1; ; attempt++) {
      const self = new WebKitBrowser();
      try {
        return await self.start(engine, width, height, env);
      } catch (e) {
        self.driver.kill();
        const ended = self.driver.exitCode !== null ? ' (the driver had ended with ' + self.driver.exitCode + ')' : '';
        if (attempt === 2) throw new Error(e.message + ended);
        console.log('# WebKitWebDriver gave no session' + ended + '; a new one is tried');
      }
    }
  }

  async start(engine, width, height, env) {
    this.engine = engine;
    const port = 40000 + Math.floor(Math.random() * 20000);
    this.driver = childProcess.spawn('/usr/bin/WebKitWebDriver', ['--port=' + port],
                                     { env: { ...process.env, ...env },
                                       stdio: ['ignore', 'ignore', process.env.VORLIX_WEBKIT_LOG ? 'inherit' : 'ignore'] });
    const WebDriver = (await module_of('webdriver')).default;
    const capabilities = { 'webkitgtk:browserOptions': { binary: BROWSER_PATHS.webkit, args: ['--automation'] } };
    this.client = await wait_until('WebKitWebDriver', () => WebDriver.newSession({
      hostname: '127.0.0.1', port, path: '/', logLevel: 'silent', connectionRetryCount: 0, capabilities
    }).catch(() => null), 20000);
    await this.resize(width, height);
    return this;
  }

  goto(url) { return this.client.navigateTo(url); }
  // The page in the frame whose address holds where, to run scripts in.
  frame(where) {
    return {
      run: async (body, ...args) => {
        for (const frame of await this.client.findElements('css selector', 'iframe')) {
          await this.client.switchToFrame(frame);
          try {
            if ((await this.run('return location.href')).includes(where)) return await this.run(body, ...args);
          } finally {
            await this.client.switchToParentFrame();
          }
        }
        throw new Error('no frame at ' + where);
      }
    };
  }
  reload() { return this.client.refresh(); }
  run(body, ...args) { return this.client.executeScript(body, args); }
  press(...keys) {
    const actions = [];
    for (const key of keys) {
      const value = WEBDRIVER_KEYS[key] || key;
      actions.push({ type: 'keyDown', value }, { type: 'keyUp', value });
    }
    return this.client.performActions([{ type: 'key', id: 'keys', actions }]);
  }
  async click(selector) {
    const element = await this.client.findElement('css selector', selector);
    return this.client.elementClick(Object.values(element)[0]);
  }
  async resize(width, height) {
    // The window's frame takes its share; the page gets the rest once the
    // window has taken its new size.
    await this.client.setWindowRect(null, null, width, height);
    await wait_until('the new window size', () => this.run('return innerWidth === arguments[0]', width), 5000)
      .catch(() => {});
  }
  cdp() { throw new Error('WebKitGTK has no DevTools protocol'); }
  async close() {
    await this.client.deleteSession().catch(() => {});
    this.driver.kill();
  }
}

// Opens a headless browser of the engine with a page area of about width by
// height, and the given variables added to its environment.
function open_browser(engine, { width = 1400, height = 1250, env = {} } = {}) {
  return (engine === 'webkit' ? WebKitBrowser : PuppeteerBrowser).open(engine, width, height, env);
}

const READ_CANVAS = `
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
`;

// Snapshots of the game's canvas, with readers for what the game shows;
// text is read by the tests' read_screen, with the library's own font.
class Canvas {
  constructor(browser, reader) {
    this.browser = browser;
    this.reader = reader;
    this.shot = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'vorlix-canvas-')), 'canvas.ppm');
  }

  async take() {
    const [width, height, data] = await this.browser.run(READ_CANVAS);
    Object.assign(this, { width, height, rgb: Buffer.from(data, 'base64') });
    fs.writeFileSync(this.shot, Buffer.concat([Buffer.from(`P6\n${width} ${height}\n255\n`), this.rgb]));
    return true;
  }

  pixel(x, y) {
    const i = (y * this.width + x) * 3;
    return ((this.rgb[i] << 16) | (this.rgb[i + 1] << 8) | this.rgb[i + 2]).toString(16).toUpperCase().padStart(6, '0');
  }
  // Tells whether the snapshot is byte for byte a PPM picture of the same size.
  same_as(ppm) {
    const header = `P6\n${this.width} ${this.height}\n255\n`;
    return ppm.subarray(0, header.length).toString() === header && ppm.subarray(header.length).equals(this.rgb);
  }
  wait_for(what, check) { return wait_until(what, async () => (await this.take()) && check.call(this)); }
  close() { fs.rmSync(path.dirname(this.shot), { recursive: true, force: true }); }

  // What the game shows, told by the reader as the window tests tell it.
  shows(...what) { return childProcess.spawnSync(this.reader, [this.shot, 'shows', ...what]).status === 0; }
  title_shown() { return this.shows('title', VERSION); }
  frame_shown() { return this.shows('frame'); }
  prompt_shown() { return this.shows('prompt'); }
  // The game-over panel's candies, distance and skill, once the reader has
  // held them to the status bar and the shots fired.
  panel(shots) {
    const found = childProcess.spawnSync(this.reader, [this.shot, 'panel', String(shots)]);
    const said = found.stdout.toString().trim().split('\n');
    if (found.status !== 0) throw new Error('the game-over panel: ' + said.join('; '));
    const [candies, distance, skill] = said[0].split(' ');
    return { candies, distance, skill };
  }
}

// The engines to run, from VORLIX_ENGINES (all three by default).
function engines() {
  const asked = (process.env.VORLIX_ENGINES || ENGINES.join(' ')).split(/[ ,]+/).filter(Boolean);
  for (const engine of asked)
    if (!ENGINES.includes(engine)) throw new Error('no engine "' + engine + '": ' + ENGINES.join(', '));
  return asked;
}

// Where the browser does not yet allow sound, the page first asks for a key:
// waits for that line, or for the page to be ready without it, and presses
// a key if it asked.
async function open_gate(browser, ready) {
  const gate = () => browser.run("const g = document.getElementById('gate'); return !!g && !g.hidden");
  await wait_until('the page ready, or the line asking for a key', async () => (await gate()) || ready());
  if (await gate()) await browser.press('x');
}

// Waits for the title, through the line that asks for a key if there is one.
async function open_title(browser, canvas) {
  await open_gate(browser, async () => (await canvas.take()) && canvas.title_shown());
  await canvas.wait_for('the title', canvas.title_shown);
}

// Runs a test, and again (twice at the most) if WebKitGTK's web process
// crashed under it.
// That process dies now and then (about one game in a hundred here, on an
// assertion of the engine's, SIGILL in its main thread) on any page that
// draws on a canvas, whatever the drawing call and with sound or without,
// and never on the same page with the drawing left out; the page has no
// part in it, but a test cannot go on without it.
async function again_if_webkit_crashed(engine, test) {
  for (let attempt = 1; ; attempt++) {
    try {
      return await test();
    } catch (e) {
      if (engine !== 'webkit' || !/invalid session id/.test(e.message) || attempt === 3) throw e;
      console.log('# WebKitGTK\'s web process crashed; the test runs again');
    }
  }
}

// What axe-core, the accessibility audit, finds wrong with the page as it
// stands: "rule: where" for each violation.
let axe_source = null;
async function axe_violations(browser) {
  if (!axe_source) {
    const where = path.resolve(process.env.VORLIX_NODE_MODULES || 'node_modules', 'axe-core', 'axe.min.js');
    axe_source = fs.readFileSync(where, 'utf8');
  }
  if (!(await browser.run('return typeof axe !== "undefined"'))) await browser.run(axe_source + '; return true;');
  return browser.run(`return axe.run(document).then((r) => r.violations.map((v) =>
    v.id + ': ' + v.nodes.map((n) => n.target.join(' ')).join(', ')))`);
}

// The boxes the page lays out for what the player reads or presses, where
// they are seen: "what: left top right bottom" in CSS px, and the field's.
const BOXES = `
const leaves = '#name, #status, #gate, #again, #update, #fullscreen, #fold, #help p, #messages, .pad button, #turn';
const boxes = [];
for (const e of document.querySelectorAll(leaves)) {
  const r = e.getBoundingClientRect(), style = getComputedStyle(e);
  if (!e.getClientRects().length || r.width < 2 || r.height < 2 || style.visibility !== 'visible') continue;
  boxes.push({ what: e.id || e.dataset.key && 'control ' + JSON.stringify(e.dataset.key) || e.tagName + ' in ' + e.parentElement.id,
               left: r.left, top: r.top, right: r.right, bottom: r.bottom, control: e.matches('.pad button') });
}
const f = document.getElementById('screen').getBoundingClientRect();
return { boxes, field: { left: f.left, top: f.top, right: f.right, bottom: f.bottom }, width: innerWidth, height: innerHeight };
`;

// Says what lies over what on the page as it stands: boxes over each other or
// over the field, outside the window, or controls too small for a finger.
async function overlaps(browser) {
  const { boxes, field, width, height } = await browser.run(BOXES);
  const over = (a, b) => a.left < b.right - 0.5 && b.left < a.right - 0.5 && a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5;
  const found = [];
  for (let i = 0; i < boxes.length; i++) {
    const a = boxes[i];
    if (over(a, field)) found.push(a.what + ' lies over the field');
    if (a.left < -0.5 || a.top < -0.5 || a.right > width + 0.5 || a.bottom > height + 0.5) found.push(a.what + ' leaves the window');
    if (a.control && (a.right - a.left < 48 || a.bottom - a.top < 48)) found.push(a.what + ' is smaller than 48 px');
    for (let j = i + 1; j < boxes.length; j++) if (over(a, boxes[j])) found.push(a.what + ' lies over ' + boxes[j].what);
  }
  return found;
}

// Waits until the page's service worker is active: from then on, a load
// comes from what it kept.
function worker_active(browser) {
  return wait_until('the service worker', () => browser.run(`return navigator.serviceWorker.getRegistration()
    .then((r) => !!(r && r.active && r.active.state === 'activated'))`));
}

function page_status(browser) {
  return browser.run("return document.getElementById('status').textContent");
}

module.exports = { Site, Canvas, site_constants, open_browser, engines, again_if_webkit_crashed, open_gate, open_title, page_status, wait_until, sleep, VERSION,
                   FIXED_SECONDS, FIXED_CLOCK, CHROMIUM_ARGS, BROWSER_PATHS, axe_violations, overlaps, worker_active };
