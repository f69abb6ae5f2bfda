// Chromium at its start and at the extension's: an administrator's policy is in force before
// anything is shown (a user-allowed origin under userMayAllow false never gets its buttons
// nor prints, not even before the policy has reached the extension), and the extension
// brings its boxes to the pages already open when it is installed or updated.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const h = require('./harness.js');
const { mode1, form, printedFiles, raiseVersion } = require('./hostile-pages.js');

const atStart = h.page(mode1());
const installed = h.page(form('INSTALLED'));
const roles = (buttons) => buttons.map((b) => b.role).sort().join(',');

test('a policy forbidding the user\'s origins holds from the browser\'s start: no buttons, no print', async (t) => {
  h.requirePrivateServer();
  const home = h.makeHome(t);
  const site = await h.serve(t, { '/start.html': { body: atStart } });
  // A first session: the user allows the site, and its Mode 1 page prints.
  const first = await h.launchChromium(t, home);
  await h.allowOriginByUser(first, site.origin);
  const tab = await h.openPage(first, site.url('/start.html'));
  await h.outcomes(tab.mainFrame(), 1, 60000);
  assert.equal(printedFiles(home, 'start').length, 1);
  await first.close();

  // The administrator forbids user-allowed sites; the page is opened as the browser starts.
  const browser = await h.launchChromium(t, home, { policy: { userMayAllow: false } });
  const hosts = home.hostStarts();
  const page = await h.openPage(browser, site.url('/start.html'));
  const seen = new Set();
  const deadline = Date.now() + 12000;
  while (Date.now() < deadline) {
    seen.add(roles(await h.controlButtons(page)));
    await h.sleep(100);
  }
  assert.deepEqual([...seen].filter((r) => r.includes('print')), [], `states seen: ${[...seen]}`);
  assert.equal(roles(await h.controlButtons(page)), 'forbidden');
  assert.equal(printedFiles(home, 'start').length, 1);
  assert.equal(home.hostStarts(), hosts);
});

test('installed while a page is open, the extension brings its box to it; updated, it replaces it', async (t) => {
  h.requirePrivateServer();
  const home = h.makeHome(t);
  const site = await h.serve(t, { '/installed.html': { body: installed } });
  const browser = await h.launchChromium(t, home, { extension: false, policy: { allowedOrigins: [site.origin] } });
  const tab = await h.openPage(browser, site.url('/installed.html'));
  assert.deepEqual(await h.controlButtons(tab), []);
  // A copy of the extension (its key, so its id and the policy's, are the same).
  const copy = path.join(home.home, 'extension-copy');
  fs.cpSync(h.EXTENSION_DIR, copy, { recursive: true });
  await browser.installExtension(copy);
  const buttons = await h.waitForButtons(tab, (b) => roles(b) === 'preview,print', 60000);
  await h.click(tab, buttons.find((b) => b.role === 'print'));
  const [{ outcome }] = await h.outcomes(tab.mainFrame(), 1);
  assert.match(h.paperOf(h.downloaded(home, outcome.printed[0])).text, /INSTALLED/);

  // An update: the page keeps one box, now the new version's, which prints.
  raiseVersion(copy);
  await tab.evaluate(() => { window.oldBox = document.querySelector('[data-vant3-box]'); });
  await browser.installExtension(copy);
  await tab.waitForFunction(() => !window.oldBox.isConnected && document.querySelector('[data-vant3-box]') !== null,
    { timeout: 30000, polling: 100 });
  const again = await h.waitForButtons(tab, (b) => roles(b) === 'preview,print', 60000);
  assert.equal(await tab.evaluate(() => document.querySelectorAll('[data-vant3-box]').length), 1);
  await h.click(tab, again.find((b) => b.role === 'print'));
  const [, second] = await h.outcomes(tab.mainFrame(), 2);
  assert.equal(second.outcome.printed.length, 1);
});
