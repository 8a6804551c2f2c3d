// The page as outside audits see it: Lighthouse on a phone and on a desktop,
// in Debian's Chromium, with nothing to report: accessibility, best
// practices and search engines at 100, performance at 95 or more, and no
// layout shift at all. Performance is judged as Lighthouse's makers advise,
// on the median of a few runs: one run's score swings with whatever else the
// machine is doing. Lighthouse wants node 22, which npm's node package
// brings:
//   build-node/node_modules/node/bin/node audit_test.js SITE_FOLDER
'use strict';
const assert = require('assert/strict');
const path = require('path');
const url = require('url');
const { describe, it, before, after } = require('node:test');
const h = require('./harness');

const [SITE] = process.argv.slice(2);
const MODULES = path.resolve(process.env.VORLIX_NODE_MODULES || 'node_modules');
// Kept off the network but for 127.0.0.1, as every page test.
const CHROMIUM_FLAGS = ['--headless=new', ...h.CHROMIUM_ARGS];

const load = async (name, file) => import(url.pathToFileURL(path.join(MODULES, name, file)).href);

const RUNS = 3;

let site, chrome, lighthouse, desktop, median_run;
before(async () => {
  site = await new h.Site(SITE).start();
  lighthouse = (await load('lighthouse', 'core/index.js')).default;
  desktop = (await load('lighthouse', 'core/config/desktop-config.js')).default;
  median_run = (await load('lighthouse', 'core/lib/median-run.js')).computeMedianRun;
  const launcher = await load('chrome-launcher', 'dist/index.js');
  chrome = await launcher.launch({ chromePath: h.BROWSER_PATHS.chromium, chromeFlags: CHROMIUM_FLAGS });
});
after(async () => {
  await chrome.kill();
  await site.stop();
});

// Every audit that did not pass, with its score and why, for a category.
function failing(lhr, category) {
  return lhr.categories[category].auditRefs
    .map((ref) => lhr.audits[ref.id])
    .filter((audit) => audit.score !== null && audit.score < 1 && audit.scoreDisplayMode !== 'informative' &&
                       audit.scoreDisplayMode !== 'manual' && audit.scoreDisplayMode !== 'notApplicable')
    .map((audit) => audit.id + ' (' + audit.score + '): ' + (audit.displayValue || audit.title));
}

for (const [form, config] of [['a phone', undefined], ['a desktop', 'desktop']]) {
  describe(form, () => {
    it('has nothing for Lighthouse to report', async () => {
      const runs = [];
      for (let run = 0; run < RUNS; run++) {
        const result = await lighthouse(site.url, {
          port: chrome.port, output: 'json', logLevel: 'error',
          onlyCategories: ['performance', 'accessibility', 'best-practices', 'seo']
        }, config === 'desktop' ? desktop : undefined);
        const lhr = result.lhr;
        const scores = Object.fromEntries(Object.entries(lhr.categories).map(([id, c]) => [id, c.score]));
        console.log('# ' + form + ': ' + JSON.stringify(scores) + '; ' +
                    ['first-contentful-paint', 'largest-contentful-paint', 'total-blocking-time', 'cumulative-layout-shift']
                      .map((id) => id + ' ' + lhr.audits[id].displayValue).join(', '));
        for (const category of ['accessibility', 'best-practices', 'seo'])
          assert.equal(scores[category], 1, category + ': ' + failing(lhr, category).join('; '));
        const shifts = ((lhr.audits['layout-shifts'] || {}).details || { items: [] }).items
          .map((item) => (item.node && (item.node.selector || item.node.snippet)) + ' ' + item.score);
        assert.equal(lhr.audits['cumulative-layout-shift'].numericValue, 0, 'the page shifts: ' + shifts.join('; '));
        runs.push(lhr);
      }
      const median = median_run(runs);
      const score = median.categories.performance.score;
      assert.ok(score >= 0.95, 'performance ' + score + ' in the median run: ' + failing(median, 'performance').join('; '));
    });
  });
}
